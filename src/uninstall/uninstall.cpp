// The uninstall procedure and its two questions to the user.
#include "uninstall.h"

#include "../../res/resource.h"
#include "../removal/product_names.h"
#include "../removal/removal.h"

HINSTANCE g_hInstance;

static const UINT kQuestionStyle = MB_YESNO | MB_ICONQUESTION;

int UninstallProduct()
{
    char caption[kPathBufferSize];
    char message[kPathBufferSize];
    // Start empty: a text that fails to load must not leave the box reading
    // uninitialised bytes.
    caption[0] = '\0';
    message[0] = '\0';
    LoadStringA(g_hInstance, IDS_TITLE, caption, kPathBufferSize);
    LoadStringA(g_hInstance, IDS_CONFIRM, message, kPathBufferSize);
    if (MessageBoxA(NULL, message, caption, kQuestionStyle) != IDYES)
        return 0;

    // Close the main program first, or its file is still in use.
    CloseRunningMainProgram();
    RemoveProgramFiles();
    DeleteSettingsFiles();
    RemoveRegistryEntries();

    // Our own file goes only when Windows starts again, so always offer it.
    message[0] = '\0';
    LoadStringA(g_hInstance, IDS_RESTART, message, kPathBufferSize);
    if (MessageBoxA(NULL, message, caption, kQuestionStyle) == IDYES)
        ExitWindowsEx(EWX_REBOOT, 0);
    return 0;
}

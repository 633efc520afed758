// Removal phase 1: the running main program must end before its files go.
#include "win32.h"

#include "product_names.h"
#include "removal.h"

static const DWORD kCloseWaitMs = 1000;

void CloseRunningMainProgram()
{
    HWND mainWindow = FindWindowA(kMainWindowClass, NULL);
    if (mainWindow == NULL)
        return;
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    // The window goes when the program has handled the request and is ending.
    while (IsWindow(mainWindow))
        Sleep(kCloseWaitMs);
}

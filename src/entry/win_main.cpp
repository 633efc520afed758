// WinMain: only the exact command tail "/del" starts the uninstall.
#include "win32.h"

#include "../uninstall/uninstall.h"

static const char kUninstallSwitch[] = "/del";

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int)
{
    if (lstrcmpiA(commandTail, kUninstallSwitch) == 0) {
        g_hInstance = instance;
        UninstallProduct();
    }
    return 0;
}

// The process entry point. The program links no C runtime (a Windows 95
// machine may lack msvcrt.dll), so this does the start-up code's one job:
// hand WinMain the command tail and end the process with its result.
#include "win32.h"

#include "command_tail.h"

extern "C" void WinMainCRTStartup()
{
    const char* commandTail = FindCommandTail(GetCommandLineA());
    int exitCode = WinMain(GetModuleHandleA(NULL), NULL, const_cast<char*>(commandTail),
                           SW_SHOWDEFAULT);
    // Returning from the entry point is not a defined way to end a process on
    // every Windows version; ExitProcess is.
    ExitProcess(exitCode);
}

// The fake machine behind the Win32 test double: what a test sets up before
// it runs the program's code, and inspects afterwards. It behaves like
// Windows 95 where the program depends on it.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "win32.h"

namespace fake {

// A top-level window of another program. It goes away closesAfterMs after it
// has been sent WM_CLOSE, or never when closesAfterMs is negative.
struct Window {
    std::string className;
    std::string title;
    long closesAfterMs = 0;
    bool closeRequested = false;
    DWORD closeRequestedAtMs = 0;
};

struct RegistryKey {
    std::string path;  // as the test spelled it, e.g. "HKLM\\Software\\ZOR"
    std::map<std::string, std::string> values;  // by upper-cased name
    bool refusesAccess = false;
};

struct Machine {
    // Every call that changes the machine or talks to the user, in order,
    // written like the call: "DeleteFileA(C:\\WINDOWS\\zortav.ini)".
    std::vector<std::string> calls;

    // The user's answers to message boxes, one per box. A box with no answer
    // left fails to appear (MessageBoxA returns 0).
    std::deque<int> messageBoxAnswers;

    // The string table of the program's module, by id.
    std::map<UINT, std::string> strings;

    // Milliseconds since the test began; only Sleep advances it.
    DWORD nowMs = 0;
    std::vector<Window> windows;

    // Empty: GetWindowsDirectoryA fails.
    std::optional<std::string> windowsDirectory = std::string("C:\\WINDOWS");

    // The program's own file. GetModuleHandleA finds the module by its file
    // name; GetModuleFileNameA fails when moduleFileNameFails is set.
    std::string modulePath = "C:\\Program Files\\ZORTAV\\zorpurge.exe";
    bool moduleFileNameFails = false;

    // Long path (upper-cased) -> the short form GetShortPathNameA gives.
    // A path that is not here makes the call fail.
    std::map<std::string, std::string> shortPaths;

    // Plain files, by upper-cased path, and profile files: upper-cased path
    // -> text, one line after another, each ending in '\n'.
    std::map<std::string, std::string> files;
    std::map<std::string, std::string> profiles;

    // Registry keys by upper-cased full path ("HKLM\\SOFTWARE\\ZOR").
    std::map<std::string, RegistryKey> registry;
    // Keys the program has opened and not yet closed: handle -> full path.
    std::map<HKEY, std::string> openKeys;
    int invalidKeyCloses = 0;

    // Setting up.
    HWND AddWindow(const std::string& className, long closesAfterMs, const std::string& title = "");
    void AddFile(const std::string& path);
    void SetProfile(const std::string& path, const std::string& text);
    void SetShortPath(const std::string& longPath, const std::string& shortPath);
    // Adds the key and any missing parents; path starts with "HKLM" or "HKCU".
    void AddKey(const std::string& path);
    void AddValue(const std::string& keyPath, const std::string& name, const std::string& data = "");
    void RefuseAccess(const std::string& keyPath);

    // Inspecting.
    bool FileExists(const std::string& path) const;
    // The text of a profile file; nullopt when there is no such file.
    std::optional<std::string> Profile(const std::string& path) const;
    bool KeyExists(const std::string& path) const;
    bool ValueExists(const std::string& keyPath, const std::string& name) const;
    // The names of the immediate sub-keys, as added.
    std::vector<std::string> SubKeys(const std::string& path) const;
    // The calls whose function is functionName, in order.
    std::vector<std::string> CallsTo(const std::string& functionName) const;
};

// The machine the double acts on, fresh for each test.
Machine& TheMachine();
Machine& ResetMachine();

// The handle of the program's module: WinMain's instance, the one whose
// string table LoadStringA reads.
HINSTANCE ProgramInstance();

// Upper-cases the ASCII letters of text without touching the second byte of a
// double-byte character, like CharUpperA.
std::string UpperCase(const std::string& text);

}  // namespace fake

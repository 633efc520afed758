// Test double of the Win32 calls the program makes, for the host unit tests.
// It stands in for src/win32.h by coming first on the include path; the calls
// act on the fake machine of fake_machine.h. Only what the program uses is
// declared, with the widths the program sees on Windows.
#pragma once

#include <cstddef>
#include <cstdint>

#define WINAPI

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned int UINT;
typedef std::uint32_t DWORD;
typedef std::int32_t LONG;
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef DWORD REGSAM;

// Distinct handle types, so that passing one kind for another does not compile.
typedef struct FakeInstance* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef struct FakeWindow* HWND;
typedef struct FakeKey* HKEY;
typedef HKEY* PHKEY;

const BOOL FALSE = 0;
const BOOL TRUE = 1;

const UINT MB_YESNO = 0x04;
const UINT MB_ICONQUESTION = 0x20;
const int IDYES = 6;
const int IDNO = 7;

const UINT EWX_REBOOT = 0x02;
const UINT WM_CLOSE = 0x10;

const LONG ERROR_SUCCESS = 0;
const LONG ERROR_FILE_NOT_FOUND = 2;
const LONG ERROR_ACCESS_DENIED = 5;
const LONG ERROR_INVALID_HANDLE = 6;
const REGSAM KEY_ALL_ACCESS = 0xF003F;

// The two roots of the fake registry that the program and the tests name.
extern const HKEY HKEY_CURRENT_USER;
extern const HKEY HKEY_LOCAL_MACHINE;

// Strings. The machine has a double-byte code page: a lead byte carries the
// byte after it, whatever that byte is.
int lstrcmpiA(LPCSTR left, LPCSTR right);
LPSTR lstrcpyA(LPSTR target, LPCSTR source);
LPSTR lstrcatA(LPSTR target, LPCSTR source);
int lstrlenA(LPCSTR text);
LPSTR CharUpperA(LPSTR text);
LPSTR CharNextA(LPCSTR character);
BOOL IsDBCSLeadByte(BYTE value);

// The user.
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferSize);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style);
BOOL ExitWindowsEx(UINT flags, DWORD reason);

// Windows of other programs, and time.
HWND FindWindowA(LPCSTR className, LPCSTR title);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsWindow(HWND window);
void Sleep(DWORD milliseconds);

// Files and the program's own module.
UINT GetWindowsDirectoryA(LPSTR buffer, UINT bufferSize);
HMODULE GetModuleHandleA(LPCSTR moduleName);
DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD bufferSize);
DWORD GetShortPathNameA(LPCSTR longPath, LPSTR buffer, DWORD bufferSize);
BOOL DeleteFileA(LPCSTR path);

// Profile (INI) files.
DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD bufferSize, LPCSTR path);
BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR path);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path);

// The registry.
LONG RegOpenKeyExA(HKEY parent, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegDeleteKeyA(HKEY parent, LPCSTR subKey);
LONG RegDeleteValueA(HKEY key, LPCSTR valueName);
LONG RegCloseKey(HKEY key);

// Defined by the program, as on Windows.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandTail, int showCommand);

// Removal phases 2 and 3: the files beside the uninstaller, its own file at
// the next start of Windows, and the settings files in the Windows directory.
#include "win32.h"

#include "product_names.h"
#include "removal.h"

static const char kBootListFileName[] = "\\wininit.ini";
static const char kUpperSelfFileName[] = "\\ZORPURGE.EXE";
static const char kUpperProgramFilesFolder[] = "\\PROGRAM FILES\\";
// Written in place of the folder name: its 8.3 alias, then our fixed home below it.
static const char kShortSelfTail[] = "PROGRA~1\\ZORTAV\\zorpurge.exe";

static const char* const kComponentFileNames[] = {
    "zorvis.dll",
    "zortav.exe",  // the main program, closed before this phase
    "Qelvanor.dll",
    "trelbund.vxd",
};

static const char* const kSettingsFileNames[] = {
    "\\zortav.ini",
    "\\Qelvanor.ini",
};

static bool StartsWith(const char* text, const char* prefix)
{
    while (*prefix != '\0') {
        if (*text != *prefix)
            return false;
        ++text;
        ++prefix;
    }
    return true;
}

// Finds pattern in text, trying only positions where a character begins, so
// that the trail byte of a double-byte character (which can be a backslash)
// never starts a match. With wholeRest, pattern must run to the end of text.
static char* FindAtCharacter(char* text, const char* pattern, bool wholeRest)
{
    for (char* p = text; *p != '\0'; p = CharNextA(p)) {
        if (StartsWith(p, pattern) && (!wholeRest || p[lstrlenA(pattern)] == '\0'))
            return p;
    }
    return NULL;
}

// Appends tail to path (kPathBufferSize characters); false, with path
// unchanged, if the result would not fit.
static bool AppendToPath(char* path, const char* tail)
{
    if (lstrlenA(path) + lstrlenA(tail) >= kPathBufferSize)
        return false;
    lstrcatA(path, tail);
    return true;
}

// The Windows directory, without a trailing backslash; false if unavailable.
static bool GetWindowsDirectoryPath(char* path)
{
    UINT length = GetWindowsDirectoryA(path, kPathBufferSize);
    return length != 0 && length < static_cast<UINT>(kPathBufferSize);
}

char* MakeShortSelfPath(const char* selfPath, char* workPath)
{
    lstrcpyA(workPath, selfPath);
    CharUpperA(workPath);
    char* folder = FindAtCharacter(workPath, kUpperProgramFilesFolder, false);
    if (folder != NULL) {
        char* tail = folder + 1;  // keep the backslash before the folder
        if ((tail - workPath) + lstrlenA(kShortSelfTail) < kPathBufferSize) {
            lstrcpyA(tail, kShortSelfTail);
            return workPath;
        }
    }
    // Another folder name (another language, another layout) or an own path
    // that is already short: ask Windows for the short form.
    DWORD length = GetShortPathNameA(selfPath, workPath, kPathBufferSize);
    if (length == 0 || length >= static_cast<DWORD>(kPathBufferSize))
        return NULL;
    return workPath;
}

char* MakeSiblingPath(const char* selfPath, const char* fileName, char* workPath)
{
    lstrcpyA(workPath, selfPath);
    CharUpperA(workPath);
    // Only the file name itself is replaced, never a folder of the same name,
    // or the files of another folder would be deleted.
    char* name = FindAtCharacter(workPath, kUpperSelfFileName, true);
    if (name == NULL)
        return NULL;
    char* tail = name + 1;
    if ((tail - workPath) + lstrlenA(fileName) >= kPathBufferSize)
        return NULL;
    lstrcpyA(tail, fileName);
    return workPath;
}

void ScheduleSelfDeletion(const char* selfPath, const char* bootListPath)
{
    char shortPath[kPathBufferSize];
    if (MakeShortSelfPath(selfPath, shortPath) == NULL)
        return;
    AddBootTimeDeletion(bootListPath, shortPath);
}

void DeleteComponentFiles(const char* selfPath)
{
    for (const char* fileName : kComponentFileNames) {
        char path[kPathBufferSize];
        if (MakeSiblingPath(selfPath, fileName, path) != NULL)
            DeleteFileA(path);
    }
}

void RemoveProgramFiles()
{
    char bootListPath[kPathBufferSize];
    char selfPath[kPathBufferSize];
    if (!GetWindowsDirectoryPath(bootListPath) || !AppendToPath(bootListPath, kBootListFileName))
        return;
    // Looked up by file name: started under another name, the program does not
    // know which files are its siblings.
    HMODULE self = GetModuleHandleA(kSelfModuleName);
    if (self == NULL)
        return;
    DWORD length = GetModuleFileNameA(self, selfPath, kPathBufferSize);
    if (length == 0 || length >= static_cast<DWORD>(kPathBufferSize))
        return;
    ScheduleSelfDeletion(selfPath, bootListPath);
    DeleteComponentFiles(selfPath);
}

void DeleteSettingsFiles()
{
    for (const char* fileName : kSettingsFileNames) {
        char path[kPathBufferSize];
        if (GetWindowsDirectoryPath(path) && AppendToPath(path, fileName))
            DeleteFileA(path);
    }
}

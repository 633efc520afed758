// The removal phases, run in this order after the user has confirmed, and the
// helpers that derive the paths they act on. Every phase is best effort and
// silent: it decides by itself whether it can act, and none stops a later one.
#pragma once

// Asks the running main program to close and waits, without a time limit,
// until its window has gone. Does nothing when the program is not running.
void CloseRunningMainProgram();

// Has Windows delete the uninstaller's own file at the next start and deletes
// the component files beside it. Does nothing when the Windows directory or
// the uninstaller's own path is not available.
void RemoveProgramFiles();

// Deletes the settings files in the Windows directory.
void DeleteSettingsFiles();

// Removes the product's key, its automatic-start values and its entry in the
// list of uninstallable programs, all below HKEY_LOCAL_MACHINE.
void RemoveRegistryEntries();

// Adds "NUL=<selfPath's short form>" to the [Rename] section of the boot-time
// list bootListPath, keeping every line already there.
void ScheduleSelfDeletion(const char* selfPath, const char* bootListPath);

// Deletes the component files that lie beside selfPath. Missing or locked
// files are passed over.
void DeleteComponentFiles(const char* selfPath);

// Builds in workPath (kPathBufferSize characters) the short path under which
// Windows 95 can delete the uninstaller at start-up, before long names are
// available: the part of the upper-cased own path before its "PROGRAM FILES"
// folder, then "PROGRA~1\ZORTAV\zorpurge.exe". Without such a folder, or if
// that would not fit, the platform's short form of selfPath. Returns workPath,
// or NULL when no short path can be built.
char* MakeShortSelfPath(const char* selfPath, char* workPath);

// Builds in workPath (kPathBufferSize characters) the path of fileName beside
// the uninstaller: selfPath upper-cased, with its file name "ZORPURGE.EXE"
// replaced by fileName. Returns workPath, or NULL when selfPath does not end
// in that file name.
char* MakeSiblingPath(const char* selfPath, const char* fileName, char* workPath);

// Adds the line "NUL=<filePath>" to section [Rename] of bootListPath and keeps
// every line already there; writes nothing if an equal line is present or if
// the section is too large to be read whole.
void AddBootTimeDeletion(const char* bootListPath, const char* filePath);

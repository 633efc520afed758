// The [Rename] section of WININIT.INI: Windows 95 deletes the file of every
// "NUL=" line in it at its next start, before long file names are available.
#include "win32.h"

#include "product_names.h"
#include "removal.h"

static const char kRenameSection[] = "Rename";
static const char kDeleteKey[] = "NUL";
static const char kDeleteLinePrefix[] = "NUL=";

// Windows 95 reads and writes at most this many characters of a profile
// section in one call.
static const DWORD kSectionBufferSize = 32767;

// The whole section, one zero-terminated "key=value" line after another and
// an empty line at the end. Static: too large for a Windows 95 stack frame.
static char s_section[kSectionBufferSize];

void AddBootTimeDeletion(const char* bootListPath, const char* filePath)
{
    char line[sizeof(kDeleteLinePrefix) + kPathBufferSize];
    lstrcpyA(line, kDeleteLinePrefix);
    lstrcatA(line, filePath);

    DWORD used = GetPrivateProfileSectionA(kRenameSection, s_section, kSectionBufferSize, bootListPath);
    if (used == 0) {
        // No file (the common case: Windows consumes it at every start) or no
        // lines: nothing to lose, and this call creates the file where the
        // section call would not.
        WritePrivateProfileStringA(kRenameSection, kDeleteKey, filePath, bootListPath);
        return;
    }
    // A section that did not fit was cut: writing it back would drop other
    // programs' pending renames, which is worse than leaving our file behind.
    if (used >= kSectionBufferSize - 2)
        return;

    char* end = s_section;
    while (end < s_section + used && *end != '\0') {
        if (lstrcmpiA(end, line) == 0)
            return;
        end += lstrlenA(end) + 1;
    }
    DWORD lineSize = lstrlenA(line) + 1;
    if ((end - s_section) + lineSize + 1 > kSectionBufferSize)
        return;
    // Appending keeps the earlier lines, and their order, as Windows will
    // process them; writing the key alone would replace the first "NUL=" line.
    lstrcpyA(end, line);
    end[lineSize] = '\0';
    WritePrivateProfileSectionA(kRenameSection, s_section, bootListPath);
}

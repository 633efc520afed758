// The command tail as the Windows start-up code computes it for WinMain.
#include "command_tail.h"

#include "win32.h"

const char* FindCommandTail(const char* commandLine)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(commandLine);
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') {
            // A lead byte carries its trail byte, unless the line ends right after it.
            if (IsDBCSLeadByte(*p) && p[1] != '\0')
                ++p;
            ++p;
        }
        if (*p == '"')
            ++p;
    } else {
        while (*p > ' ')
            ++p;
    }
    while (*p != '\0' && *p <= ' ')
        ++p;
    return reinterpret_cast<const char*>(p);
}

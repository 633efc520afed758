// String calls of the double, on a double-byte code page shaped like code
// page 932: lead bytes 0x81-0x9F and 0xE0-0xFC, after which any byte, even a
// backslash or a double quote, is the second half of the same character.
#include "fake_machine.h"

static unsigned char ByteAt(const char* p)
{
    return static_cast<unsigned char>(*p);
}

static unsigned char FoldAscii(unsigned char value)
{
    if (value >= 'a' && value <= 'z')
        return static_cast<unsigned char>(value - 'a' + 'A');
    return value;
}

BOOL IsDBCSLeadByte(BYTE value)
{
    return (value >= 0x81 && value <= 0x9F) || (value >= 0xE0 && value <= 0xFC);
}

LPSTR CharNextA(LPCSTR character)
{
    char* p = const_cast<char*>(character);
    if (*p == '\0')
        return p;
    // A lead byte at the very end has no second half: step onto the terminator.
    if (IsDBCSLeadByte(ByteAt(p)) && p[1] != '\0')
        return p + 2;
    return p + 1;
}

LPSTR CharUpperA(LPSTR text)
{
    for (char* p = text; *p != '\0'; p = CharNextA(p))
        *p = static_cast<char>(FoldAscii(ByteAt(p)));
    return text;
}

int lstrcmpiA(LPCSTR left, LPCSTR right)
{
    if (left == nullptr)
        left = "";
    if (right == nullptr)
        right = "";
    for (;;) {
        unsigned char l = FoldAscii(ByteAt(left));
        unsigned char r = FoldAscii(ByteAt(right));
        if (l != r)
            return l < r ? -1 : 1;
        if (l == '\0')
            return 0;
        ++left;
        ++right;
        // The second byte of a double-byte character is compared as it is.
        if (IsDBCSLeadByte(l)) {
            if (*left != *right)
                return ByteAt(left) < ByteAt(right) ? -1 : 1;
            if (*left == '\0')
                return 0;
            ++left;
            ++right;
        }
    }
}

LPSTR lstrcpyA(LPSTR target, LPCSTR source)
{
    char* p = target;
    while ((*p++ = *source++) != '\0') {
    }
    return target;
}

LPSTR lstrcatA(LPSTR target, LPCSTR source)
{
    lstrcpyA(target + lstrlenA(target), source);
    return target;
}

int lstrlenA(LPCSTR text)
{
    if (text == nullptr)
        return 0;
    int length = 0;
    while (text[length] != '\0')
        ++length;
    return length;
}

std::string fake::UpperCase(const std::string& text)
{
    std::string upper = text;
    CharUpperA(upper.data());
    return upper;
}

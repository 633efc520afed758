// Profile (INI) files as Windows 95 reads and writes them. A file is kept as
// text; each call splits it into lines and joins them again.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fake_machine.h"

using fake::TheMachine;

typedef std::vector<std::string> Lines;

static Lines SplitLines(const std::string& text)
{
    Lines lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

static std::string JoinLines(const Lines& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

static std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

static bool IsSectionHeader(const std::string& line)
{
    std::string trimmed = Trim(line);
    return !trimmed.empty() && trimmed[0] == '[' && trimmed.find(']') != std::string::npos;
}

static bool IsHeaderOf(const std::string& line, const char* section)
{
    if (!IsSectionHeader(line))
        return false;
    std::string trimmed = Trim(line);
    std::string name = Trim(trimmed.substr(1, trimmed.find(']') - 1));
    return lstrcmpiA(name.c_str(), section) == 0;
}

// The lines of the section are those after its header up to the next header.
struct SectionRange {
    bool found = false;
    size_t header = 0;
    size_t end = 0;
};

static SectionRange FindSection(const Lines& lines, const char* section)
{
    SectionRange range;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (IsHeaderOf(lines[i], section)) {
            range.found = true;
            range.header = i;
            range.end = i + 1;
            while (range.end < lines.size() && !IsSectionHeader(lines[range.end]))
                ++range.end;
            return range;
        }
    }
    return range;
}

static std::string KeyOf(const std::string& line)
{
    return Trim(line.substr(0, line.find('=')));
}

DWORD GetPrivateProfileSectionA(LPCSTR section, LPSTR buffer, DWORD bufferSize, LPCSTR path)
{
    if (bufferSize < 2) {
        std::fprintf(stderr, "fake machine: GetPrivateProfileSectionA with a buffer of %u\n",
                     static_cast<unsigned>(bufferSize));
        std::abort();
    }
    buffer[0] = '\0';
    buffer[1] = '\0';
    std::optional<std::string> text = TheMachine().Profile(path);
    if (!text)
        return 0;
    Lines lines = SplitLines(*text);
    SectionRange range = FindSection(lines, section);
    if (!range.found)
        return 0;

    // Every line, duplicates included, each with its terminator, and one more
    // terminator at the end. A section that does not fit is cut after its
    // last whole line that does, and the result is size - 2 however much was
    // cut: only the result tells the caller that lines are missing.
    DWORD used = 0;
    bool cut = false;
    for (size_t i = range.header + 1; i < range.end; ++i) {
        std::string line = Trim(lines[i]);
        if (line.empty())
            continue;
        if (used + line.size() + 1 > bufferSize - 1) {
            cut = true;
            break;
        }
        std::memcpy(buffer + used, line.c_str(), line.size() + 1);
        used += static_cast<DWORD>(line.size() + 1);
    }
    buffer[used] = '\0';
    return cut ? bufferSize - 2 : used;
}

BOOL WritePrivateProfileSectionA(LPCSTR section, LPCSTR lines, LPCSTR path)
{
    TheMachine().calls.push_back("WritePrivateProfileSectionA(" + std::string(section) + ", " + path + ")");
    // Given a full path, Windows writes a section only into a file that exists.
    std::optional<std::string> text = TheMachine().Profile(path);
    if (!text)
        return FALSE;
    Lines newLines;
    for (const char* line = lines; *line != '\0'; line += std::strlen(line) + 1)
        newLines.push_back(line);

    Lines fileLines = SplitLines(*text);
    SectionRange range = FindSection(fileLines, section);
    if (range.found) {
        fileLines.erase(fileLines.begin() + static_cast<std::ptrdiff_t>(range.header + 1),
                        fileLines.begin() + static_cast<std::ptrdiff_t>(range.end));
        fileLines.insert(fileLines.begin() + static_cast<std::ptrdiff_t>(range.header + 1), newLines.begin(),
                         newLines.end());
    } else {
        fileLines.push_back("[" + std::string(section) + "]");
        fileLines.insert(fileLines.end(), newLines.begin(), newLines.end());
    }
    TheMachine().SetProfile(path, JoinLines(fileLines));
    return TRUE;
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR path)
{
    if (key == nullptr || value == nullptr) {
        std::fprintf(stderr, "fake machine: deleting with WritePrivateProfileStringA is not modelled\n");
        std::abort();
    }
    TheMachine().calls.push_back("WritePrivateProfileStringA(" + std::string(section) + ", " + key + ", " +
                                 value + ", " + path + ")");
    Lines fileLines = SplitLines(TheMachine().Profile(path).value_or(""));
    std::string newLine = std::string(key) + "=" + value;
    SectionRange range = FindSection(fileLines, section);
    if (!range.found) {
        fileLines.push_back("[" + std::string(section) + "]");
        fileLines.push_back(newLine);
        TheMachine().SetProfile(path, JoinLines(fileLines));
        return TRUE;
    }
    // The first line with this key is replaced; any later one stays as it is.
    size_t lastLine = range.header;
    for (size_t i = range.header + 1; i < range.end; ++i) {
        if (Trim(fileLines[i]).empty())
            continue;
        if (lstrcmpiA(KeyOf(fileLines[i]).c_str(), key) == 0) {
            fileLines[i] = newLine;
            TheMachine().SetProfile(path, JoinLines(fileLines));
            return TRUE;
        }
        lastLine = i;
    }
    fileLines.insert(fileLines.begin() + static_cast<std::ptrdiff_t>(lastLine + 1), newLine);
    TheMachine().SetProfile(path, JoinLines(fileLines));
    return TRUE;
}

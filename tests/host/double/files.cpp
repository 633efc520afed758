// The Windows directory, the program's own module, short names and files.
#include <cstring>

#include "fake_machine.h"

using fake::TheMachine;

// Copies text like the calls that report the size they would need: the length
// on success, the size with the terminator when the buffer is too small.
static DWORD CopyOrNeed(const std::string& text, char* buffer, DWORD bufferSize)
{
    if (text.size() + 1 > bufferSize)
        return static_cast<DWORD>(text.size() + 1);
    std::memcpy(buffer, text.c_str(), text.size() + 1);
    return static_cast<DWORD>(text.size());
}

UINT GetWindowsDirectoryA(LPSTR buffer, UINT bufferSize)
{
    if (!TheMachine().windowsDirectory)
        return 0;
    return CopyOrNeed(*TheMachine().windowsDirectory, buffer, bufferSize);
}

HMODULE GetModuleHandleA(LPCSTR moduleName)
{
    if (moduleName == nullptr)
        return fake::ProgramInstance();
    const std::string& path = TheMachine().modulePath;
    std::string fileName = path.substr(path.rfind('\\') + 1);
    if (lstrcmpiA(fileName.c_str(), moduleName) == 0)
        return fake::ProgramInstance();
    return nullptr;
}

DWORD GetModuleFileNameA(HMODULE module, LPSTR buffer, DWORD bufferSize)
{
    if ((module != nullptr && module != fake::ProgramInstance()) || TheMachine().moduleFileNameFails)
        return 0;
    const std::string& path = TheMachine().modulePath;
    // Too long: the buffer is filled without a terminator and its size returned.
    if (path.size() >= bufferSize) {
        std::memcpy(buffer, path.data(), bufferSize);
        return bufferSize;
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return static_cast<DWORD>(path.size());
}

DWORD GetShortPathNameA(LPCSTR longPath, LPSTR buffer, DWORD bufferSize)
{
    auto found = TheMachine().shortPaths.find(fake::UpperCase(longPath));
    if (found == TheMachine().shortPaths.end())
        return 0;
    return CopyOrNeed(found->second, buffer, bufferSize);
}

BOOL DeleteFileA(LPCSTR path)
{
    TheMachine().calls.push_back("DeleteFileA(" + std::string(path) + ")");
    std::string upper = fake::UpperCase(path);
    bool deleted = TheMachine().files.erase(upper) != 0;
    deleted = TheMachine().profiles.erase(upper) != 0 || deleted;
    return deleted ? TRUE : FALSE;
}

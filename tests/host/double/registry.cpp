// The registry of the fake machine: keys by path, opened through handles that
// the program must close again. Deleting a key deletes its sub-keys, as on
// Windows 95.
#include <cstdint>

#include "fake_machine.h"

using fake::TheMachine;

const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t{0x80000001});
const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t{0x80000002});

static std::uintptr_t s_lastKeyHandle = 0x1000;

// The full path of an open key or a root; false for any other handle.
static bool PathOf(HKEY key, std::string* path)
{
    if (key == HKEY_CURRENT_USER) {
        *path = "HKCU";
        return true;
    }
    if (key == HKEY_LOCAL_MACHINE) {
        *path = "HKLM";
        return true;
    }
    auto found = TheMachine().openKeys.find(key);
    if (found == TheMachine().openKeys.end())
        return false;
    *path = found->second;
    return true;
}

static std::string Below(const std::string& parent, LPCSTR subKey)
{
    if (subKey == nullptr || *subKey == '\0')
        return parent;
    return parent + "\\" + subKey;
}

LONG RegOpenKeyExA(HKEY parent, LPCSTR subKey, DWORD, REGSAM, PHKEY result)
{
    std::string path;
    if (!PathOf(parent, &path))
        return ERROR_INVALID_HANDLE;
    path = Below(path, subKey);
    if (!TheMachine().KeyExists(path))
        return ERROR_FILE_NOT_FOUND;
    auto key = TheMachine().registry.find(fake::UpperCase(path));
    if (key != TheMachine().registry.end() && key->second.refusesAccess)
        return ERROR_ACCESS_DENIED;
    s_lastKeyHandle += 4;
    *result = reinterpret_cast<HKEY>(s_lastKeyHandle);
    TheMachine().openKeys[*result] = path;
    return ERROR_SUCCESS;
}

LONG RegDeleteKeyA(HKEY parent, LPCSTR subKey)
{
    std::string path;
    if (!PathOf(parent, &path))
        return ERROR_INVALID_HANDLE;
    path = Below(path, subKey);
    TheMachine().calls.push_back("RegDeleteKeyA(" + path + ")");
    std::map<std::string, fake::RegistryKey>& registry = TheMachine().registry;
    std::string upper = fake::UpperCase(path);
    if (registry.erase(upper) == 0)
        return ERROR_FILE_NOT_FOUND;
    std::string below = upper + "\\";
    for (auto key = registry.begin(); key != registry.end();) {
        if (key->first.compare(0, below.size(), below) == 0)
            key = registry.erase(key);
        else
            ++key;
    }
    return ERROR_SUCCESS;
}

LONG RegDeleteValueA(HKEY key, LPCSTR valueName)
{
    std::string path;
    if (!PathOf(key, &path))
        return ERROR_INVALID_HANDLE;
    TheMachine().calls.push_back("RegDeleteValueA(" + path + ", " + valueName + ")");
    auto found = TheMachine().registry.find(fake::UpperCase(path));
    if (found == TheMachine().registry.end() || found->second.values.erase(fake::UpperCase(valueName)) == 0)
        return ERROR_FILE_NOT_FOUND;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key)
{
    if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    if (TheMachine().openKeys.erase(key) == 0) {
        ++TheMachine().invalidKeyCloses;
        return ERROR_INVALID_HANDLE;
    }
    return ERROR_SUCCESS;
}

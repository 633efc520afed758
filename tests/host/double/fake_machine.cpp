// The fake machine's state, and what tests use to set it up and inspect it.
#include "fake_machine.h"

#include <cstdint>

namespace fake {

static Machine s_machine;

Machine& TheMachine()
{
    return s_machine;
}

Machine& ResetMachine()
{
    s_machine = Machine();
    return s_machine;
}

HINSTANCE ProgramInstance()
{
    return reinterpret_cast<HINSTANCE>(std::uintptr_t{0x400000});
}

HWND Machine::AddWindow(const std::string& className, long closesAfterMs, const std::string& title)
{
    Window window;
    window.className = className;
    window.title = title;
    window.closesAfterMs = closesAfterMs;
    windows.push_back(window);
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(windows.size()));
}

void Machine::AddFile(const std::string& path)
{
    files[UpperCase(path)] = path;
}

void Machine::SetProfile(const std::string& path, const std::string& text)
{
    profiles[UpperCase(path)] = text;
}

void Machine::SetShortPath(const std::string& longPath, const std::string& shortPath)
{
    shortPaths[UpperCase(longPath)] = shortPath;
}

void Machine::AddKey(const std::string& path)
{
    // Every parent below the root, then the key itself.
    size_t end = path.find('\\');
    while (end != std::string::npos) {
        end = path.find('\\', end + 1);
        std::string prefix = path.substr(0, end);
        RegistryKey& key = registry[UpperCase(prefix)];
        if (key.path.empty())
            key.path = prefix;
    }
}

void Machine::AddValue(const std::string& keyPath, const std::string& name, const std::string& data)
{
    AddKey(keyPath);
    registry[UpperCase(keyPath)].values[UpperCase(name)] = data;
}

void Machine::RefuseAccess(const std::string& keyPath)
{
    AddKey(keyPath);
    registry[UpperCase(keyPath)].refusesAccess = true;
}

bool Machine::FileExists(const std::string& path) const
{
    return files.count(UpperCase(path)) != 0 || profiles.count(UpperCase(path)) != 0;
}

std::optional<std::string> Machine::Profile(const std::string& path) const
{
    auto found = profiles.find(UpperCase(path));
    if (found == profiles.end())
        return std::nullopt;
    return found->second;
}

bool Machine::KeyExists(const std::string& path) const
{
    return path.find('\\') == std::string::npos || registry.count(UpperCase(path)) != 0;
}

bool Machine::ValueExists(const std::string& keyPath, const std::string& name) const
{
    auto key = registry.find(UpperCase(keyPath));
    return key != registry.end() && key->second.values.count(UpperCase(name)) != 0;
}

std::vector<std::string> Machine::SubKeys(const std::string& path) const
{
    std::string prefix = UpperCase(path) + "\\";
    std::vector<std::string> names;
    for (const auto& [upperPath, key] : registry) {
        if (upperPath.compare(0, prefix.size(), prefix) == 0 &&
            upperPath.find('\\', prefix.size()) == std::string::npos)
            names.push_back(key.path.substr(prefix.size()));
    }
    return names;
}

std::vector<std::string> Machine::CallsTo(const std::string& functionName) const
{
    std::vector<std::string> found;
    for (const std::string& call : calls) {
        if (call.compare(0, functionName.size() + 1, functionName + "(") == 0)
            found.push_back(call);
    }
    return found;
}

}  // namespace fake

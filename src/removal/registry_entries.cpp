// Removal phase 4: the product's registry entries below HKEY_LOCAL_MACHINE.
#include "win32.h"

#include "product_names.h"
#include "removal.h"

static const char kRunKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char kRunOnceKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
static const char kUninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// Deletes the sub-key "ZORTAV" of parentPath. Windows 95 deletes its sub-keys
// with it. A parent that cannot be opened is passed over.
static void DeleteProductKeyBelow(const char* parentPath)
{
    HKEY parent;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, parentPath, 0, KEY_ALL_ACCESS, &parent) != ERROR_SUCCESS)
        return;
    RegDeleteKeyA(parent, kProductKeyName);
    RegCloseKey(parent);
}

// Deletes the value "ZORTAV" of keyPath. A key that cannot be opened is passed over.
static void DeleteProductValueIn(const char* keyPath)
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    RegDeleteValueA(key, kProductKeyName);
    RegCloseKey(key);
}

void RemoveRegistryEntries()
{
    DeleteProductKeyBelow(kMakerKeyPath);
    DeleteProductValueIn(kRunKeyPath);
    DeleteProductValueIn(kRunOnceKeyPath);
    DeleteProductKeyBelow(kUninstallKeyPath);
}

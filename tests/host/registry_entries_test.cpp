// Removal phase 4: the product's registry entries below HKEY_LOCAL_MACHINE.
#include <ostream>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../../src/removal/removal.h"
#include "fake_machine.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char kMakerKey[] = "HKLM\\Software\\ZOR";
const char kProductKey[] = "HKLM\\Software\\ZOR\\ZORTAV";
const char kRunKey[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnceKey[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kUninstallKey[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kUninstallEntry[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZORTAV";

class RemoveRegistryEntriesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The entries as the installer writes them, beside other programs' ones.
        machine.AddValue(kProductKey, "Version", "1.0");
        machine.AddValue(kProductKey, "Path", "C:\\Program Files\\ZORTAV");
        machine.AddValue(kRunKey, "ZORTAV", "C:\\PROGRA~1\\ZORTAV\\zortav.exe");
        machine.AddValue(kRunKey, "Other", "C:\\OTHER\\OTHER.EXE");
        machine.AddValue(kRunOnceKey, "ZORTAV", "C:\\PROGRA~1\\ZORTAV\\zortav.exe /first");
        machine.AddValue(kUninstallEntry, "DisplayName", "Parvella");
        machine.AddKey(std::string(kUninstallKey) + "\\Other");
    }

    void TearDown() override
    {
        EXPECT_THAT(machine.openKeys, IsEmpty()) << "keys left open";
        EXPECT_EQ(machine.invalidKeyCloses, 0);
    }

    fake::Machine& machine = fake::ResetMachine();
};

TEST_F(RemoveRegistryEntriesTest, RemovesTheFourEntriesAndNothingElse)
{
    RemoveRegistryEntries();

    EXPECT_THAT(machine.calls,
                ElementsAre("RegDeleteKeyA(HKLM\\Software\\ZOR\\ZORTAV)",
                            "RegDeleteValueA(HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run, ZORTAV)",
                            "RegDeleteValueA(HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce, ZORTAV)",
                            "RegDeleteKeyA(HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZORTAV)"));
    EXPECT_FALSE(machine.KeyExists(kProductKey));
    EXPECT_FALSE(machine.ValueExists(kRunKey, "ZORTAV"));
    EXPECT_FALSE(machine.ValueExists(kRunOnceKey, "ZORTAV"));
    EXPECT_FALSE(machine.KeyExists(kUninstallEntry));
    EXPECT_TRUE(machine.ValueExists(kRunKey, "Other"));
    EXPECT_THAT(machine.SubKeys(kUninstallKey), ElementsAre("Other"));
    // The maker's key stays, even empty: other products of the maker may use it.
    EXPECT_TRUE(machine.KeyExists(kMakerKey));
    EXPECT_THAT(machine.SubKeys(kMakerKey), IsEmpty());
}

TEST_F(RemoveRegistryEntriesTest, RemovesTheProductKeyWithItsSubKeys)
{
    machine.AddValue(std::string(kProductKey) + "\\Settings\\Window", "Left", "10");

    RemoveRegistryEntries();

    EXPECT_FALSE(machine.KeyExists(std::string(kProductKey) + "\\Settings\\Window"));
    EXPECT_FALSE(machine.KeyExists(std::string(kProductKey) + "\\Settings"));
    EXPECT_FALSE(machine.KeyExists(kProductKey));
}

TEST_F(RemoveRegistryEntriesTest, LeavesEntriesOfTheSameNameOfAnotherKind)
{
    machine.AddValue(kMakerKey, "ZORTAV", "installed");
    machine.AddKey(std::string(kRunKey) + "\\ZORTAV");
    machine.AddKey(std::string(kUninstallKey) + "\\ZORTAV2");

    RemoveRegistryEntries();

    EXPECT_TRUE(machine.ValueExists(kMakerKey, "ZORTAV"));
    EXPECT_TRUE(machine.KeyExists(std::string(kRunKey) + "\\ZORTAV"));
    EXPECT_TRUE(machine.KeyExists(std::string(kUninstallKey) + "\\ZORTAV2"));
}

TEST_F(RemoveRegistryEntriesTest, LeavesTheCurrentUsersEntries)
{
    const std::string userRun = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    machine.AddValue("HKCU\\Software\\ZOR\\ZORTAV", "Version", "1.0");
    machine.AddValue(userRun, "ZORTAV", "C:\\PROGRA~1\\ZORTAV\\zortav.exe");

    RemoveRegistryEntries();

    EXPECT_TRUE(machine.KeyExists("HKCU\\Software\\ZOR\\ZORTAV"));
    EXPECT_TRUE(machine.ValueExists(userRun, "ZORTAV"));
}

struct UnopenableCase {
    const char* name;
    const char* keyPath;
    bool refusesAccess;  // otherwise the key is missing
};

std::ostream& operator<<(std::ostream& out, const UnopenableCase& c)
{
    return out << c.name;
}

class UnopenableKey : public RemoveRegistryEntriesTest, public ::testing::WithParamInterface<UnopenableCase> {};

TEST_P(UnopenableKey, SkipsOnlyItsOwnEntry)
{
    const UnopenableCase& c = GetParam();
    if (c.refusesAccess) {
        machine.RefuseAccess(c.keyPath);
    } else {
        std::string upper = fake::UpperCase(c.keyPath);
        for (auto key = machine.registry.begin(); key != machine.registry.end();) {
            bool below = key->first == upper || key->first.compare(0, upper.size() + 1, upper + "\\") == 0;
            key = below ? machine.registry.erase(key) : std::next(key);
        }
    }

    RemoveRegistryEntries();

    std::string keyPath = c.keyPath;
    EXPECT_EQ(machine.KeyExists(kProductKey), keyPath == kMakerKey && c.refusesAccess);
    EXPECT_EQ(machine.ValueExists(kRunKey, "ZORTAV"), keyPath == kRunKey && c.refusesAccess);
    EXPECT_EQ(machine.ValueExists(kRunOnceKey, "ZORTAV"), keyPath == kRunOnceKey && c.refusesAccess);
    EXPECT_EQ(machine.KeyExists(kUninstallEntry), keyPath == kUninstallKey && c.refusesAccess);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, UnopenableKey,
    ::testing::Values(UnopenableCase{"MakerKeyMissing", kMakerKey, false},
                      UnopenableCase{"MakerKeyRefused", kMakerKey, true},
                      UnopenableCase{"RunKeyMissing", kRunKey, false},
                      UnopenableCase{"RunKeyRefused", kRunKey, true},
                      UnopenableCase{"RunOnceKeyMissing", kRunOnceKey, false},
                      UnopenableCase{"RunOnceKeyRefused", kRunOnceKey, true},
                      UnopenableCase{"UninstallKeyMissing", kUninstallKey, false},
                      UnopenableCase{"UninstallKeyRefused", kUninstallKey, true}),
    [](const ::testing::TestParamInfo<UnopenableCase>& row) { return std::string(row.param.name); });

}  // namespace

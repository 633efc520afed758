// Removal phases 2 and 3: the short path that Windows deletes at its next
// start, the paths of the files beside the uninstaller, and the deletions.
#include <optional>
#include <ostream>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../../src/removal/removal.h"
#include "fake_machine.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const int kBufferSize = 260;
const char kInstalledSelf[] = "C:\\Program Files\\ZORTAV\\zorpurge.exe";
const char kShortInstalledSelf[] = "C:\\PROGRA~1\\ZORTAV\\zorpurge.exe";

std::string Repeat(char c, size_t count)
{
    return std::string(count, c);
}

// Returns the result of a path helper as text; "<NULL>" when it gave none,
// after checking that it returned its work buffer.
template <typename Helper>
std::string ResultOf(Helper helper)
{
    char workPath[kBufferSize];
    char* result = helper(workPath);
    if (result == nullptr)
        return "<NULL>";
    EXPECT_EQ(result, workPath);
    return result;
}

struct ShortPathCase {
    const char* name;
    std::string selfPath;
    std::string windowsShortPath;  // what GetShortPathNameA gives; empty: it fails
    std::string expected;
};

std::ostream& operator<<(std::ostream& out, const ShortPathCase& c)
{
    return out << c.name;
}

class MakeShortSelfPathTest : public ::testing::TestWithParam<ShortPathCase> {};

TEST_P(MakeShortSelfPathTest, BuildsTheShortPathOfTheInstalledProgram)
{
    const ShortPathCase& c = GetParam();
    fake::Machine& machine = fake::ResetMachine();
    if (!c.windowsShortPath.empty())
        machine.SetShortPath(c.selfPath, c.windowsShortPath);

    EXPECT_EQ(ResultOf([&](char* work) { return MakeShortSelfPath(c.selfPath.c_str(), work); }), c.expected);
}

// "\" at index 3 + k; the short tail then starts at 4 + k and needs 28 more.
std::string DeepProgramFiles(size_t k)
{
    return "C:\\" + Repeat('A', k) + "\\Program Files\\zorpurge.exe";
}

INSTANTIATE_TEST_SUITE_P(
    SelfPaths, MakeShortSelfPathTest,
    ::testing::Values(
        ShortPathCase{"Installed", kInstalledSelf, "", kShortInstalledSelf},
        ShortPathCase{"OtherDrive", "D:\\Program Files\\ZORTAV\\zorpurge.exe", "",
                      "D:\\PROGRA~1\\ZORTAV\\zorpurge.exe"},
        ShortPathCase{"MixedCase", "c:\\pRoGrAm FiLeS\\zortav\\ZorPurge.EXE", "", kShortInstalledSelf},
        ShortPathCase{"DeeperFolder", "C:\\Program Files\\Tools\\Other\\zorpurge.exe", "", kShortInstalledSelf},
        ShortPathCase{"OtherFolderName", "C:\\Programme\\ZORTAV\\zorpurge.exe", "C:\\PROGRA~1\\ZORTAV\\ZORPUR~1.EXE",
                      "C:\\PROGRA~1\\ZORTAV\\ZORPUR~1.EXE"},
        ShortPathCase{"OtherFolderNameNoShortForm", "C:\\Programme\\ZORTAV\\zorpurge.exe", "", "<NULL>"},
        ShortPathCase{"AlreadyShort", "C:\\PROGRA~1\\ZORTAV\\ZORPURGE.EXE", "C:\\PROGRA~1\\ZORTAV\\ZORPURGE.EXE",
                      "C:\\PROGRA~1\\ZORTAV\\ZORPURGE.EXE"},
        ShortPathCase{"LongestPath", "C:\\Program Files\\" + Repeat('a', 229) + "\\zorpurge.exe", "",
                      kShortInstalledSelf},
        ShortPathCase{"DeepFolderJustFits", DeepProgramFiles(227), "",
                      "C:\\" + Repeat('A', 227) + "\\PROGRA~1\\ZORTAV\\zorpurge.exe"},
        ShortPathCase{"DeepFolderDoesNotFit", DeepProgramFiles(228), "C:\\AAAAAA~1\\PROGRA~1\\ZORPURGE.EXE",
                      "C:\\AAAAAA~1\\PROGRA~1\\ZORPURGE.EXE"},
        ShortPathCase{"DeepFolderNoShortForm", DeepProgramFiles(228), "", "<NULL>"},
        ShortPathCase{"ShortFormDoesNotFit", DeepProgramFiles(228), "C:\\" + Repeat('S', 257), "<NULL>"},
        // 0x95 0x5C is one character: the backslash is not the folder's start.
        ShortPathCase{"TrailByteBackslashBeforeFolder", "C:\\X\x95\\Program Files\\zorpurge.exe",
                      "C:\\X~1\\ZORPURGE.EXE", "C:\\X~1\\ZORPURGE.EXE"},
        ShortPathCase{"DoubleByteCharacterBeforeFolder", "C:\\\x95\\\\Program Files\\ZORTAV\\zorpurge.exe", "",
                      "C:\\\x95\\\\PROGRA~1\\ZORTAV\\zorpurge.exe"}),
    [](const ::testing::TestParamInfo<ShortPathCase>& row) { return std::string(row.param.name); });

struct SiblingCase {
    const char* name;
    std::string selfPath;
    const char* fileName;
    std::string expected;
};

std::ostream& operator<<(std::ostream& out, const SiblingCase& c)
{
    return out << c.name;
}

class MakeSiblingPathTest : public ::testing::TestWithParam<SiblingCase> {};

TEST_P(MakeSiblingPathTest, ReplacesOnlyTheUninstallersOwnFileName)
{
    const SiblingCase& c = GetParam();
    fake::ResetMachine();

    EXPECT_EQ(ResultOf([&](char* work) { return MakeSiblingPath(c.selfPath.c_str(), c.fileName, work); }),
              c.expected);
}

const std::string kLongestSelf = "C:\\" + Repeat('A', 243) + "\\zorpurge.exe";

INSTANTIATE_TEST_SUITE_P(
    SelfPaths, MakeSiblingPathTest,
    ::testing::Values(
        SiblingCase{"Installed", kInstalledSelf, "zorvis.dll", "C:\\PROGRAM FILES\\ZORTAV\\zorvis.dll"},
        SiblingCase{"OtherDriveMixedCase", "d:\\Program Files\\zortav\\ZorPurge.Exe", "Qelvanor.dll",
                    "D:\\PROGRAM FILES\\ZORTAV\\Qelvanor.dll"},
        SiblingCase{"DeeperFolder", "C:\\Program Files\\Tools\\Other\\zorpurge.exe", "zortav.exe",
                    "C:\\PROGRAM FILES\\TOOLS\\OTHER\\zortav.exe"},
        SiblingCase{"FolderNamedLikeTheFile", "C:\\Program Files\\zorpurge.exe\\zorpurge.exe", "zorvis.dll",
                    "C:\\PROGRAM FILES\\ZORPURGE.EXE\\zorvis.dll"},
        SiblingCase{"OtherOwnName", "C:\\Program Files\\ZORTAV\\setup.exe", "zorvis.dll", "<NULL>"},
        SiblingCase{"OwnNameOnlyAsFolder", "C:\\Program Files\\zorpurge.exe\\setup.exe", "zorvis.dll", "<NULL>"},
        SiblingCase{"NameWithPrefix", "C:\\Program Files\\ZORTAV\\xzorpurge.exe", "zorvis.dll", "<NULL>"},
        SiblingCase{"NameWithSuffix", "C:\\Program Files\\ZORTAV\\zorpurge.exe.bak", "zorvis.dll", "<NULL>"},
        SiblingCase{"TrailByteBackslashBeforeName", "C:\\ZORTAV\\\x95\\zorpurge.exe", "zorvis.dll", "<NULL>"},
        SiblingCase{"DoubleByteFolder", "C:\\\x95\\\\zorpurge.exe", "zorvis.dll", "C:\\\x95\\\\zorvis.dll"},
        SiblingCase{"LongestPath", kLongestSelf, "zorvis.dll", "C:\\" + Repeat('A', 243) + "\\zorvis.dll"},
        SiblingCase{"SiblingDoesNotFit", kLongestSelf, "a-longer-file-name.dll", "<NULL>"}),
    [](const ::testing::TestParamInfo<SiblingCase>& row) { return std::string(row.param.name); });

const char* const kComponents[] = {"zorvis.dll", "zortav.exe", "Qelvanor.dll", "trelbund.vxd"};

class RemoveProgramFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Machine& machine = fake::ResetMachine();
        machine.AddFile(kInstalledSelf);
        for (const char* name : kComponents)
            machine.AddFile(std::string("C:\\Program Files\\ZORTAV\\") + name);
        machine.AddFile("C:\\WINDOWS\\zortav.ini");
        machine.AddFile("C:\\WINDOWS\\Qelvanor.ini");
    }
};

TEST_F(RemoveProgramFilesTest, SchedulesItsOwnFileThenDeletesTheComponents)
{
    RemoveProgramFiles();

    fake::Machine& machine = fake::TheMachine();
    EXPECT_THAT(machine.calls,
                ElementsAre("WritePrivateProfileStringA(Rename, NUL, C:\\PROGRA~1\\ZORTAV\\zorpurge.exe, "
                            "C:\\WINDOWS\\wininit.ini)",
                            "DeleteFileA(C:\\PROGRAM FILES\\ZORTAV\\zorvis.dll)",
                            "DeleteFileA(C:\\PROGRAM FILES\\ZORTAV\\zortav.exe)",
                            "DeleteFileA(C:\\PROGRAM FILES\\ZORTAV\\Qelvanor.dll)",
                            "DeleteFileA(C:\\PROGRAM FILES\\ZORTAV\\trelbund.vxd)"));
    EXPECT_EQ(machine.Profile("C:\\WINDOWS\\WININIT.INI"), "[Rename]\nNUL=C:\\PROGRA~1\\ZORTAV\\zorpurge.exe\n");
    for (const char* name : kComponents)
        EXPECT_FALSE(machine.FileExists(std::string("C:\\Program Files\\ZORTAV\\") + name)) << name;
    EXPECT_TRUE(machine.FileExists(kInstalledSelf));
}

TEST_F(RemoveProgramFilesTest, PassesOverMissingComponents)
{
    fake::Machine& machine = fake::TheMachine();
    machine.files.clear();
    machine.AddFile("C:\\Program Files\\ZORTAV\\zortav.exe");

    RemoveProgramFiles();

    EXPECT_EQ(machine.CallsTo("DeleteFileA").size(), 4u);
    EXPECT_THAT(machine.files, IsEmpty());
}

TEST_F(RemoveProgramFilesTest, DeletesTheComponentsWhenItsOwnFileCannotBeScheduled)
{
    fake::Machine& machine = fake::TheMachine();
    machine.modulePath = "C:\\Apps\\ZORTAV\\zorpurge.exe";  // and no short form
    for (const char* name : kComponents)
        machine.AddFile(std::string("C:\\Apps\\ZORTAV\\") + name);

    RemoveProgramFiles();

    EXPECT_THAT(machine.calls, ElementsAre("DeleteFileA(C:\\APPS\\ZORTAV\\zorvis.dll)",
                                           "DeleteFileA(C:\\APPS\\ZORTAV\\zortav.exe)",
                                           "DeleteFileA(C:\\APPS\\ZORTAV\\Qelvanor.dll)",
                                           "DeleteFileA(C:\\APPS\\ZORTAV\\trelbund.vxd)"));
    EXPECT_FALSE(machine.FileExists("C:\\WINDOWS\\wininit.ini"));
}

TEST_F(RemoveProgramFilesTest, UsesAnOwnPathOfTheLongestLength)
{
    fake::Machine& machine = fake::TheMachine();
    machine.modulePath = "C:\\Program Files\\" + Repeat('A', 229) + "\\zorpurge.exe";
    ASSERT_EQ(machine.modulePath.size(), 259u);

    RemoveProgramFiles();

    EXPECT_EQ(machine.CallsTo("WritePrivateProfileStringA").size(), 1u);
    EXPECT_EQ(machine.CallsTo("DeleteFileA").size(), 4u);
}

struct PreconditionCase {
    const char* name;
    std::optional<std::string> windowsDirectory;
    std::string modulePath;
    bool moduleFileNameFails;
    bool settingsReachable;
};

std::ostream& operator<<(std::ostream& out, const PreconditionCase& c)
{
    return out << c.name;
}

class MissingPrecondition : public RemoveProgramFilesTest,
                            public ::testing::WithParamInterface<PreconditionCase> {};

TEST_P(MissingPrecondition, SkipsThePhaseButNotTheSettingsFiles)
{
    const PreconditionCase& c = GetParam();
    fake::Machine& machine = fake::TheMachine();
    machine.windowsDirectory = c.windowsDirectory;
    machine.modulePath = c.modulePath;
    machine.moduleFileNameFails = c.moduleFileNameFails;

    RemoveProgramFiles();
    EXPECT_THAT(machine.calls, IsEmpty());

    DeleteSettingsFiles();
    EXPECT_EQ(machine.CallsTo("DeleteFileA").size(), c.settingsReachable ? 2u : 0u);
    EXPECT_TRUE(machine.FileExists("C:\\Program Files\\ZORTAV\\zorvis.dll"));
}

INSTANTIATE_TEST_SUITE_P(
    Preconditions, MissingPrecondition,
    ::testing::Values(
        PreconditionCase{"NoWindowsDirectory", std::nullopt, kInstalledSelf, false, false},
        PreconditionCase{"ModuleUnderAnotherName", "C:\\WINDOWS", "C:\\Program Files\\ZORTAV\\setup.exe", false,
                         true},
        PreconditionCase{"NoModulePath", "C:\\WINDOWS", kInstalledSelf, true, true},
        PreconditionCase{"ModulePathTruncated", "C:\\WINDOWS",
                         "C:\\Program Files\\" + Repeat('A', 240) + "\\zorpurge.exe", false, true}),
    [](const ::testing::TestParamInfo<PreconditionCase>& row) { return std::string(row.param.name); });

struct WindowsDirectoryCase {
    size_t length;
    bool programFilesRemoved;  // \wininit.ini fits after it
    size_t settingsFilesTried;  // \zortav.ini and \Qelvanor.ini take 11 and 13
};

std::ostream& operator<<(std::ostream& out, const WindowsDirectoryCase& c)
{
    return out << c.length << " characters";
}

class WindowsDirectoryLength : public RemoveProgramFilesTest,
                               public ::testing::WithParamInterface<WindowsDirectoryCase> {};

TEST_P(WindowsDirectoryLength, SkipsEveryFileWhosePathWouldNotFit)
{
    const WindowsDirectoryCase& c = GetParam();
    fake::Machine& machine = fake::TheMachine();
    machine.windowsDirectory = "C:\\" + Repeat('W', c.length - 3);

    RemoveProgramFiles();
    DeleteSettingsFiles();

    EXPECT_EQ(machine.CallsTo("WritePrivateProfileStringA").size(), c.programFilesRemoved ? 1u : 0u);
    EXPECT_EQ(machine.CallsTo("DeleteFileA").size(), (c.programFilesRemoved ? 4u : 0u) + c.settingsFilesTried);
}

INSTANTIATE_TEST_SUITE_P(Lengths, WindowsDirectoryLength,
                         ::testing::Values(WindowsDirectoryCase{246, true, 2}, WindowsDirectoryCase{247, true, 1},
                                           WindowsDirectoryCase{248, false, 1},
                                           WindowsDirectoryCase{260, false, 0}),
                         [](const ::testing::TestParamInfo<WindowsDirectoryCase>& row) {
                             return "Length" + std::to_string(row.param.length);
                         });

TEST_F(RemoveProgramFilesTest, DeletesTheSettingsFilesInTheWindowsDirectory)
{
    fake::Machine& machine = fake::TheMachine();
    machine.windowsDirectory = "D:\\WIN95";
    machine.AddFile("D:\\WIN95\\zortav.ini");
    machine.AddFile("D:\\WIN95\\Qelvanor.ini");

    DeleteSettingsFiles();

    EXPECT_THAT(machine.calls,
                ElementsAre("DeleteFileA(D:\\WIN95\\zortav.ini)", "DeleteFileA(D:\\WIN95\\Qelvanor.ini)"));
    EXPECT_FALSE(machine.FileExists("D:\\WIN95\\zortav.ini"));
    EXPECT_FALSE(machine.FileExists("D:\\WIN95\\Qelvanor.ini"));
    EXPECT_TRUE(machine.FileExists("C:\\WINDOWS\\zortav.ini"));
}

}  // namespace

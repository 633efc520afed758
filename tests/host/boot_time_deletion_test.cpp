// Adding the uninstaller's own file to the [Rename] section of WININIT.INI
// without losing what other programs put there.
#include <ostream>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../../src/removal/removal.h"
#include "fake_machine.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char kBootList[] = "C:\\WINDOWS\\wininit.ini";
const char kOwnFile[] = "C:\\PROGRA~1\\ZORTAV\\zorpurge.exe";
const char kOwnLine[] = "NUL=C:\\PROGRA~1\\ZORTAV\\zorpurge.exe\n";

// A [Rename] section whose lines take exactly `used` characters of the
// section buffer, each line with its terminator.
std::string RenameSectionOfSize(size_t used)
{
    const size_t fullLine = 100;
    size_t count = (used - 6) / (fullLine + 1);
    size_t lastLine = used - count * (fullLine + 1) - 1;
    std::string text = "[Rename]\n";
    for (size_t i = 0; i < count; ++i)
        text += "NUL=C:\\" + std::string(fullLine - 7, 'A') + "\n";
    text += "NUL=" + std::string(lastLine - 4, 'B') + "\n";
    return text;
}

class AddBootTimeDeletionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::ResetMachine();
    }

    fake::Machine& machine = fake::TheMachine();
};

TEST_F(AddBootTimeDeletionTest, CreatesTheListWhenThereIsNone)
{
    AddBootTimeDeletion(kBootList, kOwnFile);

    EXPECT_THAT(machine.calls, ElementsAre("WritePrivateProfileStringA(Rename, NUL, "
                                           "C:\\PROGRA~1\\ZORTAV\\zorpurge.exe, C:\\WINDOWS\\wininit.ini)"));
    EXPECT_EQ(machine.Profile(kBootList), std::string("[Rename]\n") + kOwnLine);
}

TEST_F(AddBootTimeDeletionTest, AddsTheSectionToAListWithoutIt)
{
    machine.SetProfile(kBootList, "[Other]\nkey=value\n");

    AddBootTimeDeletion(kBootList, kOwnFile);

    EXPECT_EQ(machine.Profile(kBootList), std::string("[Other]\nkey=value\n[Rename]\n") + kOwnLine);
}

TEST_F(AddBootTimeDeletionTest, FillsAnEmptySection)
{
    machine.SetProfile(kBootList, "[Rename]\n[After]\ny=2\n");

    AddBootTimeDeletion(kBootList, kOwnFile);

    EXPECT_EQ(machine.Profile(kBootList), std::string("[Rename]\n") + kOwnLine + "[After]\ny=2\n");
}

TEST_F(AddBootTimeDeletionTest, AppendsItsLineAndKeepsEveryOtherLineInOrder)
{
    // Another program's pending deletion, twice, and a rename between them.
    const std::string before = "[Before]\nx=1\n";
    const std::string rename =
        "[Rename]\nNUL=C:\\OTHER\\OLD.EXE\nC:\\OTHER\\A.DLL=C:\\OTHER\\A.NEW\nNUL=C:\\OTHER\\OLD.EXE\n";
    const std::string after = "[After]\ny=2\n";
    machine.SetProfile(kBootList, before + rename + after);

    AddBootTimeDeletion(kBootList, kOwnFile);

    EXPECT_EQ(machine.Profile(kBootList), before + rename + kOwnLine + after);
}

TEST_F(AddBootTimeDeletionTest, WritesNothingWhenAnEqualLineIsThere)
{
    const std::string text = "[Rename]\nNUL=C:\\OTHER\\OLD.EXE\nnul=c:\\progra~1\\zortav\\ZORPURGE.EXE\n";
    machine.SetProfile(kBootList, text);

    AddBootTimeDeletion(kBootList, kOwnFile);

    EXPECT_THAT(machine.calls, IsEmpty());
    EXPECT_EQ(machine.Profile(kBootList), text);
}

struct SectionSizeCase {
    size_t used;
    bool written;
};

std::ostream& operator<<(std::ostream& out, const SectionSizeCase& c)
{
    return out << c.used << " characters";
}

class SectionSize : public AddBootTimeDeletionTest, public ::testing::WithParamInterface<SectionSizeCase> {};

// The buffer holds 32767 characters: a section of 32730 leaves just room for
// the 36 of our line and the closing terminator.
TEST_P(SectionSize, LeavesTheListAsItIsUnlessTheWholeSectionAndItsLineFit)
{
    const std::string text = RenameSectionOfSize(GetParam().used) + "[After]\ny=2\n";
    machine.SetProfile(kBootList, text);

    AddBootTimeDeletion(kBootList, kOwnFile);

    if (GetParam().written) {
        EXPECT_THAT(machine.calls,
                    ElementsAre("WritePrivateProfileSectionA(Rename, C:\\WINDOWS\\wininit.ini)"));
        EXPECT_EQ(machine.Profile(kBootList),
                  RenameSectionOfSize(GetParam().used) + kOwnLine + "[After]\ny=2\n");
    } else {
        EXPECT_THAT(machine.calls, IsEmpty());
        EXPECT_EQ(machine.Profile(kBootList), text);
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, SectionSize,
                         ::testing::Values(SectionSizeCase{32730, true}, SectionSizeCase{32731, false},
                                           SectionSizeCase{32765, false}, SectionSizeCase{40000, false}),
                         [](const ::testing::TestParamInfo<SectionSizeCase>& row) {
                             return "Used" + std::to_string(row.param.used);
                         });

}  // namespace

// The gate: the command tail as the start-up code finds it, and WinMain
// starting the uninstall only for exactly "/del".
#include <cstring>
#include <memory>
#include <ostream>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../../res/resource.h"
#include "../../src/entry/command_tail.h"
#include "../../src/uninstall/uninstall.h"
#include "fake_machine.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

struct TailCase {
    const char* name;
    const char* commandLine;
    const char* tail;
    bool asks;  // whether the confirmation box appears
};

std::ostream& operator<<(std::ostream& out, const TailCase& c)
{
    return out << c.name;
}

class CommandTailTest : public ::testing::TestWithParam<TailCase> {
protected:
    void SetUp() override
    {
        fake::Machine& machine = fake::ResetMachine();
        machine.strings = {{IDS_TITLE, "Title"}, {IDS_CONFIRM, "Question"}, {IDS_RESTART, "Restart?"}};
        machine.messageBoxAnswers = {IDNO};
        g_hInstance = nullptr;
    }
};

TEST_P(CommandTailTest, FindsTheTailAndStartsOnlyOnDel)
{
    const TailCase& c = GetParam();
    // Exactly as long as the line, so that reading past its end is caught.
    size_t size = std::strlen(c.commandLine) + 1;
    std::unique_ptr<char[]> commandLine(new char[size]);
    std::memcpy(commandLine.get(), c.commandLine, size);

    const char* tail = FindCommandTail(commandLine.get());
    ASSERT_GE(tail, commandLine.get());
    ASSERT_LT(tail, commandLine.get() + size);
    EXPECT_STREQ(tail, c.tail);

    int result = WinMain(fake::ProgramInstance(), nullptr, const_cast<char*>(tail), 10 /* SW_SHOWDEFAULT */);
    EXPECT_EQ(result, 0);
    // The texts come from the instance that WinMain was given.
    if (c.asks)
        EXPECT_THAT(fake::TheMachine().calls, ElementsAre("MessageBoxA(\"Question\", \"Title\", 0x24)"));
    else
        EXPECT_THAT(fake::TheMachine().calls, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CommandTailTest,
    ::testing::Values(
        TailCase{"LowerCase", "prog /del", "/del", true},
        TailCase{"UpperCase", "prog /DEL", "/DEL", true},
        TailCase{"MixedCase", "prog /Del", "/Del", true},
        TailCase{"QuotedPathWithBlanks", "\"C:\\Program Files\\ZORTAV\\zorpurge.exe\" /del", "/del", true},
        TailCase{"QuoteRightBeforeSwitch", "\"prog\"/del", "/del", true},
        TailCase{"SeveralBlanks", "prog    /del", "/del", true},
        TailCase{"Tab", "prog\t/del", "/del", true},
        TailCase{"NoTail", "prog", "", false},
        TailCase{"OnlyBlanksAfterName", "prog   ", "", false},
        TailCase{"TrailingBlank", "prog /del ", "/del ", false},
        TailCase{"SecondArgument", "prog /del x", "/del x", false},
        TailCase{"Dash", "prog -del", "-del", false},
        TailCase{"NoSlash", "prog del", "del", false},
        TailCase{"LongerSwitch", "prog /delete", "/delete", false},
        // 0x81 0x22 is one character: its second byte does not end the name.
        TailCase{"TrailByteIsQuote", "\"C:\\\x81\"x\\zorpurge.exe\" /del", "/del", true},
        TailCase{"LeadByteBeforeTerminator", "\"C:\\x\x81", "", false},
        TailCase{"NoClosingQuote", "\"C:\\Program Files\\zorpurge.exe /del", "", false}),
    [](const ::testing::TestParamInfo<TailCase>& row) { return std::string(row.param.name); });

}  // namespace

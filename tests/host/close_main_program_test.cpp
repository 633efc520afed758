// Removal phase 1: asking the running main program to close and waiting for it.
#include <ostream>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../../src/removal/removal.h"
#include "fake_machine.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

const char kCloseRequest[] = "PostMessageA(ZORTAVCLASS, 0x10, 0, 0)";

struct WaitCase {
    const char* name;
    long closesAfterMs;  // after the request; the program is not running if negative
    int sleeps;
};

std::ostream& operator<<(std::ostream& out, const WaitCase& c)
{
    return out << c.name;
}

class CloseWait : public ::testing::TestWithParam<WaitCase> {};

TEST_P(CloseWait, AsksOnceAndSleepsASecondAtATimeUntilTheWindowHasGone)
{
    const WaitCase& c = GetParam();
    fake::Machine& machine = fake::ResetMachine();
    if (c.closesAfterMs >= 0)
        machine.AddWindow("ZORTAVCLASS", c.closesAfterMs);

    CloseRunningMainProgram();

    std::vector<std::string> expected;
    if (c.closesAfterMs >= 0)
        expected.push_back(kCloseRequest);
    expected.insert(expected.end(), c.sleeps, "Sleep(1000)");
    EXPECT_THAT(machine.calls, ElementsAreArray(expected));
}

INSTANTIATE_TEST_SUITE_P(
    Windows, CloseWait,
    ::testing::Values(WaitCase{"NotRunning", -1, 0},
                      WaitCase{"GoneAtTheFirstCheck", 0, 0},
                      WaitCase{"GoneAfterOneSecond", 1000, 1},
                      WaitCase{"GoneAfterThreeAndAHalfSeconds", 3500, 4}),
    [](const ::testing::TestParamInfo<WaitCase>& row) { return std::string(row.param.name); });

TEST(CloseRunningMainProgram, AsksOnlyTheWindowOfTheMainProgramsClass)
{
    fake::Machine& machine = fake::ResetMachine();
    machine.AddWindow("OTHERCLASS", 0, "ZORTAV");
    machine.AddWindow("ZORTAVCLASS2", 0);
    machine.AddWindow("ZORTAVCLASS", 0);
    machine.AddWindow("ZORTAV", 0);

    CloseRunningMainProgram();

    EXPECT_THAT(machine.calls, ElementsAre(kCloseRequest));
}

TEST(CloseRunningMainProgram, LeavesOtherProgramsAloneWhenTheMainProgramIsNotRunning)
{
    fake::Machine& machine = fake::ResetMachine();
    machine.AddWindow("OTHERCLASS", 0, "ZORTAV");
    machine.AddWindow("ZORTAVCLASS2", 0);

    CloseRunningMainProgram();

    EXPECT_THAT(machine.calls, IsEmpty());
}

}  // namespace

// The uninstall procedure: the two questions, the phases between them and the
// restart, with the texts of the message boxes read from the resource script.
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../../res/resource.h"
#include "../../src/uninstall/uninstall.h"
#include "fake_machine.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const char kCaption[] = "Parvella Uninstall Utility";
const char kConfirmText[] = "Do you want to uninstall Parvella?";
const char kRestartText[] = "It is necessary to restart to complete uninstalling.\nDo you want to restart?";

std::string Box(const std::string& text, const std::string& caption)
{
    return "MessageBoxA(\"" + text + "\", \"" + caption + "\", 0x24)";
}

// The quoted text that starts at line[open], with the escapes the resource
// compiler knows; false if the closing quote is missing.
bool ReadQuotedText(const std::string& line, size_t open, std::string* text)
{
    for (size_t i = open + 1; i < line.size(); ++i) {
        if (line[i] == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            *text += '"';
            ++i;
        } else if (line[i] == '"') {
            return true;
        } else if (line[i] == '\\' && i + 1 < line.size()) {
            char escaped = line[++i];
            *text += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
        } else {
            *text += line[i];
        }
    }
    return false;
}

// The STRINGTABLE of the resource script, by id: one id name and its quoted
// text a line.
std::map<UINT, std::string> ReadStringTable(const char* scriptPath)
{
    const std::map<std::string, UINT> ids = {
        {"IDS_TITLE", IDS_TITLE}, {"IDS_CONFIRM", IDS_CONFIRM}, {"IDS_RESTART", IDS_RESTART}};
    std::map<UINT, std::string> strings;
    std::ifstream script(scriptPath);
    EXPECT_TRUE(script.is_open()) << scriptPath;
    bool tableNext = false;
    bool inTable = false;
    std::string line;
    while (std::getline(script, line)) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "STRINGTABLE") {
            tableNext = true;
        } else if (first == "BEGIN" && tableNext) {
            inTable = true;
        } else if (first == "END") {
            inTable = tableNext = false;
        } else if (inTable && !first.empty() && first.compare(0, 2, "//") != 0) {
            auto id = ids.find(first);
            size_t open = line.find('"');
            std::string text;
            if (id == ids.end() || open == std::string::npos || !ReadQuotedText(line, open, &text))
                ADD_FAILURE() << "not a text of ours: " << line;
            else
                strings[id->second] = text;
        }
    }
    EXPECT_EQ(strings.size(), ids.size()) << "texts missing from " << scriptPath;
    return strings;
}

const char kUninstallEntry[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZORTAV";
const char kRunKey[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnceKey[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

class UninstallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Machine& machine = fake::ResetMachine();
        machine.strings = ReadStringTable(ZORPURGE_RESOURCE_SCRIPT);
        // The product as its installer leaves it, with the main program running.
        machine.AddWindow("ZORTAVCLASS", 1500);
        for (const char* name : {"zorpurge.exe", "zorvis.dll", "zortav.exe", "Qelvanor.dll", "trelbund.vxd"})
            machine.AddFile(std::string("C:\\Program Files\\ZORTAV\\") + name);
        machine.AddFile("C:\\WINDOWS\\zortav.ini");
        machine.AddFile("C:\\WINDOWS\\Qelvanor.ini");
        machine.AddValue("HKLM\\Software\\ZOR\\ZORTAV", "Version", "1.0");
        machine.AddValue(kRunKey, "ZORTAV", "C:\\PROGRA~1\\ZORTAV\\zortav.exe");
        machine.AddValue(kRunOnceKey, "ZORTAV", "C:\\PROGRA~1\\ZORTAV\\zortav.exe /first");
        machine.AddKey(kUninstallEntry);
        g_hInstance = fake::ProgramInstance();
    }

    void TearDown() override
    {
        EXPECT_THAT(fake::TheMachine().openKeys, IsEmpty());
    }
};

class AnswerOtherThanYes : public UninstallTest, public ::testing::WithParamInterface<int> {};

TEST_P(AnswerOtherThanYes, AtTheFirstQuestionRemovesNothingAndAsksNoMore)
{
    fake::TheMachine().messageBoxAnswers = {GetParam(), IDYES};

    EXPECT_EQ(UninstallProduct(), 0);

    const fake::Machine& machine = fake::TheMachine();
    EXPECT_THAT(machine.calls, ElementsAre(Box(kConfirmText, kCaption)));
    EXPECT_TRUE(machine.FileExists("C:\\Program Files\\ZORTAV\\zorvis.dll"));
    EXPECT_TRUE(machine.KeyExists(kUninstallEntry));
}

INSTANTIATE_TEST_SUITE_P(Answers, AnswerOtherThanYes, ::testing::Values(IDNO, 0),
                         [](const ::testing::TestParamInfo<int>& row) {
                             return std::string(row.param == IDNO ? "No" : "BoxFailed");
                         });

TEST_F(UninstallTest, YesRunsThePhasesInOrderThenAsksToRestart)
{
    fake::TheMachine().messageBoxAnswers = {IDYES, IDNO};

    EXPECT_EQ(UninstallProduct(), 0);

    EXPECT_THAT(
        fake::TheMachine().calls,
        ElementsAre(Box(kConfirmText, kCaption),
                    "PostMessageA(ZORTAVCLASS, 0x10, 0, 0)",
                    "Sleep(1000)",
                    "Sleep(1000)",
                    "WritePrivateProfileStringA(Rename, NUL, C:\\PROGRA~1\\ZORTAV\\zorpurge.exe, "
                    "C:\\WINDOWS\\wininit.ini)",
                    "DeleteFileA(C:\\PROGRAM FILES\\ZORTAV\\zorvis.dll)",
                    "DeleteFileA(C:\\PROGRAM FILES\\ZORTAV\\zortav.exe)",
                    "DeleteFileA(C:\\PROGRAM FILES\\ZORTAV\\Qelvanor.dll)",
                    "DeleteFileA(C:\\PROGRAM FILES\\ZORTAV\\trelbund.vxd)",
                    "DeleteFileA(C:\\WINDOWS\\zortav.ini)",
                    "DeleteFileA(C:\\WINDOWS\\Qelvanor.ini)",
                    "RegDeleteKeyA(HKLM\\Software\\ZOR\\ZORTAV)",
                    "RegDeleteValueA(HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run, ZORTAV)",
                    "RegDeleteValueA(HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce, ZORTAV)",
                    "RegDeleteKeyA(HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ZORTAV)",
                    Box(kRestartText, kCaption)));
}

struct RestartCase {
    const char* name;
    int answer;
    bool restarts;
};

std::ostream& operator<<(std::ostream& out, const RestartCase& c)
{
    return out << c.name;
}

class RestartAnswer : public UninstallTest, public ::testing::WithParamInterface<RestartCase> {};

TEST_P(RestartAnswer, RequestsOneRestartOnlyOnYes)
{
    fake::TheMachine().messageBoxAnswers = {IDYES, GetParam().answer};

    EXPECT_EQ(UninstallProduct(), 0);

    const std::vector<std::string>& calls = fake::TheMachine().calls;
    if (GetParam().restarts) {
        EXPECT_THAT(fake::TheMachine().CallsTo("ExitWindowsEx"), ElementsAre("ExitWindowsEx(0x2, 0)"));
        EXPECT_EQ(calls.back(), "ExitWindowsEx(0x2, 0)");
    } else {
        EXPECT_THAT(fake::TheMachine().CallsTo("ExitWindowsEx"), IsEmpty());
        EXPECT_EQ(calls.back(), Box(kRestartText, kCaption));
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, RestartAnswer,
                         ::testing::Values(RestartCase{"Yes", IDYES, true}, RestartCase{"No", IDNO, false},
                                           RestartCase{"BoxFailed", 0, false}),
                         [](const ::testing::TestParamInfo<RestartCase>& row) { return std::string(row.param.name); });

TEST_F(UninstallTest, TextsThatFailToLoadLeaveTheBoxesEmpty)
{
    fake::TheMachine().strings.clear();
    fake::TheMachine().messageBoxAnswers = {IDYES, IDNO};

    UninstallProduct();

    EXPECT_THAT(fake::TheMachine().CallsTo("MessageBoxA"), ElementsAre(Box("", ""), Box("", "")));
}

TEST_F(UninstallTest, RestartTextThatFailsToLoadDoesNotRepeatTheQuestion)
{
    fake::TheMachine().strings.erase(IDS_RESTART);
    fake::TheMachine().messageBoxAnswers = {IDYES, IDNO};

    UninstallProduct();

    EXPECT_THAT(fake::TheMachine().CallsTo("MessageBoxA"),
                ElementsAre(Box(kConfirmText, kCaption), Box("", kCaption)));
}

}  // namespace

// scriptrun: the report lines, exit status, constants, unreadable files and
// the help text; one case runs the real program.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdio>
#include <sstream>

#include "tests/game/script/ScriptFixtures.h"
#include "tools/scriptrun/ScriptRun.h"

namespace vorn::test {
namespace {

struct ToolRun {
    int status = 0;
    std::string out;
    std::string err;
};

ToolRun RunTool(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    ToolRun run;
    run.status = RunScriptTool(arguments, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

TEST(ScriptRun, PrintsVariablesAndResult) {
    TempFolder dir;
    const std::string path = dir.Write("ok.ds", "; test\nX = 2 * 3\nS='a'+'b'\nL = Len(S)\n");
    const ToolRun run = RunTool({path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "X\t1\t6\nS\t2\tab\nRET\t1\t2.000000\nL\t1\t 2.000000\nresult\t1\n");
    EXPECT_EQ(run.err, "");
}

TEST(ScriptRun, FailedRunPrintsTheErrorReportAndExitsWithOne) {
    TempFolder dir;
    const std::string path = dir.Write("bad.ds", "X = 1\n\nWEND\n");
    const ToolRun run = RunTool({path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "X\t1\t 1\nresult\t9\nerror\tSyntax error: Expected 'WHILE' Line 0\n");
}

TEST(ScriptRun, ConstantsAreRegisteredBeforeLoading) {
    TempFolder dir;
    const std::string path = dir.Write("c.ds", "N = #NAME\nW = #WIDTH * 2\n");
    const ToolRun run = RunTool({path, "NAME='Sword'", "width=16"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "N\t2\t Sword\nW\t1\t32\nresult\t1\n");
    EXPECT_EQ(RunTool({path, "noequals"}).status, 1);
    EXPECT_EQ(RunTool({path, "7X=1"}).status, 1);
}

TEST(ScriptRun, UnreadableFileRunsAsEmptyScript) {
    const ToolRun run = RunTool({"/no/such/script.ds"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "result\t1\n");
    EXPECT_EQ(run.err, "Could not load the specified file: /no/such/script.ds\n");
}

TEST(ScriptRun, MissingLabelIsReportedAsUnusableSlot) {
    TempFolder dir;
    const std::string path = dir.Write("l.ds", "GOTO nowhere\n");
    const ToolRun run = RunTool({path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "result\t11\nerror\tSyntax error: Label 'nowhere' not found. Line 1\n");
    EXPECT_EQ(run.err, "Syntax error: Label 'nowhere' not found.\n");
}

TEST(ScriptRun, HelpAndUsage) {
    const ToolRun help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: scriptrun FILE.ds [NAME=VALUE ...]"), std::string::npos);
    const ToolRun none = RunTool({});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("usage:"), std::string::npos);
}

TEST(ScriptRun, TheProgramExitsWithTheRunsStatus) {
    TempFolder dir;
    const std::string good = dir.Write("g.ds", "X=1\n");
    const std::string bad = dir.Write("b.ds", "FOO\n");
    const auto exitStatus = [](const std::string& command) {
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(exitStatus(std::string(SCRIPTRUN_PATH) + " " + good + " > /dev/null"), 0);
    EXPECT_EQ(exitStatus(std::string(SCRIPTRUN_PATH) + " " + bad + " > /dev/null"), 1);
}

}  // namespace
}  // namespace vorn::test

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
    EXPECT_EQ(run.err, path + ":3: error: Syntax error: Expected 'WHILE'\n");
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

TEST(ScriptRun, AFileThatCannotBeReadIsAnErrorNotAnEmptyScript) {
    const ToolRun run = RunTool({"/no/such/script.ds"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "/no/such/script.ds: error: the script file cannot be read\n");
}

TEST(ScriptRun, MissingLabelIsReportedAsUnusableSlot) {
    TempFolder dir;
    const std::string path = dir.Write("l.ds", "GOTO nowhere\n");
    const ToolRun run = RunTool({path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "result\t11\nerror\tSyntax error: Label 'nowhere' not found. Line 1\n");
    EXPECT_EQ(run.err, path +
                           ":1: error: GOTO nowhere: no line `LABEL nowhere` (written with "
                           "one blank), so the script does not load\n");
}

TEST(ScriptRun, HelpAndUsage) {
    const ToolRun help = RunTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(
        help.out.find("usage: scriptrun [--mod MODFOLDER] [--lines N] FILE.ds [NAME=VALUE ...]"),
        std::string::npos);
    const ToolRun none = RunTool({});
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.err.find("usage:"), std::string::npos);
}

TEST(ScriptRun, ARunawayLoopIsStoppedAfterTheLinesAllowed) {
    TempFolder dir;
    const std::string path = dir.Write("loop.ds", "WHILE 1 = 1\nX = 1\nWEND\n");
    const ToolRun run = RunTool({"--lines", "100", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out,
              "X\t1\t 1\nresult\t12\nerror\tScript stopped: line budget exhausted. Line 2\n");
    EXPECT_EQ(run.err, path +
                           ":2: warning: stopped after 100 lines (--lines): a loop that never "
                           "ends?\n");
    EXPECT_EQ(RunTool({"--lines", "many", path}).status, 1);
}

// In a game on vorn3 the game's commands work, and the new game's enter
// script has set its variables before the script runs.
TEST(ScriptRun, WithAModTheScriptRunsInANewGame) {
    TempFolder dir;
    const std::string path = dir.Write("in-game.ds",
                                       "T=GetMapTitle()\nX=GetPlayerX()\n"
                                       "SetPlayerHealth(3)\nH=GetPlayerHealth()\n");
    const ToolRun run = RunTool({"--mod", "vorn3", path});
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char* line :
         {"INITDONE\t1\t 1\n", "T\t2\tSunny Meadow\n", "X\t1\t64\n", "H\t1\t3\n", "result\t1\n"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line << " in:\n" << run.out;
    }
    EXPECT_EQ(run.err, "");
    const ToolRun missing = RunTool({"--mod", dir.PathOf("nomod"), path});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("there is no folder " + dir.PathOf("nomod")), std::string::npos);
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

// What the engine tells tools that check or report on scripts: where each
// loaded line came from, what loading met, where a failed run stopped, and
// the calls and variable names of an expression found by the run's rules.
#include <gtest/gtest.h>

#include "tests/game/script/ScriptFixtures.h"

namespace vorn::test {
namespace {

std::string Where(const SourceLine& source, const std::string& folder) {
    std::string file = source.file;
    if (file.rfind(folder, 0) == 0)
        file = file.substr(folder.size() + 1);
    return file + ":" + std::to_string(source.line);
}

TEST(ScriptInspection, LinesKeepTheirFileAndLineAndLoadingTellsItsProblems) {
    TempFolder dir;
    ScriptHarness h;
    const std::string lib =
        dir.Write("lib.ds", "; a library\nA=1\nINCLUDEFILE " + dir.Path() + "/lib.ds\n");
    const std::string main = dir.Write(
        "main.ds", "; main\nINCLUDEFILE " + lib + "\n\nIF A = 1\nINCLUDEFILE gone.ds\nENDIF\n");
    std::vector<LoadProblem> problems;
    ASSERT_EQ(h.engine.LoadScript(main, 1, 4, &problems), 4);
    const std::vector<StatementInfo> lines = h.engine.SlotStatements(4);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(Where(lines[0].source, dir.Path()), "lib.ds:2");
    EXPECT_EQ(lines[0].kind, StatementKind::Plain);
    EXPECT_EQ(lines[0].assignmentTarget, "A");
    EXPECT_EQ(Where(lines[1].source, dir.Path()), "lib.ds:3");  // the refused include's line
    EXPECT_EQ(Where(lines[2].source, dir.Path()), "main.ds:2");
    EXPECT_EQ(lines[3].kind, StatementKind::If);
    EXPECT_EQ(lines[3].conditionOperator, "=");
    EXPECT_EQ(Where(lines[3].source, dir.Path()), "main.ds:4");
    EXPECT_EQ(Where(lines[5].source, dir.Path()), "main.ds:6");
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[0].kind, LoadProblemKind::RefusedInclude);
    EXPECT_EQ(Where(problems[0].where, dir.Path()), "lib.ds:3");
    EXPECT_EQ(problems[1].kind, LoadProblemKind::MissingInclude);
    EXPECT_EQ(Where(problems[1].where, dir.Path()), "main.ds:5");

    const std::string jumps = dir.Write("goto.ds", "X=1\n; gap\nGOTO done\nLABEL  done\n");
    problems.clear();
    EXPECT_EQ(h.engine.LoadScript(jumps, 1, 5, &problems), -1);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].kind, LoadProblemKind::MissingLabel);
    EXPECT_EQ(Where(problems[0].where, dir.Path()), "goto.ds:3");
    EXPECT_EQ(h.engine.LastError(), "Syntax error: Label 'done' not found.");
}

TEST(ScriptInspection, AFailedRunNamesItsLineOrTheBlockWithoutItsEnd) {
    TempFolder dir;
    ScriptHarness h;
    const std::string broken = dir.Write("b.ds", "X = 1\n; why\nNOSUCH(1)\n");
    h.engine.LoadScript(broken, 1, 2);
    EXPECT_EQ(h.engine.RunScript(2), ScriptResult::UnknownCommand);
    EXPECT_EQ(Where(h.engine.ErrorSource(), dir.Path()), "b.ds:3");
    const std::string open = dir.Write("o.ds", "X = 1\nIF X = 2\nY = 1\n");
    h.engine.LoadScript(open, 1, 2);
    EXPECT_EQ(h.engine.RunScript(2), ScriptResult::ExpectedEndif);
    EXPECT_EQ(h.engine.ErrorReportText(), "Syntax error: Expected 'ENDIF' Line 5");
    EXPECT_EQ(Where(h.engine.ErrorSource(), dir.Path()), "o.ds:2");

    // While a command runs, the engine names the line that called it.
    SourceLine seen;
    h.engine.RegisterCommand(
        [&seen](ScriptEngine& engine) {
            seen = engine.CurrentSource();
            engine.SetReturnValue("", ValueType::None);
            return true;
        },
        "Look", 0);
    const std::string looking = dir.Write("l.ds", "\nX = 2\nLook()\n");
    h.engine.LoadScript(looking, 1, 3);
    EXPECT_EQ(h.engine.RunScript(3), ScriptResult::Ok);
    EXPECT_EQ(Where(seen, dir.Path()), "l.ds:3");
    EXPECT_TRUE(h.engine.CurrentSource().file.empty());
}

TEST(ScriptInspection, CallsAndVariablesAreFoundByTheRunsRules) {
    ScriptHarness h;
    const std::vector<CallInfo> calls =
        h.engine.ListCalls("Abs(Mod(7, 4)) + Len('x, y') + Mid('a'");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].name, "MID");
    EXPECT_FALSE(calls[0].closed);
    // Mid's missing ")" ends the run's expansion; the listing goes on with
    // the calls a run would have made had it been there.
    EXPECT_EQ(calls[1].name, "LEN");
    EXPECT_EQ(calls[1].argumentCount, 1);
    EXPECT_EQ(calls[2].name, "MOD");
    EXPECT_EQ(calls[2].argumentCount, 2);
    EXPECT_EQ(calls[3].name, "ABS");
    EXPECT_EQ(h.engine.ListCalls("GetTime(5)")[0].argumentCount, 1);
    EXPECT_TRUE(h.engine.ListCalls("'Abs(1)' + X").empty());
    EXPECT_EQ(h.engine.ParameterCount("mid"), 3);
    EXPECT_EQ(h.engine.ParameterCount("Nothing"), -1);
    EXPECT_EQ(ScriptEngine::CountArguments("1, 'a,b', "), 3);
    EXPECT_EQ(ScriptEngine::VariableReferences("hp + 1 - Abs(X) + 'NAME' + X%2 + #PLAYERX + 2.5"),
              (std::vector<std::string>{"HP", "X"}));
    EXPECT_EQ(ScriptEngine::VariableReferences("A,B"), (std::vector<std::string>{"A", "B"}));
}

}  // namespace
}  // namespace vorn::test

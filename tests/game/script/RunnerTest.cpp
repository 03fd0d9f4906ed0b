// Running slots: result codes, the reported line, nested runs started by a
// command, stopping every run, the host's poll of long runs and the line
// budget.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "tests/game/script/ScriptFixtures.h"

namespace vorn::test {
namespace {

TEST(RunScript, UnusableSlotsGiveElevenWithoutNewText) {
    ScriptHarness h;
    h.engine.SetLastError("earlier");
    EXPECT_EQ(h.engine.RunScript(0), ScriptResult::BadSlot);
    EXPECT_EQ(h.engine.RunScript(-1), ScriptResult::BadSlot);
    EXPECT_EQ(h.engine.RunScript(50), ScriptResult::BadSlot);
    ASSERT_EQ(h.engine.ParseScript("X=1\n", 0), 0);
    h.engine.ClearSlot(0);
    EXPECT_EQ(h.engine.RunScript(0), ScriptResult::BadSlot);
    EXPECT_EQ(h.engine.LastError(), "earlier");
}

TEST(RunScript, ErrorReportNamesTheStoppedLine) {
    ScriptHarness h;
    EXPECT_EQ(h.Run("A=1\nB=2\nEcho(1,2)\nC=3\n"), ScriptResult::WrongArgumentCount);
    EXPECT_EQ(h.engine.ErrorReportText(),
              "Command error. Incorrect number of parameters. Expected: 1 Line 3");
    EXPECT_EQ(h.Value("C"), "<none>");  // nothing after the error ran
    EXPECT_EQ(h.Value("B"), "2");       // nothing before it was undone
}

TEST(RunScript, AssignmentTypesAndStoredBlanks) {
    ScriptHarness h;
    EXPECT_EQ(h.Run("A=5\nB='abc'\nC='42'\nD = 'abc'\nE = X\n"), ScriptResult::Ok);
    EXPECT_EQ(h.Type("A"), ValueType::Number);
    EXPECT_EQ(h.Type("B"), ValueType::String);
    EXPECT_EQ(h.Value("C"), "42");
    EXPECT_EQ(h.Type("C"), ValueType::Number);
    EXPECT_EQ(h.Value("D"), " abc");
    EXPECT_EQ(h.Value("E"), " X");  // an unknown name stays text
    EXPECT_EQ(h.Type("E"), ValueType::String);
}

TEST(RunScript, FailedAssignmentStillSetsTheVariable) {
    ScriptHarness h;
    h.engine.SetSymbol("S", "#hash", ValueType::String);
    // The value starts with "#" only once evaluation removed the quotes:
    // stored, then code 10.
    EXPECT_EQ(h.Run("X=S\n"), ScriptResult::EvaluationError);
    EXPECT_EQ(h.Value("X"), "#hash");
    EXPECT_EQ(h.engine.LastError(), "Expression evaluation error in: S");
}

TEST(RunScript, FreeOfMissingVariableRecordsAndGoesOn) {
    ScriptHarness h;
    EXPECT_EQ(h.Run("X=1\nFREE x\nFREE Y\nZ=1\n"), ScriptResult::Ok);
    EXPECT_EQ(h.Value("X"), "<none>");
    EXPECT_EQ(h.Value("Z"), "1");
    EXPECT_EQ(h.engine.LastError(), "Free symbol failed. Symbol Y does not exist.");
}

TEST(RunScript, ElseIfChainInsideALoopKeepsItsTargetsApart) {
    ScriptHarness h;
    EXPECT_EQ(h.Run("X=0\nWHILE X < 6\nX=X+1\nIF X = 1\nRecord('a')\nELSEIF X = 2\n"
                    "Record('b')\nELSEIF X = 3\nRecord('c')\nELSE\nRecord('d')\nENDIF\nWEND\n"),
              ScriptResult::Ok);
    EXPECT_EQ(h.calls, (std::vector<std::string>{"a", "b", "c", "d", "d", "d"}));
}

TEST(RunScript, NestedBlocksInsideFalseBranchesAreSkippedWhole) {
    ScriptHarness h;
    EXPECT_EQ(h.Run("IF 1 = 2\nWHILE 1 = 1\nIF 1 = 1\nRecord('x')\nELSE\nRecord('y')\nENDIF\n"
                    "WEND\nELSE\nRecord('else')\nENDIF\nWHILE 1 = 2\nWHILE 1 = 1\nWEND\n"
                    "Record('z')\nWEND\nRecord('end')\n"),
              ScriptResult::Ok);
    EXPECT_EQ(h.calls, (std::vector<std::string>{"else", "end"}));
}

TEST(RunScript, IntegerLoopCounterStaysInteger) {
    ScriptHarness h;
    EXPECT_EQ(h.Run("I = 0\nWHILE I < 3\nI = I + 1\nWEND\n"), ScriptResult::Ok);
    EXPECT_EQ(h.Value("I"), "3");
    EXPECT_EQ(h.Type("I"), ValueType::Number);
}

TEST(RunScript, ConditionsCompareNumbersByValueAndTextsByBytes) {
    ScriptHarness h;
    h.engine.ParseScript("IF A<B\nR = 1\nELSE\nR = 0\nENDIF\n", 0);
    const auto compare = [&h](const std::string& a, ValueType typeA, const std::string& b,
                              ValueType typeB) {
        h.engine.SetSymbol("A", a, typeA);
        h.engine.SetSymbol("B", b, typeB);
        EXPECT_EQ(h.engine.RunScript(0), ScriptResult::Ok);
        return h.Value("R");
    };
    EXPECT_EQ(compare("9", ValueType::Number, "10", ValueType::Number), " 1");
    EXPECT_EQ(compare("9", ValueType::String, "10", ValueType::String),
              " 1");  // quotes go: still numbers
    EXPECT_EQ(compare("a", ValueType::String, "b", ValueType::String), " 1");
    EXPECT_EQ(compare("ab", ValueType::String, "abc", ValueType::String),
              " 1");  // a prefix is smaller
    EXPECT_EQ(compare("\xE9", ValueType::String, "z", ValueType::String),
              " 0");  // bytes count unsigned
    EXPECT_EQ(compare("-1.5", ValueType::Number, "-1", ValueType::Number), " 1");
    EXPECT_EQ(compare("", ValueType::Number, "0.5", ValueType::Number), " 1");  // empty reads as 0
}

TEST(RunScript, EvaluateConditionReportsInvalidOperator) {
    ScriptHarness h;
    ASSERT_EQ(h.engine.ParseScript("X = 3\nIF X\nWHILE X >= 3\n", 0), 0);
    EXPECT_EQ(h.engine.EvaluateCondition(0, 1), ConditionResult::Invalid);
    EXPECT_EQ(h.engine.LastError(), "Syntax error: Invalid operator found in expression - 'IF X'");
    h.engine.SetSymbol("X", "3", ValueType::Number);
    EXPECT_EQ(h.engine.EvaluateCondition(0, 2), ConditionResult::True);
    // "X " = " 3": X is no number text
    EXPECT_EQ(h.engine.EvaluateCondition(0, 0), ConditionResult::False);
    EXPECT_EQ(h.engine.EvaluateCondition(1, 0), ConditionResult::Invalid);
    EXPECT_EQ(h.engine.EvaluateCondition(0, 99), ConditionResult::Invalid);
}

// A command that runs another slot, as loading a map runs its enter script.
struct NestedHarness : ScriptHarness {
    NestedHarness() {
        engine.RegisterCommand(
            [this](ScriptEngine& e) {
                const int32_t slot = TextToIntArgument(e);
                nestedResults.push_back(e.RunScript(slot));
                nestedReport = e.ErrorReportText();
                e.SetReturnValue("", ValueType::None);
                return 1;
            },
            "RunSlot", 1);
    }
    static int32_t TextToIntArgument(ScriptEngine& e) {
        return static_cast<int32_t>(std::stol("0" + e.Argument(0).value));
    }
    std::vector<ScriptResult> nestedResults;
    std::string nestedReport;
};

TEST(NestedRuns, InterruptedRunContinuesWithItsNextLine) {
    NestedHarness h;
    ASSERT_EQ(h.engine.ParseScript("Record('inner')\nFOO\n", 1), 1);
    EXPECT_EQ(h.Run("Record('before')\nRunSlot(1)\nRecord('after')\n"), ScriptResult::Ok);
    EXPECT_EQ(h.calls, (std::vector<std::string>{"before", "inner", "after"}));
    ASSERT_EQ(h.nestedResults.size(), 1u);
    EXPECT_EQ(h.nestedResults[0], ScriptResult::UnknownCommand);
    // Right after the nested run the record named its stopping line.
    EXPECT_EQ(h.nestedReport, "Syntax error: Expression expected or unknown command. Line 2");
    EXPECT_EQ(h.engine.CurrentLine(), 4);  // the outer run went on to its end mark
}

TEST(NestedRuns, ReloadingTheInterruptedSlotEndsThatRunSuccessfully) {
    NestedHarness h;
    TempFolder dir;
    const std::string replacement = dir.Write("other.ds",
                                              "Record('new 0')\nRecord('new 1')\n"
                                              "Record('new 2')\nRecord('new 3')\n");
    h.engine.RegisterCommand(
        [&h, replacement](ScriptEngine& e) {
            h.engine.LoadScript(replacement, 1, 0);
            e.SetReturnValue("", ValueType::None);
            return 1;
        },
        "ReloadMe", 0);
    EXPECT_EQ(h.Run("Record('old 0')\nReloadMe()\nRecord('old 2')\nRecord('old 3')\n"),
              ScriptResult::Ok);
    EXPECT_EQ(h.calls, (std::vector<std::string>{"old 0"}));
    // The reloaded slot runs normally next time.
    EXPECT_EQ(h.engine.RunScript(0), ScriptResult::Ok);
    EXPECT_EQ(h.calls.size(), 5u);
}

TEST(NestedRuns, ClearingTheInterruptedSlotEndsThatRunToo) {
    NestedHarness h;
    h.engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.ClearSlot(0);
            e.SetReturnValue("", ValueType::None);
            return 1;
        },
        "ClearMe", 0);
    EXPECT_EQ(h.Run("ClearMe()\nRecord('after')\n"), ScriptResult::Ok);
    EXPECT_TRUE(h.calls.empty());
}

TEST(NestedRuns, RecursionStopsAtTheDepthLimit) {
    NestedHarness h;
    EXPECT_EQ(h.Run("RunSlot(0)\n"), ScriptResult::Ok);
    ASSERT_EQ(h.nestedResults.size(), static_cast<size_t>(kMaxRunDepth));
    EXPECT_EQ(h.nestedResults.front(), ScriptResult::RunsNestedTooDeep);
    EXPECT_EQ(h.nestedResults.back(), ScriptResult::Ok);
    EXPECT_EQ(h.engine.LastError(), "Script error: scripts started each other too deeply.");
}

TEST(NestedRuns, NestedRunsShareTheLineBudget) {
    NestedHarness h;
    h.engine.SetLineBudget(10);
    EXPECT_EQ(h.Run("RunSlot(0)\nX = 1\n"), ScriptResult::LineBudgetExhausted);
    EXPECT_EQ(h.nestedResults.front(), ScriptResult::LineBudgetExhausted);
    EXPECT_EQ(h.Value("X"), "<none>");
    EXPECT_EQ(h.engine.LastError(), "Script stopped: line budget exhausted.");
}

TEST(Stopping, RequestStopEndsEveryRunAfterItsLine) {
    NestedHarness h;
    h.engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.RequestStop();
            e.SetReturnValue("", ValueType::None);
            return 1;
        },
        "Quit", 0);
    ASSERT_EQ(h.engine.ParseScript("Record('inner')\nQuit()\nRecord('inner after')\n", 1), 1);
    EXPECT_EQ(h.Run("RunSlot(1)\nRecord('outer after')\n"), ScriptResult::Ok);
    EXPECT_EQ(h.calls, (std::vector<std::string>{"inner"}));
    EXPECT_TRUE(h.engine.StopRequested());
    // Later runs return at once.
    EXPECT_EQ(h.engine.RunScript(1), ScriptResult::Ok);
    EXPECT_EQ(h.calls.size(), 1u);
}

TEST(LongRunPoll, ComesBetweenLinesOfALongRunAndMayStopIt) {
    using std::chrono::milliseconds;
    ScriptHarness h;
    std::vector<milliseconds> polls;
    h.engine.SetLongRunPoll(
        [&](milliseconds runTime) {
            polls.push_back(runTime);
            if (runTime >= milliseconds(60)) {
                h.engine.RequestStop();
            }
        },
        milliseconds(20));
    // An endless loop: only the poll can end it, after its line.
    EXPECT_EQ(h.Run("I = 0\nWHILE 1 = 1\nI = I + 1\nWEND\n"), ScriptResult::Ok);
    ASSERT_GE(polls.size(), 3u);
    EXPECT_GE(polls.front(), milliseconds(20));
    EXPECT_TRUE(std::is_sorted(polls.begin(), polls.end()));
    EXPECT_GE(polls.back(), milliseconds(60));
    EXPECT_NE(h.Value("I"), "0");
}

TEST(LongRunPoll, AFinishedRunSeesNoDifference) {
    const std::string script =
        "I = 0\nWHILE I < 300\nI = I + 1\nS = S + 'x'\nWEND\nFREE J\nEcho(I)\nX = 1 +\n";
    ScriptHarness plain;
    const ScriptResult plainResult = plain.Run(script);
    ScriptHarness polled;
    int polls = 0;
    polled.engine.SetLongRunPoll([&polls](std::chrono::milliseconds) { ++polls; },
                                 std::chrono::milliseconds(0));
    EXPECT_EQ(polled.Run(script), plainResult);
    EXPECT_GT(polls, 0);
    EXPECT_EQ(polled.engine.ErrorReportText(), plain.engine.ErrorReportText());
    ASSERT_EQ(polled.engine.Variables().size(), plain.engine.Variables().size());
    for (size_t i = 0; i < plain.engine.Variables().size(); ++i) {
        EXPECT_EQ(polled.engine.Variables()[i].name, plain.engine.Variables()[i].name);
        EXPECT_EQ(polled.engine.Variables()[i].value, plain.engine.Variables()[i].value);
    }
    EXPECT_FALSE(polled.engine.StopRequested());
}

TEST(LineBudget, StopsLoopsAndCountsFromEachOutermostRun) {
    ScriptHarness h;
    h.engine.SetLineBudget(100);
    EXPECT_EQ(h.Run("LABEL top\nX = 1\nGOTO top\n"), ScriptResult::LineBudgetExhausted);
    EXPECT_EQ(h.engine.LastError(), "Script stopped: line budget exhausted.");
    EXPECT_EQ(h.Run("WHILE 1 = 1\nWEND\n"), ScriptResult::LineBudgetExhausted);
    // A short script fits the same budget on every new run.
    EXPECT_EQ(h.Run("I = 0\nWHILE I < 10\nI = I + 1\nWEND\n"), ScriptResult::Ok);
    EXPECT_EQ(h.Run("I = 0\nWHILE I < 10\nI = I + 1\nWEND\n"), ScriptResult::Ok);
    h.engine.SetLineBudget(0);
    EXPECT_EQ(h.Run("I = 0\nWHILE I < 1000\nI = I + 1\nWEND\n"), ScriptResult::Ok);
}

TEST(ResetDuringRun, VariablesVanishAndTheLoopGoesOn) {
    ScriptHarness h;
    h.engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.ResetSymbols({.variables = true});
            return 1;
        },
        "Forget", 0);
    EXPECT_EQ(h.Run("I = 0\nWHILE I < 3\nI = I + 1\nIF I = 2\nForget()\nENDIF\nWEND\n"
                    "Record(I)\n"),
              ScriptResult::Ok);
    // After the reset "I " no longer names a number and compares as text
    // above " 3", so the loop ended; the next line saw I as plain text.
    EXPECT_EQ(h.calls, (std::vector<std::string>{"I"}));
}

}  // namespace
}  // namespace vorn::test

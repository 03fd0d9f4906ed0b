// Variable substitution and call expansion: where a name stands on its own,
// quote counting, the order calls run in and the failure texts.
#include <gtest/gtest.h>

#include "tests/game/script/ScriptFixtures.h"

namespace vorn::test {
namespace {

TEST(SubstituteVariables, ReferencesNeedBoundariesAndNoQuotes) {
    ScriptHarness h;
    h.engine.SetSymbol("HP", "5", ValueType::Number);
    h.engine.SetSymbol("NAME", "Bob", ValueType::String);
    h.engine.SetSymbol("X", "7", ValueType::Number);
    h.engine.SetSymbol("NOTHING", "ignored", ValueType::None);
    EXPECT_EQ(h.engine.SubstituteVariables("HP+1"), "5+1");
    EXPECT_EQ(h.engine.SubstituteVariables("hp+1"), "5+1");
    EXPECT_EQ(h.engine.SubstituteVariables("HPMAX+1"), "HPMAX+1");
    EXPECT_EQ(h.engine.SubstituteVariables("'HP'"), "'HP'");
    EXPECT_EQ(h.engine.SubstituteVariables("'Hi ' + NAME"), "'Hi ' + 'Bob'");
    EXPECT_EQ(h.engine.SubstituteVariables("X%2"), "X%2");
    EXPECT_EQ(h.engine.SubstituteVariables("X % 2"), "7 % 2");
    EXPECT_EQ(h.engine.SubstituteVariables("NOTHING+1"), "0+1");
    EXPECT_EQ(h.engine.SubstituteVariables("(X)*(HP),X"), "(7)*(5),7");
    EXPECT_EQ(h.engine.SubstituteVariables("X(1)"), "X(1)");  // "(" is no right boundary
    EXPECT_EQ(h.engine.SubstituteVariables("HP=HP"), "5=5");
}

TEST(SubstituteVariables, LaterVariablesSeeInsertedValues) {
    ScriptHarness h;
    // A host may give a number-typed value any text; a later variable is
    // then found inside it.
    h.engine.SetSymbol("A", "B + 1", ValueType::Number);
    h.engine.SetSymbol("B", "2", ValueType::Number);
    EXPECT_EQ(h.engine.SubstituteVariables("A * 3"), "2 + 1 * 3");
    // An earlier variable is not searched in a later one's value.
    h.engine.SetSymbol("C", "A", ValueType::Number);
    EXPECT_EQ(h.engine.SubstituteVariables("C"), "A");
}

TEST(SubstituteVariables, QuoteInsideAStringValueShiftsQuoteCounting) {
    ScriptHarness h;
    h.engine.SetSymbol("Q", "it's", ValueType::String);
    h.engine.SetSymbol("N", "1", ValueType::Number);
    // After 'it's' three quotes stand before N, so N counts as quoted.
    EXPECT_EQ(h.engine.SubstituteVariables("Q + N"), "'it's' + N");
    EXPECT_EQ(h.engine.SubstituteVariables("N + Q"), "1 + 'it's'");
}

TEST(SubstituteVariables, SelfReferencingValuesDoNotLoop) {
    ScriptHarness h;
    h.engine.SetSymbol("A", "A+A", ValueType::Number);
    EXPECT_EQ(h.engine.SubstituteVariables("A"), "A+A");
    h.engine.AppendVariable(
        ScriptVariable{"x", "", ValueType::Number});  // empty name from a saved game
    EXPECT_EQ(h.engine.SubstituteVariables("A"), "A+A");
}

TEST(SubstituteVariables, RunawayGrowthStopsWithAnError) {
    ScriptHarness h;
    // Each variable's value names the next one eight times over.
    for (int i = 0; i < 12; ++i) {
        const std::string next = "V" + std::to_string(i + 1);
        std::string value;
        for (int k = 0; k < 8; ++k) {
            value += (k ? " + " : "") + next;
        }
        h.engine.SetSymbol("V" + std::to_string(i), value, ValueType::Number);
    }
    EXPECT_EQ(h.engine.SubstituteVariables("V0"), "#ERROR");
    EXPECT_EQ(h.engine.LastError(), "Expression error. The expression grew too long.");
}

TEST(ExpandCalls, InnermostAndRightmostFirst) {
    ScriptHarness h;
    EXPECT_EQ(h.engine.ExpandCalls("Abs(Mod(7, 4))"), "3.000000");
    EXPECT_EQ(h.engine.ExpandCalls("Mod(Abs(-7), Abs(-2))"), "1");
    EXPECT_EQ(h.engine.ExpandCalls("Record(1) + Record(2) + Record(3)"), "0 + 0 + 0");
    EXPECT_EQ(h.calls, (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(h.engine.ExpandCalls("Abs((1-3)*2)"), "4.000000");
    EXPECT_EQ(h.engine.ExpandCalls("Trim(' a ') + 'b'"), "'a' + 'b'");
}

TEST(ExpandCalls, WhatCountsAsACall) {
    ScriptHarness h;
    EXPECT_EQ(h.engine.ExpandCalls("GetTime()"), "42");
    EXPECT_EQ(h.engine.ExpandCalls("GetTime () + 1"), "42 + 1");
    // Inside quotes only the empty-call form runs.
    EXPECT_EQ(h.engine.ExpandCalls("Len('a Record(x) b')"), "13.000000");
    EXPECT_TRUE(h.calls.empty());
    EXPECT_EQ(h.engine.ExpandCalls("'GetTime()'"), "'42'");
    // The empty-call form needs no left boundary either.
    EXPECT_EQ(h.engine.ExpandCalls("xGetTime()"), "x42");
    // Without a left boundary a call with arguments is no call.
    EXPECT_EQ(h.engine.ExpandCalls("xAbs(1)"), "xAbs(1)");
    // A name followed by a blank with no "(" anywhere is left alone.
    EXPECT_EQ(h.engine.ExpandCalls("GetTime + 5"), "GetTime + 5");
    // Only the last occurrence of a name is looked at: the quoted one hides
    // the real call before it.
    EXPECT_EQ(h.engine.ExpandCalls("Abs(-1) + 'abs'"), "Abs(-1) + 'abs'");
}

TEST(ExpandCalls, FailuresAndTheirTexts) {
    ScriptHarness h;
    EXPECT_EQ(h.engine.ExpandCalls("Abs()"), "#ERROR:4");
    EXPECT_EQ(h.engine.LastError(), "Command error. Incorrect number of parameters. Expected: 1");
    EXPECT_EQ(h.engine.ExpandCalls("Abs(3"), "#ERROR");
    EXPECT_EQ(h.engine.LastError(), "Syntax error: '(' expected after 'ABS'.");
    EXPECT_EQ(h.engine.ExpandCalls("Abs('a')"), "#ERROR:3");
    EXPECT_EQ(h.engine.LastError(), "Abs() expects a numeric value.");
    // Calls to the right have run; those to the left of a failure have not.
    EXPECT_EQ(h.engine.ExpandCalls("Record(1) + Fail(0) + Record(2)"), "#ERROR:3");
    EXPECT_EQ(h.calls, (std::vector<std::string>{"2"}));
}

TEST(ExpandCalls, ReturnValueTypes) {
    ScriptHarness h;
    h.engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetReturnValue("odd", ValueType{7});
            return 1;
        },
        "Odd", 0);
    EXPECT_EQ(h.engine.ExpandCalls("Odd()"), "'odd'");  // unknown types read like strings
    EXPECT_EQ(h.engine.ExpandCalls("Record(1)"), "0");
    h.engine.ResetSymbols({.variables = true});
    EXPECT_EQ(h.engine.ExpandCalls("Silent(1)"), "0");  // no RET at all: the number 0
}

TEST(ExpandCalls, CommandReturningItsOwnCallStops) {
    ScriptHarness h;
    int calls = 0;
    h.engine.RegisterCommand(
        [&calls](ScriptEngine& e) {
            ++calls;
            e.SetReturnValue("Again()", ValueType::String);
            return 1;
        },
        "Again", 0);
    EXPECT_EQ(h.engine.ExpandCalls("Again()"), "#ERROR");
    EXPECT_EQ(h.engine.LastError(), "Expression error. Too many calls in one expression.");
    EXPECT_EQ(calls, 1000);
}

}  // namespace
}  // namespace vorn::test

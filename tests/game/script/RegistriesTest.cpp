// Variables, the number test, the command and constant tables and calling a
// command by name: results, codes and the exact error texts.
#include <gtest/gtest.h>

#include "tests/game/script/ScriptFixtures.h"

namespace vorn::test {
namespace {

TEST(NumberText, DecidesWhatCountsAsANumber) {
    for (const char* text : {"", "-", "12", "  12  ", "1.2.3", ".", "-0.5", "007"}) {
        EXPECT_TRUE(ScriptEngine::IsNumberText(text)) << "[" << text << "]";
    }
    for (const char* text : {"+1", "1e3", "1 2", "5a", "--1", "1-", "\t1", "abc"}) {
        EXPECT_FALSE(ScriptEngine::IsNumberText(text)) << "[" << text << "]";
    }
}

TEST(Symbols, SetGetAndFreeFollowTheNameRules) {
    ScriptEngine engine;
    EXPECT_TRUE(engine.SetSymbol("  hp  ", "5", ValueType::Number));
    ASSERT_EQ(engine.Variables().size(), 1u);
    EXPECT_EQ(engine.Variables()[0].name, "HP");
    const ScriptVariable* found = engine.GetSymbol("Hp");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->value, "5");
    EXPECT_EQ(found->type, ValueType::Number);

    // Freeing compares the stored name exactly.
    EXPECT_FALSE(engine.FreeSymbol("hp"));
    EXPECT_EQ(engine.LastError(), "Free symbol failed. Symbol hp does not exist.");
    EXPECT_TRUE(engine.FreeSymbol("HP"));
    EXPECT_TRUE(engine.Variables().empty());

    EXPECT_EQ(engine.GetSymbol("gone"), nullptr);
    EXPECT_EQ(engine.LastError(), "Get symbol failed. Symbol gone does not exist.");
}

TEST(Symbols, RefusesNumericAndEmptyNamesAndUnknownKeepType) {
    ScriptEngine engine;
    const std::string refused = "Set symbol failed. Invalid symbol name or symbol type.";
    EXPECT_FALSE(engine.SetSymbol("12", "1", ValueType::Number));
    EXPECT_EQ(engine.LastError(), refused);
    engine.SetLastError("");
    EXPECT_FALSE(engine.SetSymbol("   ", "1", ValueType::Number));
    EXPECT_EQ(engine.LastError(), refused);
    engine.SetLastError("");
    EXPECT_FALSE(engine.SetSymbol("X", "1", ValueType::Unchanged));  // -1 cannot create
    EXPECT_EQ(engine.LastError(), refused);
    EXPECT_TRUE(engine.Variables().empty());

    EXPECT_TRUE(engine.SetSymbol("X", "abc", ValueType::String));
    EXPECT_TRUE(engine.SetSymbol("x", "7", ValueType::Unchanged));  // keeps the type
    EXPECT_EQ(engine.Variables()[0].value, "7");
    EXPECT_EQ(engine.Variables()[0].type, ValueType::String);
}

TEST(Symbols, TableKeepsCreationOrderAndClosesGaps) {
    ScriptEngine engine;
    engine.SetSymbol("A", "1", ValueType::Number);
    engine.SetSymbol("B", "2", ValueType::Number);
    engine.SetSymbol("C", "3", ValueType::Number);
    engine.FreeSymbol("B");
    engine.SetReturnValue("x", ValueType::String);
    ASSERT_EQ(engine.Variables().size(), 3u);
    EXPECT_EQ(engine.Variables()[0].name, "A");
    EXPECT_EQ(engine.Variables()[1].name, "C");
    EXPECT_EQ(engine.Variables()[2].name, "RET");
    engine.AppendVariable(ScriptVariable{"v", "lower", ValueType{9}});
    EXPECT_EQ(engine.Variables().back().name, "lower");  // taken as given
}

TEST(Arguments, PushRefusesNegativeTypes) {
    ScriptEngine engine;
    EXPECT_FALSE(engine.PushArgument("x", ValueType::Unchanged));
    EXPECT_EQ(engine.LastError(), "Stack push failed. Invalid symbol type.");
    EXPECT_TRUE(engine.PushArgument("x", ValueType::String));
    EXPECT_EQ(engine.ArgumentCount(), 1u);
    EXPECT_EQ(engine.Argument(0).value, "x");
    EXPECT_EQ(engine.Argument(5).value, "");  // past the end: empty, no read outside
}

TEST(Commands, RegistrationRules) {
    ScriptEngine engine;
    const CommandProc ok = [](ScriptEngine& e) {
        e.SetReturnValue("", ValueType::None);
        return 1;
    };
    const std::string refused =
        "Register command failed. Null procedure address or invalid command name.";
    EXPECT_FALSE(engine.RegisterCommand(ok, "3D", 0));
    EXPECT_EQ(engine.LastError(), refused);
    engine.SetLastError("");
    EXPECT_FALSE(engine.RegisterCommand(ok, "  ", 0));
    EXPECT_EQ(engine.LastError(), refused);
    engine.SetLastError("");
    EXPECT_FALSE(engine.RegisterCommand(nullptr, "Fine", 0));
    EXPECT_EQ(engine.LastError(), refused);
    EXPECT_TRUE(engine.RegisterCommand(ok, "0x", 0));
    EXPECT_TRUE(engine.CommandExists("0X"));
    EXPECT_TRUE(engine.RegisterCommand(ok, "Jump", 0));
    EXPECT_TRUE(engine.CommandExists("jUMP"));
    EXPECT_TRUE(engine.FreeCommand("jump"));
    EXPECT_FALSE(engine.CommandExists("Jump"));
    EXPECT_FALSE(engine.FreeCommand("jump"));
    EXPECT_EQ(engine.LastError(), "Free command failed. Command does not exist.");
}

TEST(Commands, EarlierDuplicateWins) {
    ScriptEngine engine;
    engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetReturnValue("first", ValueType::String);
            return 1;
        },
        "Twice", 0);
    engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetReturnValue("second", ValueType::String);
            return 1;
        },
        "TWICE", 0);
    EXPECT_EQ(engine.CallCommand("twice", ""), ScriptResult::Ok);
    EXPECT_EQ(engine.GetSymbol("RET")->value, "first");
}

TEST(Constants, RegistrationFreeingAndExpansion) {
    ScriptEngine engine;
    EXPECT_FALSE(engine.RegisterConstant("9Lives", "x"));
    EXPECT_EQ(engine.LastError(), "Register constant failed. Invalid constant name.");
    EXPECT_TRUE(engine.RegisterConstant("A", "1"));
    EXPECT_TRUE(engine.RegisterConstant("ab", "2"));
    EXPECT_EQ(engine.ExpandConstants("#AB"), "1B");        // table order, no longest match
    EXPECT_EQ(engine.ExpandConstants("#ab #A"), "#ab 1");  // case-sensitive
    EXPECT_EQ(engine.ExpandConstants("'#A' and #A#A"), "'1' and 11");

    EXPECT_TRUE(engine.RegisterConstant("A", "second"));
    EXPECT_EQ(engine.ExpandConstants("#A"), "1");
    EXPECT_TRUE(engine.FreeConstant("a"));
    EXPECT_EQ(engine.ExpandConstants("#A"), "second");
    EXPECT_FALSE(engine.FreeConstant("missing"));
    EXPECT_EQ(engine.LastError(), "Free constant failed. Constant does not exist.");
}

TEST(Constants, InsertedValueIsNotSearchedAgain) {
    ScriptEngine engine;
    engine.RegisterConstant("SELF", "#SELF#SELF");
    EXPECT_EQ(engine.ExpandConstants("#SELF"), "#SELF#SELF");
}

TEST(CallCommand, ResultCodesAndTexts) {
    ScriptHarness h;
    EXPECT_EQ(h.engine.CallCommand("Echo", ""), ScriptResult::WrongArgumentCount);
    EXPECT_EQ(h.engine.LastError(), "Command error. Incorrect number of parameters. Expected: 1");
    EXPECT_EQ(h.engine.CallCommand("Echo", "1,"), ScriptResult::WrongArgumentCount);
    EXPECT_EQ(h.engine.CallCommand("Nothing", "1"), ScriptResult::UnknownCommand);
    EXPECT_EQ(h.engine.LastError(), "Syntax error. Command NOTHING does not exist.");
    EXPECT_EQ(h.engine.CallCommand("Fail", "1"), ScriptResult::CommandFailed);
    EXPECT_EQ(h.engine.LastError(), "Fail called.");
    EXPECT_EQ(h.engine.CallCommand("Echo", "#NOSUCH"), ScriptResult::EvaluationError);
    EXPECT_EQ(h.engine.LastError(), "Expression evaluation error in: #NOSUCH");
    // The error names the untrimmed comma field, quotes ignored.
    EXPECT_EQ(h.engine.CallCommand("Mid", "'a,b', #X ,1"), ScriptResult::EvaluationError);
    EXPECT_EQ(h.engine.LastError(), "Expression evaluation error in: b'");
    EXPECT_EQ(h.engine.ArgumentCount(), 0u);
}

TEST(CallCommand, ArgumentsAreSplitTypedAndCleared) {
    ScriptHarness h;
    std::vector<ScriptArgument> seen;
    h.engine.RegisterCommand(
        [&seen](ScriptEngine& e) {
            for (size_t i = 0; i < e.ArgumentCount(); ++i) {
                seen.push_back(e.Argument(i));
            }
            e.SetReturnValue("", ValueType::None);
            return 1;
        },
        "Look", 3);
    ASSERT_EQ(h.engine.CallCommand("look", " 'a,b' , 1+2, 'x' + 'y' "), ScriptResult::Ok);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].value, "a,b");
    EXPECT_EQ(seen[0].type, ValueType::String);
    EXPECT_EQ(seen[1].value, "3");
    EXPECT_EQ(seen[1].type, ValueType::Number);
    EXPECT_EQ(seen[2].value, "x y");
    EXPECT_EQ(seen[2].type, ValueType::String);
    EXPECT_EQ(h.engine.ArgumentCount(), 0u);

    // After a failed call the next one sees only its own arguments.
    seen.clear();
    EXPECT_EQ(h.engine.CallCommand("look", "1,2"), ScriptResult::WrongArgumentCount);
    ASSERT_EQ(h.engine.CallCommand("look", "'42',ERR,"), ScriptResult::Ok);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].value, "42");
    EXPECT_EQ(seen[0].type, ValueType::Number);  // numeric text becomes a number
    EXPECT_EQ(seen[1].type, ValueType::String);
    EXPECT_EQ(seen[2].value, "");
    EXPECT_EQ(seen[2].type, ValueType::Number);  // the empty text is numeric
}

TEST(ResetSymbols, EmptiesOnlyTheChosenTables) {
    ScriptHarness h;
    h.engine.SetSymbol("X", "1", ValueType::Number);
    h.engine.RegisterConstant("C", "1");
    h.engine.ParseScript("X = 1\nFOO\n", 0);
    h.engine.RunScript(0);
    ASSERT_EQ(h.engine.CurrentLine(), 1);
    h.engine.ResetSymbols({.variables = true});
    EXPECT_TRUE(h.engine.Variables().empty());
    EXPECT_EQ(h.engine.ExpandConstants("#C"), "1");
    EXPECT_TRUE(h.engine.CommandExists("Abs"));
    EXPECT_EQ(h.engine.CurrentLine(), 1);
    h.engine.ResetSymbols(
        {.commands = true, .arguments = true, .constants = true, .position = true});
    EXPECT_FALSE(h.engine.CommandExists("Abs"));
    EXPECT_EQ(h.engine.ExpandConstants("#C"), "#C");
    EXPECT_EQ(h.engine.CurrentLine(), 0);
}

TEST(Engine, InitRefusesNegativeSizesAndErrorReportCountsFromOne) {
    ScriptEngine engine;
    EXPECT_FALSE(engine.InitScriptEngine(-1, 10));
    EXPECT_FALSE(engine.InitScriptEngine(10, -1));
    EXPECT_TRUE(engine.InitScriptEngine(0, 0));
    EXPECT_EQ(engine.RunScript(0), ScriptResult::BadSlot);
    EXPECT_EQ(engine.ErrorReportText(), " Line 1");  // fresh engine, no text yet
    EXPECT_TRUE(engine.InitScriptEngine(2, 3));
    EXPECT_EQ(engine.ParseScript("X=1\nY=2\n", 1), 1);
    EXPECT_EQ(engine.ParseScript("1\n2\n3\n", 0), -1);  // four lines do not fit in three
}

}  // namespace
}  // namespace vorn::test

// The ten built-in functions called directly: registration order, results
// and the error text of every type check.
#include <gtest/gtest.h>

#include "common/TextPrimitives.h"
#include "tests/game/script/ScriptFixtures.h"

namespace vorn::test {
namespace {

struct Call {
    ScriptHarness h;
    ScriptResult code = ScriptResult::Ok;
    std::string Result(const std::string& name, const std::string& arguments) {
        code = h.engine.CallCommand(name, arguments);
        return code == ScriptResult::Ok ? h.Value("RET") : "<failed: " + h.engine.LastError() + ">";
    }
};

TEST(Builtins, RegisteredFirstInTheirOrder) {
    ScriptEngine engine;
    engine.RegisterBuiltins();
    for (const char* name :
         {"Abs", "FTrim", "Eval", "Mod", "Trim", "LTrim", "RTrim", "Len", "SetScriptName", "Mid"}) {
        EXPECT_TRUE(engine.CommandExists(name)) << name;
    }
    EXPECT_EQ(engine.CallCommand("Mid", "'a', 1"), ScriptResult::WrongArgumentCount);
    EXPECT_EQ(engine.LastError(), "Command error. Incorrect number of parameters. Expected: 3");
}

TEST(Builtins, TypeErrorsHaveTheirTexts) {
    Call c;
    EXPECT_EQ(c.Result("Abs", "'a'"), "<failed: Abs() expects a numeric value.>");
    EXPECT_EQ(c.code, ScriptResult::CommandFailed);
    EXPECT_EQ(c.Result("FTrim", "'a'"), "<failed: FTrim() expects a numeric value.>");
    EXPECT_EQ(c.Result("Eval", "'1+'"), "<failed: Eval() expects a numeric expression.>");
    EXPECT_EQ(c.Result("Mod", "1, 'x'"), "<failed: Mod() expects a two numeric values.>");
    EXPECT_EQ(c.Result("SetScriptName", "5"), "<failed: SetScriptName() expects a string.>");
    EXPECT_EQ(c.Result("Mid", "'abc', 'x', 1"),
              "<failed: Mid() expects a string followed by two numeric values.>");
    EXPECT_EQ(c.Result("Mid", "12, 1, 1"),
              "<failed: Mid() expects a string followed by two numeric values.>");
}

TEST(Builtins, NumericResults) {
    Call c;
    EXPECT_EQ(c.Result("Abs", "-2.5"), "2.500000");
    EXPECT_EQ(c.Result("Abs", "-7"), "7.000000");
    EXPECT_EQ(c.Result("Abs", "0.1"), "0.100000");
    EXPECT_EQ(c.Result("Eval", "2*3"), "6");
    EXPECT_EQ(c.Result("Len", "''"), "0.000000");
    EXPECT_EQ(c.Result("Len", "' ab '"), "4.000000");
    EXPECT_EQ(c.Result("Mod", "-7, 3"), "-1");
    EXPECT_EQ(c.Result("Mod", "7, -3"), "1");
    EXPECT_EQ(c.Result("Mod", "7.9, 2"), "1");
    EXPECT_EQ(c.Result("Mod", "10.5, 4"), "2");
    EXPECT_EQ(c.Result("Mod", "-2147483648, -1"), "0");
    EXPECT_EQ(c.Result("Mod", "5, 0"), "<failed: Mod() cannot divide by zero.>");
    EXPECT_EQ(c.Result("Mod", "5, 0.5"), "<failed: Mod() cannot divide by zero.>");
}

TEST(Builtins, FTrimShortensButKeepsTheNumber) {
    Call c;
    EXPECT_EQ(c.Result("FTrim", "0.000000"), "0");
    EXPECT_EQ(c.Result("FTrim", "-0.0"), "0");
    EXPECT_EQ(c.Result("FTrim", "2.500000"), "2.5");
    EXPECT_EQ(c.Result("FTrim", "3.000000"), "3");
    EXPECT_EQ(c.Result("FTrim", "100"), "100");
    EXPECT_EQ(c.Result("FTrim", "-12.010"), "-12.01");
    EXPECT_EQ(c.Result("FTrim", "1.2.30"), "1.2.3");
    // Whatever the form, it reads back as the same number.
    for (const char* text : {"2.500000", "0.100000", "-7.250000", "1000.000000", "0.000001",
                             "123456.789000", "-0.5", "5.", "1.2.3", "-"}) {
        const std::string shortened = c.Result("FTrim", text);
        EXPECT_EQ(TextToFloat(shortened), TextToFloat(text)) << text << " -> " << shortened;
        EXPECT_TRUE(ScriptEngine::IsNumberText(shortened)) << shortened;
    }
}

TEST(Builtins, TextResults) {
    Call c;
    EXPECT_EQ(c.Result("Trim", "'  a b  '"), "a b");
    EXPECT_EQ(c.Result("LTrim", "'  a b  '"), "a b  ");
    EXPECT_EQ(c.Result("RTrim", "'  a b  '"), "  a b");
    EXPECT_EQ(c.Result("Trim", "5"), "5");
    EXPECT_EQ(c.h.Type("RET"), ValueType::String);
    EXPECT_EQ(c.Result("Trim", "'\ta\t'"), "\ta\t");  // tabs are no blanks
    EXPECT_EQ(c.Result("Mid", "'abcdef', 2, 3"), "bcd");
    EXPECT_EQ(c.Result("Mid", "'abcdef', 0, 2"), "ab");
    EXPECT_EQ(c.Result("Mid", "'abcdef', -5, 2"), "ab");
    EXPECT_EQ(c.Result("Mid", "'abcdef', 9, 2"), "");
    EXPECT_EQ(c.Result("Mid", "'abcdef', 5, 100"), "ef");
    EXPECT_EQ(c.Result("Mid", "'abcdef', 2, 0"), "");
    EXPECT_EQ(c.Result("Mid", "'abcdef', 2, -1"), "");
    EXPECT_EQ(c.Result("Mid", "'abcdef', 2147483647, 2147483647"), "");
    EXPECT_EQ(c.Result("SetScriptName", "'main'"), "");
    EXPECT_EQ(c.h.Type("RET"), ValueType::None);
}

}  // namespace
}  // namespace vorn::test

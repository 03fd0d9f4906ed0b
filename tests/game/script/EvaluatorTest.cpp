// The expression evaluator: precedence, signs, the error texts, string
// concatenation and the choices for division by zero.
#include <gtest/gtest.h>

#include "game/script/ScriptEngine.h"

namespace vorn {
namespace {

struct Case {
    const char* input;
    const char* expected;
};

void ExpectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(Evaluate(c.input), c.expected) << "input: [" << c.input << "]";
    }
}

TEST(Evaluate, PrecedenceAndGrouping) {
    ExpectAll({{"1+2*3", "7"},
               {"(1+2)*3", "9"},
               {"2*(3+4)*5", "70"},
               {"8-3-2", "3"},
               {"2^3^2", "64"},
               {"2*3^2", "18"},
               {"((2))*((3))", "6"},
               {"2*(3+(4-1))", "12"},
               {"1 + 2 * 3 - 4 / 2", "5.000000"},
               {"100-10*2^2", "60"}});
}

TEST(Evaluate, IntegerAndRealResults) {
    ExpectAll({{"10/4", "2.500000"},
               {"4/2", "2.000000"},
               {"7/2", "3.500000"},
               {"1.5+1", "2.500000"},
               {"2.0*3", "6.000000"},
               {"5.*2", "10.000000"},
               {"5%2", "1"},
               {"-7%3", "-1"},
               {"7%-3", "1"},
               {"2^0.5", "1.414214"},
               {"2^-1", "0"},
               {"3^-1", "0"},
               {"(0-2)^-1", "0"},
               {"0.1+0.2", "0.300000"}});
}

TEST(Evaluate, SignsAndLeadingOperators) {
    ExpectAll({{"-5+2", "-3"},
               {"2*-3", "-6"},
               {"2--3", "5"},
               {"-(2+3)", "3"},
               {"+5", "5"},
               {"*5", "0"},
               {" -5 + 1", "-4"}});
}

TEST(Evaluate, IntegersWrapAtThirtyTwoBits) {
    ExpectAll({{"2147483647+1", "-2147483648"},
               {"-2147483648-1", "2147483647"},
               {"65536*65536", "0"},
               {"99999999999+0", "1215752191"},
               {"-2147483648 % -1", "0"}});
}

TEST(Evaluate, TextWithoutOperatorsComesBackUnchanged) {
    ExpectAll({{"5", "5"},
               {"-7", "-7"},
               {"12  ", "12  "},
               {"(5", "(5"},
               {"abc", "abc"},
               {"", ""},
               {" 42", " 42"},
               {"1*2)+(3", "2"},
               {"1)*(2", "1)*(2"}});
}

TEST(Evaluate, ErrorTexts) {
    ExpectAll({{"1 2", "ERR-Missing Operator"},
               {"1 .5", "ERR-Missing Operator"},
               {"1 +2", "3"},
               {".5", "ERR-Invalid Float"},
               {"1 + .5", "ERR-Invalid Float"},
               {"abc.def", "ERR-Invalid Float"},
               {"5+", "ERR-Invalid Operation"},
               {"5 + ", "ERR-Invalid Operation"},
               {"(1+2", "ERR-Imbalanced Paranthesis"},
               {"5.0%2", "ERR-Cannot Use Floats With Modulo"},
               {"5%2.0", "ERR-Cannot Use Floats With Modulo"}});
}

TEST(Evaluate, DivisionByZeroIsAnErrorText) {
    ExpectAll({{"1/0", "ERR-Division By Zero"},
               {"1/0.0", "ERR-Division By Zero"},
               {"0/0", "ERR-Division By Zero"},
               {"5%0", "ERR-Division By Zero"},
               {"1+2/(1-1)", "ERR-Division By Zero"},
               {"0/5", "0.000000"}});
}

TEST(Evaluate, HugeValuesStayFinite) {
    // Powers past the integer range saturate instead of overflowing.
    EXPECT_EQ(Evaluate("2^40"), "2147483647");
    EXPECT_EQ(Evaluate("-2^31"), "-2147483648");
    EXPECT_EQ(Evaluate("0^-1"), "2147483647");
    // Reals without a value come back as texts that are no numbers.
    EXPECT_FALSE(ScriptEngine::IsNumberText(Evaluate("(0-1)^0.5")));
    EXPECT_FALSE(
        ScriptEngine::IsNumberText(Evaluate("3000000000000000000000000000000.0*1000000000000.0")));
}

TEST(Evaluate, StringConcatenation) {
    ExpectAll({{"'Hello' +' world'", "Hello world"},
               {"'a'+'b'", "ab"},
               {"'a' + 'b'", "a b"},
               {"'Score: ' + 12", "Score:  12"},
               {"'a+b'", "a+b"},
               {"'x' + 1 + 2", "x1 2"},
               {"'unbalanced", "unbalanced"},
               {"'it''s'", "its"},
               {" 'abc'", " abc"},
               {"'a' + + 'b'", "a b"}});
}

TEST(Evaluate, DeepNestingDoesNotOverflow) {
    std::string deep(100000, '(');
    deep += "1+2";
    deep += std::string(100000, ')');
    EXPECT_EQ(Evaluate(deep), "3");
    const std::string longLiteral(50000, '7');
    EXPECT_EQ(Evaluate(longLiteral), longLiteral);  // no operator: unchanged
    EXPECT_EQ(Evaluate("--5"), "-5");               // the second minus subtracts from "-" (0)
}

}  // namespace
}  // namespace vorn

// The prepared fast paths against a plain reading of the rules: number
// formatting against printf, number reading against the decimal conversion,
// and whole lines (assignments, command arguments, conditions) run by the
// engine against the public stages composed by hand, on generated
// expressions and variable tables full of the awkward cases (quotes inside
// string values, number-typed values that hold names, names that are not
// simple, calls hidden in values, constants registered after loading).
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "common/TextPrimitives.h"
#include "game/script/ScriptText.h"
#include "tests/game/script/ScriptFixtures.h"

namespace vorn::test {
namespace {

TEST(FastNumbers, FormatRealMatchesPrintf) {
    std::mt19937 random(7);
    std::vector<float> values = {0.0f,    -0.0f,    0.5f,   1.0f / 128, -1.0f / 128, 2.5f,
                                 1e-7f,   -1e-7f,   5e-7f,  1e12f,      8.7e12f,     9e12f,
                                 3.4e38f, -3.4e38f, 1e-45f, 0.0000005f, 0.0000015f,  123456.789f};
    for (int i = 0; i < 200000; ++i) {
        uint32_t bits = static_cast<uint32_t>(random());
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        values.push_back(value);
        values.push_back(static_cast<float>(static_cast<int32_t>(random()) % 100000) / 64.0f);
    }
    for (float value : values) {
        ASSERT_EQ(script_detail::FormatReal(value), script_detail::FormatRealWithPrintf(value))
            << "bits of value: " << value;
    }
}

TEST(FastNumbers, NumberValueMatchesTextToFloat) {
    std::mt19937 random(11);
    std::vector<std::string> texts = {"",
                                      "-",
                                      ".",
                                      "5.",
                                      "-0",
                                      " 12",
                                      "1.2.3",
                                      "0.1",
                                      "+5",
                                      "1e5",
                                      "\t3",
                                      "12abc",
                                      "999999999999999",
                                      "9999999999999999",
                                      "0.0000001",
                                      "123456789.123456",
                                      "-2147483648",
                                      "3.4028236e38"};
    const char alphabet[] = "0123456789.-";
    for (int i = 0; i < 100000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 20);
        for (int k = 0; k < length; ++k) {
            text.push_back(alphabet[random() % (sizeof alphabet - 1)]);
        }
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        const float fast = script_detail::NumberValue(text);
        const float plain = TextToFloat(text);
        ASSERT_EQ(std::memcmp(&fast, &plain, sizeof fast), 0) << "[" << text << "]";
    }
}

// A random expression made of the pieces that matter to substitution and
// call expansion.
class ExpressionMaker {
public:
    explicit ExpressionMaker(uint32_t seed) : random_(seed) {}

    std::string Make(bool forCondition) {
        std::string text;
        const int pieces = 1 + Pick(6);
        for (int i = 0; i < pieces; ++i) {
            if (i > 0) {
                text += Separator(forCondition);
            }
            text += Piece(0);
        }
        return text;
    }

    int Pick(int n) { return static_cast<int>(random_() % static_cast<uint32_t>(n)); }

    std::string Piece(int depth) {
        static const char* const kNames[] = {"HP",  "hp",       "Hp",   "NAME", "X",    "X1",
                                             "_T",  "GETTIMEX", "ABSX", "A_B",  "NOPE", "LOWER",
                                             "RET", "Q",        "N0",   "S",    "Wide"};
        static const char* const kLiterals[] = {
            "5",     "-3", "2.5", "'Hi '", "'it''s'", "'a+b'", "''",          "'HP'", "7 2", ".5",
            "'x,y'", "#C", "#D",  "#NONE", "abc",     "1e3",   "'GetTime()'", "X%2",  "'#C'"};
        switch (Pick(depth > 1 ? 2 : 4)) {
            case 0:
                return kNames[Pick(sizeof kNames / sizeof kNames[0])];
            case 1:
                return kLiterals[Pick(sizeof kLiterals / sizeof kLiterals[0])];
            case 2: {
                static const char* const kCalls[] = {"Abs(", "Len(", "Echo(", "Trim(", "Record("};
                return std::string(kCalls[Pick(5)]) + Piece(depth + 1) + ")";
            }
            default: {
                static const char* const kEmpty[] = {"GetTime()",   "GetTime ()", "Call()",
                                                     "Quote()",     "Abs()",      "Fail(1)",
                                                     "Len(Abs(-2)", "xGetTime()"};
                return kEmpty[Pick(8)];
            }
        }
    }

    std::string Separator(bool forCondition) {
        static const char* const kAll[] = {"+", " + ", "-", "*", " ", ",", "(", ")",
                                           "%", " % ", "/", "^", "'", "=", "<", ">"};
        return kAll[Pick(forCondition ? 13 : 16)];
    }

private:
    std::mt19937 random_;
};

// Both engines get the same commands and variables.
void Prepare(ScriptHarness& h, std::mt19937& random) {
    h.engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetReturnValue("GetTime()", ValueType::String);
            return 1;
        },
        "Call", 0);
    h.engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetReturnValue("don't", ValueType::String);
            return 1;
        },
        "Quote", 0);
    static const char* const kNames[] = {"HP",   "NAME", "X", "X1", "_T", "GETTIMEX",
                                         "ABSX", "A_B",  "Q", "N0", "S",  "WIDE"};
    static const char* const kValues[] = {"5",         " -3.5",   "",   "1.2.3", "Bob", "it's",
                                          "GetTime()", "Abs(-2)", "HP", "#C",    "a+b", "X + 1",
                                          " 42 ",      "NAME",    "'",  "x()",   "0"};
    for (const char* name : kNames) {
        if (random() % 4 == 0) {
            continue;
        }
        const ValueType types[] = {ValueType::None,   ValueType::Number, ValueType::Number,
                                   ValueType::String, ValueType::String, ValueType{7}};
        h.engine.SetSymbol(name, kValues[random() % (sizeof kValues / sizeof kValues[0])],
                           types[random() % 6]);
    }
    if (random() % 5 == 0) {
        // Names a saved game may hold: not simple, so the fast path steps aside.
        static const char* const kOdd[] = {"lower", "A B", "X+", "", "12"};
        h.engine.AppendVariable(ScriptVariable{"odd", kOdd[random() % 5], ValueType::Number});
    }
}

void RegisterLateConstants(ScriptHarness& h, std::mt19937& random) {
    if (random() % 2 == 0) {
        h.engine.RegisterConstant("C", "'const'");
        h.engine.RegisterConstant("D", random() % 2 ? "HP" : "");
    }
}

std::string Report(const ScriptHarness& h, ScriptResult code) {
    std::string report =
        "code " + std::to_string(Code(code)) + "\nerror " + h.engine.LastError() + "\n";
    for (const ScriptVariable& v : h.engine.Variables()) {
        report += v.name + "|" + std::to_string(Code(v.type)) + "|" + v.value + "\n";
    }
    for (const std::string& call : h.calls) {
        report += "call " + call + "\n";
    }
    return report;
}

ScriptResult PlainAssignment(ScriptHarness& h, const std::string& value) {
    const std::string constants = h.engine.ExpandConstants(value);
    if (constants.empty()) {
        h.engine.SetLastError("Syntax error: Expression expected or unknown command.");
        return ScriptResult::UnknownCommand;
    }
    const std::string text = h.engine.ExpandCalls(h.engine.SubstituteVariables(constants));
    if (!text.empty() && text[0] == '#') {
        return ScriptResult::CommandFailed;
    }
    const std::string result = Evaluate(text);
    h.engine.SetSymbol("Z", result,
                       ScriptEngine::IsNumberText(result) ? ValueType::Number : ValueType::String);
    if (!result.empty() && result[0] == '#') {
        h.engine.SetLastError("Expression evaluation error in: " + value);
        return ScriptResult::EvaluationError;
    }
    return ScriptResult::Ok;
}

ScriptResult PlainCommand(ScriptHarness& h, const std::string& argument) {
    return h.engine.CallCommand("Record",
                                h.engine.ExpandCalls(h.engine.SubstituteVariables(argument)));
}

ScriptResult PlainCondition(ScriptHarness& h, const std::string& left) {
    const auto operand = [&h](const std::string& text) {
        return Evaluate(
            h.engine.ExpandCalls(h.engine.ExpandConstants(h.engine.SubstituteVariables(text))));
    };
    const std::string l0 =
        h.engine.ExpandCalls(h.engine.ExpandConstants(h.engine.SubstituteVariables(left)));
    const std::string r = operand(" 1");
    const std::string l = Evaluate(l0);
    bool equal = false;
    if (ScriptEngine::IsNumberText(l) && ScriptEngine::IsNumberText(r)) {
        equal = TextToFloat(l) == TextToFloat(r);
    } else {
        equal = l == r;
    }
    h.engine.SetSymbol("R", equal ? " 1" : " 0", ValueType::Number);
    return ScriptResult::Ok;
}

TEST(FastPaths, LinesGiveThePlainResultsOnGeneratedInput) {
    ExpressionMaker maker(2024);
    int fastCases = 0;
    for (int round = 0; round < 6000; ++round) {
        const int kind = round % 3;
        const std::string expression = maker.Make(kind == 2);
        const uint32_t seed = static_cast<uint32_t>(round) * 7919u + 1u;
        ScriptHarness fast;
        ScriptHarness plain;
        std::mt19937 randomFast(seed);
        std::mt19937 randomPlain(seed);
        Prepare(fast, randomFast);
        Prepare(plain, randomPlain);

        std::string line;
        if (kind == 0) {
            line = "Z=" + expression;
        } else if (kind == 1) {
            line = "Record(" + expression + ")";
        } else {
            line = "IF " + expression + " = 1\nR = 1\nELSE\nR = 0\nENDIF";
        }
        ASSERT_EQ(fast.engine.ParseScript(line + "\n", 0), 0) << line;
        RegisterLateConstants(fast, randomFast);
        RegisterLateConstants(plain, randomPlain);
        const ScriptResult fastCode = fast.engine.RunScript(0);

        const std::string trimmedRight(TrimSpaces(expression));
        ScriptResult plainCode = ScriptResult::Ok;
        if (kind == 0) {
            // The stored value is the text after "=" with the line's end trimmed.
            std::string value = expression;
            while (!value.empty() && value.back() == ' ') {
                value.pop_back();
            }
            plainCode = PlainAssignment(plain, value);
        } else if (kind == 1) {
            plainCode = PlainCommand(plain, expression);
        } else {
            std::string left = expression;
            while (!left.empty() && left.front() == ' ') {
                left.erase(left.begin());
            }
            plainCode = PlainCondition(plain, left + " ");
        }
        if (fastCode == ScriptResult::Ok) {
            ++fastCases;
        }
        ASSERT_EQ(Report(fast, fastCode), Report(plain, plainCode))
            << "line: " << line << "\nround " << round;
    }
    EXPECT_GT(fastCases, 1000);
}

}  // namespace
}  // namespace vorn::test

namespace vorn::test {
namespace {

struct CommandSpec {
    std::string name;  // as stored: upper-cased
    int32_t parameters;
};

// Call expansion exactly as the rules read: every pass upper-cases the text
// and looks for the last occurrence of each command name in table order.
std::string PlainExpandCalls(ScriptEngine& engine, const std::vector<CommandSpec>& commands,
                             std::string text) {
    for (int calls = 0;; ++calls) {
        const std::string upper = UpperCaseText(text);
        bool found = false;
        size_t position = 0;
        size_t chosen = 0;
        for (size_t k = 0; k < commands.size(); ++k) {
            const std::string& name = commands[k].name;
            const size_t p = upper.rfind(name);
            if (p == std::string::npos) {
                continue;
            }
            const size_t after = p + name.size();
            if (after + 1 < text.size() && text[after] == '(' && text[after + 1] == ')') {
                found = true;
                position = p;
                chosen = k;
                continue;
            }
            const bool right = after < text.size() && (text[after] == ' ' || text[after] == '(');
            const std::string leftSet = "=><+-/*^ ,(";
            const bool left = p == 0 || leftSet.find(text[p - 1]) != std::string::npos;
            size_t quotes = 0;
            for (size_t i = 0; i < p; ++i) {
                quotes += text[i] == '\'';
            }
            if (right && left && quotes % 2 == 0 && (!found || p > position)) {
                found = true;
                position = p;
                chosen = k;
            }
        }
        if (!found) {
            return text;
        }
        if (calls >= 1000) {
            engine.SetLastError("Expression error. Too many calls in one expression.");
            return "#ERROR";
        }
        const size_t open = text.find('(', position);
        if (open == std::string::npos) {
            return text;
        }
        std::string argument;
        size_t end = 0;
        if (commands[chosen].parameters > 0) {
            int depth = 0;
            size_t close = std::string::npos;
            for (size_t i = open + 1; i < text.size() && close == std::string::npos; ++i) {
                if (text[i] == '(') {
                    ++depth;
                } else if (text[i] == ')') {
                    if (depth == 0) {
                        close = i;
                    } else {
                        --depth;
                    }
                }
            }
            if (close == std::string::npos) {
                engine.SetLastError("Syntax error: '(' expected after '" + commands[chosen].name +
                                    "'.");
                return "#ERROR";
            }
            argument = std::string(TrimSpaces(text.substr(open + 1, close - open - 1)));
            end = close + 1;
        } else {
            end = std::min(open + 2, text.size());
        }
        const ScriptResult code = engine.CallCommand(commands[chosen].name, argument);
        if (code != ScriptResult::Ok) {
            return "#ERROR:" + std::to_string(Code(code));
        }
        std::string value = "0";
        for (const ScriptVariable& variable : engine.Variables()) {
            if (variable.name == "RET") {
                value = variable.type == ValueType::Number ? variable.value
                        : variable.type == ValueType::None ? "0"
                                                           : "'" + variable.value + "'";
                break;
            }
        }
        text.replace(position, end - position, value);
    }
}

TEST(FastPaths, CallExpansionMatchesAPlainReadingOnGeneratedText) {
    std::mt19937 random(99);
    static const char* const kPieces[] = {
        "Abs(",    "Ab(",   "Len(",       "GetTime()", "GetTime ()", "Get()", "Call()",
        "Quote()", "Echo(", "Trim(",      ")",         "(",          "'",     " ",
        ",",       "+",     "-3",         "x",         "abs",        "'Hi'",  "Record(",
        "2.5",     "()",    "GETTIMEX()", "xGet()",    "x7()",       "X",     "xGet ("};
    for (int round = 0; round < 20000; ++round) {
        ScriptHarness fast;
        ScriptHarness plain;
        for (ScriptHarness* h : {&fast, &plain}) {
            h->engine.RegisterCommand(
                [](ScriptEngine& e) {
                    e.SetReturnValue("GetTime()", ValueType::String);
                    return 1;
                },
                "Call", 0);
            h->engine.RegisterCommand(
                [](ScriptEngine& e) {
                    e.SetReturnValue("it's abs(", ValueType::String);
                    return 1;
                },
                "Quote", 0);
            h->engine.RegisterCommand(
                [](ScriptEngine& e) {
                    e.SetReturnValue("-" + e.Argument(0).value, ValueType::Number);
                    return 1;
                },
                "Ab", 1);
            h->engine.RegisterCommand(
                [](ScriptEngine& e) {
                    e.SetReturnValue("7", ValueType::Number);
                    return 1;
                },
                "Get", 0);
            // Names that overlap others or end in a digit, so that a
            // replacement can end an occurrence before it or start a new one.
            h->engine.RegisterCommand(
                [](ScriptEngine& e) {
                    e.SetReturnValue("xg", ValueType::String);
                    return 1;
                },
                "XG", 1);
            h->engine.RegisterCommand(
                [](ScriptEngine& e) {
                    e.SetReturnValue("9", ValueType::Number);
                    return 1;
                },
                "X7", 0);
        }
        std::vector<CommandSpec> commands = {
            {"ABS", 1},   {"FTRIM", 1},   {"EVAL", 1}, {"MOD", 2},           {"TRIM", 1},
            {"LTRIM", 1}, {"RTRIM", 1},   {"LEN", 1},  {"SETSCRIPTNAME", 1}, {"MID", 3},
            {"ECHO", 1},  {"GETTIME", 0}, {"FAIL", 1}, {"RECORD", 1},        {"SILENT", 1},
            {"CALL", 0},  {"QUOTE", 0},   {"AB", 1},   {"GET", 0},           {"XG", 1},
            {"X7", 0}};
        std::string text;
        const int pieces = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < pieces; ++i) {
            text += kPieces[random() % (sizeof kPieces / sizeof kPieces[0])];
        }
        const std::string fastResult = fast.engine.ExpandCalls(text);
        const std::string plainResult = PlainExpandCalls(plain.engine, commands, text);
        ASSERT_EQ(fastResult, plainResult) << "text: " << text;
        ASSERT_EQ(fast.calls, plain.calls) << "text: " << text;
        ASSERT_EQ(fast.engine.LastError(), plain.engine.LastError()) << "text: " << text;
    }
}

}  // namespace
}  // namespace vorn::test

namespace vorn::test {
namespace {

// Substitution exactly as the rules read it: for each variable, search the
// upper-cased text again after every step, testing the characters around
// each occurrence and counting quotes from the start. (The search resumes
// after an inserted value, the engine's guard against values that hold
// their own name.)
std::string PlainSubstitute(const std::vector<ScriptVariable>& variables, std::string text) {
    const std::string leftSet = "=><+-/*^ ,(";
    const std::string rightSet = "=><+-/*^ ,)";
    for (const ScriptVariable& variable : variables) {
        if (variable.name.empty()) {
            continue;
        }
        size_t pos = 0;
        while (true) {
            pos = UpperCaseText(text).find(variable.name, pos);
            if (pos == std::string::npos) {
                break;
            }
            const size_t after = pos + variable.name.size();
            size_t quotes = 0;
            for (size_t i = 0; i < pos; ++i) {
                quotes += text[i] == '\'';
            }
            const bool reference =
                (pos == 0 || leftSet.find(text[pos - 1]) != std::string::npos) &&
                (after == text.size() || rightSet.find(text[after]) != std::string::npos) &&
                quotes % 2 == 0;
            if (!reference) {
                ++pos;
                continue;
            }
            const std::string insertion = variable.type == ValueType::Number ? variable.value
                                          : variable.type == ValueType::None
                                              ? "0"
                                              : "'" + variable.value + "'";
            text.replace(pos, variable.name.size(), insertion);
            pos += insertion.size();
        }
    }
    return text;
}

TEST(FastPaths, SubstitutionMatchesAPlainReadingOnGeneratedText) {
    std::mt19937 random(5);
    static const char* const kPieces[] = {"A", "a",   "AB", "B", "-A", "A-", "x",  "'",
                                          " ", "+",   "-",  "(", ")",  "%",  ",",  "=",
                                          "1", "A B", "ab", "é", "É",  "_",  "A_", "#"};
    static const char* const kNames[] = {"A", "AB", "B", "-A", "A-", "A B", "É", "É", "_", "1A"};
    static const char* const kValues[] = {"1", "", "A", "B + A", "it's", "-A", " 5", "A-A"};
    for (int round = 0; round < 20000; ++round) {
        ScriptEngine engine;
        const int count = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < count; ++i) {
            engine.AppendVariable(ScriptVariable{kValues[random() % 8], kNames[random() % 10],
                                                 static_cast<ValueType>(random() % 4)});
        }
        std::string text;
        const int pieces = 1 + static_cast<int>(random() % 10);
        for (int i = 0; i < pieces; ++i) {
            text += kPieces[random() % (sizeof kPieces / sizeof kPieces[0])];
        }
        ASSERT_EQ(engine.SubstituteVariables(text), PlainSubstitute(engine.Variables(), text))
            << "text: " << text;
    }
}

}  // namespace
}  // namespace vorn::test

// The expression evaluator. By the time it runs, variables, constants and
// calls have been replaced by text, so it sees literals, operators, blanks
// and parentheses only. A text holding a quote is concatenated; any other
// text is arithmetic on a flat list of terms reduced by priority.
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "common/TextPrimitives.h"
#include "game/script/ScriptEngine.h"
#include "game/script/ScriptText.h"

namespace vorn {
namespace {

using script_detail::FormatReal;
using script_detail::NumberValue;

struct Number {
    bool isReal = false;
    int32_t integer = 0;
    float real = 0.0f;

    float AsReal() const { return isReal ? real : static_cast<float>(integer); }
};

struct Term {
    int32_t priority = -1;
    char op = 0;
    Number value;
};

// The error texts Evaluate answers with. Division by zero is not an error of
// the original language, but inf / nan results are not numbers a script can
// use, so both "/" and "%" by zero report it.
constexpr std::string_view kMissingOperator = "ERR-Missing Operator";
constexpr std::string_view kInvalidFloat = "ERR-Invalid Float";
constexpr std::string_view kInvalidOperation = "ERR-Invalid Operation";
constexpr std::string_view kImbalanced = "ERR-Imbalanced Paranthesis";
constexpr std::string_view kModuloFloats = "ERR-Cannot Use Floats With Modulo";
constexpr std::string_view kDivisionByZero = "ERR-Division By Zero";

int32_t BasePriority(char op) {
    switch (op) {
        case '+':
        case '-':
            return 8;
        case '*':
        case '/':
        case '%':
            return 9;
        default:
            return 10;  // '^'
    }
}

// Integer arithmetic wraps at 32 bits; unsigned arithmetic gives that
// without undefined behaviour.
int32_t Wrap(uint32_t value) {
    return static_cast<int32_t>(value);
}

// Combines a with b; false and `error` set when the operation has no value.
bool Combine(const Number& a, char op, const Number& b, Number& out, std::string_view& error) {
    const bool bothInteger = !a.isReal && !b.isReal;
    switch (op) {
        case '+':
        case '-':
        case '*':
            if (bothInteger) {
                const uint32_t x = static_cast<uint32_t>(a.integer);
                const uint32_t y = static_cast<uint32_t>(b.integer);
                out.isReal = false;
                out.integer = Wrap(op == '+' ? x + y : op == '-' ? x - y : x * y);
            } else {
                const float x = a.AsReal();
                const float y = b.AsReal();
                out.isReal = true;
                out.real = op == '+' ? x + y : op == '-' ? x - y : x * y;
            }
            return true;
        case '/':
            if (b.AsReal() == 0.0f) {
                error = kDivisionByZero;
                return false;
            }
            out.isReal = true;
            out.real = a.AsReal() / b.AsReal();
            return true;
        case '%':
            if (!bothInteger) {
                error = kModuloFloats;
                return false;
            }
            if (b.integer == 0) {
                error = kDivisionByZero;
                return false;
            }
            out.isReal = false;
            // INT32_MIN % -1 overflows in C++; its true remainder is 0.
            out.integer = b.integer == -1 ? 0 : a.integer % b.integer;
            return true;
        default: {  // '^'
            const float power = static_cast<float>(
                std::pow(static_cast<double>(a.AsReal()), static_cast<double>(b.AsReal())));
            if (bothInteger) {
                out.isReal = false;
                out.integer = RoundHalfEven(power);
            } else {
                out.isReal = true;
                out.real = power;
            }
            return true;
        }
    }
}

std::string EvaluateString(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    bool inside = false;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\'') {
            inside = !inside;
        } else if (text[i] == '+' && !inside) {
            for (char c : TrimSpaces(text.substr(start, i - start))) {
                if (c != '\'') {
                    result.push_back(c);
                }
            }
            start = i + 1;
        }
    }
    for (char c : text.substr(start)) {
        if (c != '\'') {
            result.push_back(c);
        }
    }
    return result;
}

Number ReadLiteral(std::string_view text, size_t start, size_t end, bool isReal) {
    const std::string_view literal = text.substr(start, end - start + 1);
    Number number;
    number.isReal = isReal;
    if (isReal) {
        number.real = NumberValue(literal);
    } else {
        number.integer = TextToInt(literal);
    }
    return number;
}

std::string FormatNumber(const Number& number) {
    return number.isReal ? FormatReal(number.real) : IntToText(number.integer);
}

std::string EvaluateArithmetic(std::string_view text) {
    constexpr size_t kNone = static_cast<size_t>(-1);
    size_t numberStart = kNone;
    size_t numberEnd = 0;
    bool isReal = false;
    bool blankSeen = false;
    int64_t level = 0;  // 64 bits: a long text of parentheses cannot overflow it
    int64_t maxPriority = 0;
    std::vector<Term> terms;

    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (numberStart == kNone) {
                numberStart = i;
            } else if (blankSeen) {
                return std::string(kMissingOperator);
            }
            numberEnd = i;
            blankSeen = false;
        } else if (c == '-' && numberStart == kNone) {
            numberStart = i;  // a sign
            numberEnd = i;
            blankSeen = false;
        } else if (c == '.') {
            if (numberStart == kNone) {
                return std::string(kInvalidFloat);
            }
            if (blankSeen) {
                return std::string(kMissingOperator);
            }
            numberEnd = i;
            isReal = true;
            blankSeen = false;
        } else if (c == ' ') {
            blankSeen = true;
        } else if (c == '(') {
            level += 100;
        } else if (c == ')') {
            level -= 100;
        } else if (c == '+' || c == '-' || c == '*' || c == '/' || c == '%' || c == '^') {
            Term term;
            if (numberStart != kNone) {
                term.value = ReadLiteral(text, numberStart, numberEnd, isReal);
            }
            term.op = c;
            const int64_t priority = BasePriority(c) + level;
            // Priorities are compared only with each other; clamping keeps
            // absurd nesting inside 32 bits without changing any order that
            // a script of sane depth can produce.
            term.priority = static_cast<int32_t>(
                priority > INT32_MAX / 2 ? INT32_MAX / 2
                                         : (priority < INT32_MIN / 2 ? INT32_MIN / 2 : priority));
            if (term.priority > maxPriority) {
                maxPriority = term.priority;
            }
            terms.push_back(term);
            numberStart = kNone;
            isReal = false;
            blankSeen = false;
        }
    }

    if (maxPriority == 0) {
        return std::string(text);
    }
    if (numberStart == kNone) {
        return std::string(kInvalidOperation);
    }
    if (level != 0) {
        return std::string(kImbalanced);
    }
    Term last;
    last.value = ReadLiteral(text, numberStart, numberEnd, isReal);
    terms.push_back(last);

    // Reduction: merge every term of the highest priority into its right
    // neighbour, left to right, then move down to the next priority met.
    int32_t current = static_cast<int32_t>(maxPriority);
    Number lastResult;
    while (true) {
        int32_t candidate = 0;
        size_t write = 0;  // terms are compacted in place as they merge
        for (size_t read = 0; read < terms.size(); ++read) {
            Term& term = terms[read];
            if (term.priority == current && read + 1 < terms.size()) {
                std::string_view error;
                if (!Combine(term.value, term.op, terms[read + 1].value, lastResult, error)) {
                    return std::string(error);
                }
                terms[read + 1].value = lastResult;
                continue;
            }
            if (term.priority < current && term.priority > candidate) {
                candidate = term.priority;
            }
            terms[write++] = term;
        }
        terms.resize(write);
        if (candidate <= 0) {
            break;
        }
        current = candidate;
    }
    return FormatNumber(lastResult);
}

}  // namespace

std::string Evaluate(std::string_view text) {
    if (text.find('\'') != std::string_view::npos) {
        return EvaluateString(text);
    }
    return EvaluateArithmetic(text);
}

}  // namespace vorn

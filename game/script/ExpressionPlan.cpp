// Preparing expressions and substituting through the prepared tokens.
//
// Why the tokens give the plain result: a simple name is a run of name
// characters, and a reference needs boundary characters (never name
// characters) on both sides, so every reference is a whole run. Inserted
// numbers hold no letter and inserted strings stand in quotes without a
// quote inside, so no insertion creates, hides or shifts a reference or the
// quote count of what follows; the first variable of a name takes every
// reference, in any order.
#include "game/script/ExpressionPlan.h"

#include "common/TextPrimitives.h"
#include "game/script/EngineState.h"
#include "game/script/ScriptText.h"

namespace vorn::script_detail {
namespace {

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsPlainNumberText(std::string_view text) {
    for (char c : text) {
        if ((c < '0' || c > '9') && c != '-' && c != '.' && c != ' ') {
            return false;
        }
    }
    return true;
}

}  // namespace

void PrepareExpression(Expression& expression, std::string_view text) {
    expression.text.assign(text);
    expression.tokens.clear();
    expression.hasHash = text.find('#') != std::string_view::npos;
    bool insideQuotes = false;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (!IsNameChar(c)) {
            if (c == '\'') {
                insideQuotes = !insideQuotes;
            }
            ++i;
            continue;
        }
        const size_t start = i;
        bool hasLetter = false;
        while (i < text.size() && IsNameChar(text[i])) {
            hasLetter = hasLetter || !(text[i] >= '0' && text[i] <= '9');
            ++i;
        }
        const bool leftOk = start == 0 || IsLeftBoundary(text[start - 1]);
        const bool rightOk = i == text.size() || IsVariableRightBoundary(text[i]);
        if (hasLetter && leftOk && rightOk && !insideQuotes) {
            VariableToken token;
            token.start = static_cast<uint32_t>(start);
            token.length = static_cast<uint32_t>(i - start);
            token.name = UpperCaseText(text.substr(start, i - start));
            expression.tokens.push_back(std::move(token));
        }
    }
}

bool SubstituteFast(EngineState& state, const Expression& expression, std::string& out,
                    bool& mayHaveCalls, std::vector<CommandOccurrence>& occurrences,
                    bool& occurrencesKnown) {
    if (expression.text.size() > UINT32_MAX || !state.VariableNamesSimple()) {
        return false;
    }
    const CommandIndex& commands = state.Commands();
    if (expression.commandsVersion != state.commandsVersion) {
        expression.occurrences.clear();
        commands.FindAll(expression.text, 0, expression.text.size(), expression.occurrences);
        expression.commandsVersion = state.commandsVersion;
    }
    // With simple command names no name crosses the edge of an inserted
    // value or of a replaced name, so the occurrences of the result are
    // those of the kept text, moved, plus those inside inserted strings.
    occurrencesKnown = commands.AllNamesSimple();
    occurrences.clear();
    const std::vector<CommandOccurrence>& fixed = expression.occurrences;
    size_t nextFixed = 0;
    const std::string& text = expression.text;
    out.clear();
    size_t copied = 0;
    const auto keepFixedBefore = [&](size_t limit) {
        const size_t shift = out.size() - copied;  // out grows by shift past `copied`
        for (; nextFixed < fixed.size() && fixed[nextFixed].position < limit; ++nextFixed) {
            occurrences.push_back(
                CommandOccurrence{fixed[nextFixed].command, fixed[nextFixed].position + shift});
        }
    };
    for (const VariableToken& token : expression.tokens) {
        const int32_t index = state.FindVariableCached(token.name, token.lookup);
        if (index < 0) {
            continue;
        }
        const ScriptVariable& variable = state.variables[static_cast<size_t>(index)];
        keepFixedBefore(token.start);
        out.append(text, copied, token.start - copied);
        // Names inside the replaced token go with it.
        while (nextFixed < fixed.size() && fixed[nextFixed].position < token.start + token.length) {
            ++nextFixed;
        }
        if (variable.type == ValueType::Number) {
            if (!IsPlainNumberText(variable.value)) {
                return false;
            }
            out.append(variable.value);
        } else if (variable.type == ValueType::None) {
            out.push_back('0');
        } else {
            if (variable.value.find('\'') != std::string::npos) {
                return false;
            }
            out.push_back('\'');
            const size_t valueStart = out.size();
            out.append(variable.value);
            out.push_back('\'');
            if (occurrencesKnown) {
                commands.FindAll(out, valueStart, valueStart + variable.value.size(), occurrences);
            }
        }
        copied = token.start + token.length;
        if (out.size() > kMaxExpressionLength) {
            return false;
        }
    }
    keepFixedBefore(text.size());
    out.append(text, copied, std::string::npos);
    mayHaveCalls = !occurrencesKnown || !occurrences.empty();
    return out.size() <= kMaxExpressionLength;
}

}  // namespace vorn::script_detail

// Call expansion: every command call inside an expression is run, innermost
// and rightmost first, and replaced by its return value as text.
#include "common/TextPrimitives.h"
#include "game/script/EngineState.h"
#include "game/script/ScriptText.h"

namespace vorn::script_detail {

// Each pass runs one call; a command whose result text holds a new call
// (a host string such as "X()") could keep the expansion going for ever.
// A script line never holds anywhere near this many calls.
constexpr int kMaxCallsPerExpansion = 1000;

namespace {

struct ChosenCall {
    size_t position = 0;
    size_t commandIndex = 0;
    bool found = false;
};

// Picks the pass's call: for each command in table order its last occurrence
// counts; an empty call "NAME()" always wins over earlier choices, any other
// qualifying occurrence only when it stands further right.
ChosenCall ChooseCall(EngineState& state, const std::string& text,
                      std::vector<CommandOccurrence>& occurrences) {
    state.Commands().FindLastOccurrences(text, occurrences);
    ChosenCall chosen;
    for (const CommandOccurrence& occurrence : occurrences) {
        const size_t k = static_cast<size_t>(occurrence.command);
        const size_t p = occurrence.position;
        const size_t afterPos = p + state.commands[k].name.size();
        const bool hasAfter = afterPos < text.size();
        if (hasAfter && text[afterPos] == '(' && afterPos + 1 < text.size() &&
            text[afterPos + 1] == ')') {
            chosen = ChosenCall{p, k, true};
            continue;
        }
        const bool boundaries = hasAfter && IsCallRightBoundary(text[afterPos]) &&
                                (p == 0 || IsLeftBoundary(text[p - 1]));
        if (boundaries && (!chosen.found || p > chosen.position) && !InsideQuotes(text, p)) {
            chosen = ChosenCall{p, k, true};
        }
    }
    return chosen;
}

std::string ReturnValueText(EngineState& state) {
    const int32_t index = state.FindReturnValue();
    if (index < 0) {
        return "0";
    }
    const ScriptVariable& ret = state.variables[static_cast<size_t>(index)];
    if (ret.type == kNumber) {
        return ret.value;
    }
    if (ret.type == kNoValue) {
        return "0";
    }
    return "'" + ret.value + "'";
}

}  // namespace

std::string ExpandCalls(EngineState& state, std::string_view input) {
    std::string text(input);
    std::vector<CommandOccurrence> occurrences;
    for (int calls = 0;; ++calls) {
        const ChosenCall call = ChooseCall(state, text, occurrences);
        if (!call.found) {
            return text;
        }
        if (calls >= kMaxCallsPerExpansion) {
            state.lastError = "Expression error. Too many calls in one expression.";
            return "#ERROR";
        }
        // Copies: the command may change the command table.
        const std::string name = state.commands[call.commandIndex].name;
        const int32_t parameterCount = state.commands[call.commandIndex].parameterCount;
        const size_t open = text.find('(', call.position);
        if (open == std::string::npos) {
            // A name followed by a blank with no argument list anywhere after
            // it is no call; the text is left as it stands.
            return text;
        }
        std::string argument;
        size_t end = 0;  // one past the call's last character
        if (parameterCount > 0) {
            int64_t depth = 0;
            size_t close = std::string::npos;
            for (size_t i = open + 1; i < text.size(); ++i) {
                if (text[i] == '(') {
                    ++depth;
                } else if (text[i] == ')') {
                    if (depth == 0) {
                        close = i;
                        break;
                    }
                    --depth;
                }
            }
            if (close == std::string::npos) {
                state.lastError = "Syntax error: '(' expected after '" + name + "'.";
                return "#ERROR";
            }
            argument.assign(TrimSpaces(std::string_view(text).substr(open + 1, close - open - 1)));
            end = close + 1;
        } else {
            end = open + 2 <= text.size() ? open + 2 : text.size();
        }
        const int32_t first = state.Commands().FirstOfName(static_cast<int32_t>(call.commandIndex));
        const int32_t code = CallCommandAt(state, first, name, argument);
        if (code != script_result::kOk) {
            return "#ERROR:" + IntToText(code);
        }
        text.replace(call.position, end - call.position, ReturnValueText(state));
        if (text.size() > kMaxExpressionLength) {
            state.lastError = "Expression error. The expression grew too long.";
            return "#ERROR";
        }
    }
}

}  // namespace vorn::script_detail

namespace vorn::script_detail {

std::string ExpandExpression(EngineState& state, const Expression& expression,
                             ConstantsStep constants) {
    std::string text;
    bool mayHaveCalls = true;
    const bool constantsFirst = constants == ConstantsStep::kBefore && expression.hasHash &&
                                !state.constants.empty();
    if (constantsFirst) {
        const std::string expanded = ExpandConstants(state, expression.text);
        if (expanded != expression.text) {
            return ExpandCalls(state, SubstituteVariables(state, expanded));
        }
    }
    if (!SubstituteFast(state, expression, text, mayHaveCalls)) {
        text = SubstituteVariables(state, expression.text);
        mayHaveCalls = true;
    }
    if (constants == ConstantsStep::kAfter && !state.constants.empty() &&
        text.find('#') != std::string::npos) {
        std::string expanded = ExpandConstants(state, text);
        if (expanded != text) {
            text.swap(expanded);
            mayHaveCalls = true;
        }
    }
    return mayHaveCalls ? ExpandCalls(state, text) : text;
}

}  // namespace vorn::script_detail

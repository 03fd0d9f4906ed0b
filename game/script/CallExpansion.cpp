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

// Picks the pass's call from the last occurrence of each command, in table
// order: an empty call "NAME()" always wins over earlier choices, any other
// qualifying occurrence only when it stands further right.
ChosenCall ChooseCall(const EngineState& state, const std::string& text,
                      const std::vector<CommandOccurrence>& lastOccurrences) {
    ChosenCall chosen;
    for (const CommandOccurrence& occurrence : lastOccurrences) {
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

// Keeps the list of all name occurrences right after text[position, oldEnd)
// was replaced by `insertedLength` characters: occurrences wholly before the
// change stay, those after it move, and only the starts near the change are
// searched again.
void UpdateOccurrences(const CommandIndex& index, const std::string& text, size_t position,
                       size_t oldEnd, size_t insertedLength, std::vector<CommandOccurrence>& all,
                       std::vector<CommandOccurrence>& scratch) {
    const size_t reach = index.LongestName();
    const size_t windowStart = position + 1 >= reach ? position + 1 - reach : 0;
    scratch.clear();
    size_t i = 0;
    while (i < all.size() && all[i].position < windowStart) {
        scratch.push_back(all[i++]);
    }
    index.FindAll(text, windowStart, position + insertedLength, scratch);
    while (i < all.size() && all[i].position < oldEnd) {
        ++i;
    }
    for (; i < all.size(); ++i) {
        scratch.push_back(CommandOccurrence{all[i].command,
                                            all[i].position - oldEnd + position + insertedLength});
    }
    all.swap(scratch);
}

std::string ReturnValueText(EngineState& state) {
    const int32_t index = state.FindReturnValue();
    if (index < 0) {
        return "0";
    }
    const ScriptVariable& ret = state.variables[static_cast<size_t>(index)];
    if (ret.type == ValueType::Number) {
        return ret.value;
    }
    if (ret.type == ValueType::None) {
        return "0";
    }
    return "'" + ret.value + "'";
}

}  // namespace

namespace {

// The text between the "(" at `open` and its matching ")", and one past
// that ")"; npos when no ")" closes it.
std::pair<std::string_view, size_t> ParenthesisedText(std::string_view text, size_t open) {
    int64_t depth = 0;
    for (size_t i = open + 1; i < text.size(); ++i) {
        if (text[i] == '(') {
            ++depth;
        } else if (text[i] == ')') {
            if (depth == 0)
                return {TrimSpaces(text.substr(open + 1, i - open - 1)), i + 1};
            --depth;
        }
    }
    return {TrimSpaces(text.substr(open + 1)), std::string_view::npos};
}

// With `listing`, nothing is called: each call is recorded there and taken
// as returning 0, so that the calls around it are found as the run would
// find them.
std::string Expand(EngineState& state, std::string_view input,
                   const std::vector<CommandOccurrence>* known,
                   std::vector<CallInfo>* listing = nullptr) {
    std::string text(input);
    const BorrowedBuffers buffers(state);
    std::vector<CommandOccurrence>& all = buffers->all;
    std::vector<CommandOccurrence>& last = buffers->last;
    std::vector<CommandOccurrence>& scratch = buffers->scratch;
    uint64_t indexedVersion = 0;
    for (int calls = 0;; ++calls) {
        const CommandIndex& index = state.Commands();
        if (indexedVersion != state.commandsVersion) {
            // First pass, or a command changed the table: search everything
            // unless the caller knows the occurrences already.
            all.clear();
            if (calls == 0 && known != nullptr) {
                all = *known;
            } else {
                index.FindAll(text, 0, text.size(), all);
            }
            indexedVersion = state.commandsVersion;
        }
        index.LastPerCommand(all, last);
        const ChosenCall call = ChooseCall(state, text, last);
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
        const auto [written, closeEnd] = ParenthesisedText(text, open);
        if (parameterCount > 0) {
            if (closeEnd == std::string_view::npos) {
                if (listing != nullptr) {
                    // The run stops here; the listing goes on with the
                    // calls before it, as if the ")" were at the end.
                    listing->push_back(
                        CallInfo{name, std::string(written),
                                 static_cast<int32_t>(SplitArguments(written).size()),
                                 parameterCount, false});
                    text.resize(call.position);
                    text.push_back('0');
                    all.clear();
                    index.FindAll(text, 0, text.size(), all);
                    continue;
                }
                state.lastError = "Syntax error: '(' expected after '" + name + "'.";
                return "#ERROR";
            }
            argument.assign(written);
            end = closeEnd;
        } else {
            end = open + 2 <= text.size() ? open + 2 : text.size();
        }
        if (listing != nullptr) {
            // What the author wrote between the parentheses, even where a
            // command without parameters takes none of it.
            listing->push_back(CallInfo{name, std::string(written),
                                        static_cast<int32_t>(SplitArguments(written).size()),
                                        parameterCount, closeEnd != std::string_view::npos});
            // One character, not a literal: GCC mistakes a literal copied
            // into the text for an overlap in optimised builds.
            text.replace(call.position, end - call.position, 1, '0');
            all.clear();
            index.FindAll(text, 0, text.size(), all);
            continue;
        }
        const int32_t first = state.Commands().FirstOfName(static_cast<int32_t>(call.commandIndex));
        const ScriptResult code = CallCommandAt(state, first, name, argument);
        if (code != ScriptResult::Ok) {
            return "#ERROR:" + IntToText(Code(code));
        }
        const std::string value = ReturnValueText(state);
        text.replace(call.position, end - call.position, value);
        if (indexedVersion == state.commandsVersion) {
            UpdateOccurrences(state.Commands(), text, call.position, end, value.size(), all,
                              scratch);
        }
        if (text.size() > kMaxExpressionLength) {
            state.lastError = "Expression error. The expression grew too long.";
            return "#ERROR";
        }
    }
}

}  // namespace
}  // namespace vorn::script_detail

namespace vorn::script_detail {

std::string ExpandCalls(EngineState& state, std::string_view text) {
    return Expand(state, text, nullptr);
}

std::vector<CallInfo> ListCalls(EngineState& state, std::string_view text) {
    std::vector<CallInfo> calls;
    Expand(state, text, nullptr, &calls);
    return calls;
}

std::string ExpandCallsKnowing(EngineState& state, std::string_view text,
                               const std::vector<CommandOccurrence>& occurrences) {
    return Expand(state, text, &occurrences);
}

std::string ExpandExpression(EngineState& state, const Expression& expression,
                             ConstantsStep constants) {
    std::string text;
    bool mayHaveCalls = true;
    const BorrowedBuffers buffers(state);
    std::vector<CommandOccurrence>& occurrences = buffers->known;
    bool occurrencesKnown = false;
    const bool constantsFirst =
        constants == ConstantsStep::kBefore && expression.hasHash && !state.constants.empty();
    if (constantsFirst) {
        const std::string expanded = ExpandConstants(state, expression.text);
        if (expanded != expression.text) {
            return ExpandCalls(state, SubstituteVariables(state, expanded));
        }
    }
    if (!SubstituteFast(state, expression, text, mayHaveCalls, occurrences, occurrencesKnown)) {
        text = SubstituteVariables(state, expression.text);
        mayHaveCalls = true;
        occurrencesKnown = false;
    }
    if (constants == ConstantsStep::kAfter && !state.constants.empty() &&
        text.find('#') != std::string::npos) {
        std::string expanded = ExpandConstants(state, text);
        if (expanded != text) {
            text.swap(expanded);
            mayHaveCalls = true;
            occurrencesKnown = false;
        }
    }
    if (!mayHaveCalls) {
        return text;
    }
    return occurrencesKnown ? ExpandCallsKnowing(state, text, occurrences)
                            : ExpandCalls(state, text);
}

}  // namespace vorn::script_detail

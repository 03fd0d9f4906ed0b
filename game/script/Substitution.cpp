// Variable substitution: every variable reference in an expression text is
// replaced by the variable's value, variables taken in table order.
#include "common/TextPrimitives.h"
#include "game/script/EngineState.h"
#include "game/script/ScriptText.h"

namespace vorn::script_detail {

std::string InsertionFor(const ScriptVariable& variable) {
    if (variable.type == ValueType::Number) {
        return variable.value;
    }
    if (variable.type == ValueType::None) {
        return "0";
    }
    // Strings, and unknown type codes, are inserted quoted.
    return "'" + variable.value + "'";
}

namespace {

// Appends text to out, keeping track of whether out ends inside quotes.
void AppendCounting(std::string& out, std::string_view text, bool& insideQuotes) {
    for (char c : text) {
        if (c == '\'') {
            insideQuotes = !insideQuotes;
        }
    }
    out.append(text);
}

}  // namespace

// One variable's pass reads the text once, left to right, building the
// result as it goes; the part already built is exactly the text as the
// replacements so far have left it, so the character before an occurrence
// and the quote count come from it. The search goes on after an inserted
// value: a value holding its own name would otherwise be replaced without
// end.
std::string SubstituteVariables(EngineState& state, std::string_view text) {
    std::string current(text);
    std::string upper;
    std::string out;
    for (const ScriptVariable& variable : state.variables) {
        const std::string& name = variable.name;
        // A variable restored with an empty name would match everywhere.
        if (name.empty() || current.size() < name.size()) {
            continue;
        }
        upper = UpperCaseText(current);
        size_t pos = upper.find(name);
        if (pos == std::string::npos) {
            continue;
        }
        out.clear();
        bool insideQuotes = false;
        size_t copied = 0;  // current[0, copied) is in out
        std::string insertion;
        bool insertionReady = false;
        while (pos != std::string::npos) {
            AppendCounting(out, std::string_view(current).substr(copied, pos - copied),
                           insideQuotes);
            copied = pos;
            const size_t after = pos + name.size();
            const bool isReference =
                (out.empty() || IsLeftBoundary(out.back())) &&
                (after == current.size() || IsVariableRightBoundary(current[after])) &&
                !insideQuotes;
            if (!isReference) {
                pos = upper.find(name, pos + 1);
                continue;
            }
            if (!insertionReady) {
                insertion = InsertionFor(variable);
                insertionReady = true;
            }
            AppendCounting(out, insertion, insideQuotes);
            copied = after;
            if (out.size() + (current.size() - copied) > kMaxExpressionLength) {
                state.lastError = "Expression error. The expression grew too long.";
                return "#ERROR";
            }
            pos = upper.find(name, after);
        }
        out.append(current, copied, std::string::npos);
        current.swap(out);
    }
    return current;
}

}  // namespace vorn::script_detail

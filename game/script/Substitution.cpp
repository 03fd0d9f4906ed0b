// Variable substitution: every variable reference in an expression text is
// replaced by the variable's value, variables taken in table order.
#include "common/TextPrimitives.h"
#include "game/script/EngineState.h"
#include "game/script/ScriptText.h"

namespace vorn::script_detail {

// A longer text than this is not a script expression but a runaway (values
// that refer to later variables can multiply a text's length); substitution
// then stops with an error.
constexpr size_t kMaxExpressionLength = 1 << 20;

std::string InsertionFor(const ScriptVariable& variable) {
    if (variable.type == kNumber) {
        return variable.value;
    }
    if (variable.type == kNoValue) {
        return "0";
    }
    // Strings, and unknown type codes, are inserted quoted.
    return "'" + variable.value + "'";
}

std::string SubstituteVariables(EngineState& state, std::string_view text) {
    std::string result(text);
    std::string upper = UpperCaseText(text);
    for (const ScriptVariable& variable : state.variables) {
        const std::string& name = variable.name;
        // A variable restored with an empty name would match everywhere.
        if (name.empty()) {
            continue;
        }
        size_t pos = 0;
        while ((pos = upper.find(name, pos)) != std::string::npos) {
            const size_t after = pos + name.size();
            const bool isReference = (pos == 0 || IsLeftBoundary(result[pos - 1])) &&
                                     (after == result.size() || IsVariableRightBoundary(result[after])) &&
                                     !InsideQuotes(result, pos);
            if (!isReference) {
                ++pos;
                continue;
            }
            const std::string insertion = InsertionFor(variable);
            result.replace(pos, name.size(), insertion);
            upper.replace(pos, name.size(), UpperCaseText(insertion));
            if (result.size() > kMaxExpressionLength) {
                state.lastError = "Expression error. The expression grew too long.";
                return "#ERROR";
            }
            // The inserted value is not searched again for the same variable:
            // a value that holds its own name would otherwise be replaced
            // without end.
            pos += insertion.size();
        }
    }
    return result;
}

}  // namespace vorn::script_detail

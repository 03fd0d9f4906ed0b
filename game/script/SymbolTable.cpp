// Variables ("RET" included), the argument list and the last error text.
#include "common/TextPrimitives.h"
#include "game/script/EngineState.h"

namespace vorn {

using script_detail::EngineState;

namespace script_detail {

int32_t EngineState::FindVariable(std::string_view name) const {
    for (size_t i = 0; i < variables.size(); ++i) {
        if (variables[i].name == name) {
            return static_cast<int32_t>(i);
        }
    }
    return -1;
}

int32_t EngineState::FindVariableCached(std::string_view name, LookupCache& cache) const {
    if (cache.version != variableNamesVersion) {
        cache.index = FindVariable(name);
        cache.version = variableNamesVersion;
    }
    return cache.index;
}

bool EngineState::VariableNamesSimple() {
    if (simpleNamesVersion_ != variableNamesVersion) {
        simpleNames_ = true;
        for (const ScriptVariable& variable : variables) {
            bool hasLetter = false;
            for (char c : variable.name) {
                if ((c >= 'A' && c <= 'Z') || c == '_') {
                    hasLetter = true;
                } else if (c < '0' || c > '9') {
                    hasLetter = false;
                    break;
                }
            }
            simpleNames_ = simpleNames_ && hasLetter;
        }
        simpleNamesVersion_ = variableNamesVersion;
    }
    return simpleNames_;
}

}  // namespace script_detail

bool ScriptEngine::IsNumberText(std::string_view text) {
    const std::string_view trimmed = TrimSpaces(text);
    for (size_t i = 0; i < trimmed.size(); ++i) {
        const char c = trimmed[i];
        if (i == 0 && c == '-') {
            continue;
        }
        if ((c < '0' || c > '9') && c != '.') {
            return false;
        }
    }
    return true;
}

void ScriptEngine::SetLastError(std::string_view text) {
    state_->lastError.assign(text);
}

const std::string& ScriptEngine::LastError() const {
    return state_->lastError;
}

int32_t ScriptEngine::CurrentLine() const {
    return state_->currentLine;
}

std::string ScriptEngine::ErrorReportText() const {
    // 64 bits: the line before line 0 (-1) and the last line both print sanely.
    return state_->lastError + " Line " +
           std::to_string(static_cast<int64_t>(state_->currentLine) + 1);
}

bool ScriptEngine::SetSymbol(std::string_view name, std::string_view value, ValueType type) {
    const std::string_view trimmed = TrimSpaces(name);
    const std::string upper = UpperCaseText(trimmed);
    const int32_t index = state_->FindVariable(upper);
    if (index >= 0) {
        ScriptVariable& variable = state_->variables[static_cast<size_t>(index)];
        variable.value.assign(value);
        if (type != ValueType::Unchanged) {
            variable.type = type;
        }
        return true;
    }
    if (type != ValueType::Unchanged && !trimmed.empty() && !IsNumberText(trimmed)) {
        state_->variables.push_back(ScriptVariable{std::string(value), upper, type});
        state_->VariablesChanged();
        return true;
    }
    SetLastError("Set symbol failed. Invalid symbol name or symbol type.");
    return false;
}

const ScriptVariable* ScriptEngine::GetSymbol(std::string_view name) {
    const int32_t index = state_->FindVariable(UpperCaseText(name));
    if (index < 0) {
        SetLastError("Get symbol failed. Symbol " + std::string(name) + " does not exist.");
        return nullptr;
    }
    return &state_->variables[static_cast<size_t>(index)];
}

bool ScriptEngine::FreeSymbol(std::string_view name) {
    const int32_t index = state_->FindVariable(name);
    if (index < 0) {
        SetLastError("Free symbol failed. Symbol " + std::string(name) + " does not exist.");
        return false;
    }
    state_->variables.erase(state_->variables.begin() + index);
    state_->VariablesChanged();
    return true;
}

void ScriptEngine::SetReturnValue(std::string_view value, ValueType type) {
    const int32_t index = state_->FindReturnValue();
    if (index >= 0) {
        ScriptVariable& ret = state_->variables[static_cast<size_t>(index)];
        ret.value.assign(value);
        if (type != ValueType::Unchanged) {
            ret.type = type;
        }
        return;
    }
    SetSymbol("RET", value, type);
}

const std::vector<ScriptVariable>& ScriptEngine::Variables() const {
    return state_->variables;
}

void ScriptEngine::AppendVariable(ScriptVariable variable) {
    state_->variables.push_back(std::move(variable));
    state_->VariablesChanged();
}

bool ScriptEngine::PushArgument(std::string_view value, ValueType type) {
    if (Code(type) < 0) {
        SetLastError("Stack push failed. Invalid symbol type.");
        return false;
    }
    state_->arguments.push_back(ScriptArgument{std::string(value), type});
    return true;
}

size_t ScriptEngine::ArgumentCount() const {
    return state_->arguments.size();
}

const ScriptArgument& ScriptEngine::Argument(size_t index) const {
    // A procedure asking past the end gets an empty value instead of a read
    // outside the list.
    static const ScriptArgument kEmpty{};
    if (index >= state_->arguments.size()) {
        return kEmpty;
    }
    return state_->arguments[index];
}

}  // namespace vorn

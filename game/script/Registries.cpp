// The command and constant tables, constant expansion and the invocation of
// a command by name with an argument text.
#include "common/TextPrimitives.h"
#include "game/script/EngineState.h"
#include "game/script/ScriptText.h"

namespace vorn {

using script_detail::EngineState;

namespace script_detail {

const CommandIndex& EngineState::Commands() {
    if (commandIndexVersion_ != commandsVersion) {
        commandIndex_.Build(commands);
        commandIndexVersion_ = commandsVersion;
    }
    return commandIndex_;
}

int32_t EngineState::FindCommand(std::string_view upperName) {
    return Commands().FirstNamed(upperName);
}

int32_t EngineState::FindCommandCached(std::string_view upperName, LookupCache& cache) {
    if (cache.version != commandsVersion) {
        cache.index = FindCommand(upperName);
        cache.version = commandsVersion;
    }
    return cache.index;
}

std::string ExpandConstants(const EngineState& state, std::string_view text) {
    if (state.constants.empty() || text.find('#') == std::string_view::npos) {
        return std::string(text);
    }
    std::string result(text);
    std::string reference;
    std::string out;
    for (const ConstantEntry& constant : state.constants) {
        reference.clear();
        reference.push_back('#');
        reference.append(constant.name);
        size_t pos = result.find(reference);
        if (pos == std::string::npos) {
            continue;
        }
        // Built anew left to right; the inserted value is not searched again
        // for this constant.
        out.clear();
        size_t copied = 0;
        while (pos != std::string::npos) {
            out.append(result, copied, pos - copied).append(constant.value);
            copied = pos + reference.size();
            if (out.size() > kMaxExpressionLength) {
                break;  // a runaway: the rest stays unexpanded
            }
            pos = result.find(reference, copied);
        }
        out.append(result, copied, std::string::npos);
        result.swap(out);
    }
    return result;
}

// Splits at commas outside quotes. No separating comma and a blank text
// give no argument at all.
std::vector<std::string_view> SplitArguments(std::string_view text) {
    std::vector<std::string_view> pieces;
    bool inside = false;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\'') {
            inside = !inside;
        } else if (text[i] == ',' && !inside) {
            pieces.push_back(TrimSpaces(text.substr(start, i - start)));
            start = i + 1;
        }
    }
    const std::string_view last = TrimSpaces(text.substr(start));
    if (!pieces.empty() || !last.empty()) {
        pieces.push_back(last);
    }
    return pieces;
}

namespace {

// The i-th (0-based) field of text cut at every comma, quotes ignored.
std::string_view CommaField(std::string_view text, size_t index) {
    size_t start = 0;
    for (size_t field = 0; field < index; ++field) {
        const size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            return {};
        }
        start = comma + 1;
    }
    const size_t end = text.find(',', start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

}  // namespace

ScriptResult CallCommand(EngineState& state, std::string_view name, std::string_view argumentText) {
    const std::string upperName = UpperCaseText(name);
    return CallCommandAt(state, state.FindCommand(upperName), upperName, argumentText);
}

ScriptResult CallCommandAt(EngineState& state, int32_t index, std::string_view upperName,
                           std::string_view argumentText) {
    state.arguments.clear();
    // Most argument texts hold no "#": then they are used as they stand.
    std::string expandedText;
    std::string_view expanded = argumentText;
    if (!state.constants.empty() && argumentText.find('#') != std::string_view::npos) {
        expandedText = ExpandConstants(state, argumentText);
        expanded = expandedText;
    }
    const std::vector<std::string_view> pieces = SplitArguments(expanded);
    ScriptResult code = ScriptResult::Ok;
    for (size_t i = 0; i < pieces.size(); ++i) {
        std::string value = Evaluate(pieces[i]);
        if (!value.empty() && value[0] == '#') {
            state.lastError =
                "Expression evaluation error in: " + std::string(CommaField(expanded, i));
            code = ScriptResult::EvaluationError;
            break;
        }
        const ValueType type =
            ScriptEngine::IsNumberText(value) ? ValueType::Number : ValueType::String;
        state.arguments.push_back(ScriptArgument{std::move(value), type});
    }
    if (code == ScriptResult::Ok) {
        if (index < 0) {
            state.lastError =
                "Syntax error. Command " + std::string(upperName) + " does not exist.";
            code = ScriptResult::UnknownCommand;
        } else {
            const CommandEntry& command = state.commands[static_cast<size_t>(index)];
            if (static_cast<int64_t>(pieces.size()) != command.parameterCount) {
                state.lastError = "Command error. Incorrect number of parameters. Expected: " +
                                  IntToText(command.parameterCount);
                code = ScriptResult::WrongArgumentCount;
            } else {
                // A copy: the procedure may register or free commands.
                const CommandProc procedure = command.procedure;
                code = procedure(*state.engine) ? ScriptResult::Ok : ScriptResult::CommandFailed;
            }
        }
    }
    state.arguments.clear();
    return code;
}

}  // namespace script_detail

bool ScriptEngine::RegisterCommand(CommandProc procedure, std::string_view name,
                                   int32_t parameterCount) {
    const std::string_view trimmed = TrimSpaces(name);
    if (!procedure || trimmed.empty() || TextToInt(trimmed) != 0) {
        SetLastError("Register command failed. Null procedure address or invalid command name.");
        return false;
    }
    state_->commands.push_back(
        script_detail::CommandEntry{std::move(procedure), parameterCount, UpperCaseText(name)});
    state_->CommandsChanged();
    return true;
}

bool ScriptEngine::CommandExists(std::string_view name) const {
    return state_->FindCommand(UpperCaseText(name)) >= 0;
}

bool ScriptEngine::FreeCommand(std::string_view name) {
    const int32_t index = state_->FindCommand(UpperCaseText(name));
    if (index < 0) {
        SetLastError("Free command failed. Command does not exist.");
        return false;
    }
    state_->commands.erase(state_->commands.begin() + index);
    state_->CommandsChanged();
    return true;
}

bool ScriptEngine::RegisterConstant(std::string_view name, std::string_view value) {
    const std::string_view trimmed = TrimSpaces(name);
    if (trimmed.empty() || TextToInt(trimmed) != 0) {
        SetLastError("Register constant failed. Invalid constant name.");
        return false;
    }
    state_->constants.push_back(
        script_detail::ConstantEntry{UpperCaseText(name), std::string(value)});
    return true;
}

bool ScriptEngine::FreeConstant(std::string_view name) {
    const std::string upper = UpperCaseText(name);
    for (size_t i = 0; i < state_->constants.size(); ++i) {
        if (state_->constants[i].name == upper) {
            state_->constants.erase(state_->constants.begin() + static_cast<ptrdiff_t>(i));
            return true;
        }
    }
    SetLastError("Free constant failed. Constant does not exist.");
    return false;
}

std::string ScriptEngine::ExpandConstants(std::string_view text) const {
    return script_detail::ExpandConstants(*state_, text);
}

void ScriptEngine::ResetSymbols(const SymbolTables& tables) {
    if (tables.commands) {
        state_->commands.clear();
        state_->CommandsChanged();
    }
    if (tables.arguments) {
        state_->arguments.clear();
    }
    if (tables.variables) {
        state_->variables.clear();
        state_->VariablesChanged();
    }
    if (tables.constants) {
        state_->constants.clear();
    }
    if (tables.position) {
        state_->currentLine = 0;
    }
    ++state_->jumpCacheEpoch;
}

ScriptResult ScriptEngine::CallCommand(std::string_view name, std::string_view argumentText) {
    return script_detail::CallCommand(*state_, name, argumentText);
}

}  // namespace vorn

// The engine object: construction, the store's dimensions, stopping and
// bounding runs, and the public entry points of the internal stages.
#include "game/script/ScriptEngine.h"

#include <ostream>

#include "common/TextPrimitives.h"
#include "game/script/EngineState.h"
#include "game/script/ScriptText.h"

namespace vorn {

std::ostream& operator<<(std::ostream& out, ValueType type) {
    return out << Code(type);
}

std::ostream& operator<<(std::ostream& out, ScriptResult result) {
    return out << Code(result);
}

ScriptEngine::ScriptEngine() : state_(std::make_unique<script_detail::EngineState>()) {
    state_->engine = this;
}

ScriptEngine::~ScriptEngine() = default;

bool ScriptEngine::InitScriptEngine(int32_t slotCount, int32_t linesPerSlot) {
    if (slotCount < 0 || linesPerSlot < 0) {
        return false;
    }
    state_->slotCount = slotCount;
    state_->linesPerSlot = linesPerSlot;
    state_->slots.assign(static_cast<size_t>(slotCount), nullptr);
    return true;
}

void ScriptEngine::RequestStop() {
    state_->stopRequested = true;
}

bool ScriptEngine::StopRequested() const {
    return state_->stopRequested;
}

void ScriptEngine::SetLineBudget(uint64_t lines) {
    state_->lineBudget = lines;
}

void ScriptEngine::SetLongRunPoll(LongRunPoll poll, std::chrono::milliseconds interval) {
    script_detail::EngineState& state = *state_;
    state.longRunPoll = std::move(poll);
    state.longRunInterval = interval;
    state.linesUntilClockRead = script_detail::kLinesPerClockRead;
    state.runStart = std::chrono::steady_clock::now();
    state.nextLongRunPoll = state.runStart + interval;
}

std::string ScriptEngine::SubstituteVariables(std::string_view text) {
    return script_detail::SubstituteVariables(*state_, text);
}

std::string ScriptEngine::ExpandCalls(std::string_view text) {
    return script_detail::ExpandCalls(*state_, text);
}

ConditionResult ScriptEngine::EvaluateCondition(int32_t slot, int32_t line) {
    if (!SlotInUse(slot)) {
        return ConditionResult::Invalid;
    }
    const auto& lines = state_->slots[static_cast<size_t>(slot)]->lines;
    if (line < 0 || static_cast<size_t>(line) >= lines.size()) {
        return ConditionResult::Invalid;
    }
    return script_detail::EvaluateCondition(*state_, lines[static_cast<size_t>(line)]);
}

ScriptResult ScriptEngine::RunScript(int32_t slot) {
    RunObserver* observer = state_->runObserver;
    if (observer == nullptr) {
        return script_detail::RunScript(*state_, slot);
    }
    observer->RunStarted(slot);
    const ScriptResult result = script_detail::RunScript(*state_, slot);
    observer->RunFinished(slot, result);
    return result;
}

void ScriptEngine::SetRunObserver(RunObserver* observer) {
    state_->runObserver = observer;
}

SourceLine ScriptEngine::CurrentSource() const {
    if (state_->runningScript == nullptr)
        return {};
    return state_->runningScript->SourceOf(state_->currentLine);
}

SourceLine ScriptEngine::ErrorSource() const {
    if (!state_->failedScript)
        return {};
    const int32_t line =
        state_->unclosedBlockLine >= 0 ? state_->unclosedBlockLine : state_->currentLine;
    return state_->failedScript->SourceOf(line);
}

namespace {

const char* OperatorText(script_detail::Comparison comparison) {
    using script_detail::Comparison;
    switch (comparison) {
        case Comparison::Equal:
            return "=";
        case Comparison::NotEqual:
            return "<>";
        case Comparison::Less:
            return "<";
        case Comparison::Greater:
            return ">";
        case Comparison::LessOrEqual:
            return "<=";
        case Comparison::GreaterOrEqual:
            return ">=";
        case Comparison::None:
            break;
    }
    return "";
}

}  // namespace

std::vector<StatementInfo> ScriptEngine::SlotStatements(int32_t slot) const {
    std::vector<StatementInfo> statements;
    if (!SlotInUse(slot))
        return statements;
    const script_detail::SlotScript& script = *state_->slots[static_cast<size_t>(slot)];
    for (size_t i = 0; i < script.lines.size() && !script.lines[i].endMark; ++i) {
        const script_detail::ScriptLine& line = script.lines[i];
        statements.push_back(StatementInfo{
            line.kind, script.SourceOf(static_cast<int32_t>(i)), line.text, line.keyword,
            line.callName, line.argumentText, line.conditionLeft, OperatorText(line.comparison),
            line.conditionRight, line.assignmentTarget, line.assignmentValue});
    }
    return statements;
}

int32_t ScriptEngine::ParameterCount(std::string_view name) const {
    const int32_t index = state_->FindCommand(UpperCaseText(TrimSpaces(name)));
    return index < 0 ? -1 : state_->commands[static_cast<size_t>(index)].parameterCount;
}

std::vector<CallInfo> ScriptEngine::ListCalls(std::string_view text) {
    return script_detail::ListCalls(*state_, text);
}

int32_t ScriptEngine::CountArguments(std::string_view argumentText) {
    return static_cast<int32_t>(script_detail::SplitArguments(argumentText).size());
}

std::vector<std::string> ScriptEngine::VariableReferences(std::string_view text) {
    using script_detail::IsLeftBoundary;
    using script_detail::IsVariableRightBoundary;
    // A word runs up to the next boundary, quote or "%" (a name touching "%"
    // or a quote is never substituted, so it may as well end there).
    auto endsWord = [](char c) {
        return IsLeftBoundary(c) || IsVariableRightBoundary(c) || c == '\'' || c == '%';
    };
    std::vector<std::string> names;
    bool inside = false;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\'') {
            inside = !inside;
            ++i;
            continue;
        }
        if (endsWord(c)) {
            ++i;
            continue;
        }
        size_t end = i;
        while (end < text.size() && !endsWord(text[end]))
            ++end;
        const bool leftOk = i == 0 || IsLeftBoundary(text[i - 1]);
        const bool rightOk = end == text.size() || IsVariableRightBoundary(text[end]);
        const std::string_view word = text.substr(i, end - i);
        if (!inside && leftOk && rightOk && word[0] != '#' && !IsNumberText(word))
            names.push_back(UpperCaseText(word));
        i = end;
    }
    return names;
}

}  // namespace vorn

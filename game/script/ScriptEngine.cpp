// The engine object: construction, the store's dimensions, stopping and
// bounding runs, and the public entry points of the internal stages.
#include "game/script/ScriptEngine.h"

#include <ostream>

#include "game/script/EngineState.h"

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

}  // namespace vorn

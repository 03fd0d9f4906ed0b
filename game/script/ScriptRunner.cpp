// The statement runner: executes a loaded slot line by line. Blocks are
// found by scanning for their keywords (there is no block stack), and each
// run remembers where its scans ended in a small jump cache.
#include <chrono>
#include <memory>
#include <optional>

#include "common/TextPrimitives.h"
#include "game/script/EngineState.h"
#include "game/script/ScriptText.h"

namespace vorn::script_detail {
namespace {

// What a jump cache entry answers for its line: where a false condition
// goes, where a finished branch goes, where a WEND loops back to.
enum class Question { WasFalse, BranchDone, LoopBack };

struct JumpEntry {
    int32_t from;
    Question question;
    int32_t to;
};

// A line's outcome: go on with the next line (no result yet), or leave the
// run with success (EXIT) or an error code.
using Outcome = std::optional<ScriptResult>;
constexpr Outcome kContinue = std::nullopt;

// The host's poll, when its interval has passed since the last one.
void PollLongRun(EngineState& state) {
    state.linesUntilClockRead = kLinesPerClockRead;
    const auto now = std::chrono::steady_clock::now();
    if (now < state.nextLongRunPoll || state.inLongRunPoll) {
        return;
    }
    state.nextLongRunPoll = now + state.longRunInterval;
    state.inLongRunPoll = true;
    state.longRunPoll(std::chrono::duration_cast<std::chrono::milliseconds>(now - state.runStart));
    state.inLongRunPoll = false;
}

bool StartsWithHash(const std::string& text) {
    return !text.empty() && text[0] == '#';
}

class Run {
public:
    Run(EngineState& state, int32_t slot, std::shared_ptr<const SlotScript> script)
        : state_(state), slot_(slot), script_(std::move(script)), epoch_(state.jumpCacheEpoch) {}

    // The line of the block whose ENDIF or WEND is missing, or of the WEND
    // without its WHILE, when the run stopped for that; -1 otherwise.
    int32_t UnclosedBlockLine() const { return unclosedBlockLine_; }

    ScriptResult Execute() {
        const std::vector<ScriptLine>& lines = script_->lines;
        // Nested runs put back the script of the run they interrupted.
        const SlotScript* const interrupted = state_.runningScript;
        struct Restore {
            EngineState& state;
            const SlotScript* script;
            ~Restore() { state.runningScript = script; }
        } restore{state_, interrupted};
        state_.runningScript = script_.get();
        Publish(0);
        while (line_ >= 0 && static_cast<size_t>(line_) < lines.size() &&
               !lines[static_cast<size_t>(line_)].endMark) {
            if (state_.lineBudget != 0 && state_.linesRun >= state_.lineBudget) {
                state_.lastError = "Script stopped: line budget exhausted.";
                return ScriptResult::LineBudgetExhausted;
            }
            ++state_.linesRun;
            const Outcome outcome = RunLine(lines[static_cast<size_t>(line_)]);
            if (outcome) {
                return *outcome;
            }
            if (state_.longRunPoll && --state_.linesUntilClockRead == 0) {
                PollLongRun(state_);
            }
            // A nested run may have asked everything to stop, or reloaded or
            // cleared this slot; either way this run ends successfully rather
            // than go on in lines it was not started with.
            if (state_.stopRequested || static_cast<size_t>(slot_) >= state_.slots.size() ||
                state_.slots[static_cast<size_t>(slot_)] != script_) {
                return ScriptResult::Ok;
            }
            Publish(line_ + 1);
        }
        return ScriptResult::Ok;
    }

private:
    void Publish(int32_t line) {
        line_ = line;
        state_.currentLine = line;
    }

    const ScriptLine& LineAt(int32_t index) const {
        return script_->lines[static_cast<size_t>(index)];
    }

    const JumpEntry* Cached(int32_t from, Question question) {
        if (epoch_ != state_.jumpCacheEpoch) {
            cache_.clear();
            epoch_ = state_.jumpCacheEpoch;
        }
        for (const JumpEntry& entry : cache_) {
            if (entry.from == from && entry.question == question) {
                return &entry;
            }
        }
        return nullptr;
    }

    void Remember(int32_t from, Question question, int32_t to) {
        if (epoch_ != state_.jumpCacheEpoch) {
            cache_.clear();
            epoch_ = state_.jumpCacheEpoch;
        }
        cache_.push_back(JumpEntry{from, question, to});
    }

    Outcome RunLine(const ScriptLine& line) {
        if (line.text.empty() || (!line.keyword.empty() && line.keyword[0] == ';')) {
            return kContinue;
        }
        switch (line.kind) {
            case LineKind::Exit:
                return ScriptResult::Ok;
            case LineKind::Goto:
                if (line.gotoTarget < 0 ||
                    static_cast<size_t>(line.gotoTarget) + 1 >= script_->lines.size()) {
                    return ScriptResult::Ok;  // cannot happen after loading
                }
                Publish(line.gotoTarget);
                return kContinue;
            case LineKind::Label:
            case LineKind::EndIf:
                return kContinue;
            case LineKind::If:
                return RunIf();
            case LineKind::ElseIf:
            case LineKind::Else:
                return SkipToEndIf();
            case LineKind::While:
                return RunWhile();
            case LineKind::Wend:
                return LoopBack();
            case LineKind::Free:
                state_.engine->FreeSymbol(line.freeName);
                return kContinue;
            default:
                if (state_.FindCommandCached(line.callName, line.commandLookup) >= 0) {
                    return RunCommand(line);
                }
                return RunAssignment(line);
        }
    }

    // The IF line (or an ELSEIF reached by a false condition) at line_.
    Outcome RunIf() {
        while (true) {
            const int32_t from = line_;
            const ConditionResult condition = EvaluateCondition(state_, LineAt(from));
            if (condition == ConditionResult::Invalid) {
                return ScriptResult::InvalidOperator;
            }
            if (condition == ConditionResult::True) {
                return kContinue;
            }
            if (const JumpEntry* entry = Cached(from, Question::WasFalse)) {
                Publish(entry->to);
                return kContinue;
            }
            int32_t depth = 0;
            bool nextBranch = false;
            for (int32_t j = from + 1;; ++j) {
                const ScriptLine& scanned = LineAt(j);
                if (scanned.endMark) {
                    Publish(j);
                    state_.lastError = "Syntax error: Expected 'ENDIF'";
                    unclosedBlockLine_ = from;
                    return ScriptResult::ExpectedEndif;
                }
                if (scanned.kind == LineKind::If) {
                    ++depth;
                } else if (scanned.kind == LineKind::ElseIf && depth == 0) {
                    Publish(j);
                    nextBranch = true;
                    break;
                } else if ((scanned.kind == LineKind::Else || scanned.kind == LineKind::EndIf) &&
                           depth == 0) {
                    Remember(from, Question::WasFalse, j);
                    Publish(j);
                    return kContinue;
                } else if (scanned.kind == LineKind::EndIf) {
                    --depth;
                }
            }
            if (!nextBranch) {
                return kContinue;
            }
        }
    }

    // An ELSEIF or ELSE met after its branch ran: go past the ENDIF.
    Outcome SkipToEndIf() {
        const int32_t from = line_;
        if (const JumpEntry* entry = Cached(from, Question::BranchDone)) {
            Publish(entry->to);
            return kContinue;
        }
        return JumpToClose(from, Question::BranchDone, LineKind::If, LineKind::EndIf,
                           "Syntax error: Expected 'ENDIF'", ScriptResult::ExpectedEndif);
    }

    Outcome RunWhile() {
        const int32_t from = line_;
        const ConditionResult condition = EvaluateCondition(state_, LineAt(from));
        if (condition == ConditionResult::Invalid) {
            return ScriptResult::InvalidOperator;
        }
        if (condition == ConditionResult::True) {
            return kContinue;
        }
        if (const JumpEntry* entry = Cached(from, Question::WasFalse)) {
            Publish(entry->to);
            return kContinue;
        }
        return JumpToClose(from, Question::WasFalse, LineKind::While, LineKind::Wend,
                           "Syntax error: Expected 'WEND'", ScriptResult::ExpectedWend);
    }

    // Goes to the `close` line that ends the block of line `from`, passing over
    // nested blocks of the same kind, and remembers the jump; the end of the
    // script without one is the error `message` with result `code`.
    Outcome JumpToClose(int32_t from, Question question, LineKind open, LineKind close,
                        const char* message, ScriptResult code) {
        int32_t depth = 0;
        for (int32_t j = from + 1;; ++j) {
            const ScriptLine& scanned = LineAt(j);
            if (scanned.endMark) {
                Publish(j);
                state_.lastError = message;
                unclosedBlockLine_ = from;
                return code;
            }
            if (scanned.kind == open) {
                ++depth;
            } else if (scanned.kind == close) {
                if (depth == 0) {
                    Remember(from, question, j);
                    Publish(j);
                    return kContinue;
                }
                --depth;
            }
        }
    }

    // A WEND goes back to the line before its WHILE, so the next step
    // evaluates the WHILE again.
    Outcome LoopBack() {
        const int32_t from = line_;
        if (const JumpEntry* entry = Cached(from, Question::LoopBack)) {
            Publish(entry->to);
            return kContinue;
        }
        int32_t depth = 0;
        for (int32_t j = from - 1;; --j) {
            if (j < 0) {
                Publish(-1);
                state_.lastError = "Syntax error: Expected 'WHILE'";
                unclosedBlockLine_ = from;
                return ScriptResult::ExpectedWhile;
            }
            const ScriptLine& scanned = LineAt(j);
            if (scanned.kind == LineKind::Wend) {
                ++depth;
            } else if (scanned.kind == LineKind::While) {
                if (depth == 0) {
                    Remember(from, Question::LoopBack, j - 1);
                    Publish(j - 1);
                    return kContinue;
                }
                --depth;
            }
        }
    }

    Outcome RunCommand(const ScriptLine& line) {
        const std::string argument = ExpandExpression(state_, line.argument, ConstantsStep::kNone);
        // Looked up again: a call inside the arguments may have changed the table.
        const ScriptResult code =
            CallCommandAt(state_, state_.FindCommandCached(line.callName, line.commandLookup),
                          line.callName, argument);
        return code == ScriptResult::Ok ? kContinue : Outcome(code);
    }

    Outcome RunAssignment(const ScriptLine& line) {
        // Only a constant of empty value can empty a value that has text.
        const bool empty =
            line.assignmentValue.empty() || (line.value.hasHash && !state_.constants.empty() &&
                                             ExpandConstants(state_, line.assignmentValue).empty());
        if (empty) {
            state_.lastError = "Syntax error: Expression expected or unknown command.";
            return ScriptResult::UnknownCommand;
        }
        const std::string expanded = ExpandExpression(state_, line.value, ConstantsStep::kBefore);
        if (StartsWithHash(expanded)) {
            return ScriptResult::CommandFailed;
        }
        std::string result = Evaluate(expanded);
        const ValueType type =
            ScriptEngine::IsNumberText(result) ? ValueType::Number : ValueType::String;
        const bool failed = StartsWithHash(result);
        const int32_t index = state_.FindVariableCached(line.assignmentTarget, line.targetLookup);
        if (index >= 0) {
            ScriptVariable& variable = state_.variables[static_cast<size_t>(index)];
            variable.value = std::move(result);
            variable.type = type;
        } else {
            state_.engine->SetSymbol(line.assignmentTarget, result, type);
        }
        if (failed) {
            state_.lastError = "Expression evaluation error in: " + line.assignmentValue;
            return ScriptResult::EvaluationError;
        }
        return kContinue;
    }

    EngineState& state_;
    int32_t slot_;
    std::shared_ptr<const SlotScript> script_;
    std::vector<JumpEntry> cache_;
    uint64_t epoch_;
    int32_t line_ = 0;
    int32_t unclosedBlockLine_ = -1;
};

// Keeps the nesting depth right on every way out of a run.
class RunDepth {
public:
    explicit RunDepth(EngineState& state) : state_(state) {
        if (state_.runDepth++ == 0) {
            state_.linesRun = 0;
            if (state_.longRunPoll) {
                state_.runStart = std::chrono::steady_clock::now();
                state_.nextLongRunPoll = state_.runStart + state_.longRunInterval;
                state_.linesUntilClockRead = kLinesPerClockRead;
            }
        }
    }
    ~RunDepth() { --state_.runDepth; }
    RunDepth(const RunDepth&) = delete;
    RunDepth& operator=(const RunDepth&) = delete;

private:
    EngineState& state_;
};

bool CompareTexts(Comparison comparison, std::string_view l, std::string_view r) {
    int order = 0;
    if (ScriptEngine::IsNumberText(l) && ScriptEngine::IsNumberText(r)) {
        const float a = NumberValue(l);
        const float b = NumberValue(r);
        order = a < b ? -1 : (a > b ? 1 : 0);
        // Values that are neither below, above nor equal (never produced
        // from decimal text) count as unequal in every comparison.
        if (!(a < b) && !(a > b) && !(a == b)) {
            return comparison == Comparison::NotEqual;
        }
    } else {
        const int c = l.compare(r);
        order = c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    switch (comparison) {
        case Comparison::Equal:
            return order == 0;
        case Comparison::NotEqual:
            return order != 0;
        case Comparison::Less:
            return order < 0;
        case Comparison::Greater:
            return order > 0;
        case Comparison::LessOrEqual:
            return order <= 0;
        case Comparison::GreaterOrEqual:
        case Comparison::None:
            break;
    }
    return order >= 0;
}

}  // namespace

ConditionResult EvaluateCondition(EngineState& state, const ScriptLine& line) {
    if (line.comparison == Comparison::None) {
        state.lastError =
            "Syntax error: Invalid operator found in expression - '" + line.text + "'";
        return ConditionResult::Invalid;
    }
    const std::string left = ExpandExpression(state, line.left, ConstantsStep::kAfter);
    const std::string right = ExpandExpression(state, line.right, ConstantsStep::kAfter);
    const std::string r = Evaluate(right);
    const std::string l = Evaluate(left);
    return CompareTexts(line.comparison, l, r) ? ConditionResult::True : ConditionResult::False;
}

ScriptResult RunScript(EngineState& state, int32_t slot) {
    if (state.stopRequested) {
        return ScriptResult::Ok;
    }
    if (slot < 0 || slot >= state.slotCount || !state.slots[static_cast<size_t>(slot)]) {
        return ScriptResult::BadSlot;
    }
    if (state.runDepth >= kMaxRunDepth) {
        state.lastError = "Script error: scripts started each other too deeply.";
        return ScriptResult::RunsNestedTooDeep;
    }
    RunDepth depth(state);
    const std::shared_ptr<const SlotScript> script = state.slots[static_cast<size_t>(slot)];
    Run run(state, slot, script);
    const ScriptResult result = run.Execute();
    if (result != ScriptResult::Ok) {
        state.failedScript = script;
        state.unclosedBlockLine = run.UnclosedBlockLine();
    }
    return result;
}

}  // namespace vorn::script_detail

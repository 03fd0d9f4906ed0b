// The statement runner: executes a loaded slot line by line. Blocks are
// found by scanning for their keywords (there is no block stack), and each
// run remembers where its scans ended in a small jump cache.
#include <memory>

#include "common/TextPrimitives.h"
#include "game/script/EngineState.h"
#include "game/script/ScriptText.h"

namespace vorn::script_detail {
namespace {

enum Question : int32_t { kWasFalse = 0, kBranchDone = 1, kLoopBack = 2 };

struct JumpEntry {
    int32_t from;
    int32_t question;
    int32_t to;
};

// A line's outcome: go on with the next line, leave the run with success
// (EXIT), or leave it with an error code.
constexpr int32_t kContinue = 0;

bool StartsWithHash(const std::string& text) {
    return !text.empty() && text[0] == '#';
}

class Run {
public:
    Run(EngineState& state, int32_t slot, std::shared_ptr<const SlotScript> script)
        : state_(state), slot_(slot), script_(std::move(script)), epoch_(state.jumpCacheEpoch) {}

    int32_t Execute() {
        const std::vector<ScriptLine>& lines = script_->lines;
        Publish(0);
        while (line_ >= 0 && static_cast<size_t>(line_) < lines.size() &&
               !lines[static_cast<size_t>(line_)].endMark) {
            if (state_.lineBudget != 0 && state_.linesRun >= state_.lineBudget) {
                state_.lastError = "Script stopped: line budget exhausted.";
                return script_result::kLineBudgetExhausted;
            }
            ++state_.linesRun;
            const int32_t outcome = RunLine(lines[static_cast<size_t>(line_)]);
            if (outcome != kContinue) {
                return outcome;
            }
            // A nested run may have asked everything to stop, or reloaded or
            // cleared this slot; either way this run ends successfully rather
            // than go on in lines it was not started with.
            if (state_.stopRequested || static_cast<size_t>(slot_) >= state_.slots.size() ||
                state_.slots[static_cast<size_t>(slot_)] != script_) {
                return script_result::kOk;
            }
            Publish(line_ + 1);
        }
        return script_result::kOk;
    }

private:
    void Publish(int32_t line) {
        line_ = line;
        state_.currentLine = line;
    }

    const ScriptLine& LineAt(int32_t index) const {
        return script_->lines[static_cast<size_t>(index)];
    }

    const JumpEntry* Cached(int32_t from, int32_t question) {
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

    void Remember(int32_t from, int32_t question, int32_t to) {
        if (epoch_ != state_.jumpCacheEpoch) {
            cache_.clear();
            epoch_ = state_.jumpCacheEpoch;
        }
        cache_.push_back(JumpEntry{from, question, to});
    }

    int32_t RunLine(const ScriptLine& line) {
        if (line.text.empty() || (!line.keyword.empty() && line.keyword[0] == ';')) {
            return kContinue;
        }
        switch (line.kind) {
            case kExit:
                return script_result::kOk;
            case kGoto:
                if (line.gotoTarget < 0 ||
                    static_cast<size_t>(line.gotoTarget) + 1 >= script_->lines.size()) {
                    return script_result::kOk;  // cannot happen after loading
                }
                Publish(line.gotoTarget);
                return kContinue;
            case kLabel:
            case kEndIf:
                return kContinue;
            case kIf:
                return RunIf();
            case kElseIf:
            case kElse:
                return SkipToEndIf();
            case kWhile:
                return RunWhile();
            case kWend:
                return LoopBack();
            case kFree:
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
    int32_t RunIf() {
        while (true) {
            const int32_t from = line_;
            const int32_t condition = EvaluateCondition(state_, LineAt(from));
            if (condition < 0) {
                return script_result::kInvalidOperator;
            }
            if (condition == 1) {
                return kContinue;
            }
            if (const JumpEntry* entry = Cached(from, kWasFalse)) {
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
                    return script_result::kExpectedEndif;
                }
                if (scanned.kind == kIf) {
                    ++depth;
                } else if (scanned.kind == kElseIf && depth == 0) {
                    Publish(j);
                    nextBranch = true;
                    break;
                } else if ((scanned.kind == kElse || scanned.kind == kEndIf) && depth == 0) {
                    Remember(from, kWasFalse, j);
                    Publish(j);
                    return kContinue;
                } else if (scanned.kind == kEndIf) {
                    --depth;
                }
            }
            if (!nextBranch) {
                return kContinue;
            }
        }
    }

    // An ELSEIF or ELSE met after its branch ran: go past the ENDIF.
    int32_t SkipToEndIf() {
        const int32_t from = line_;
        if (const JumpEntry* entry = Cached(from, kBranchDone)) {
            Publish(entry->to);
            return kContinue;
        }
        return JumpToClose(from, kBranchDone, kIf, kEndIf, "Syntax error: Expected 'ENDIF'",
                           script_result::kExpectedEndif);
    }

    int32_t RunWhile() {
        const int32_t from = line_;
        const int32_t condition = EvaluateCondition(state_, LineAt(from));
        if (condition < 0) {
            return script_result::kInvalidOperator;
        }
        if (condition == 1) {
            return kContinue;
        }
        if (const JumpEntry* entry = Cached(from, kWasFalse)) {
            Publish(entry->to);
            return kContinue;
        }
        return JumpToClose(from, kWasFalse, kWhile, kWend, "Syntax error: Expected 'WEND'",
                           script_result::kExpectedWend);
    }

    // Goes to the `close` line that ends the block of line `from`, passing over
    // nested blocks of the same kind, and remembers the jump; the end of the
    // script without one is the error `message` with result `code`.
    int32_t JumpToClose(int32_t from, int32_t question, LineKind open, LineKind close,
                        const char* message, int32_t code) {
        int32_t depth = 0;
        for (int32_t j = from + 1;; ++j) {
            const ScriptLine& scanned = LineAt(j);
            if (scanned.endMark) {
                Publish(j);
                state_.lastError = message;
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
    int32_t LoopBack() {
        const int32_t from = line_;
        if (const JumpEntry* entry = Cached(from, kLoopBack)) {
            Publish(entry->to);
            return kContinue;
        }
        int32_t depth = 0;
        for (int32_t j = from - 1;; --j) {
            if (j < 0) {
                Publish(-1);
                state_.lastError = "Syntax error: Expected 'WHILE'";
                return script_result::kExpectedWhile;
            }
            const ScriptLine& scanned = LineAt(j);
            if (scanned.kind == kWend) {
                ++depth;
            } else if (scanned.kind == kWhile) {
                if (depth == 0) {
                    Remember(from, kLoopBack, j - 1);
                    Publish(j - 1);
                    return kContinue;
                }
                --depth;
            }
        }
    }

    int32_t RunCommand(const ScriptLine& line) {
        const std::string argument = ExpandExpression(state_, line.argument, ConstantsStep::kNone);
        // Looked up again: a call inside the arguments may have changed the table.
        const int32_t code =
            CallCommandAt(state_, state_.FindCommandCached(line.callName, line.commandLookup),
                          line.callName, argument);
        return code == script_result::kOk ? kContinue : code;
    }

    int32_t RunAssignment(const ScriptLine& line) {
        // Only a constant of empty value can empty a value that has text.
        const bool empty =
            line.assignmentValue.empty() || (line.value.hasHash && !state_.constants.empty() &&
                                             ExpandConstants(state_, line.assignmentValue).empty());
        if (empty) {
            state_.lastError = "Syntax error: Expression expected or unknown command.";
            return script_result::kUnknownCommand;
        }
        const std::string expanded = ExpandExpression(state_, line.value, ConstantsStep::kBefore);
        if (StartsWithHash(expanded)) {
            return script_result::kCommandFailed;
        }
        std::string result = Evaluate(expanded);
        const int32_t type = ScriptEngine::IsNumberText(result) ? kNumber : kString;
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
            return script_result::kEvaluationError;
        }
        return kContinue;
    }

    EngineState& state_;
    int32_t slot_;
    std::shared_ptr<const SlotScript> script_;
    std::vector<JumpEntry> cache_;
    uint64_t epoch_;
    int32_t line_ = 0;
};

// Keeps the nesting depth right on every way out of a run.
class RunDepth {
public:
    explicit RunDepth(EngineState& state) : state_(state) {
        if (state_.runDepth++ == 0) {
            state_.linesRun = 0;
        }
    }
    ~RunDepth() { --state_.runDepth; }
    RunDepth(const RunDepth&) = delete;
    RunDepth& operator=(const RunDepth&) = delete;

private:
    EngineState& state_;
};

bool CompareTexts(std::string_view op, std::string_view l, std::string_view r) {
    int order = 0;
    if (ScriptEngine::IsNumberText(l) && ScriptEngine::IsNumberText(r)) {
        const float a = NumberValue(l);
        const float b = NumberValue(r);
        order = a < b ? -1 : (a > b ? 1 : 0);
        // Values that are neither below, above nor equal (never produced
        // from decimal text) count as unequal in every comparison.
        if (!(a < b) && !(a > b) && !(a == b)) {
            return op == "<>";
        }
    } else {
        const int c = l.compare(r);
        order = c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    if (op == "=")
        return order == 0;
    if (op == "<>")
        return order != 0;
    if (op == "<")
        return order < 0;
    if (op == ">")
        return order > 0;
    if (op == "<=")
        return order <= 0;
    return order >= 0;  // ">="
}

}  // namespace

int32_t EvaluateCondition(EngineState& state, const ScriptLine& line) {
    const std::string& op = line.conditionOperator;
    if (op != "=" && op != "<>" && op != "<" && op != ">" && op != "<=" && op != ">=") {
        state.lastError =
            "Syntax error: Invalid operator found in expression - '" + line.text + "'";
        return -1;
    }
    const std::string left = ExpandExpression(state, line.left, ConstantsStep::kAfter);
    const std::string right = ExpandExpression(state, line.right, ConstantsStep::kAfter);
    const std::string r = Evaluate(right);
    const std::string l = Evaluate(left);
    return CompareTexts(op, l, r) ? 1 : 0;
}

int32_t RunScript(EngineState& state, int32_t slot) {
    if (state.stopRequested) {
        return script_result::kOk;
    }
    if (slot < 0 || slot >= state.slotCount || !state.slots[static_cast<size_t>(slot)]) {
        return script_result::kBadSlot;
    }
    if (state.runDepth >= script_result::kMaxRunDepth) {
        state.lastError = "Script error: scripts started each other too deeply.";
        return script_result::kRunsNestedTooDeep;
    }
    RunDepth depth(state);
    Run run(state, slot, state.slots[static_cast<size_t>(slot)]);
    return run.Execute();
}

}  // namespace vorn::script_detail

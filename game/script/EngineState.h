// The engine's private state: variable, argument, command and constant
// tables, the script store and the run bookkeeping. Only the engine's own
// source files include this header.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/script/CommandIndex.h"
#include "game/script/ExpressionPlan.h"
#include "game/script/ScriptEngine.h"

namespace vorn::script_detail {

struct CommandEntry {
    CommandProc procedure;
    int32_t parameterCount = 0;
    std::string name;  // upper-cased
};

struct ConstantEntry {
    std::string name;  // upper-cased
    std::string value;
};

using LineKind = StatementKind;

// The comparison of a condition, decided when the line is loaded; None when
// the line holds no comparison operator (an error only if it is evaluated).
enum class Comparison { None, Equal, NotEqual, Less, Greater, LessOrEqual, GreaterOrEqual };

// One stored line; every field is prepared at load time so a run only
// substitutes and evaluates.
struct ScriptLine {
    bool endMark = false;
    std::string text;
    std::string callName;
    std::string keyword;
    LineKind kind = LineKind::Plain;
    std::string rest;
    std::string argumentText;
    std::string conditionLeft;
    std::string conditionRight;
    Comparison comparison = Comparison::None;
    std::string assignmentTarget;
    std::string assignmentValue;
    // The expression texts above, prepared for fast substitution.
    Expression left;
    Expression right;
    Expression argument;
    Expression value;
    // Where the line's command and assignment target were last found.
    mutable LookupCache commandLookup;
    mutable LookupCache targetLookup;
    // The FREE statement's variable name (rest, upper-cased, blanks removed)
    // and the GOTO target line, both derived once.
    std::string freeName;
    int32_t gotoTarget = -1;
};

// A stored line's origin: an index into SlotScript::files and the line there
// (from 1); file -1 for none.
struct SourceRef {
    int32_t file = -1;
    int32_t line = 0;
};

// A script read from its files: the text ParseScript takes, the origin of
// each of its lines and what reading met.
struct ScriptSource {
    std::string text;
    std::vector<std::string> files;
    std::vector<SourceRef> origins;  // one per line of `text`
    std::vector<LoadProblem> problems;
};

// A loaded script: lines 0 .. n-1 and the end mark on line n. Runs hold a
// shared reference, so a nested run that reloads the slot cannot pull the
// lines away from under the interrupted run.
struct SlotScript {
    std::vector<ScriptLine> lines;
    std::vector<std::string> files;
    std::vector<SourceRef> origins;  // per line; shorter when parsed from a text

    SourceLine SourceOf(int32_t line) const;
};

// Occurrence lists used while expanding one expression, kept between
// expressions so that expanding allocates nothing in the common case.
struct OccurrenceBuffers {
    std::vector<CommandOccurrence> known;
    std::vector<CommandOccurrence> all;
    std::vector<CommandOccurrence> last;
    std::vector<CommandOccurrence> scratch;
};

struct EngineState {
    ScriptEngine* engine = nullptr;

    std::vector<ScriptVariable> variables;
    std::vector<ScriptArgument> arguments;
    std::vector<CommandEntry> commands;
    std::vector<ConstantEntry> constants;
    std::string lastError;
    int32_t currentLine = 0;

    int32_t slotCount = 0;
    int32_t linesPerSlot = 0;
    // Empty pointer: the slot is not in use.
    std::vector<std::shared_ptr<const SlotScript>> slots;

    // The script of the innermost run, while one runs.
    const SlotScript* runningScript = nullptr;
    // The script of the last failed run and, for a missing ENDIF or WEND,
    // the line of the block without it (-1 otherwise).
    std::shared_ptr<const SlotScript> failedScript;
    int32_t unclosedBlockLine = -1;

    // Where relative INCLUDEFILE paths are read from; "" is the working
    // directory.
    std::string includeFolder;

    RunObserver* runObserver = nullptr;

    bool stopRequested = false;
    uint64_t lineBudget = 0;  // 0: unbounded
    uint64_t linesRun = 0;    // counted from the start of the outermost run
    int32_t runDepth = 0;
    // The host's look at long runs (SetLongRunPoll). The clock is read once
    // every kLinesPerClockRead lines: reading it each line would cost a
    // fifth of a simple line, and a line is short (see kMaxExpressionLength).
    ScriptEngine::LongRunPoll longRunPoll;
    std::chrono::steady_clock::duration longRunInterval{};
    std::chrono::steady_clock::time_point runStart;
    std::chrono::steady_clock::time_point nextLongRunPoll;
    uint32_t linesUntilClockRead = 1;
    bool inLongRunPoll = false;
    // Bumped by ResetSymbols so that running scripts drop their jump caches.
    uint64_t jumpCacheEpoch = 0;

    // Bumped whenever a variable is added or removed (values may change
    // freely) and whenever the command table changes; caches of lookups
    // compare them. Both start at 1 so that a zeroed cache is never valid.
    uint64_t variableNamesVersion = 1;
    uint64_t commandsVersion = 1;

    // The command trie, rebuilt on first use after the table changed.
    const CommandIndex& Commands();
    // True when every variable name is made of A-Z, 0-9 and "_" with a
    // letter or "_" in it (what the fast substitution needs).
    bool VariableNamesSimple();
    // Index of the first variable named exactly `name` through a cache.
    int32_t FindVariableCached(std::string_view name, LookupCache& cache) const;
    int32_t FindCommandCached(std::string_view upperName, LookupCache& cache);
    void VariablesChanged() { ++variableNamesVersion; }

    // Expansions nest (a call may run a script), so each level borrows its
    // own buffers; see BorrowedBuffers.
    std::vector<std::unique_ptr<OccurrenceBuffers>> bufferPool;
    size_t buffersInUse = 0;
    void CommandsChanged() { ++commandsVersion; }

    // Returns the index of the first variable whose stored name is exactly
    // `name`, or -1.
    int32_t FindVariable(std::string_view name) const;
    // Index of the first command whose name equals `upperName`, or -1.
    int32_t FindCommand(std::string_view upperName);

private:
    CommandIndex commandIndex_;
    uint64_t commandIndexVersion_ = 0;
    uint64_t simpleNamesVersion_ = 0;
    bool simpleNames_ = false;
    LookupCache retLookup_;

public:
    // "RET", found through a cache.
    int32_t FindReturnValue() { return FindVariableCached("RET", retLookup_); }
};

constexpr uint32_t kLinesPerClockRead = 32;

// A longer text than this is not a script expression but a runaway (values
// that name later variables, or calls returning calls, can multiply a text's
// length); the stage that meets it stops with an error.
constexpr size_t kMaxExpressionLength = 1 << 16;

// Borrows the next free OccurrenceBuffers of the pool for one scope.
class BorrowedBuffers {
public:
    explicit BorrowedBuffers(EngineState& state) : state_(state) {
        if (state_.buffersInUse == state_.bufferPool.size()) {
            state_.bufferPool.push_back(std::make_unique<OccurrenceBuffers>());
        }
        buffers_ = state_.bufferPool[state_.buffersInUse++].get();
    }
    ~BorrowedBuffers() { --state_.buffersInUse; }
    BorrowedBuffers(const BorrowedBuffers&) = delete;
    BorrowedBuffers& operator=(const BorrowedBuffers&) = delete;
    OccurrenceBuffers& operator*() const { return *buffers_; }
    OccurrenceBuffers* operator->() const { return buffers_; }

private:
    EngineState& state_;
    OccurrenceBuffers* buffers_;
};

// The stages that turn a line's text into values (Substitution.cpp,
// CallExpansion.cpp, Registries.cpp).
std::string SubstituteVariables(EngineState& state, std::string_view text);
std::string ExpandCalls(EngineState& state, std::string_view text);
// ExpandCalls when every command name occurrence in `text` is already known
// (ordered by start), as the prepared substitution finds them.
std::string ExpandCallsKnowing(EngineState& state, std::string_view text,
                               const std::vector<CommandOccurrence>& occurrences);
std::string ExpandConstants(const EngineState& state, std::string_view text);
ScriptResult CallCommand(EngineState& state, std::string_view name, std::string_view argumentText);
// CallCommand for a command already looked up (`index` is the first command
// of its name, or -1 when none exists).
ScriptResult CallCommandAt(EngineState& state, int32_t index, std::string_view upperName,
                           std::string_view argumentText);
// The whole chain for an expression of a line: variables, then constants
// (before them for assignment values, after them for conditions), then
// calls. Uses the prepared form when it gives the same result.
enum class ConstantsStep { kBefore, kAfter, kNone };
std::string ExpandExpression(EngineState& state, const Expression& expression,
                             ConstantsStep constants);

// Loading and running (ScriptLoader.cpp, ScriptRunner.cpp).
ScriptSource ReadScriptSource(EngineState& state, const std::string& path, int stripFlag);
int32_t ParseScriptSource(EngineState& state, const ScriptSource& source, int32_t slot,
                          std::vector<LoadProblem>* problems);
// Dry-run call listing (CallExpansion.cpp) and argument splitting
// (Registries.cpp).
std::vector<CallInfo> ListCalls(EngineState& state, std::string_view text);
std::vector<std::string_view> SplitArguments(std::string_view text);
ScriptResult RunScript(EngineState& state, int32_t slot);
ConditionResult EvaluateCondition(EngineState& state, const ScriptLine& line);

}  // namespace vorn::script_detail

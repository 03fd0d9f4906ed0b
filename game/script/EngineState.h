// The engine's private state: variable, argument, command and constant
// tables, the script store and the run bookkeeping. Only the engine's own
// source files include this header.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

// Statement kinds of a loaded line, decided by its first word.
enum LineKind : int32_t {
    kPlain = 0,  // a command call or an assignment
    kIf = 1,
    kExit = 2,
    kGoto = 3,
    kLabel = 4,
    kElseIf = 5,
    kElse = 6,
    kEndIf = 7,
    kWhile = 8,
    kWend = 9,
    kFree = 10,
};

// One stored line; every field is prepared at load time so a run only
// substitutes and evaluates.
struct ScriptLine {
    bool endMark = false;
    std::string text;
    std::string callName;
    std::string keyword;
    int32_t kind = kPlain;
    std::string rest;
    std::string argumentText;
    std::string conditionLeft;
    std::string conditionRight;
    std::string conditionOperator;
    std::string assignmentTarget;
    std::string assignmentValue;
    // The FREE statement's variable name (rest, upper-cased, blanks removed)
    // and the GOTO target line, both derived once.
    std::string freeName;
    int32_t gotoTarget = -1;
};

// A loaded script: lines 0 .. n-1 and the end mark on line n. Runs hold a
// shared reference, so a nested run that reloads the slot cannot pull the
// lines away from under the interrupted run.
struct SlotScript {
    std::vector<ScriptLine> lines;
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

    bool stopRequested = false;
    uint64_t lineBudget = 0;  // 0: unbounded
    uint64_t linesRun = 0;    // counted from the start of the outermost run
    int32_t runDepth = 0;
    // Bumped by ResetSymbols so that running scripts drop their jump caches.
    uint64_t jumpCacheEpoch = 0;

    // Returns the index of the first variable whose stored name is exactly
    // `name`, or -1.
    int32_t FindVariable(std::string_view name) const;
    // Index of the first command whose name equals `upperName`, or -1.
    int32_t FindCommand(std::string_view upperName) const;
};

// A longer text than this is not a script expression but a runaway (values
// that name later variables, or calls returning calls, can multiply a text's
// length); the stage that meets it stops with an error.
constexpr size_t kMaxExpressionLength = 1 << 20;

// The stages that turn a line's text into values (Substitution.cpp,
// CallExpansion.cpp, Registries.cpp).
std::string SubstituteVariables(EngineState& state, std::string_view text);
std::string ExpandCalls(EngineState& state, std::string_view text);
std::string ExpandConstants(const EngineState& state, std::string_view text);
int32_t CallCommand(EngineState& state, std::string_view name, std::string_view argumentText);

// Loading and running (ScriptLoader.cpp, ScriptRunner.cpp).
int32_t RunScript(EngineState& state, int32_t slot);
int32_t EvaluateCondition(EngineState& state, const ScriptLine& line);

}  // namespace vorn::script_detail

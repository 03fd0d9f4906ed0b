// The .ds script interpreter: the whole public contract with a host program.
//
// An engine owns its variables, commands, constants, argument list, return
// value ("RET"), last error text and script store; it has no globals, so a
// host may create as many engines as it likes. Host commands are callables
// that read the argument list and set the return value through the engine
// they are given.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Type codes of script values.
constexpr int32_t kNoValue = 0;
constexpr int32_t kNumber = 1;
constexpr int32_t kString = 2;

struct ScriptVariable {
    std::string value;
    std::string name;
    int32_t type = kNoValue;
};

struct ScriptArgument {
    std::string value;
    int32_t type = kNoValue;
};

class ScriptEngine;
namespace script_detail {
struct EngineState;
}

// Returns non-zero for success; on failure it should record an error text
// with SetLastError first. It must set a return value on success.
using CommandProc = std::function<int32_t(ScriptEngine&)>;

// Result codes of CallCommand and RunScript.
namespace script_result {
constexpr int32_t kOk = 1;
constexpr int32_t kCommandFailed = 3;
constexpr int32_t kWrongArgumentCount = 4;
constexpr int32_t kUnknownCommand = 5;
constexpr int32_t kInvalidOperator = 6;
constexpr int32_t kExpectedEndif = 7;
constexpr int32_t kExpectedWend = 8;
constexpr int32_t kExpectedWhile = 9;
constexpr int32_t kEvaluationError = 10;
constexpr int32_t kBadSlot = 11;
// The run executed as many lines as SetLineBudget allows and was stopped.
constexpr int32_t kLineBudgetExhausted = 12;
// A run was asked for while kMaxRunDepth runs were already running inside
// each other (a map whose enter script loads the same map again); it does
// not start.
constexpr int32_t kRunsNestedTooDeep = 13;
constexpr int32_t kMaxRunDepth = 64;
}  // namespace script_result

class ScriptEngine {
public:
    ScriptEngine();
    ~ScriptEngine();
    ScriptEngine(const ScriptEngine&) = delete;
    ScriptEngine& operator=(const ScriptEngine&) = delete;

    // Sizes the script store; false when either number is negative.
    bool InitScriptEngine(int32_t slotCount, int32_t linesPerSlot);

    // Error reporting.
    void SetLastError(std::string_view text);
    const std::string& LastError() const;
    int32_t CurrentLine() const;
    // Last error text + " Line " + (current line + 1), as error boxes show it.
    std::string ErrorReportText() const;

    static bool IsNumberText(std::string_view text);

    // Variables.
    bool SetSymbol(std::string_view name, std::string_view value, int32_t type);
    const ScriptVariable* GetSymbol(std::string_view name);
    bool FreeSymbol(std::string_view name);
    void SetReturnValue(std::string_view value, int32_t type);
    // Table order; saved games enumerate and restore them directly.
    const std::vector<ScriptVariable>& Variables() const;
    void AppendVariable(ScriptVariable variable);

    // The argument list of the command being called.
    bool PushArgument(std::string_view value, int32_t type);
    size_t ArgumentCount() const;
    const ScriptArgument& Argument(size_t index) const;

    // Commands and constants.
    bool RegisterCommand(CommandProc procedure, std::string_view name, int32_t parameterCount);
    bool CommandExists(std::string_view name) const;
    bool FreeCommand(std::string_view name);
    bool RegisterConstant(std::string_view name, std::string_view value);
    bool FreeConstant(std::string_view name);
    std::string ExpandConstants(std::string_view text) const;
    // The ten built-in functions (Abs ... Mid), in their registration order.
    void RegisterBuiltins();

    void ResetSymbols(bool commands, bool arguments, bool variables, bool constants, bool position);
    int32_t CallCommand(std::string_view name, std::string_view argumentText);

    // The script store. Slot -1 asks for the first free slot. Returns the
    // slot used or -1.
    int32_t LoadScript(const std::string& path, int stripFlag, int32_t slot);
    std::string ReadScriptText(const std::string& path, int stripFlag);
    int32_t ParseScript(std::string_view text, int32_t slot);
    bool ClearSlot(int32_t slot);
    bool SlotInUse(int32_t slot) const;
    int32_t RunScript(int32_t slot);

    // Makes every running script (nested runs included) stop after its current
    // line with success, and later runs return at once; the host uses it when
    // the program ends in the middle of a script (the Quit command).
    void RequestStop();
    bool StopRequested() const;

    // Bounds the number of lines a run may execute in total (0: no bound);
    // used by fuzzing and benchmarks to stop scripts that loop by themselves.
    // The budget counts from the start of each outermost RunScript (nested
    // runs share it); when it runs out every run stops with
    // script_result::kLineBudgetExhausted and the text "Script stopped: line
    // budget exhausted.".
    void SetLineBudget(uint64_t lines);

    // The expression stages, public so tools and tests can look at each one.
    std::string SubstituteVariables(std::string_view text);
    std::string ExpandCalls(std::string_view text);
    // 1 true, 0 false, -1 invalid operator (the error text is recorded).
    int32_t EvaluateCondition(int32_t slot, int32_t line);

private:
    std::unique_ptr<script_detail::EngineState> state_;
};

// The expression evaluator: literals, operators and parentheses to a value
// text, or an "ERR-" text.
std::string Evaluate(std::string_view text);

}  // namespace vorn

// The .ds script interpreter: the whole public contract with a host program.
//
// An engine owns its variables, commands, constants, argument list, return
// value ("RET"), last error text and script store; it has no globals, so a
// host may create as many engines as it likes. Host commands are callables
// that read the argument list and set the return value through the engine
// they are given.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Type codes of script values. Saved games store the number, and a number
// read back from one is kept whatever it is. Unchanged, given to SetSymbol or
// SetReturnValue, keeps a variable's type (and creates no variable).
enum class ValueType : int32_t { Unchanged = -1, None = 0, Number = 1, String = 2 };

struct ScriptVariable {
    std::string value;
    std::string name;
    ValueType type = ValueType::None;
};

struct ScriptArgument {
    std::string value;
    ValueType type = ValueType::None;
};

class ScriptEngine;
namespace script_detail {
struct EngineState;
}

// Returns true for success; on failure it should record an error text with
// SetLastError first. It must set a return value on success.
using CommandProc = std::function<bool(ScriptEngine&)>;

// Result codes of CallCommand and RunScript (their numbers are what the
// scriptrun tool prints).
enum class ScriptResult : int32_t {
    Ok = 1,
    CommandFailed = 3,
    WrongArgumentCount = 4,
    UnknownCommand = 5,
    InvalidOperator = 6,
    ExpectedEndif = 7,
    ExpectedWend = 8,
    ExpectedWhile = 9,
    EvaluationError = 10,
    BadSlot = 11,
    // The run executed as many lines as SetLineBudget allows and was stopped.
    LineBudgetExhausted = 12,
    // A run was asked for while kMaxRunDepth runs were already running
    // inside each other (a map whose enter script loads the same map again);
    // it does not start.
    RunsNestedTooDeep = 13,
};
constexpr int32_t kMaxRunDepth = 64;

// What EvaluateCondition answers.
enum class ConditionResult : int32_t { Invalid = -1, False = 0, True = 1 };

// Statement kinds of a loaded line, decided by its first word.
enum class StatementKind {
    Plain,  // a command call or an assignment
    If,
    Exit,
    Goto,
    Label,
    ElseIf,
    Else,
    EndIf,
    While,
    Wend,
    Free,
};

// Where a loaded line came from: the file as the loader opened it and the
// line there, from 1. An empty file: the line has no origin (the end of a
// script, or a script parsed from a text).
struct SourceLine {
    std::string file;
    int32_t line = 0;
};

enum class LoadProblemKind {
    MissingFile,     // the script's own file cannot be read (it loads empty)
    MissingInclude,  // an INCLUDEFILE names a file that cannot be read
    RefusedInclude,  // an INCLUDEFILE that would read a file being read, or nest too deep
    MissingLabel,    // a GOTO to a label no line has (the script does not load)
    TooLong,         // more lines than a slot holds (the script does not load)
};

// What loading met. The load goes on or fails exactly as it always did; the
// problem is only told, at the line that causes it.
struct LoadProblem {
    LoadProblemKind kind = LoadProblemKind::MissingFile;
    SourceLine where;
    std::string text;
};

// A loaded line as the runner sees it, for tools that check scripts without
// running them. The texts are the line record's fields (see the loader).
struct StatementInfo {
    StatementKind kind = StatementKind::Plain;
    SourceLine source;
    std::string text;
    std::string keyword;
    std::string callName;
    std::string argumentText;
    std::string conditionLeft;
    std::string conditionOperator;  // "" when the line holds no comparison
    std::string conditionRight;
    std::string assignmentTarget;
    std::string assignmentValue;
};

// A call inside an expression as ExpandCalls finds it, found without running.
struct CallInfo {
    std::string name;  // as registered, upper-cased
    std::string argumentText;
    int32_t argumentCount = 0;   // as CallCommand would split the text
    int32_t parameterCount = 0;  // what the command takes
    bool closed = true;          // false: no ")" closes the call
};

// The tables ResetSymbols empties; a designated initialiser names them:
// ResetSymbols({.variables = true}).
struct SymbolTables {
    bool commands = false;
    bool arguments = false;
    bool variables = false;
    bool constants = false;
    bool position = false;  // the current line goes back to 0
};

// The numbers of the codes above, as scripts, saved games and the scriptrun
// tool write them.
constexpr int32_t Code(ValueType type) {
    return static_cast<int32_t>(type);
}
constexpr int32_t Code(ScriptResult result) {
    return static_cast<int32_t>(result);
}
std::ostream& operator<<(std::ostream& out, ValueType type);
std::ostream& operator<<(std::ostream& out, ScriptResult result);

// Told of every run the host starts with RunScript, nested runs included, so
// that a host can time its scripts or note their failures; when a run has
// failed, LastError() and CurrentLine() still describe the failure while
// RunFinished is told. The engine runs the same with or without one.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    virtual void RunStarted(int32_t slot) = 0;
    virtual void RunFinished(int32_t slot, ScriptResult result) = 0;
};

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
    bool SetSymbol(std::string_view name, std::string_view value, ValueType type);
    const ScriptVariable* GetSymbol(std::string_view name);
    bool FreeSymbol(std::string_view name);
    void SetReturnValue(std::string_view value, ValueType type);
    // Table order; saved games enumerate and restore them directly.
    const std::vector<ScriptVariable>& Variables() const;
    void AppendVariable(ScriptVariable variable);

    // The argument list of the command being called.
    bool PushArgument(std::string_view value, ValueType type);
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
    // Their names as they are written ("Abs", "FTrim", ...).
    static std::vector<std::string> BuiltinNames();

    void ResetSymbols(const SymbolTables& tables);
    ScriptResult CallCommand(std::string_view name, std::string_view argumentText);

    // The script store. Slot -1 asks for the first free slot. Returns the
    // slot used or -1. With `problems`, what loading met is appended there;
    // each loaded line remembers its file and line either way.
    int32_t LoadScript(const std::string& path, int stripFlag, int32_t slot,
                       std::vector<LoadProblem>* problems = nullptr);
    std::string ReadScriptText(const std::string& path, int stripFlag);
    int32_t ParseScript(std::string_view text, int32_t slot);
    // Relative INCLUDEFILE paths are read from this folder instead of the
    // working directory (""), for a tool that checks scripts for a game
    // started elsewhere; the game itself never sets it.
    void SetIncludeFolder(std::string folder);
    bool ClearSlot(int32_t slot);
    bool SlotInUse(int32_t slot) const;
    ScriptResult RunScript(int32_t slot);
    // Null for none; the observer must outlive its use.
    void SetRunObserver(RunObserver* observer);

    // Makes every running script (nested runs included) stop after its current
    // line with success, and later runs return at once; the host uses it when
    // the program ends in the middle of a script (the Quit command).
    void RequestStop();
    bool StopRequested() const;

    // Bounds the number of lines a run may execute in total (0: no bound);
    // used by fuzzing and benchmarks to stop scripts that loop by themselves.
    // The budget counts from the start of each outermost RunScript (nested
    // runs share it); when it runs out every run stops with
    // ScriptResult::LineBudgetExhausted and the text "Script stopped: line
    // budget exhausted.".
    void SetLineBudget(uint64_t lines);

    // A host's look at a run that takes long (to keep its window answering,
    // say): `poll` is called between two lines once `interval` of the
    // outermost run's time has passed, and again after every further
    // `interval`, with the time the outermost run has taken so far (on the
    // engine's own monotonic clock, read every few lines). It may call
    // RequestStop, which ends the runs after that line as Quit does; it must
    // not run scripts. A run it does not stop sees no difference at all. An
    // empty `poll` turns it off.
    using LongRunPoll = std::function<void(std::chrono::milliseconds runTime)>;
    void SetLongRunPoll(LongRunPoll poll, std::chrono::milliseconds interval);

    // The expression stages, public so tools and tests can look at each one.
    std::string SubstituteVariables(std::string_view text);
    std::string ExpandCalls(std::string_view text);
    // Invalid for an invalid operator (the error text is recorded) or a line
    // that does not exist.
    ConditionResult EvaluateCondition(int32_t slot, int32_t line);

    // Where the line being run comes from (the innermost running script);
    // empty when no script runs.
    SourceLine CurrentSource() const;
    // Where the last run that failed stopped: the line ErrorReportText
    // counts, or for a missing ENDIF, WEND or WHILE the line of the block
    // that lacks it.
    SourceLine ErrorSource() const;

    // Questions for checkers, answered by the rules the engine runs by.
    // The lines of a loaded slot without its end mark (none for a slot not
    // in use).
    std::vector<StatementInfo> SlotStatements(int32_t slot) const;
    // The parameter count of the command a call of that name reaches, or -1
    // when no command has the name.
    int32_t ParameterCount(std::string_view name) const;
    // The calls ExpandCalls would make in `text`, in the order it would make
    // them, each taken as returning a number; nothing is run.
    std::vector<CallInfo> ListCalls(std::string_view text);
    // How many arguments CallCommand splits an argument text into.
    static int32_t CountArguments(std::string_view argumentText);
    // The words of `text` that stand where SubstituteVariables replaces a
    // variable of that name (between its boundaries, outside quotes; numbers
    // and constants excluded), upper-cased, in order.
    static std::vector<std::string> VariableReferences(std::string_view text);

private:
    std::unique_ptr<script_detail::EngineState> state_;
};

// The expression evaluator: literals, operators and parentheses to a value
// text, or an "ERR-" text.
std::string Evaluate(std::string_view text);

}  // namespace vorn

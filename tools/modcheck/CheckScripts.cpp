// Checks of a script, loaded by the engine's own loader and read back line
// by line as the runner sees it: block pairing, commands and their argument
// counts and types, calls inside expressions, quotes and parentheses,
// constants the event does not set, loops nothing ends, and variables no
// script assigns.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>

#include "common/NameSuggestion.h"
#include "common/TextPrimitives.h"
#include "game/bindings/CommandTables.h"
#include "game/play/Events.h"
#include "tools/modcheck/ModChecker.h"

namespace vorn::modcheck {

namespace {

// The slot scripts are loaded into for checking: past the event slots, so
// nothing the checks load replaces the global scripts.
constexpr int32_t kCheckSlot = kScriptSlotCount - 1;

constexpr const char* kKeywords[] = {"IF",   "ELSEIF", "ELSE", "ENDIF", "WHILE",      "WEND",
                                     "GOTO", "LABEL",  "EXIT", "FREE",  "INCLUDEFILE"};

// What an expression is for: a condition operand keeps an unknown constant
// as text, a value or an argument stops the line.
enum class Role { Condition, Value, Arguments };

std::string Quoted(std::string_view text) {
    return "`" + std::string(text) + "`";
}

std::string Number(int64_t value) {
    return std::to_string(value);
}

bool NameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// The preset constants an event's scripts see (the game's own constants
// are replaced when a script loads, so they are no longer in its lines).
std::vector<std::string> PresetsOf(ScriptEvent event) {
    switch (event) {
        case ScriptEvent::Enter:
        case ScriptEvent::Leave:
            return {};
        case ScriptEvent::Tick:
            return {"TICKLENGTH", "PLAYERX", "PLAYERY", "FIRSTTICK"};
        case ScriptEvent::PlayerAttack:
        case ScriptEvent::ScriptTile:
            return {"PLAYERX", "PLAYERY"};
        case ScriptEvent::GrabItem:
            return {"ITEMNAME", "PLAYERX", "PLAYERY"};
        case ScriptEvent::PlayerDie:
        case ScriptEvent::MonsterDie:
            break;
    }
    return {"MONSTERID", "MONSTERX", "MONSTERY", "PLAYERX", "PLAYERY"};
}

const char* EventName(ScriptEvent event) {
    switch (event) {
        case ScriptEvent::Enter:
            return "an enter";
        case ScriptEvent::Leave:
            return "a leave";
        case ScriptEvent::Tick:
            return "a tick";
        case ScriptEvent::PlayerAttack:
            return "a player-attack";
        case ScriptEvent::GrabItem:
            return "a grab-item";
        case ScriptEvent::PlayerDie:
            return "a player-die";
        case ScriptEvent::MonsterDie:
            return "a monster-die";
        case ScriptEvent::ScriptTile:
            break;
    }
    return "a script-tile";
}

// One script's lines and what the checks of each line need around them.
class ScriptCheck {
public:
    ScriptCheck(Game& game, ScriptEvent event, std::set<std::string>& assigned,
                std::map<std::string, SourceLine>& readAt,
                std::vector<std::pair<std::string, MapNameSource>>& loadMapNames)
        : game_(game),
          event_(event),
          assigned_(assigned),
          readAt_(readAt),
          loadMapNames_(loadMapNames) {
        for (const bindings::CommandEntry& entry : bindings::GameCommandsInRegistrationOrder()) {
            names_[UpperCaseText(entry.name)] = entry.name;
            arguments_[UpperCaseText(entry.name)] = entry.arguments;
            commandNames_.emplace_back(entry.name);
        }
        for (const std::string& name : ScriptEngine::BuiltinNames()) {
            names_[UpperCaseText(name)] = name;
            commandNames_.push_back(name);
        }
    }

    void Check(const std::vector<StatementInfo>& lines) {
        lines_ = &lines;
        for (const StatementInfo& line : lines) {
            if (!line.text.empty())
                CheckLine(line);
        }
        CheckBlocks();
    }

private:
    void Error(const StatementInfo& line, const std::string& text) {
        game_.diagnostics.Error(line.source.file, line.source.line, text);
    }
    void Warning(const StatementInfo& line, const std::string& text) {
        game_.diagnostics.Warning(line.source.file, line.source.line, text);
    }
    // A command's name as its table writes it.
    std::string Name(const std::string& upper) const {
        const auto found = names_.find(upper);
        return found == names_.end() ? upper : found->second;
    }

    void CheckLine(const StatementInfo& line);
    bool CheckQuotes(const StatementInfo& line);
    void CheckParentheses(const StatementInfo& line);
    void CheckStatement(const StatementInfo& line);
    void CheckCondition(const StatementInfo& line);
    void CheckExpression(const StatementInfo& line, const std::string& text, Role role);
    void CheckLiteralArguments(const StatementInfo& line, const std::string& command,
                               const std::string& argumentText);
    void NoteLoadMap(const StatementInfo& line, const std::string& argumentText);
    void CheckBlocks();
    void CheckLoop(size_t whileLine, size_t wendLine);

    Game& game_;
    ScriptEvent event_;
    std::set<std::string>& assigned_;
    std::map<std::string, SourceLine>& readAt_;
    std::vector<std::pair<std::string, MapNameSource>>& loadMapNames_;
    std::map<std::string, std::string> names_;
    std::map<std::string, std::string> arguments_;
    std::vector<std::string> commandNames_;
    const std::vector<StatementInfo>* lines_ = nullptr;
    // Whether the line's missing ")" was told with the call it belongs to.
    bool unclosedCallTold_ = false;
};

// Parentheses outside strings must pair on the line, and a name followed by
// "(" that is no command is kept as text, not called.
void ScriptCheck::CheckParentheses(const StatementInfo& line) {
    const std::string& text = line.text;
    int depth = 0;
    bool inside = false;
    bool unbalanced = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\'') {
            inside = !inside;
        } else if (!inside && c == '(') {
            ++depth;
            size_t end = i;
            while (end > 0 && text[end - 1] == ' ')
                --end;
            size_t start = end;
            while (start > 0 && NameChar(text[start - 1]))
                --start;
            const std::string name = text.substr(start, end - start);
            const bool keyword =
                start == 0 && std::find(std::begin(kKeywords), std::end(kKeywords),
                                        UpperCaseText(name)) != std::end(kKeywords);
            // A name opening a plain line is its command, told as such.
            const bool lineCommand = start == 0 && line.kind == StatementKind::Plain;
            if (!name.empty() && !keyword && !lineCommand &&
                !std::isdigit(static_cast<unsigned char>(name[0])) &&
                !game_.script.CommandExists(name)) {
                Error(line, "unknown function " + Quoted(name) + ": the text " +
                                Quoted(name + "(") + "... is kept as it stands" +
                                DidYouMean(name, commandNames_));
            }
        } else if (!inside && c == ')') {
            unbalanced |= --depth < 0;
        }
    }
    if ((unbalanced || depth != 0) && !unclosedCallTold_)
        Error(line, depth > 0 ? "a `(` has no closing `)`" : "a `)` closes no `(`");
}

void ScriptCheck::CheckLine(const StatementInfo& line) {
    const bool quotesBalanced = CheckQuotes(line);
    const std::string& text = line.text;
    unclosedCallTold_ = false;
    CheckStatement(line);
    if (quotesBalanced && line.kind != StatementKind::Goto && line.kind != StatementKind::Label)
        CheckParentheses(line);
    if (quotesBalanced) {
        bool inside = false;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\'') {
                inside = !inside;
            } else if (inside && text[i] == '#' && i + 1 < text.size() && NameChar(text[i + 1])) {
                Warning(line,
                        "a `#` inside a string starts a constant's name all the same: "
                        "when nothing is named so, the line stops");
                break;
            } else if (inside && text.compare(i, 2, "()") == 0) {
                size_t start = i;
                while (start > 0 && NameChar(text[start - 1]))
                    --start;
                const std::string name = text.substr(start, i - start);
                if (!name.empty() && game_.script.CommandExists(name)) {
                    Warning(line,
                            Quoted(name + "()") + " inside a string is run as a call all the same");
                }
            }
        }
    }
}

// An apostrophe inside a word ends the string it was meant to be part of;
// an odd number of quotes leaves a string open. False when the quotes do
// not pair.
bool ScriptCheck::CheckQuotes(const StatementInfo& line) {
    const std::string& text = line.text;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '\'' && std::isalpha(static_cast<unsigned char>(text[i - 1])) &&
            std::isalpha(static_cast<unsigned char>(text[i + 1]))) {
            size_t start = i;
            while (start > 0 && NameChar(text[start - 1]))
                --start;
            size_t end = i + 1;
            while (end < text.size() && NameChar(text[end]))
                ++end;
            Error(line, "the apostrophe in " + Quoted(text.substr(start, end - start)) +
                            " ends the string: a string cannot hold a `'` (there is no escape)");
            return false;
        }
    }
    if (std::count(text.begin(), text.end(), '\'') % 2 != 0) {
        Error(line, "a string has no closing `'`");
        return false;
    }
    return true;
}

void ScriptCheck::CheckStatement(const StatementInfo& line) {
    switch (line.kind) {
        case StatementKind::If:
        case StatementKind::ElseIf:
        case StatementKind::While:
            CheckCondition(line);
            return;
        case StatementKind::Free:
            if (TrimSpaces(line.text.substr(4)).empty())
                Warning(line, "FREE without a variable's name does nothing");
            return;
        case StatementKind::Plain:
            break;
        default:
            return;
    }
    const int32_t parameters = game_.script.ParameterCount(line.callName);
    if (parameters >= 0) {
        const int32_t given = ScriptEngine::CountArguments(line.argumentText);
        if (given != parameters) {
            Error(line, Quoted(Name(line.callName)) + " takes " +
                            (parameters == 0 ? std::string("no arguments")
                                             : Number(parameters) +
                                                   (parameters == 1 ? " argument" : " arguments")) +
                            ", " + Number(given) + " given");
        } else {
            CheckLiteralArguments(line, line.callName, line.argumentText);
        }
        if (line.callName == "LOADMAP")
            NoteLoadMap(line, line.argumentText);
        CheckExpression(line, line.argumentText, Role::Arguments);
        return;
    }
    const std::string before = line.text.substr(0, line.text.find('='));
    const std::string firstWord(TextField(line.text, 1, ' '));
    if (!line.assignmentValue.empty() && before.find('(') == std::string::npos &&
        before.find('\'') == std::string::npos) {
        if (ScriptEngine::IsNumberText(line.assignmentTarget)) {
            Error(line, Quoted(TrimSpaces(before)) + " is a number, not a variable's name");
            return;
        }
        assigned_.insert(line.assignmentTarget);
        if (line.assignmentValue[0] == ' ' &&
            line.assignmentValue.find('\'') != std::string::npos &&
            ScriptEngine::VariableReferences(line.assignmentValue).empty() &&
            game_.script.ListCalls(line.assignmentValue).empty()) {
            Warning(line, "the blank after `=` becomes part of the text stored in " +
                              line.assignmentTarget + "; write " + line.assignmentTarget + "=" +
                              std::string(TrimSpaces(line.assignmentValue)) +
                              " if the text is compared later");
        }
        CheckExpression(line, line.assignmentValue, Role::Value);
        return;
    }
    if (game_.script.CommandExists(firstWord)) {
        Error(line, Quoted(Name(UpperCaseText(firstWord))) +
                        " needs its arguments in parentheses: " + Name(UpperCaseText(firstWord)) +
                        "(...)");
        return;
    }
    std::vector<std::string> candidates = commandNames_;
    candidates.insert(candidates.end(), std::begin(kKeywords), std::end(kKeywords));
    const std::string word = line.text.substr(0, line.text.find_first_of("( "));
    Error(line, "unknown command " + Quoted(word) + DidYouMean(word, candidates));
}

void ScriptCheck::CheckCondition(const StatementInfo& line) {
    const std::string keyword = line.keyword;
    if (line.conditionOperator.empty()) {
        Error(line, keyword +
                        " without a comparison (=, <>, <, >, <=, >=): the script stops here "
                        "with `Syntax error: Invalid operator found in expression`");
        return;
    }
    const std::string rest(TrimSpaces(std::string_view(line.text).substr(keyword.size())));
    const char cut = line.conditionOperator[0];
    const auto cuts = std::count(rest.begin(), rest.end(), cut);
    if (cuts > 1) {
        Warning(line, "the condition holds a second `" + std::string(1, cut) +
                          "`, which cuts it short: the right side compared is " +
                          Quoted(line.conditionRight));
    }
    // A string literal on either side makes it a comparison of texts.
    auto stringLiteral = [](std::string_view operand) {
        operand = TrimSpaces(operand);
        return operand.size() >= 2 && operand.front() == '\'' && operand.back() == '\'' &&
               std::count(operand.begin(), operand.end(), '\'') == 2 &&
               !ScriptEngine::IsNumberText(operand.substr(1, operand.size() - 2));
    };
    const bool text = stringLiteral(line.conditionLeft) || stringLiteral(line.conditionRight);
    if (text && ((!line.conditionLeft.empty() && line.conditionLeft.back() == ' ') ||
                 (!line.conditionRight.empty() && line.conditionRight.front() == ' '))) {
        Warning(line,
                "the blanks around `" + line.conditionOperator +
                    "` are part of the texts compared, so " +
                    Quoted(line.conditionLeft + line.conditionOperator + line.conditionRight) +
                    " compares " + Quoted(line.conditionLeft) + " with " +
                    Quoted(line.conditionRight) + "; write them without blanks");
    }
    CheckExpression(line, line.conditionLeft, Role::Condition);
    CheckExpression(line, line.conditionRight, Role::Condition);
}

void ScriptCheck::CheckExpression(const StatementInfo& line, const std::string& text, Role role) {
    for (const CallInfo& call : game_.script.ListCalls(text)) {
        const std::string name = Name(call.name);
        if (!call.closed) {
            Error(line, Quoted(name + "(") + " has no closing `)`");
            unclosedCallTold_ = true;
            continue;
        }
        if (call.argumentCount != call.parameterCount) {
            Error(line, Quoted(name) + " takes " +
                            (call.parameterCount == 0
                                 ? std::string("no arguments")
                                 : Number(call.parameterCount) +
                                       (call.parameterCount == 1 ? " argument" : " arguments")) +
                            ", " + Number(call.argumentCount) + " given");
        } else {
            CheckLiteralArguments(line, call.name, call.argumentText);
        }
        if (call.name == "LOADMAP")
            NoteLoadMap(line, call.argumentText);
    }

    for (const std::string& name : ScriptEngine::VariableReferences(text)) {
        if (game_.script.CommandExists(name)) {
            Warning(line,
                    Quoted(Name(name)) + " without `()` is no call: write " + Name(name) + "()");
            continue;
        }
        readAt_.try_emplace(name, line.source);
    }

    // Constants the load left in the text: the event's presets, or none.
    const std::vector<std::string> presets = PresetsOf(event_);
    for (size_t at = text.find('#'); at != std::string::npos; at = text.find('#', at + 1)) {
        size_t end = at + 1;
        while (end < text.size() && NameChar(text[end]))
            ++end;
        const std::string written = text.substr(at + 1, end - at - 1);
        if (written.empty())
            continue;
        const std::string upper = UpperCaseText(written);
        const bool preset = std::find(presets.begin(), presets.end(), upper) != presets.end();
        if (preset && upper == written && (upper != "FIRSTTICK" || role == Role::Condition))
            continue;
        const Severity severity = role == Role::Condition ? Severity::Warning : Severity::Error;
        std::string message;
        if (upper != written) {
            message = "constants are written in capitals: " + Quoted("#" + upper);
        } else if (upper == "FIRSTTICK") {
            message = "`#FIRSTTICK` is set on a first tick only; read it in a condition";
        } else {
            const std::vector<std::string> all = {"TICKLENGTH", "PLAYERX",  "PLAYERY",
                                                  "FIRSTTICK",  "ITEMNAME", "MONSTERID",
                                                  "MONSTERX",   "MONSTERY"};
            const bool known = std::find(all.begin(), all.end(), upper) != all.end();
            message = known
                          ? Quoted("#" + upper) + " is not set in " + EventName(event_) + " script"
                          : "unknown constant " + Quoted("#" + written) + DidYouMean(upper, all);
        }
        message += role == Role::Condition ? " (the text stays, so the comparison is false)"
                                           : " (the line stops with an evaluation error)";
        game_.diagnostics.Report(severity, line.source.file, line.source.line, message);
    }
}

// A map named by LoadMap with a literal name, checked once every map is.
void ScriptCheck::NoteLoadMap(const StatementInfo& line, const std::string& argumentText) {
    const std::string_view argument = TrimSpaces(argumentText);
    if (argument.size() >= 2 && argument.front() == '\'' && argument.back() == '\'' &&
        std::count(argument.begin(), argument.end(), '\'') == 2) {
        loadMapNames_.emplace_back(std::string(argument.substr(1, argument.size() - 2)),
                                   MapNameSource{line.source.file, line.source.line, "LoadMap"});
    }
}

// Arguments written as plain numbers or strings, given to a command whose
// table says the other type: the call fails whenever it runs.
void ScriptCheck::CheckLiteralArguments(const StatementInfo& line, const std::string& command,
                                        const std::string& argumentText) {
    const auto found = arguments_.find(command);
    if (found == arguments_.end())
        return;
    const std::string& letters = found->second;
    size_t index = 0;
    bool inside = false;
    size_t start = 0;
    for (size_t i = 0; i <= argumentText.size(); ++i) {
        if (i < argumentText.size() && argumentText[i] == '\'') {
            inside = !inside;
            continue;
        }
        if (i < argumentText.size() && (argumentText[i] != ',' || inside))
            continue;
        const std::string piece(
            TrimSpaces(std::string_view(argumentText).substr(start, i - start)));
        start = i + 1;
        const char wanted = index < letters.size() ? letters[index] : 'a';
        ++index;
        const bool literal = !piece.empty() && piece.find('#') == std::string::npos &&
                             ScriptEngine::VariableReferences(piece).empty() &&
                             game_.script.ListCalls(piece).empty();
        if (!literal || wanted == 'a')
            continue;
        const std::string value = Evaluate(piece);
        const bool number = ScriptEngine::IsNumberText(value);
        if ((wanted == 'n') == number)
            continue;
        std::string why;
        if (number && piece.front() == '\'') {
            why = TrimSpaces(value).empty() ? " (an empty or blank string counts as a number)"
                                            : " (a string that looks like a number is one)";
        }
        Error(line, Name(command) + ": argument " + Number(static_cast<int64_t>(index)) +
                        " must be a " + (wanted == 'n' ? "number" : "string") + ", not the " +
                        (number ? "number " : "string ") + Quoted(value) + why);
    }
}

// IF / ELSEIF / ELSE / ENDIF and WHILE / WEND must pair and nest: the
// runner finds blocks by scanning, so crossing or missing ends do what no
// one meant.
void ScriptCheck::CheckBlocks() {
    struct Open {
        StatementKind kind;
        size_t line;
        bool hasElse = false;
    };
    const std::vector<StatementInfo>& lines = *lines_;
    std::vector<Open> open;
    auto where = [&](const Open& block) {
        return "the " + std::string(block.kind == StatementKind::If ? "IF" : "WHILE") +
               " of line " + Number(lines[block.line].source.line);
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        const StatementInfo& line = lines[i];
        switch (line.kind) {
            case StatementKind::If:
            case StatementKind::While:
                open.push_back({line.kind, i});
                break;
            case StatementKind::ElseIf:
            case StatementKind::Else: {
                const bool elseIf = line.kind == StatementKind::ElseIf;
                if (open.empty() || open.back().kind != StatementKind::If) {
                    Error(line, std::string(elseIf ? "ELSEIF" : "ELSE") + " without IF" +
                                    (open.empty() ? "" : " (inside " + where(open.back()) + ")"));
                } else if (open.back().hasElse) {
                    Error(line, std::string(elseIf ? "ELSEIF" : "a second ELSE") +
                                    " after the ELSE of " + where(open.back()) +
                                    " is never reached");
                } else if (!elseIf) {
                    open.back().hasElse = true;
                }
                break;
            }
            case StatementKind::EndIf:
                if (open.empty()) {
                    Error(line, "ENDIF without IF");
                } else if (open.back().kind != StatementKind::If) {
                    Error(line, "ENDIF inside " + where(open.back()) +
                                    ": the blocks cross (close the WHILE with WEND first)");
                } else {
                    open.pop_back();
                }
                break;
            case StatementKind::Wend:
                if (open.empty()) {
                    Error(line,
                          "WEND without WHILE: the script stops here with `Syntax error: "
                          "Expected 'WHILE'`");
                } else if (open.back().kind != StatementKind::While) {
                    Error(line, "WEND inside " + where(open.back()) +
                                    ": the blocks cross (close the IF with ENDIF first)");
                } else {
                    CheckLoop(open.back().line, i);
                    open.pop_back();
                }
                break;
            default:
                break;
        }
    }
    for (const Open& block : open) {
        const bool isIf = block.kind == StatementKind::If;
        Error(lines[block.line],
              isIf ? "IF without ENDIF: when its condition is false the script stops with "
                     "`Syntax error: Expected 'ENDIF'`"
                   : "WHILE without WEND: when its condition is false the script stops with "
                     "`Syntax error: Expected 'WEND'`");
    }
}

// A loop whose condition calls nothing and reads no variable that its body
// changes runs for ever once it runs at all (a GOTO or EXIT may leave it; a
// LoadMap or ResetSymbols may change any variable).
void ScriptCheck::CheckLoop(size_t whileLine, size_t wendLine) {
    const std::vector<StatementInfo>& lines = *lines_;
    const StatementInfo& loop = lines[whileLine];
    const std::string condition = loop.conditionLeft + "=" + loop.conditionRight;
    if (loop.conditionOperator.empty() || !game_.script.ListCalls(loop.conditionLeft).empty() ||
        !game_.script.ListCalls(loop.conditionRight).empty()) {
        return;
    }
    const std::vector<std::string> read = ScriptEngine::VariableReferences(condition);
    for (size_t i = whileLine + 1; i < wendLine; ++i) {
        const StatementInfo& line = lines[i];
        if (line.kind == StatementKind::Goto || line.kind == StatementKind::Exit)
            return;
        if (line.kind == StatementKind::Free &&
            std::find(read.begin(), read.end(), UpperCaseText(TrimSpaces(line.text.substr(4)))) !=
                read.end()) {
            return;
        }
        for (const std::string* expression : {&line.argumentText, &line.assignmentValue,
                                              &line.conditionLeft, &line.conditionRight}) {
            for (const CallInfo& call : game_.script.ListCalls(*expression)) {
                if (call.name == "LOADMAP" || call.name == "RESETSYMBOLS")
                    return;
            }
        }
        if (line.kind == StatementKind::Plain &&
            (line.callName == "LOADMAP" || line.callName == "RESETSYMBOLS")) {
            return;
        }
        if (line.kind == StatementKind::Plain && game_.script.ParameterCount(line.callName) < 0 &&
            std::find(read.begin(), read.end(), line.assignmentTarget) != read.end()) {
            return;
        }
    }
    Warning(loop, read.empty()
                      ? std::string("the loop's condition reads no variable and calls nothing: "
                                    "once true, it runs for ever")
                      : "nothing in the loop changes " + read.front() +
                            " (or any variable its condition reads): once true, it runs for "
                            "ever");
}

}  // namespace

void ModChecker::CheckScript(const std::string& path, ScriptEvent event) {
    std::vector<LoadProblem> problems;
    const int32_t slot = game_.script.LoadScript(path, 1, kCheckSlot, &problems);
    for (LoadProblem& problem : problems) {
        if (problem.kind == LoadProblemKind::MissingInclude)
            problem.text += IncludeHint(problem.text);
    }
    ReportLoadProblems(game_, problems);
    scriptsChecked_.insert(path);
    if (slot < 0)
        return;  // a missing label or too many lines: told by the loader
    const std::vector<StatementInfo> lines = game_.script.SlotStatements(slot);
    game_.script.ClearSlot(slot);
    for (const StatementInfo& line : lines) {
        if (!line.source.file.empty())
            scriptsChecked_.insert(line.source.file);
    }
    ScriptCheck check(game_, event, assigned_, readAt_, loadMapNames_);
    check.Check(lines);
}

// A missing include written for the mod under another folder name (a copy
// of vorn3 still naming ./vorn3/lib/...): names the file of this mod.
std::string ModChecker::IncludeHint(const std::string& problemText) const {
    const size_t open = problemText.find('`');
    const size_t close = problemText.find('`', open + 1);
    if (open == std::string::npos || close == std::string::npos)
        return {};
    std::string written = problemText.substr(open + 1, close - open - 1);
    if (written.rfind("./", 0) == 0)
        written.erase(0, 2);
    const size_t slash = written.find('/');
    if (slash == std::string::npos)
        return {};
    const std::string inMod = game_.ModFolder + written.substr(slash);
    std::error_code error;
    if (!std::filesystem::is_regular_file(inMod, error))
        return {};
    const std::string folder = std::filesystem::path(game_.ModFolder).filename().string();
    return "; this mod has " + ShownPath(inMod) + ": write INCLUDEFILE ./" + folder +
           written.substr(slash);
}

void ModChecker::CheckUnreadVariables() {
    for (const auto& [name, where] : readAt_) {
        if (name == "RET" || assigned_.count(name) != 0)
            continue;
        Tell().Warning(where.file, where.line,
                       "no script assigns " + name +
                           ", so the name stays in the text as it is "
                           "written");
    }
}

}  // namespace vorn::modcheck

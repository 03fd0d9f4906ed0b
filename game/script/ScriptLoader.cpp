// Script loading: reading a .ds file with its included files, and parsing
// the text into the line records of a slot of the script store.
#include <algorithm>

#include "common/FileIO.h"
#include "common/TextPrimitives.h"
#include "game/script/EngineState.h"
#include "game/script/ScriptText.h"

namespace vorn {

using script_detail::Comparison;
using script_detail::EngineState;
using script_detail::LineKind;
using script_detail::ScriptLine;
using script_detail::ScriptSource;
using script_detail::SlotScript;
using script_detail::SourceRef;

namespace {

// Included files nest at most this deep; deeper INCLUDEFILE lines (in
// practice always a cycle through differently written paths) are refused.
constexpr int kMaxIncludeDepth = 16;
// A load reads at most this many files, so a file that includes another one
// many times over (which doubles the text at every level) still finishes.
constexpr int kMaxIncludedFiles = 1000;

struct IncludeState {
    std::vector<std::string> openFiles;  // the chain of files being read
    int filesRead = 0;
};

// The index of `path` in the source's file list, added when new.
int32_t FileIndex(ScriptSource& source, const std::string& path) {
    for (size_t i = 0; i < source.files.size(); ++i) {
        if (source.files[i] == path)
            return static_cast<int32_t>(i);
    }
    source.files.push_back(path);
    return static_cast<int32_t>(source.files.size() - 1);
}

// Appends the file's kept lines (and those of the files it includes) to
// `source`, each with its origin. `includedAt` is the INCLUDEFILE line that
// names the file, none for the script's own file.
void ReadScriptFile(EngineState& state, const std::string& path, const std::string& written,
                    int stripFlag, IncludeState& includes, ScriptSource& source,
                    const SourceLine& includedAt) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        state.lastError = "Could not load the specified file: " + path;
        if (includedAt.file.empty()) {
            source.problems.push_back({LoadProblemKind::MissingFile, SourceLine{path, 0},
                                       "the script file cannot be read"});
        } else {
            source.problems.push_back(
                {LoadProblemKind::MissingInclude, includedAt,
                 "INCLUDEFILE `" + written +
                     "`: the file cannot be read (the path is taken from the folder the game "
                     "is started in)"});
        }
        return;
    }
    includes.openFiles.push_back(path);
    const int32_t file = FileIndex(source, path);
    TextReader reader(std::move(bytes));
    std::string line;
    int32_t number = 0;
    while (reader.ReadTextLine(line)) {
        ++number;
        if (stripFlag != 0) {
            // Trimmed first, tabs deleted after: a blank behind a leading tab
            // keeps the line.
            const std::string bare = script_detail::RemoveChar(TrimSpaces(line), '\t');
            if (bare.empty() || bare[0] == ';') {
                continue;
            }
        }
        if (UpperCaseText(TextField(line, 1, ' ')) == "INCLUDEFILE") {
            const std::string written =
                script_detail::RemoveChar(TrimSpaces(std::string_view(line).substr(11)), '\'');
            const bool relative = !written.empty() && written[0] != '/';
            const std::string name =
                state.includeFolder.empty() || !relative
                    ? written
                    : state.includeFolder + "/" +
                          (written.rfind("./", 0) == 0 ? written.substr(2) : written);
            const SourceLine here{path, number};
            if (std::find(includes.openFiles.begin(), includes.openFiles.end(), name) !=
                includes.openFiles.end()) {
                state.lastError = "Include error. The file " + name + " includes itself.";
                source.problems.push_back(
                    {LoadProblemKind::RefusedInclude, here,
                     "INCLUDEFILE `" + written +
                         "` includes a file that is being read already (a cycle); it is left "
                         "out"});
            } else if (static_cast<int>(includes.openFiles.size()) > kMaxIncludeDepth ||
                       includes.filesRead >= kMaxIncludedFiles) {
                state.lastError = "Include error. Too many included files at: " + name;
                source.problems.push_back(
                    {LoadProblemKind::RefusedInclude, here,
                     "INCLUDEFILE `" + written + "`: too many included files; it is left out"});
            } else {
                ++includes.filesRead;
                ReadScriptFile(state, name, written, stripFlag, includes, source, here);
            }
        } else {
            source.text += line;
        }
        // The line end of the line itself (after an included text: the
        // empty line every INCLUDEFILE leaves behind).
        source.text += '\n';
        source.origins.push_back(SourceRef{file, number});
    }
    includes.openFiles.pop_back();
}

void SplitLine(ScriptLine& line) {
    const std::string_view text = line.text;
    const std::string_view firstWord = TextField(text, 1, ' ');
    line.keyword = UpperCaseText(TrimSpaces(firstWord));
    line.rest.assign(TrimSpaces(text.substr(firstWord.size())));

    const size_t equals = text.find('=');
    line.assignmentTarget = script_detail::RemoveChar(UpperCaseText(text.substr(0, equals)), ' ');
    if (equals != std::string_view::npos) {
        line.assignmentValue.assign(TrimSpaces(text.substr(equals)).substr(1));
    }

    const size_t open = text.find('(');
    line.callName = UpperCaseText(TrimSpaces(text.substr(0, open)));
    if (open != std::string_view::npos) {
        std::string_view argument = TrimSpaces(text.substr(open));
        if (!argument.empty() && argument.front() == '(') {
            argument.remove_prefix(1);
        }
        if (!argument.empty() && argument.back() == ')') {
            argument.remove_suffix(1);
        }
        line.argumentText.assign(argument);
    }

    static constexpr std::pair<std::string_view, LineKind> kKinds[] = {
        {"IF", LineKind::If},       {"EXIT", LineKind::Exit},     {"GOTO", LineKind::Goto},
        {"LABEL", LineKind::Label}, {"ELSEIF", LineKind::ElseIf}, {"ELSE", LineKind::Else},
        {"ENDIF", LineKind::EndIf}, {"WHILE", LineKind::While},   {"WEND", LineKind::Wend},
        {"FREE", LineKind::Free},
    };
    line.kind = LineKind::Plain;
    for (const auto& [keyword, kind] : kKinds) {
        if (line.keyword == keyword) {
            line.kind = kind;
        }
    }

    // The operator list is searched in this order and the first one found
    // anywhere wins; its first character cuts the operands.
    static constexpr std::pair<std::string_view, Comparison> kOperators[] = {
        {"<>", Comparison::NotEqual},    {">=", Comparison::GreaterOrEqual},
        {"<=", Comparison::LessOrEqual}, {"<", Comparison::Less},
        {">", Comparison::Greater},      {"=", Comparison::Equal},
    };
    const std::string_view rest = line.rest;
    for (const auto& [op, comparison] : kOperators) {
        if (rest.find(op) == std::string_view::npos) {
            continue;
        }
        const char cut = op[0];
        const size_t first = rest.find(cut);
        const size_t second = rest.find(cut, first + 1);
        std::string left(rest.substr(0, first));
        std::string right(rest.substr(first + 1, second == std::string_view::npos
                                                     ? std::string_view::npos
                                                     : second - first - 1));
        if (comparison == Comparison::NotEqual) {
            left = script_detail::RemoveChar(left, '>');
            right = script_detail::RemoveChar(right, '>');
        } else if (comparison == Comparison::GreaterOrEqual ||
                   comparison == Comparison::LessOrEqual) {
            left = script_detail::RemoveChar(left, '=');
            right = script_detail::RemoveChar(right, '=');
        }
        line.conditionLeft = std::move(left);
        line.conditionRight = std::move(right);
        line.comparison = comparison;
        break;
    }

    script_detail::PrepareExpression(line.left, line.conditionLeft);
    script_detail::PrepareExpression(line.right, line.conditionRight);
    script_detail::PrepareExpression(line.argument, line.argumentText);
    script_detail::PrepareExpression(line.value, line.assignmentValue);

    if (line.kind == LineKind::Free) {
        line.freeName = script_detail::RemoveChar(UpperCaseText(line.rest), ' ');
    }
    if (line.kind == LineKind::Goto) {
        line.gotoTarget = TextToInt(line.rest);
    }
}

}  // namespace

namespace script_detail {

ScriptSource ReadScriptSource(EngineState& state, const std::string& path, int stripFlag) {
    ScriptSource source;
    IncludeState includes;
    ReadScriptFile(state, path, path, stripFlag, includes, source, SourceLine{});
    return source;
}

SourceLine SlotScript::SourceOf(int32_t line) const {
    if (line < 0 || static_cast<size_t>(line) >= origins.size())
        return {};
    const SourceRef& origin = origins[static_cast<size_t>(line)];
    if (origin.file < 0 || static_cast<size_t>(origin.file) >= files.size())
        return {};
    return SourceLine{files[static_cast<size_t>(origin.file)], origin.line};
}

int32_t ParseScriptSource(EngineState& state, const ScriptSource& source, int32_t slot,
                          std::vector<LoadProblem>* problems) {
    const std::string_view text = source.text;
    auto tell = [&](LoadProblemKind kind, int32_t line, std::string message) {
        if (problems == nullptr)
            return;
        SourceLine where;
        if (line >= 0 && static_cast<size_t>(line) < source.origins.size()) {
            const SourceRef& origin = source.origins[static_cast<size_t>(line)];
            where = SourceLine{source.files[static_cast<size_t>(origin.file)], origin.line};
        } else if (!source.files.empty()) {
            where.file = source.files.front();
        }
        problems->push_back({kind, std::move(where), std::move(message)});
    };
    if (slot == -1) {
        for (int32_t i = 0; i < state.slotCount; ++i) {
            if (!state.slots[static_cast<size_t>(i)]) {
                slot = i;
                break;
            }
        }
        if (slot == -1) {
            return -1;
        }
    }
    if (slot < 0 || slot >= state.slotCount) {
        return -1;
    }
    const std::string bare = script_detail::RemoveChar(text, '\r');
    const size_t lineCount = static_cast<size_t>(std::count(bare.begin(), bare.end(), '\n')) + 1;
    // A script of exactly lines-per-slot lines is accepted: its end mark
    // takes a record just past the slot's lines.
    if (lineCount > static_cast<size_t>(state.linesPerSlot)) {
        tell(LoadProblemKind::TooLong, -1,
             "the script has " + std::to_string(lineCount - 1) +
                 " lines without its comments and blank lines (included files counted); a "
                 "script may have " +
                 std::to_string(state.linesPerSlot - 1));
        return -1;
    }
    state.slots[static_cast<size_t>(slot)].reset();

    auto script = std::make_shared<SlotScript>();
    script->lines.resize(lineCount + 1);
    size_t start = 0;
    for (size_t i = 0; i < lineCount; ++i) {
        size_t end = bare.find('\n', start);
        if (end == std::string::npos) {
            end = bare.size();
        }
        std::string line(TrimSpaces(std::string_view(bare).substr(start, end - start)));
        std::replace(line.begin(), line.end(), '\t', ' ');
        script->lines[i].text = script_detail::ExpandConstants(state, line);
        start = end + 1;
    }

    // GOTO lines are rewritten to the index of their LABEL line.
    std::vector<std::string> upperTexts(lineCount);
    for (size_t i = 0; i < lineCount; ++i) {
        upperTexts[i] = UpperCaseText(TrimSpaces(script->lines[i].text));
    }
    for (size_t i = 0; i < lineCount; ++i) {
        ScriptLine& line = script->lines[i];
        const std::string_view trimmed = TrimSpaces(line.text);
        if (UpperCaseText(TrimSpaces(TextField(trimmed, 1, ' '))) != "GOTO") {
            continue;
        }
        const std::string label(TrimSpaces(TextField(trimmed, 2, ' ')));
        const std::string wanted = "LABEL " + UpperCaseText(label);
        size_t target = lineCount;
        for (size_t j = 0; j < lineCount; ++j) {
            if (upperTexts[j] == wanted) {
                target = j;
                break;
            }
        }
        if (target == lineCount) {
            state.lastError = "Syntax error: Label '" + label + "' not found.";
            tell(LoadProblemKind::MissingLabel, static_cast<int32_t>(i),
                 "GOTO " + label + ": no line `LABEL " + label +
                     "` (written with one blank), so the script does not load");
            return -1;
        }
        line.text = "GOTO " + std::to_string(target);
    }

    for (size_t i = 0; i < lineCount; ++i) {
        ScriptLine& line = script->lines[i];
        line.text.assign(TrimSpaces(line.text));
        SplitLine(line);
    }
    script->lines[lineCount].endMark = true;
    script->files = source.files;
    script->origins = source.origins;
    state.slots[static_cast<size_t>(slot)] = std::move(script);
    return slot;
}

}  // namespace script_detail

std::string ScriptEngine::ReadScriptText(const std::string& path, int stripFlag) {
    return script_detail::ReadScriptSource(*state_, path, stripFlag).text;
}

int32_t ScriptEngine::ParseScript(std::string_view text, int32_t slot) {
    script_detail::ScriptSource source;
    source.text.assign(text);
    return script_detail::ParseScriptSource(*state_, source, slot, nullptr);
}

int32_t ScriptEngine::LoadScript(const std::string& path, int stripFlag, int32_t slot,
                                 std::vector<LoadProblem>* problems) {
    const script_detail::ScriptSource source =
        script_detail::ReadScriptSource(*state_, path, stripFlag);
    if (problems != nullptr)
        problems->insert(problems->end(), source.problems.begin(), source.problems.end());
    return script_detail::ParseScriptSource(*state_, source, slot, problems);
}

void ScriptEngine::SetIncludeFolder(std::string folder) {
    state_->includeFolder = std::move(folder);
}

bool ScriptEngine::ClearSlot(int32_t slot) {
    if (slot < 0 || slot >= state_->slotCount) {
        return false;
    }
    state_->slots[static_cast<size_t>(slot)].reset();
    return true;
}

bool ScriptEngine::SlotInUse(int32_t slot) const {
    return slot >= 0 && slot < state_->slotCount && state_->slots[static_cast<size_t>(slot)];
}

}  // namespace vorn

// scriptrun: loads one script into a fresh engine the size the game uses,
// with the built-in functions and any NAME=VALUE constants, runs it once and
// prints every variable, the result code and the error report. With --mod
// the engine is that of a headless game started on the mod, a new game
// begun, so the game's commands work too.
#include "tools/scriptrun/ScriptRun.h"

#include <memory>
#include <optional>

#include "common/Diagnostics.h"
#include "common/TextPrimitives.h"
#include "game/media/HeadlessMedia.h"
#include "game/script/ScriptEngine.h"
#include "game/shell/GameShell.h"

namespace vorn {
namespace {

constexpr const char* kUsage =
    "usage: scriptrun [--mod MODFOLDER] [--lines N] FILE.ds [NAME=VALUE ...]\n"
    "Loads FILE.ds (comments dropped) into a fresh script engine of 50 slots x 500 lines\n"
    "with the ten built-in functions, registers each NAME=VALUE as the constant #NAME\n"
    "before loading, runs the script and prints one line per variable in table order:\n"
    "NAME<TAB>type code<TAB>value, then result<TAB>code and, when the code is not 1,\n"
    "error<TAB>error text followed by \" Line \" and the line number.\n"
    "\n"
    "  --mod MODFOLDER  run it in a game on MODFOLDER, started as the game starts (without\n"
    "                   a window) with a new game begun, so the game's commands work and\n"
    "                   the variables the map's enter script set are there\n"
    "  --lines N        stop the script after N lines (a loop that never ends)\n"
    "\n"
    "Exit status 0 when the result is 1, 1 for another result, 2 when FILE.ds or the mod\n"
    "cannot be read. What loading met, the place of a failed run and what the game skips\n"
    "are written to standard error as PATH:LINE: error: TEXT.\n";

// The slot the script runs in: in a game, past every slot the game uses
// first, so no event script is replaced.
constexpr int32_t kSlotCount = 50;
constexpr int32_t kLinesPerSlot = 500;

struct Options {
    std::string modFolder;
    uint64_t lines = 0;
    std::string file;
    std::vector<std::pair<std::string, std::string>> constants;
};

// Options from the arguments; nothing (after telling why) for bad usage.
std::optional<Options> ParseArguments(const std::vector<std::string>& arguments,
                                      std::ostream& err) {
    Options options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if ((argument == "--mod" || argument == "--lines") && options.file.empty()) {
            if (i + 1 >= arguments.size()) {
                err << "scriptrun: " << argument << " needs a value\n" << kUsage;
                return std::nullopt;
            }
            const std::string& value = arguments[++i];
            if (argument == "--mod") {
                options.modFolder = value;
            } else if (TextToInt(value) > 0 &&
                       value.find_first_not_of("0123456789") == std::string::npos) {
                options.lines = static_cast<uint64_t>(TextToInt(value));
            } else {
                err << "scriptrun: --lines takes a number above 0, not " << value << "\n";
                return std::nullopt;
            }
        } else if (options.file.empty()) {
            options.file = argument;
        } else {
            const size_t equals = argument.find('=');
            if (equals == std::string::npos) {
                err << "scriptrun: not a constant (NAME=VALUE): " << argument << "\n";
                return std::nullopt;
            }
            options.constants.emplace_back(argument.substr(0, equals), argument.substr(equals + 1));
        }
    }
    if (options.file.empty()) {
        err << kUsage;
        return std::nullopt;
    }
    return options;
}

void TellLoadProblems(const std::vector<LoadProblem>& problems, std::ostream& err) {
    for (const LoadProblem& problem : problems) {
        const Severity severity =
            problem.kind == LoadProblemKind::RefusedInclude ? Severity::Warning : Severity::Error;
        err << FormatDiagnostic(severity, problem.where.file, problem.where.line, problem.text)
            << '\n';
    }
}

// Loads, runs and reports; the engine is ready (built-ins and, in a game,
// the game's commands registered). `told` holds what a game told already (a
// refused argument type is told there, and its error text is an older one).
int RunIn(ScriptEngine& engine, int32_t slot, const Options& options, std::ostream& out,
          std::ostream& err, const Diagnostics* told = nullptr) {
    for (const auto& [name, value] : options.constants) {
        if (!engine.RegisterConstant(name, value)) {
            err << "scriptrun: not a constant (NAME=VALUE): " << name << "=" << value << "\n";
            return 1;
        }
    }
    std::vector<LoadProblem> problems;
    const int32_t loaded = engine.LoadScript(options.file, 1, slot, &problems);
    for (const LoadProblem& problem : problems) {
        if (problem.kind == LoadProblemKind::MissingFile) {
            err << FormatDiagnostic(Severity::Error, options.file, 0,
                                    "the script file cannot be read")
                << '\n';
            return 2;
        }
    }
    TellLoadProblems(problems, err);
    engine.SetLineBudget(options.lines);
    const ScriptResult result = engine.RunScript(loaded < 0 ? slot : loaded);
    for (const ScriptVariable& variable : engine.Variables()) {
        out << variable.name << '\t' << variable.type << '\t' << variable.value << '\n';
    }
    out << "result\t" << result << '\n';
    if (result != ScriptResult::Ok) {
        out << "error\t" << engine.ErrorReportText() << '\n';
        const SourceLine where = engine.ErrorSource();
        if (result == ScriptResult::LineBudgetExhausted) {
            err << FormatDiagnostic(Severity::Warning, where.file, where.line,
                                    "stopped after " + std::to_string(options.lines) +
                                        " lines (--lines): a loop that never ends?")
                << '\n';
        } else if (result != ScriptResult::BadSlot &&
                   (told == nullptr || !told->ErrorToldAt(where.file, where.line))) {
            err << FormatDiagnostic(Severity::Error, where.file.empty() ? options.file : where.file,
                                    where.line, engine.LastError())
                << '\n';
        }
    }
    return result == ScriptResult::Ok ? 0 : 1;
}

// A game on `folder` started without a window and with a new game begun.
int RunInGame(const Options& options, std::ostream& out, std::ostream& err) {
    HeadlessMedia media;
    Game game(media);
    game.diagnostics.EchoTo(&err);
    auto tellBoxes = [&](size_t from) {
        for (size_t i = from; i < media.Messages().size(); ++i) {
            err << "scriptrun: a message box \"" << media.Messages()[i].title
                << "\": " << media.Messages()[i].text << '\n';
        }
        return media.Messages().size();
    };
    if (!StartUpFolder(game, options.modFolder, options.modFolder)) {
        tellBoxes(0);
        return 2;
    }
    media.SetKeyDown(keys::Space, true);
    RunTitleScreen(game);
    media.SetKeyDown(keys::Space, false);
    size_t boxesTold = tellBoxes(0);
    if (game.ended) {
        err << "scriptrun: the new game on " << options.modFolder << " ended before the script\n";
        return 2;
    }
    const int status = RunIn(game.script, kSlotCount - 1, options, out, err, &game.diagnostics);
    tellBoxes(boxesTold);
    return status;
}

}  // namespace

int RunScriptTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    const std::optional<Options> options = ParseArguments(arguments, err);
    if (!options)
        return 1;
    if (!options->modFolder.empty())
        return RunInGame(*options, out, err);
    ScriptEngine engine;
    engine.InitScriptEngine(kSlotCount, kLinesPerSlot);
    engine.RegisterBuiltins();
    return RunIn(engine, 0, *options, out, err);
}

}  // namespace vorn

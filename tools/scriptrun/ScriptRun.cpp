// scriptrun: loads one script into slot 0 of a fresh engine the size the
// game uses, with the built-in functions and any NAME=VALUE constants, runs
// it once and prints every variable, the result code and the error report.
#include "tools/scriptrun/ScriptRun.h"

#include "game/script/ScriptEngine.h"

namespace vorn {
namespace {

constexpr const char* kUsage =
    "usage: scriptrun FILE.ds [NAME=VALUE ...]\n"
    "Loads FILE.ds (comments dropped) into slot 0 of a fresh script engine of 50 slots x 500\n"
    "lines with the ten built-in functions, registers each NAME=VALUE as the constant #NAME\n"
    "before loading, runs the script and prints one line per variable in table order:\n"
    "NAME<TAB>type code<TAB>value, then result<TAB>code and, when the code is not 1,\n"
    "error<TAB>error text followed by \" Line \" and the line number.\n"
    "Exit status 0 when the result is 1, else 1. Errors recorded while loading (such as an\n"
    "unreadable file) are printed on standard error.\n";

}  // namespace

int RunScriptTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.empty() || arguments[0] == "--help" || arguments[0] == "-h") {
        (arguments.empty() ? err : out) << kUsage;
        return arguments.empty() ? 1 : 0;
    }
    ScriptEngine engine;
    engine.InitScriptEngine(50, 500);
    engine.RegisterBuiltins();
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const size_t equals = argument.find('=');
        if (equals == std::string::npos ||
            !engine.RegisterConstant(argument.substr(0, equals), argument.substr(equals + 1))) {
            err << "scriptrun: not a constant (NAME=VALUE): " << argument << "\n";
            return 1;
        }
    }
    engine.LoadScript(arguments[0], 1, 0);
    if (!engine.LastError().empty()) {
        err << engine.LastError() << "\n";
    }
    const ScriptResult result = engine.RunScript(0);
    for (const ScriptVariable& variable : engine.Variables()) {
        out << variable.name << '\t' << variable.type << '\t' << variable.value << '\n';
    }
    out << "result\t" << result << '\n';
    if (result != ScriptResult::Ok) {
        out << "error\t" << engine.ErrorReportText() << '\n';
    }
    return result == ScriptResult::Ok ? 0 : 1;
}

}  // namespace vorn

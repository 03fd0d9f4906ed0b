// Script engine test helpers.
#include "tests/game/script/ScriptFixtures.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "common/FileIO.h"

namespace vorn::test {

ScriptHarness::ScriptHarness() {
    engine.InitScriptEngine(50, 500);
    engine.RegisterBuiltins();
    engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetReturnValue(e.Argument(0).value, e.Argument(0).type);
            return 1;
        },
        "Echo", 1);
    engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetReturnValue("42", ValueType::Number);
            return 1;
        },
        "GetTime", 0);
    engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetLastError("Fail called.");
            return 0;
        },
        "Fail", 1);
    engine.RegisterCommand(
        [this](ScriptEngine& e) {
            calls.push_back(e.Argument(0).value);
            e.SetReturnValue("", ValueType::None);
            return 1;
        },
        "Record", 1);
    engine.RegisterCommand([](ScriptEngine&) { return 1; }, "Silent", 1);
}

ScriptResult ScriptHarness::Run(const std::string& text) {
    if (engine.ParseScript(text, 0) != 0) {
        return ScriptResult::BadSlot;
    }
    return engine.RunScript(0);
}

std::string ScriptHarness::Value(const std::string& name) const {
    for (const ScriptVariable& variable : engine.Variables()) {
        if (variable.name == name) {
            return variable.value;
        }
    }
    return "<none>";
}

std::optional<ValueType> ScriptHarness::Type(const std::string& name) const {
    for (const ScriptVariable& variable : engine.Variables()) {
        if (variable.name == name) {
            return variable.type;
        }
    }
    return std::nullopt;
}

std::string GoldenReport(const std::string& path) {
    ScriptHarness harness;
    std::string bytes;
    ReadWholeFile(path, bytes);
    std::istringstream lines(bytes);
    std::string line;
    const std::string marker = "; const ";
    while (std::getline(lines, line)) {
        if (line.rfind(marker, 0) == 0) {
            const std::string definition = line.substr(marker.size());
            const size_t equals = definition.find('=');
            harness.engine.RegisterConstant(
                definition.substr(0, equals),
                equals == std::string::npos ? std::string() : definition.substr(equals + 1));
        }
    }
    harness.engine.LoadScript(path, 1, 0);
    const ScriptResult result = harness.engine.RunScript(0);
    std::ostringstream report;
    for (const std::string& call : harness.calls) {
        report << "call\t" << call << "\n";
    }
    for (const ScriptVariable& variable : harness.engine.Variables()) {
        report << variable.name << "\t" << variable.type << "\t" << variable.value << "\n";
    }
    report << "result\t" << result << "\n";
    if (result != ScriptResult::Ok) {
        report << "error\t" << harness.engine.ErrorReportText() << "\n";
    }
    return report.str();
}

}  // namespace vorn::test

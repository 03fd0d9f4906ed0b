// Fuzzes loading and running: the input is a script text parsed into slot 0
// of an engine with the built-ins, a few commands like the game's (one runs
// another slot, one reloads a slot, one fails) and two preset constants, and
// run under a line budget so scripts that loop on purpose end.
#include <cstdint>
#include <string>

#include "common/TextPrimitives.h"
#include "game/script/ScriptEngine.h"

namespace {

void RegisterTestCommands(vorn::ScriptEngine& engine, const std::string& script) {
    using vorn::ScriptEngine;
    engine.RegisterBuiltins();
    engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetReturnValue("17", vorn::ValueType::Number);
            return 1;
        },
        "GetPlayerX", 0);
    engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetReturnValue(e.Argument(0).value, e.Argument(0).type);
            return 1;
        },
        "Echo", 1);
    engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetLastError("failed");
            return 0;
        },
        "Fail", 1);
    engine.RegisterCommand(
        [](ScriptEngine& e) {
            const int32_t slot = vorn::TextToInt(e.Argument(0).value);
            e.RunScript(slot);
            e.SetReturnValue("", vorn::ValueType::None);
            return 1;
        },
        "RunSlot", 1);
    engine.RegisterCommand(
        [script](ScriptEngine& e) {
            const int32_t slot = vorn::TextToInt(e.Argument(0).value);
            e.ParseScript(script, slot);
            e.SetReturnValue("", vorn::ValueType::None);
            return 1;
        },
        "Reload", 1);
    engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.ResetSymbols({.variables = true});
            e.SetReturnValue("", vorn::ValueType::None);
            return 1;
        },
        "ResetSymbols", 0);
    engine.RegisterCommand(
        [](ScriptEngine& e) {
            e.SetReturnValue(e.Argument(0).value + "'" + e.Argument(1).value,
                             vorn::ValueType::String);
            return 1;
        },
        "Quote", 2);
    engine.RegisterConstant("PLAYERX", "10");
    engine.RegisterConstant("ITEMNAME", "'Sword'");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    vorn::ScriptEngine engine;
    engine.InitScriptEngine(4, 500);
    engine.SetLineBudget(300);
    RegisterTestCommands(engine, script);
    if (engine.ParseScript(script, 0) == 0) {
        engine.RunScript(0);
        engine.ParseScript(script, 1);
        engine.RunScript(1);
    }
    (void)engine.ErrorReportText();
    return 0;
}

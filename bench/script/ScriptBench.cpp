// Script engine benchmarks with the command table the game has (the ten
// built-ins and the 56 game commands, as dummies) and 20 variables defined.
//   WhileLoop: WHILE I < 1000000 / I = I + 1 / WEND, reported in lines/s,
//   plain and with the long-run poll the game installs.
//   LuaReference: the same loop in lua5.4 (global variables), lines/s.
//   TickScript: a 100-line script of assignments, IF blocks, string
//   concatenation and about two command calls per line, per run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include <sys/resource.h>

#include "game/script/ScriptEngine.h"

namespace {

using vorn::ScriptEngine;

struct GameCommand {
    const char* name;
    int32_t parameters;
    int32_t resultType;  // the type code of what the dummy returns
};

// The game's commands in registration order, with their parameter counts.
constexpr GameCommand kGameCommands[] = {
    {"PlaySound", 1, 1},
    {"MessageBox", 2, 0},
    {"Quit", 0, 0},
    {"ResetSymbols", 0, 0},
    {"CreateAnimation", 4, 0},
    {"SaveGame", 0, 0},
    {"LoadMap", 1, 0},
    {"SetPlayerX", 1, 0},
    {"SetPlayerAttacking", 1, 0},
    {"SetPlayerY", 1, 0},
    {"GetPlayerX", 0, 1},
    {"GetPlayerY", 0, 1},
    {"GetPlayerHealth", 0, 1},
    {"SetPlayerHealth", 1, 0},
    {"GetPlayerMaxHealth", 0, 1},
    {"SetPlayerMaxHealth", 1, 0},
    {"GetPlayerDamage", 0, 1},
    {"SetPlayerDamage", 1, 0},
    {"GetPlayerSpeed", 0, 1},
    {"SetPlayerSpeed", 1, 0},
    {"SetDebugMode", 1, 0},
    {"SetSpeechText", 1, 0},
    {"SetSpeechTextY", 1, 0},
    {"SetMapTitle", 1, 0},
    {"GetMapTitle", 0, 2},
    {"SetAlwaysDay", 1, 0},
    {"SetAlwaysNight", 1, 0},
    {"SetObjectDamage", 2, 0},
    {"SetObjectHealth", 2, 0},
    {"SetObjectSpeed", 2, 0},
    {"SetObjectHealAmount", 2, 0},
    {"SetObjectName", 2, 0},
    {"SetTimeOfDay", 1, 0},
    {"GetTimeOfDay", 0, 1},
    {"SetStatusText", 1, 0},
    {"GetStatusText", 0, 2},
    {"SetTileAttribute", 3, 0},
    {"AddScreenText", 6, 0},
    {"GetTime", 0, 1},
    {"Random", 1, 1},
    {"TextLength", 1, 1},
    {"GetShiftedX", 1, 1},
    {"GetShiftedY", 1, 1},
    {"GetNearestMonster", 0, 1},
    {"GetIntersectMonster", 0, 1},
    {"GetMonsterName", 1, 2},
    {"GetMonsterFriendly", 1, 1},
    {"GetMonsterX", 1, 1},
    {"GetMonsterY", 1, 1},
    {"GetMonsterFoundPlayer", 1, 1},
    {"SetMonsterFriendly", 2, 0},
    {"SetMonsterX", 2, 0},
    {"SetMonsterY", 2, 0},
    {"SetMonsterFoundPlayer", 2, 0},
    {"PlayerHasItem", 1, 1},
    {"DisableMonsterDeath", 1, 0},
};

void PrepareEngine(ScriptEngine& engine) {
    engine.InitScriptEngine(50, 500);
    engine.RegisterBuiltins();
    for (const GameCommand& command : kGameCommands) {
        const auto type = static_cast<vorn::ValueType>(command.resultType);
        engine.RegisterCommand(
            [type](ScriptEngine& e) {
                if (type == vorn::ValueType::Number) {
                    e.SetReturnValue("117", vorn::ValueType::Number);
                } else if (type == vorn::ValueType::String) {
                    e.SetReturnValue("Dark Forest", vorn::ValueType::String);
                } else {
                    e.SetReturnValue("", vorn::ValueType::None);
                }
                return true;
            },
            command.name, command.parameters);
    }
    const char* names[] = {"DMG",   "NAME",     "PY",      "SCORE", "LEVEL", "GOLD", "QUEST",
                           "STAGE", "FLAGA",    "FLAGB",   "DOORX", "DOORY", "KEYS", "TIMER",
                           "BOSS",  "MSGCOUNT", "LASTMAP", "SPAWN", "MODE"};
    for (const char* name : names) {
        engine.SetSymbol(name, "3", vorn::ValueType::Number);
    }
    engine.SetSymbol("NAME", " Hero ", vorn::ValueType::String);
}

// `withPoll`: with a long-run poll installed, as the game runs its scripts
// (the poll itself never comes: a pass takes well under its interval).
void WhileLoop(benchmark::State& state, bool withPoll) {
    ScriptEngine engine;
    PrepareEngine(engine);
    if (withPoll) {
        engine.SetLongRunPoll([](std::chrono::milliseconds) {}, std::chrono::seconds(60));
    }
    engine.ParseScript("I = 0\nWHILE I < 1000000\nI = I + 1\nWEND\n", 0);
    for (auto _ : state) {
        const vorn::ScriptResult result = engine.RunScript(0);
        benchmark::DoNotOptimize(result);
    }
    // Lines run per pass: the first assignment, then WHILE, I = I + 1 and
    // WEND a million times, and the final WHILE. The rate is per second of
    // processor time.
    state.counters["lines/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * 3000002.0, benchmark::Counter::kIsRate);
}
BENCHMARK_CAPTURE(WhileLoop, Plain, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3);
BENCHMARK_CAPTURE(WhileLoop, WithLongRunPoll, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->Repetitions(3);

double ChildCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void LuaReference(benchmark::State& state) {
    if (std::system("command -v lua5.4 > /dev/null 2>&1") != 0) {
        state.SkipWithError("lua5.4 is not installed");
        return;
    }
    double wallSeconds = 0.0;
    double cpuSeconds = 0.0;
    for (auto _ : state) {
        const double cpuBefore = ChildCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const int status =
            std::system("lua5.4 -e 'I = 0 while I < 1000000 do I = I + 1 end' > /dev/null 2>&1");
        benchmark::DoNotOptimize(status);
        wallSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        cpuSeconds += ChildCpuSeconds() - cpuBefore;
    }
    // The same three "lines" per iteration as the script loop, per second of
    // the interpreter's own processor time (comparable with the CPU column
    // of WhileLoop) and of wall time; both include starting the interpreter.
    const double lines = static_cast<double>(state.iterations()) * 3000002.0;
    state.counters["lines/s"] = benchmark::Counter(lines / cpuSeconds);
    state.counters["wall lines/s"] = benchmark::Counter(lines / wallSeconds);
}
BENCHMARK(LuaReference)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

// Ten copies of a ten-line block; each block runs 8 lines with about 20
// calls, whichever branch the IF takes.
std::string TickScript() {
    std::string script;
    for (int block = 0; block < 10; ++block) {
        const std::string n = std::to_string(block);
        script += "PX" + n + " = GetPlayerX() + GetPlayerY() + GetTime()\n";
        script += "HP = GetPlayerHealth() - Abs(DMG)\n";
        script += "IF HP < GetPlayerMaxHealth() / 2\n";
        script += "SetStatusText('Low: ' + HP + ' of ' + GetPlayerMaxHealth())\n";
        script += "ELSE\n";
        script += "SetPlayerHealth(Mod(HP + " + n + ", 100))\n";
        script += "ENDIF\n";
        script += "MSG = 'Pos ' + PX" + n + " + ' in ' + GetMapTitle() + Trim(NAME)\n";
        script += "T = Len(MSG) + GetTimeOfDay() + Random(5)\n";
        script += "SetSpeechTextY(Abs(T) + GetShiftedY(PY) + GetMonsterX(SCORE))\n";
    }
    return script;
}

void TickScriptRun(benchmark::State& state) {
    ScriptEngine engine;
    PrepareEngine(engine);
    engine.ParseScript(TickScript(), 0);
    for (auto _ : state) {
        const vorn::ScriptResult result = engine.RunScript(0);
        if (result != vorn::ScriptResult::Ok) {
            state.SkipWithError(engine.ErrorReportText().c_str());
            break;
        }
    }
}
BENCHMARK(TickScriptRun)->Unit(benchmark::kMicrosecond)->Repetitions(5);

}  // namespace

BENCHMARK_MAIN();

// Host commands on the program itself: the script sound, quitting, script
// variables, saving, debug mode, the frame clock and random numbers.
#include <array>

#include "game/bindings/CommandTables.h"
#include "game/world/Assets.h"
#include "game/world/SavedGames.h"

namespace vorn::bindings {

namespace {

bool PlaySound(Game& game, ScriptEngine& script);
bool Quit(Game& game, ScriptEngine& script);
bool ResetSymbols(Game& game, ScriptEngine& script);
bool SaveGameCommand(Game& game, ScriptEngine& script);
bool SetDebugMode(Game& game, ScriptEngine& script);
bool GetTime(Game& game, ScriptEngine& script);
bool Random(Game& game, ScriptEngine& script);

// {name, procedure, argument types, place in the registration order}
constexpr std::array kTable = {
    CommandEntry{"PlaySound", PlaySound, "s", 0},
    CommandEntry{"Quit", Quit, "", 2},
    CommandEntry{"ResetSymbols", ResetSymbols, "", 3},
    CommandEntry{"SaveGame", SaveGameCommand, "", 5},
    CommandEntry{"SetDebugMode", SetDebugMode, "n", 20},
    CommandEntry{"GetTime", GetTime, "", 38},
    CommandEntry{"Random", Random, "n", 39},
};

// Only one script sound exists: a new one frees (and so cuts off) the last.
bool PlaySound(Game& game, ScriptEngine& script) {
    std::string file;
    if (!StringArgument(script, 0, file))
        return kFailed;
    MediaLayer& media = game.media;
    if (media.SoundExists(kScriptSoundNumber))
        media.FreeSoundHandle(kScriptSoundNumber);
    const SoundHandle sound =
        media.LoadSoundFile(game.ModFolder + "/sounds/" + file, kScriptSoundNumber);
    int32_t played = 0;
    if (sound && media.SoundExists(kScriptSoundNumber)) {
        media.PlaySoundHandle(kScriptSoundNumber, false);
        played = 1;
    } else if (!file.empty()) {
        const SourceLine where = script.CurrentSource();
        ReportUnloadedFile(game, "sound", game.ModFolder + "/sounds/", file,
                           where.file.empty() ? "game" : where.file, where.line);
    }
    return NumberResult(script, played);
}

// Ends the program at once: the running scripts stop after this line and the
// frame loop returns without asking to save.
bool Quit(Game& game, ScriptEngine& script) {
    game.ended = true;
    script.RequestStop();
    return NoResult(script);
}

bool ResetSymbols(Game&, ScriptEngine& script) {
    script.ResetSymbols({.variables = true});
    return NoResult(script);
}

bool SaveGameCommand(Game& game, ScriptEngine& script) {
    SaveGame(game, 0);
    return NoResult(script);
}

bool SetDebugMode(Game& game, ScriptEngine& script) {
    int32_t mode = 0;
    if (!NumberArgument(script, 0, mode))
        return kFailed;
    game.settings.DebugMode = mode;
    return NoResult(script);
}

bool GetTime(Game& game, ScriptEngine& script) {
    return NumberResult(script, game.clock.FrameTime);
}

bool Random(Game& game, ScriptEngine& script) {
    int32_t maximum = 0;
    if (!NumberArgument(script, 0, maximum))
        return kFailed;
    return NumberResult(script, game.media.RandomInt(maximum));
}

}  // namespace

std::span<const CommandEntry> SystemCommands() {
    return kTable;
}

}  // namespace vorn::bindings

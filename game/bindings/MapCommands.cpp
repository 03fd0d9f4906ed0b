// Host commands on the current map: loading, its properties, animations,
// tile attributes and the time of day.
#include <array>

#include "common/TextPrimitives.h"
#include "game/bindings/CommandTables.h"
#include "game/play/MapEntry.h"
#include "game/world/Animations.h"

namespace vorn::bindings {

namespace {

bool CreateAnimation(Game& game, ScriptEngine& script);
bool LoadMapCommand(Game& game, ScriptEngine& script);
bool SetSpeechText(Game& game, ScriptEngine& script);
bool SetSpeechTextY(Game& game, ScriptEngine& script);
bool SetMapTitle(Game& game, ScriptEngine& script);
bool GetMapTitle(Game& game, ScriptEngine& script);
bool SetAlwaysDay(Game& game, ScriptEngine& script);
bool SetAlwaysNight(Game& game, ScriptEngine& script);
bool SetTimeOfDay(Game& game, ScriptEngine& script);
bool GetTimeOfDay(Game& game, ScriptEngine& script);
bool SetTileAttribute(Game& game, ScriptEngine& script);

// {name, procedure, argument types, place in the registration order}
constexpr std::array kTable = {
    CommandEntry{"CreateAnimation", CreateAnimation, "snnn", 4},
    CommandEntry{"LoadMap", LoadMapCommand, "s", 6},
    CommandEntry{"SetSpeechText", SetSpeechText, "s", 21},
    CommandEntry{"SetSpeechTextY", SetSpeechTextY, "n", 22},
    CommandEntry{"SetMapTitle", SetMapTitle, "s", 23},
    CommandEntry{"GetMapTitle", GetMapTitle, "", 24},
    CommandEntry{"SetAlwaysDay", SetAlwaysDay, "n", 25},
    CommandEntry{"SetAlwaysNight", SetAlwaysNight, "n", 26},
    CommandEntry{"SetTimeOfDay", SetTimeOfDay, "n", 32},
    CommandEntry{"GetTimeOfDay", GetTimeOfDay, "", 33},
    CommandEntry{"SetTileAttribute", SetTileAttribute, "nns", 36},
};

bool CreateAnimation(Game& game, ScriptEngine& script) {
    std::string name;
    int32_t x = 0, y = 0, playOnce = 0;
    if (!StringArgument(script, 0, name) || !NumberArgument(script, 1, x) ||
        !NumberArgument(script, 2, y) || !NumberArgument(script, 3, playOnce)) {
        return kFailed;
    }
    if (!CreateAnimationInstance(game, name, x, y, static_cast<int8_t>(playOnce))) {
        const SourceLine where = script.CurrentSource();
        ReportUnknownAnimation(game, where.file.empty() ? "game" : where.file, where.line, name);
    }
    return NoResult(script);
}

// The map's enter script runs inside this command and empties the argument
// list, so the name is read first and the return value set afterwards.
bool LoadMapCommand(Game& game, ScriptEngine& script) {
    std::string name;
    if (!StringArgument(script, 0, name))
        return kFailed;
    const SourceLine where = script.CurrentSource();
    EnterMap(game, name, {where.file, where.line, "LoadMap"});
    return NoResult(script);
}

bool SetSpeechText(Game& game, ScriptEngine& script) {
    std::string text;
    if (!StringArgument(script, 0, text))
        return kFailed;
    game.map->info.SpeechText = text;
    return NoResult(script);
}

bool SetSpeechTextY(Game& game, ScriptEngine& script) {
    int32_t y = 0;
    if (!NumberArgument(script, 0, y))
        return kFailed;
    game.map->info.SpeechTextY = y;
    return NoResult(script);
}

bool SetMapTitle(Game& game, ScriptEngine& script) {
    std::string title;
    if (!StringArgument(script, 0, title))
        return kFailed;
    game.map->info.Title = title;
    return NoResult(script);
}

bool GetMapTitle(Game& game, ScriptEngine& script) {
    return StringResult(script, game.map->info.Title);
}

bool SetAlwaysDay(Game& game, ScriptEngine& script) {
    int32_t flag = 0;
    if (!NumberArgument(script, 0, flag))
        return kFailed;
    game.map->info.AlwaysDay = static_cast<int8_t>(flag);
    return NoResult(script);
}

bool SetAlwaysNight(Game& game, ScriptEngine& script) {
    int32_t flag = 0;
    if (!NumberArgument(script, 0, flag))
        return kFailed;
    game.map->info.AlwaysNight = static_cast<int8_t>(flag);
    return NoResult(script);
}

// With a running day clock the value lasts until the next frame recomputes it.
bool SetTimeOfDay(Game& game, ScriptEngine& script) {
    int32_t seconds = 0;
    if (!NumberArgument(script, 0, seconds))
        return kFailed;
    game.clock.TimeOfDay = seconds;
    return NoResult(script);
}

bool GetTimeOfDay(Game& game, ScriptEngine& script) {
    return NumberResult(script, game.clock.TimeOfDay);
}

// Stores the first character of the trimmed text; a cell outside the map is
// left alone. Nothing is spawned or loaded for the new attribute.
bool SetTileAttribute(Game& game, ScriptEngine& script) {
    int32_t column = 0, row = 0;
    std::string attribute;
    if (!NumberArgument(script, 0, column) || !NumberArgument(script, 1, row) ||
        !StringArgument(script, 2, attribute)) {
        return kFailed;
    }
    if (MapCell* cell = game.map->grid.Cell(column, row)) {
        const std::string_view trimmed = TrimSpaces(attribute);
        cell->Attribute = std::string(trimmed.substr(0, 1));
    }
    return NoResult(script);
}

}  // namespace

std::span<const CommandEntry> MapCommands() {
    return kTable;
}

}  // namespace vorn::bindings

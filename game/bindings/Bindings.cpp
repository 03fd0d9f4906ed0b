// Registration of the 56 host commands, in the order their tables give them,
// and of the 9 game constants.
#include "game/bindings/Bindings.h"

#include <algorithm>
#include <vector>

#include "common/TextPrimitives.h"
#include "game/bindings/CommandTables.h"

namespace vorn {

namespace bindings {

std::vector<CommandEntry> GameCommandsInRegistrationOrder() {
    std::vector<CommandEntry> entries;
    for (auto table : {PlayerCommands(), MapCommands(), ObjectCommands(), MonsterCommands(),
                       ScreenCommands(), SystemCommands()}) {
        entries.insert(entries.end(), table.begin(), table.end());
    }
    std::sort(entries.begin(), entries.end(), [](const CommandEntry& a, const CommandEntry& b) {
        return a.registrationOrder < b.registrationOrder;
    });
    return entries;
}

}  // namespace bindings

void RegisterGameCommands(Game& game) {
    for (const bindings::CommandEntry& entry : bindings::GameCommandsInRegistrationOrder()) {
        const bindings::GameCommand procedure = entry.procedure;
        game.script.RegisterCommand(
            [&game, procedure](ScriptEngine& script) { return procedure(game, script); },
            entry.name, entry.parameterCount);
    }
}

void RegisterGameConstants(Game& game) {
    const GameSettings& settings = game.settings;
    const std::pair<const char*, int32_t> constants[] = {
        {"TILEWIDTH", settings.TileWidth},         {"TILEHEIGHT", settings.TileHeight},
        {"MAPWIDTH", settings.MapWidth},           {"MAPHEIGHT", settings.MapHeight},
        {"LENGTHOFDAY", settings.LengthOfDay},     {"PLAYERHEIGHT", settings.PlayerHeight},
        {"PLAYERWIDTH", settings.PlayerWidth},     {"PLAYERCLIPHEIGHT", settings.PlayerClipY},
        {"PLAYERCLIPWIDTH", settings.PlayerClipX},
    };
    for (const auto& [name, value] : constants) {
        game.script.RegisterConstant(name, IntToText(value));
    }
}

}  // namespace vorn

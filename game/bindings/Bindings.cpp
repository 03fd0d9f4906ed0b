// Registration of the 56 host commands, in the order their tables give them,
// and of the 9 game constants.
#include "game/bindings/Bindings.h"

#include <algorithm>
#include <cstring>
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

int32_t ParameterCount(const CommandEntry& entry) {
    return static_cast<int32_t>(std::strlen(entry.arguments));
}

namespace {

// A command refuses an argument of the other type without a word (the
// script's error is whatever text was recorded before); the author is told
// which argument it was, at the script line that called it.
void ReportArgumentTypes(Game& game, const ScriptEngine& script, const CommandEntry& entry) {
    for (size_t i = 0; i < script.ArgumentCount() && entry.arguments[i] != '\0'; ++i) {
        const char wanted = entry.arguments[i];
        const ScriptArgument& argument = script.Argument(i);
        const bool number = argument.type == ValueType::Number;
        if (wanted == 'a' || (wanted == 'n') == number)
            continue;
        const SourceLine where = script.CurrentSource();
        game.diagnostics.Error(where.file.empty() ? std::string("game") : where.file, where.line,
                               std::string(entry.name) + ": argument " + std::to_string(i + 1) +
                                   " must be a " + (wanted == 'n' ? "number" : "string") +
                                   ", not the " + (number ? "number " : "string ") + "`" +
                                   argument.value +
                                   "` (numbers and strings are not converted; the call fails)");
        return;
    }
}

}  // namespace

}  // namespace bindings

void RegisterGameCommands(Game& game) {
    for (const bindings::CommandEntry& entry : bindings::GameCommandsInRegistrationOrder()) {
        game.script.RegisterCommand(
            [&game, entry](ScriptEngine& script) {
                const bool done = entry.procedure(game, script);
                if (!done)
                    bindings::ReportArgumentTypes(game, script, entry);
                return done;
            },
            entry.name, bindings::ParameterCount(entry));
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

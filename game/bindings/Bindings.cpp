// Registration of the 56 host commands and the 9 game constants. The command
// groups keep their own tables; this file fixes the order scripts see them in
// (earlier registrations win name lookups, so the order is part of the
// contract with mods).
#include "game/bindings/Bindings.h"

#include <array>
#include <string_view>

#include "common/TextPrimitives.h"
#include "game/bindings/CommandTables.h"

namespace vorn {

namespace {

constexpr std::array<std::string_view, 56> kRegistrationOrder = {
    "PlaySound",
    "MessageBox",
    "Quit",
    "ResetSymbols",
    "CreateAnimation",
    "SaveGame",
    "LoadMap",
    "SetPlayerX",
    "SetPlayerAttacking",
    "SetPlayerY",
    "GetPlayerX",
    "GetPlayerY",
    "GetPlayerHealth",
    "SetPlayerHealth",
    "GetPlayerMaxHealth",
    "SetPlayerMaxHealth",
    "GetPlayerDamage",
    "SetPlayerDamage",
    "GetPlayerSpeed",
    "SetPlayerSpeed",
    "SetDebugMode",
    "SetSpeechText",
    "SetSpeechTextY",
    "SetMapTitle",
    "GetMapTitle",
    "SetAlwaysDay",
    "SetAlwaysNight",
    "SetObjectDamage",
    "SetObjectHealth",
    "SetObjectSpeed",
    "SetObjectHealAmount",
    "SetObjectName",
    "SetTimeOfDay",
    "GetTimeOfDay",
    "SetStatusText",
    "GetStatusText",
    "SetTileAttribute",
    "AddScreenText",
    "GetTime",
    "Random",
    "TextLength",
    "GetShiftedX",
    "GetShiftedY",
    "GetNearestMonster",
    "GetIntersectMonster",
    "GetMonsterName",
    "GetMonsterFriendly",
    "GetMonsterX",
    "GetMonsterY",
    "GetMonsterFoundPlayer",
    "SetMonsterFriendly",
    "SetMonsterX",
    "SetMonsterY",
    "SetMonsterFoundPlayer",
    "PlayerHasItem",
    "DisableMonsterDeath",
};

const bindings::CommandEntry* FindEntry(std::string_view name) {
    for (auto table :
         {bindings::PlayerCommands(), bindings::MapCommands(), bindings::ObjectCommands(),
          bindings::MonsterCommands(), bindings::ScreenCommands(), bindings::SystemCommands()}) {
        for (const bindings::CommandEntry& entry : table) {
            if (name == entry.name)
                return &entry;
        }
    }
    return nullptr;
}

}  // namespace

void RegisterGameCommands(Game& game) {
    for (std::string_view name : kRegistrationOrder) {
        const bindings::CommandEntry* entry = FindEntry(name);
        if (entry == nullptr)
            continue;  // every name has an entry; tests hold it so
        const bindings::GameCommand procedure = entry->procedure;
        game.script.RegisterCommand(
            [&game, procedure](ScriptEngine& script) { return procedure(game, script); },
            entry->name, entry->parameterCount);
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

// Host commands on the player: position, attack flag, health, damage, speed
// and the inventory test.
#include <array>

#include "common/TextPrimitives.h"
#include "game/bindings/CommandTables.h"

namespace vorn::bindings {

namespace {

bool SetPlayerX(Game& game, ScriptEngine& script);
bool SetPlayerAttacking(Game& game, ScriptEngine& script);
bool SetPlayerY(Game& game, ScriptEngine& script);
bool GetPlayerX(Game& game, ScriptEngine& script);
bool GetPlayerY(Game& game, ScriptEngine& script);
bool GetPlayerHealth(Game& game, ScriptEngine& script);
bool SetPlayerHealth(Game& game, ScriptEngine& script);
bool GetPlayerMaxHealth(Game& game, ScriptEngine& script);
bool SetPlayerMaxHealth(Game& game, ScriptEngine& script);
bool GetPlayerDamage(Game& game, ScriptEngine& script);
bool SetPlayerDamage(Game& game, ScriptEngine& script);
bool GetPlayerSpeed(Game& game, ScriptEngine& script);
bool SetPlayerSpeed(Game& game, ScriptEngine& script);
bool PlayerHasItem(Game& game, ScriptEngine& script);

// {name, procedure, argument types, place in the registration order}
constexpr std::array kTable = {
    CommandEntry{"SetPlayerX", SetPlayerX, "n", 7},
    CommandEntry{"SetPlayerAttacking", SetPlayerAttacking, "n", 8},
    CommandEntry{"SetPlayerY", SetPlayerY, "n", 9},
    CommandEntry{"GetPlayerX", GetPlayerX, "", 10},
    CommandEntry{"GetPlayerY", GetPlayerY, "", 11},
    CommandEntry{"GetPlayerHealth", GetPlayerHealth, "", 12},
    CommandEntry{"SetPlayerHealth", SetPlayerHealth, "n", 13},
    CommandEntry{"GetPlayerMaxHealth", GetPlayerMaxHealth, "", 14},
    CommandEntry{"SetPlayerMaxHealth", SetPlayerMaxHealth, "n", 15},
    CommandEntry{"GetPlayerDamage", GetPlayerDamage, "", 16},
    CommandEntry{"SetPlayerDamage", SetPlayerDamage, "n", 17},
    CommandEntry{"GetPlayerSpeed", GetPlayerSpeed, "", 18},
    CommandEntry{"SetPlayerSpeed", SetPlayerSpeed, "n", 19},
    CommandEntry{"PlayerHasItem", PlayerHasItem, "a", 54},
};

// Stores the number argument into an int32 field of the player.
bool SetPlayerInt(ScriptEngine& script, int32_t& field) {
    int32_t value = 0;
    if (!NumberArgument(script, 0, value))
        return kFailed;
    field = value;
    return NoResult(script);
}

bool SetPlayerX(Game& game, ScriptEngine& script) {
    int32_t x = 0;
    if (!NumberArgument(script, 0, x))
        return kFailed;
    game.player.X = static_cast<float>(x);
    return NoResult(script);
}

bool SetPlayerAttacking(Game& game, ScriptEngine& script) {
    int32_t flag = 0;
    if (!NumberArgument(script, 0, flag))
        return kFailed;
    game.player.Attacking = (flag & 0xFF) != 0;  // the number's low byte
    return NoResult(script);
}

bool SetPlayerY(Game& game, ScriptEngine& script) {
    int32_t y = 0;
    if (!NumberArgument(script, 0, y))
        return kFailed;
    game.player.Y = static_cast<float>(y);
    return NoResult(script);
}

bool GetPlayerX(Game& game, ScriptEngine& script) {
    return NumberResult(script, RoundHalfEven(game.player.X));
}

bool GetPlayerY(Game& game, ScriptEngine& script) {
    return NumberResult(script, RoundHalfEven(game.player.Y));
}

bool GetPlayerHealth(Game& game, ScriptEngine& script) {
    return NumberResult(script, game.player.Health);
}

bool SetPlayerHealth(Game& game, ScriptEngine& script) {
    return SetPlayerInt(script, game.player.Health);
}

bool GetPlayerMaxHealth(Game& game, ScriptEngine& script) {
    return NumberResult(script, game.player.MaxHealth);
}

bool SetPlayerMaxHealth(Game& game, ScriptEngine& script) {
    return SetPlayerInt(script, game.player.MaxHealth);
}

bool GetPlayerDamage(Game& game, ScriptEngine& script) {
    return NumberResult(script, game.player.Damage);
}

bool SetPlayerDamage(Game& game, ScriptEngine& script) {
    return SetPlayerInt(script, game.player.Damage);
}

bool GetPlayerSpeed(Game& game, ScriptEngine& script) {
    return NumberResult(script, game.player.Speed);
}

bool SetPlayerSpeed(Game& game, ScriptEngine& script) {
    return SetPlayerInt(script, game.player.Speed);
}

// Blanks around either name and letter case do not matter.
bool PlayerHasItem(Game& game, ScriptEngine& script) {
    const std::string wanted = UpperCaseText(TrimSpaces(AnyArgument(script, 0)));
    for (const std::string& item : game.inventory) {
        if (UpperCaseText(TrimSpaces(item)) == wanted)
            return NumberResult(script, 1);
    }
    return NumberResult(script, 0);
}

}  // namespace

std::span<const CommandEntry> PlayerCommands() {
    return kTable;
}

}  // namespace vorn::bindings

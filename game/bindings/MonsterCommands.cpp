// Host commands on live monsters, found by ID (the first monster with that
// ID in list order). Getters given an unknown ID answer "" or 0; setters
// change nothing and still succeed.
#include <array>
#include <cmath>

#include "common/TextPrimitives.h"
#include "game/bindings/CommandTables.h"
#include "game/play/ActorBoxes.h"

namespace vorn::bindings {

namespace {

bool GetNearestMonster(Game& game, ScriptEngine& script);
bool GetIntersectMonster(Game& game, ScriptEngine& script);
bool GetMonsterName(Game& game, ScriptEngine& script);
bool GetMonsterFriendly(Game& game, ScriptEngine& script);
bool GetMonsterX(Game& game, ScriptEngine& script);
bool GetMonsterY(Game& game, ScriptEngine& script);
bool GetMonsterFoundPlayer(Game& game, ScriptEngine& script);
bool SetMonsterFriendly(Game& game, ScriptEngine& script);
bool SetMonsterX(Game& game, ScriptEngine& script);
bool SetMonsterY(Game& game, ScriptEngine& script);
bool SetMonsterFoundPlayer(Game& game, ScriptEngine& script);
bool DisableMonsterDeath(Game& game, ScriptEngine& script);

// {name, procedure, argument types, place in the registration order}
constexpr std::array kTable = {
    CommandEntry{"GetNearestMonster", GetNearestMonster, "", 43},
    CommandEntry{"GetIntersectMonster", GetIntersectMonster, "", 44},
    CommandEntry{"GetMonsterName", GetMonsterName, "n", 45},
    CommandEntry{"GetMonsterFriendly", GetMonsterFriendly, "n", 46},
    CommandEntry{"GetMonsterX", GetMonsterX, "n", 47},
    CommandEntry{"GetMonsterY", GetMonsterY, "n", 48},
    CommandEntry{"GetMonsterFoundPlayer", GetMonsterFoundPlayer, "n", 49},
    CommandEntry{"SetMonsterFriendly", SetMonsterFriendly, "nn", 50},
    CommandEntry{"SetMonsterX", SetMonsterX, "nn", 51},
    CommandEntry{"SetMonsterY", SetMonsterY, "nn", 52},
    CommandEntry{"SetMonsterFoundPlayer", SetMonsterFoundPlayer, "nn", 53},
    CommandEntry{"DisableMonsterDeath", DisableMonsterDeath, "n", 55},
};

constexpr int32_t kNoMonster = -1;

// Distances are whole pixels: the offsets are rounded, then the length.
bool GetNearestMonster(Game& game, ScriptEngine& script) {
    int32_t bestDistance = -1;
    int32_t bestId = kNoMonster;
    for (const Monster& monster : game.map->monsters) {
        const double dx = RoundHalfEven(monster.X - game.player.X);
        const double dy = RoundHalfEven(monster.Y - game.player.Y);
        const int32_t distance = RoundHalfEven(std::sqrt(dx * dx + dy * dy));
        if (bestDistance == -1 || distance < bestDistance) {
            bestDistance = distance;
            bestId = monster.ID;
        }
    }
    return NumberResult(script, bestId);
}

// Frame rectangles of the monster and the player; -1 when none overlaps.
bool GetIntersectMonster(Game& game, ScriptEngine& script) {
    const Rect player = PlayerFrame(game);
    for (const Monster& monster : game.map->monsters) {
        if (Overlaps(MonsterFrame(monster), player)) {
            return NumberResult(script, monster.ID);
        }
    }
    return NumberResult(script, kNoMonster);
}

// Reads the ID argument and finds its monster; false on a wrong type.
bool TargetMonster(Game& game, ScriptEngine& script, Monster*& monster) {
    int32_t id = 0;
    if (!NumberArgument(script, 0, id))
        return false;
    monster = FindMonster(game, id);
    return true;
}

bool GetMonsterName(Game& game, ScriptEngine& script) {
    Monster* monster = nullptr;
    if (!TargetMonster(game, script, monster))
        return kFailed;
    return StringResult(script, monster != nullptr ? monster->Type.Name : std::string());
}

bool GetMonsterFriendly(Game& game, ScriptEngine& script) {
    Monster* monster = nullptr;
    if (!TargetMonster(game, script, monster))
        return kFailed;
    return NumberResult(script, monster != nullptr ? monster->Friendly : 0);
}

bool GetMonsterX(Game& game, ScriptEngine& script) {
    Monster* monster = nullptr;
    if (!TargetMonster(game, script, monster))
        return kFailed;
    return NumberResult(script, monster != nullptr ? RoundHalfEven(monster->X) : 0);
}

bool GetMonsterY(Game& game, ScriptEngine& script) {
    Monster* monster = nullptr;
    if (!TargetMonster(game, script, monster))
        return kFailed;
    return NumberResult(script, monster != nullptr ? RoundHalfEven(monster->Y) : 0);
}

bool GetMonsterFoundPlayer(Game& game, ScriptEngine& script) {
    Monster* monster = nullptr;
    if (!TargetMonster(game, script, monster))
        return kFailed;
    // The flag is reported as a signed byte.
    return NumberResult(script, monster != nullptr ? static_cast<int8_t>(monster->FoundPlayer) : 0);
}

// (id, value) setters: both arguments are checked before anything changes.
bool TargetAndValue(Game& game, ScriptEngine& script, Monster*& monster, int32_t& value) {
    int32_t id = 0;
    if (!NumberArgument(script, 0, id) || !NumberArgument(script, 1, value))
        return false;
    monster = FindMonster(game, id);
    return true;
}

bool SetMonsterFriendly(Game& game, ScriptEngine& script) {
    Monster* monster = nullptr;
    int32_t value = 0;
    if (!TargetAndValue(game, script, monster, value))
        return kFailed;
    if (monster != nullptr)
        monster->Friendly = static_cast<int8_t>(value);
    return NoResult(script);
}

bool SetMonsterX(Game& game, ScriptEngine& script) {
    Monster* monster = nullptr;
    int32_t value = 0;
    if (!TargetAndValue(game, script, monster, value))
        return kFailed;
    if (monster != nullptr)
        monster->X = static_cast<float>(value);
    return NoResult(script);
}

bool SetMonsterY(Game& game, ScriptEngine& script) {
    Monster* monster = nullptr;
    int32_t value = 0;
    if (!TargetAndValue(game, script, monster, value))
        return kFailed;
    if (monster != nullptr)
        monster->Y = static_cast<float>(value);
    return NoResult(script);
}

bool SetMonsterFoundPlayer(Game& game, ScriptEngine& script) {
    Monster* monster = nullptr;
    int32_t value = 0;
    if (!TargetAndValue(game, script, monster, value))
        return kFailed;
    if (monster != nullptr)
        monster->FoundPlayer = static_cast<uint8_t>(value);
    return NoResult(script);
}

bool DisableMonsterDeath(Game& game, ScriptEngine& script) {
    Monster* monster = nullptr;
    if (!TargetMonster(game, script, monster))
        return kFailed;
    if (monster != nullptr)
        monster->DeathDuration = 0;
    return NoResult(script);
}

}  // namespace

Monster* FindMonster(Game& game, int32_t id) {
    for (Monster& monster : game.map->monsters) {
        if (monster.ID == id)
            return &monster;
    }
    return nullptr;
}

std::span<const CommandEntry> MonsterCommands() {
    return kTable;
}

}  // namespace vorn::bindings

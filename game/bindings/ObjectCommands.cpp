// Host commands that change an object lying on the current map, found by
// name without regard to case. The change lasts until the next map load.
#include <array>

#include "common/TextPrimitives.h"
#include "game/bindings/CommandTables.h"

namespace vorn::bindings {

namespace {

bool SetObjectDamage(Game& game, ScriptEngine& script);
bool SetObjectHealth(Game& game, ScriptEngine& script);
bool SetObjectSpeed(Game& game, ScriptEngine& script);
bool SetObjectHealAmount(Game& game, ScriptEngine& script);
bool SetObjectName(Game& game, ScriptEngine& script);

// {name, procedure, argument types, place in the registration order}
constexpr std::array kTable = {
    CommandEntry{"SetObjectDamage", SetObjectDamage, "sn", 27},
    CommandEntry{"SetObjectHealth", SetObjectHealth, "sn", 28},
    CommandEntry{"SetObjectSpeed", SetObjectSpeed, "sn", 29},
    CommandEntry{"SetObjectHealAmount", SetObjectHealAmount, "sn", 30},
    CommandEntry{"SetObjectName", SetObjectName, "ss", 31},
};

ObjectType* FindObject(Game& game, const std::string& name) {
    const std::string wanted = UpperCaseText(name);
    for (ObjectType& object : game.map->objects) {
        if (UpperCaseText(object.Name) == wanted)
            return &object;
    }
    return nullptr;
}

// (name, value): stores value into the chosen field of the first matching
// object; no match changes nothing and still succeeds.
bool SetObjectNumber(Game& game, ScriptEngine& script, int32_t ObjectType::*field) {
    std::string name;
    int32_t value = 0;
    if (!StringArgument(script, 0, name) || !NumberArgument(script, 1, value))
        return kFailed;
    if (ObjectType* object = FindObject(game, name))
        object->*field = value;
    return NoResult(script);
}

bool SetObjectDamage(Game& game, ScriptEngine& script) {
    return SetObjectNumber(game, script, &ObjectType::Damage);
}

bool SetObjectHealth(Game& game, ScriptEngine& script) {
    return SetObjectNumber(game, script, &ObjectType::Health);
}

bool SetObjectSpeed(Game& game, ScriptEngine& script) {
    return SetObjectNumber(game, script, &ObjectType::Speed);
}

bool SetObjectHealAmount(Game& game, ScriptEngine& script) {
    return SetObjectNumber(game, script, &ObjectType::HealAmount);
}

bool SetObjectName(Game& game, ScriptEngine& script) {
    std::string name, newName;
    if (!StringArgument(script, 0, name) || !StringArgument(script, 1, newName))
        return kFailed;
    if (ObjectType* object = FindObject(game, name))
        object->Name = newName;
    return NoResult(script);
}

}  // namespace

std::span<const CommandEntry> ObjectCommands() {
    return kTable;
}

}  // namespace vorn::bindings

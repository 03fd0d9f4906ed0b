// The host-command tables of the six command groups and the argument and
// result helpers every command uses. Each group's table is in registration
// order and every entry names its place in the one order scripts have always
// seen, so the full order is made from the tables alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/script/ScriptEngine.h"
#include "game/world/Game.h"

namespace vorn::bindings {

// A command reads its arguments from `script`, acts on `game` and sets the
// return value; true means success.
using GameCommand = bool (*)(Game& game, ScriptEngine& script);

struct CommandEntry {
    const char* name;
    GameCommand procedure;
    // One letter per parameter, in order: 'n' a number, 's' a string, 'a'
    // either. The length is the parameter count; a call given the other
    // type fails, and the author is told which argument it was.
    const char* arguments;
    // Place among all the game's commands: earlier registrations win name
    // lookups, so the order is part of the contract with mods.
    int32_t registrationOrder;
};

std::span<const CommandEntry> PlayerCommands();
std::span<const CommandEntry> MapCommands();
std::span<const CommandEntry> ObjectCommands();
std::span<const CommandEntry> MonsterCommands();
std::span<const CommandEntry> ScreenCommands();
std::span<const CommandEntry> SystemCommands();

// The entries of the six tables, sorted by their registration order.
std::vector<CommandEntry> GameCommandsInRegistrationOrder();
int32_t ParameterCount(const CommandEntry& entry);

// Argument readers: false when argument `index` has the other type, in which
// case the command must return failure at once without touching anything
// (no return value, no error text).
bool NumberArgument(const ScriptEngine& script, size_t index, int32_t& value);
bool StringArgument(const ScriptEngine& script, size_t index, std::string& value);
// Either type, as it comes.
std::string AnyArgument(const ScriptEngine& script, size_t index);

// Result setters; each answers success, for `return Result(...)`.
bool NoResult(ScriptEngine& script);
bool NumberResult(ScriptEngine& script, int32_t value);
bool StringResult(ScriptEngine& script, const std::string& value);

constexpr bool kFailed = false;

// The first live monster with this ID, or null.
Monster* FindMonster(Game& game, int32_t id);

}  // namespace vorn::bindings

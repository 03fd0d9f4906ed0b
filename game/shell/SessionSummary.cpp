// The summary line of a finished session.
#include "game/shell/SessionSummary.h"

#include <charconv>

#include "common/ContentHash.h"

namespace vorn {

namespace {

std::string FloatText(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string VariablesHash(const ScriptEngine& script) {
    ContentHash hash;
    for (const ScriptVariable& variable : script.Variables()) {
        // Fields apart as saved games write them.
        hash.Add(variable.name);
        hash.Add("\x01");
        hash.Add(variable.value);
        hash.Add("\x01" + std::to_string(Code(variable.type)) + "\n");
    }
    return hash.Hex();
}

}  // namespace

std::string SessionSummary(const Game& game, uint64_t framesPlayed) {
    return "frames=" + std::to_string(framesPlayed) + " map=" + game.map->info.Name +
           " x=" + FloatText(game.player.X) + " y=" + FloatText(game.player.Y) +
           " health=" + std::to_string(game.player.Health) +
           " variables=" + VariablesHash(game.script);
}

}  // namespace vorn

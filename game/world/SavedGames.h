// Saved games: "saves/save<N>.ini", ".sol" (inventory) and ".sst" (script
// variables). Every file is replaced atomically, so a failed save leaves the
// previous one whole.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "game/world/Game.h"

namespace vorn {

// False when the main file could not be written (its "Error" box was shown).
bool SaveGame(Game& game, int32_t slot);

// One slot's files as read back. LoadGame (game/play) restores them.
struct SavedGame {
    int32_t PlayerX = 0;
    int32_t PlayerY = 0;
    int32_t PlayerHealth = 0;
    int32_t PlayerMaxHealth = 0;
    int32_t PlayerDamage = 0;
    int32_t PlayerSpeed = 0;
    int32_t PlayerKillCount = 0;
    std::string CurrentMap;
    std::vector<std::string> inventory;
    std::vector<ScriptVariable> variables;
};
// Nothing when "save<N>.ini" cannot be read; missing ".sol" and ".sst" files
// give no items and no variables.
std::optional<SavedGame> ReadSavedGame(const Game& game, int32_t slot);

}  // namespace vorn

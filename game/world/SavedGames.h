// Saved games: "saves/save<N>.ini", ".sol" (inventory) and ".sst" (script
// variables). Every file is replaced atomically, so a failed save leaves the
// previous one whole.
#pragma once

#include <cstdint>

#include "game/world/Game.h"

namespace vorn {

void SaveGame(Game& game, int32_t slot);
// A missing "save<N>.ini" shows "Save game <N> not found!" and ends the game
// (game.ended); otherwise restores the player, appends the inventory,
// replaces the variables and loads the saved map.
void LoadGame(Game& game, int32_t slot);

}  // namespace vorn

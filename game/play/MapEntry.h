// Entering a map (a new game, a warp, a map edge, a saved game or the LoadMap
// command) and loading a saved game.
#pragma once

#include <cstdint>
#include <string>

#include "game/world/Game.h"
#include "game/world/MapFiles.h"

namespace vorn {

// Replaces the current map with map `name`: releases what belonged to the old
// one, reads the new one's files into a fresh CurrentMap that takes over the
// grid, spawns its monsters, loads its scripts, animations, objects and
// warps, starts its music and runs its enter script. A missing ".gtl" or
// ".atl" file is fatal (game.ended is set after the error box), and is told
// at `source`, where the map's name was written. The player's position is
// not touched: callers set it first.
void EnterMap(Game& game, const std::string& name, const MapNameSource& source = {});

// Builds the current map again from its files, as EnterMap does, for the
// developer mode's live reload: the clock's entry and tick times are kept
// and neither the enter sound nor the enter script runs.
void ReloadCurrentMap(Game& game);

// A missing "save<N>.ini" shows "Save game <N> not found!" and ends the game
// (game.ended); otherwise restores the player, appends the inventory,
// replaces the variables and enters the saved map.
void LoadGame(Game& game, int32_t slot);

}  // namespace vorn

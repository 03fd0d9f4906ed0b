// Loading a map: properties, music, the four tile layers, attributes (with
// monster spawns and tile scripts), animations, objects, warps, the map's
// event scripts, and the enter script at the end.
#pragma once

#include <string>

#include "game/world/Game.h"

namespace vorn {

// Allocates MapWidth x MapHeight empty cells (start-up, once).
void CreateMapGrid(Game& game);
// Replaces the current map. A missing ".gtl" or ".atl" file is fatal
// (game.ended is set after the error box). Increments game.mapGeneration.
void LoadMap(Game& game, const std::string& name);

}  // namespace vorn

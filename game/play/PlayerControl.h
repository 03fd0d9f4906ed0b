// The player's frame steps: keyboard input, walking and recoil, warps, map
// edges, and the clip-box refresh of all actors.
#pragma once

#include <cstdint>

#include "game/world/Game.h"

namespace vorn {

// Whether the player's clip box at position (x, y) (map pixels of the
// frame's top-left corner) is free of walls and monsters.
bool PlayerFreeAt(const Game& game, float x, float y);

void PlayerInputStep(Game& game);
void PlayerMoveStep(Game& game);
void WarpStep(Game& game);
void MapEdgeStep(Game& game);
void RefreshClipBoxes(Game& game);

}  // namespace vorn

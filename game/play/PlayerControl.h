// The player's frame steps: keyboard input, walking and recoil, warps, map
// edges, and the clip-box refresh of all actors.
#pragma once

#include <cstdint>

#include "game/world/Game.h"

namespace vorn {

void PlayerInputStep(Game& game);
void PlayerMoveStep(Game& game);
void WarpStep(Game& game);
void MapEdgeStep(Game& game);
void RefreshClipBoxes(Game& game);

}  // namespace vorn

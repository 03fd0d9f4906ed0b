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

// The 3 x 3 centre probe used by warps, script tiles and pick-up.
int32_t CentreProbeLeft(const Game& game);
int32_t CentreProbeTop(const Game& game);

}  // namespace vorn

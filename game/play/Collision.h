// Rectangle overlap and the collision test of candidate clip boxes.
#pragma once

#include <cstdint>

#include "game/world/Game.h"

namespace vorn {

// Inclusive test: rectangles that only touch overlap.
bool Overlaps(int32_t ax, int32_t ay, int32_t aw, int32_t ah, int32_t bx, int32_t by, int32_t bw,
              int32_t bh);

// `who` is -1 for the player or a monster's ID. Only cells under the box are
// visited; the result equals a scan of every cell.
bool IsBlocked(const Game& game, int32_t left, int32_t top, int32_t width, int32_t height,
               int32_t who);

}  // namespace vorn

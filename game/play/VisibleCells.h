// The block of map cells that can show on the screen in the current frame.
// Drawing visits only these cells: a tile outside them lies wholly off the
// screen (its sprite included), so skipping it changes nothing visible.
#pragma once

#include <cstdint>

#include "game/play/CellRange.h"
#include "game/world/Game.h"

namespace vorn {

struct VisibleCells {
    IndexRange columns;
    IndexRange rows;
    bool Empty() const { return columns.Empty() || rows.Empty(); }
};

// `spriteWidth` and `spriteHeight` bound every tile sprite that may be drawn
// at a cell's position; the screen is the play area plus the status bar.
VisibleCells FindVisibleCells(const Game& game, int32_t spriteWidth, int32_t spriteHeight);

}  // namespace vorn

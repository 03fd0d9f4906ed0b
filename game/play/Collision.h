// The collision test of a candidate clip box.
#pragma once

#include <cstdint>

#include "game/world/Game.h"
#include "game/world/Rect.h"

namespace vorn {

// Whether `box` is blocked for `who`: the player (kPlayerMover, or any
// negative number) or a monster's ID. Monsters are kept off the map's outermost pixels and out of
// the player; both are blocked by the other monsters and the walls that bar
// them. Only cells under the box are visited; the result equals a scan of
// every cell.
bool IsBlocked(const Game& game, const Rect& box, int32_t who);

}  // namespace vorn

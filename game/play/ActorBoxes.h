// The rectangles of actors, tiles and the player's centre probe that the
// play steps test against each other with Overlaps.
#pragma once

#include <cstdint>

#include "game/world/Game.h"
#include "game/world/Rect.h"

namespace vorn {

// Side of the square probe at the player's centre that warps, script tiles
// and pick-up test against.
constexpr int32_t kProbeSize = 3;

// The probe: its top-left pixel is the player's centre less one, rounded.
Rect CentreProbe(const Game& game);
// Sprite frames at the rounded positions.
Rect PlayerFrame(const Game& game);
Rect MonsterFrame(const Monster& monster);
// Clip boxes as RefreshClipBoxes last placed them.
Rect PlayerClipBox(const Game& game);
Rect MonsterClipBox(const Monster& monster);
// Tile (column, row) of the map.
Rect TileRect(const GameSettings& settings, int64_t column, int64_t row);

// The `who` of IsBlocked for the player; monsters are their IDs.
constexpr int32_t kPlayerMover = -1;

}  // namespace vorn

// Choosing frames of sprite sheets and the death mark over a dying monster.
#pragma once

#include <cstdint>

#include "game/media/MediaLayer.h"
#include "game/world/Game.h"

namespace vorn {

// Selects frame (column, row) of a sheet of frameWidth x frameHeight frames
// with ClipSprite. A frame reaching past the sheet's right or bottom edge is
// cut to the sheet; a frame that starts outside it (a negative column such as
// the facing -1 of a chasing monster, or a sheet with fewer rows than the
// settings imply) selects nothing and returns false: the caller then skips
// the draw, so no pixel outside the picture is ever read.
bool ClipSheetFrame(MediaLayer& media, SpriteHandle sprite, int64_t column, int64_t row,
                    int32_t frameWidth, int32_t frameHeight);

// DeathSprite at a random offset inside the monster's frame, drawn anew every
// frame. A death sprite larger than the frame is drawn at offset 0 on that
// axis.
void DrawDeathMark(Game& game, const Monster& monster);

}  // namespace vorn

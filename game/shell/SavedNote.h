// The short "Game saved." note shown over the frame for two seconds after
// the S key saved the game. It is drawn on the finished frame and is no part
// of the game: scripts, saved games and the status text never see it.
#pragma once

#include "game/world/Game.h"

namespace vorn {

// A frame step, after the frame is drawn and before it is presented.
void DrawSavedNote(Game& game);

}  // namespace vorn

// F12: the frame as it is about to be shown, at the screen's own size (not
// scaled to the window), as the next free screenshots/NNNN.png of the mod.
#pragma once

#include <string>

#include "game/world/Game.h"

namespace vorn {

// The path written, or "" with `error` ("PATH: error: TEXT") set.
std::string SaveScreenshot(const Game& game, std::string& error);

}  // namespace vorn

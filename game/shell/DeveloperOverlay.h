// The developer overlay (F3): what a mod author wants to know about the
// frame on screen, as lines of the developer panel.
#pragma once

#include <string>
#include <vector>

#include "game/shell/DeveloperPanel.h"
#include "game/shell/FrameTimes.h"
#include "game/world/Game.h"

namespace vorn {

// Frame times, the map and the player's place on it, the cell under the
// player with its four layers and attribute, what lives on the map, the
// time of day, then the last script error (a "PATH:LINE: error: TEXT"
// line, or none) and `notes` (the last reload or screenshot).
std::vector<PanelLine> OverlayLines(const Game& game, const FrameTimeStats& times,
                                    const std::string& lastScriptError,
                                    const std::vector<PanelLine>& notes);

}  // namespace vorn

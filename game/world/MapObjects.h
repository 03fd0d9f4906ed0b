// The comma-separated per-map list files: ".ani" (animations), ".obl"
// (objects) and ".wpl" (warps). A missing file gives no entries.
#pragma once

#include <string>

#include "game/world/Game.h"

namespace vorn {

// `base` is ModFolder + "/maps/" + the map name.
void ReadMapAnimations(Game& game, const std::string& base);
void ReadMapObjects(Game& game, const std::string& base);
void ReadMapWarps(Game& game, const std::string& base);

}  // namespace vorn

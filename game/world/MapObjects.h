// The comma-separated per-map list files: ".ani" (animations), ".obl"
// (objects) and ".wpl" (warps), read into entries in file order. A missing
// file gives no entries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/Diagnostics.h"
#include "game/world/CurrentMap.h"

namespace vorn {

// A line of ".ani": an animation by name at map pixels (x, y).
struct AnimationPlacement {
    std::string name;
    int32_t x = 0;
    int32_t y = 0;
    int32_t playOnce = 0;
    int line = 0;  // in the ".ani" file, for reports
};

// A line of ".obl": an object with its picture's file name, on a tile.
struct ObjectPlacement {
    std::string name;
    std::string picture;
    int32_t column = 0;
    int32_t row = 0;
    int32_t damage = 0;
    int32_t health = 0;
    int32_t speed = 0;
    int32_t healAmount = 0;
    int line = 0;  // in the ".obl" file, for reports
};

// `base` is ModFolder + "/maps/" + the map name. A line with another number
// of fields than its file's lines have is told to `diagnostics` (the
// missing fields read as "" or 0, extra ones are not read).
std::vector<AnimationPlacement> ReadMapAnimations(const std::string& base,
                                                  Diagnostics& diagnostics);
std::vector<ObjectPlacement> ReadMapObjects(const std::string& base, Diagnostics& diagnostics);
std::vector<Warp> ReadMapWarps(const std::string& base, Diagnostics& diagnostics);

}  // namespace vorn

// The map being played: its grid, properties, monsters, objects, warps and
// live animations, in one object that EnterMap replaces as a whole.
//
// Any script may enter another map, so a step that runs scripts holds the map
// it started on (a shared pointer, as the script engine holds a running
// script): the old object, its lists included, stays valid to read while the
// step holds it, and Game::IsCurrentMap tells the step whether the map it
// holds is still the one being played. The map's event and tile scripts live
// in the script engine's slots; the grid's cells name the tile scripts'.
#pragma once

#include <cstdint>
#include <vector>

#include "game/world/GameTypes.h"
#include "game/world/MapGrid.h"

namespace vorn {

struct CurrentMap {
    // Allocated once at start-up and handed from map to map: cells that the
    // next map's files do not reach keep what they held (a replaced map is
    // left without a grid).
    MapGrid grid;
    MapInfo info;
    std::vector<ObjectType> objects;
    std::vector<Warp> warps;
    // Sorted by ClipTop after every movement step; drawing relies on it.
    std::vector<Monster> monsters;
    std::vector<Animation> animations;

    // 1 for the first map entered in a game, one more for every map after.
    uint64_t entry = 0;
    // Whether the tick scripts have run on this map yet, so that its first
    // tick is announced once even when it falls in the millisecond of entry.
    bool ticked = false;
};

}  // namespace vorn

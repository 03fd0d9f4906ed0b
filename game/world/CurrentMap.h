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

struct MapInfo {
    std::string ExitUp;
    std::string ExitDown;
    std::string ExitLeft;
    std::string ExitRight;
    SoundHandle Music;
    SoundHandle EnterSound;
    std::string SpeechText;
    int32_t SpeechTextY = 0;
    std::string Title;
    std::string Name;
    int32_t TextGreen = 0;
    int32_t TextRed = 0;
    int32_t TextBlue = 0;
    // The low byte of the number, as the map file or a script gave it; not 0
    // means always.
    int8_t AlwaysNight = 0;
    int8_t AlwaysDay = 0;
};

// An object lying on the current map. Names starting with "__" are hearts
// dropped by monsters.
struct ObjectType {
    std::string Name;
    SpriteHandle Sprite;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Damage = 0;
    int32_t Health = 0;
    int32_t Speed = 0;
    int32_t HealAmount = 0;
};

struct Warp {
    int32_t X = 0;
    int32_t Y = 0;
    std::string TargetMap;
    int32_t TargetX = 0;
    int32_t TargetY = 0;
    // Its line in the ".wpl" file, to tell the author where a target that
    // cannot be loaded is written.
    int Line = 0;
};

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

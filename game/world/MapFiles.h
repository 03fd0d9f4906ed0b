// The files of one map read into data: the properties of its ".ini" file and
// the path every other file of the map starts with. The layer files are read
// by MapLayers.h, the list files by MapObjects.h; EnterMap (game/play) puts
// them together in the order mods rely on.
#pragma once

#include <cstdint>
#include <string>

#include "game/world/Game.h"

namespace vorn {

// The group "Properties" of a map's ".ini" file, as read: names of sounds,
// texts and numbers (an absent key reads "" or 0).
struct MapProperties {
    std::string ExitUp;
    std::string ExitDown;
    std::string ExitLeft;
    std::string ExitRight;
    std::string Music;
    std::string EnterSound;
    std::string Title;
    std::string SpeechText;
    int32_t SpeechTextY = 0;
    int32_t TextGreen = 0;
    int32_t TextRed = 0;
    int32_t TextBlue = 0;
    int8_t AlwaysNight = 0;  // the low byte of the key's number
    int8_t AlwaysDay = 0;
};

// ModFolder + "/maps/" + name: the map's files are this plus a suffix.
std::string MapBase(const Game& game, const std::string& name);
MapProperties ReadMapProperties(const std::string& base);

// Allocates MapWidth x MapHeight empty cells for the current map (start-up,
// once; EnterMap hands the grid on from map to map).
void CreateMapGrid(Game& game);

}  // namespace vorn

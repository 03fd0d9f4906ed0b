// The files of one map read into data: the properties of its ".ini" file and
// the path every other file of the map starts with. The layer files are read
// by MapLayers.h, the list files by MapObjects.h; EnterMap (game/play) puts
// them together in the order mods rely on.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
// The tile script of the "S" cell (x, y): base + "_x_y.ds".
std::string TileScriptPath(const std::string& base, int32_t x, int32_t y);
// What is told (at the cell's ".atl" line) when that file does not exist.
std::string MissingTileScriptText(const std::string& base, int32_t x, int32_t y);
// Reads the ".ini" file (a missing one reads as all empty) and tells
// `diagnostics` what in it the game does not read as meant.
MapProperties ReadMapProperties(const std::string& base, Diagnostics& diagnostics);

// Where the name of a map to enter was written, so that a map that cannot
// be loaded is reported where its name can be fixed.
struct MapNameSource {
    std::string file;  // as the game opened it; empty when not known
    int line = 0;
    std::string what;  // "warp target map", "ExitLeft", "StartMap", ...
};
// The line of `key` in the map's ".ini" file (an exit being taken).
MapNameSource MapPropertySource(const std::string& base, const char* key);
// The report when map `name` cannot be loaded because `missingFile` (its
// ".gtl" or ".atl") cannot be read; the maps that do exist are offered.
FatalCause MissingMapCause(const Game& game, const std::string& name,
                           const std::string& missingFile, const MapNameSource& source);
// The names of the maps of the mod: every maps/*.gtl, sorted.
std::vector<std::string> MapNames(const std::string& modFolder);

// Allocates MapWidth x MapHeight empty cells for the current map (start-up,
// once; EnterMap hands the grid on from map to map).
void CreateMapGrid(Game& game);

}  // namespace vorn

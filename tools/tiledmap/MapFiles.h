// A map as its files in the mod's "maps" folder hold it: the map .ini, the
// tile and attribute grids (.gtl, .btl, .ftl, .atl) and the object, warp and
// animation lists (.obl, .wpl, .ani). Read with the text primitives the game
// reads them with, and written back in the same layout, so that a map read
// and written again keeps its bytes.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/Diagnostics.h"

namespace vorn::tiledmap {

// The size every map of a mod shares, from settings.ini.
struct MapSize {
    int32_t columns = 0;
    int32_t rows = 0;
    int32_t tileWidth = 0;
    int32_t tileHeight = 0;
};

// nullopt (and an error) when a value is missing, not above 0, or so large
// that a map could not be held in memory.
std::optional<MapSize> ReadMapSize(const std::string& modFolder, Diagnostics& diagnostics);

enum class GridLayer { Ground, Background, Foreground, Top, Attributes };
constexpr int kGridLayerCount = 5;
// "Ground", "Background", "Foreground", "Top", "Attributes".
const char* GridLayerName(GridLayer layer);

// One text per cell, row by row from the top, columns x rows texts.
using Grid = std::vector<std::string>;

struct ObjectEntry {
    std::string name;
    std::string picture;  // file in the mod's "objects" folder
    int32_t column = 0;
    int32_t row = 0;
    int32_t damage = 0;
    int32_t health = 0;
    int32_t speed = 0;
    int32_t heal = 0;
};

struct WarpEntry {
    int32_t column = 0;
    int32_t row = 0;
    std::string targetMap;
    int32_t targetColumn = 0;
    int32_t targetRow = 0;
};

struct AnimationEntry {
    std::string name;
    int32_t x = 0;  // map pixels
    int32_t y = 0;
    int32_t playOnce = 0;
};

// One "key=value" line of the map .ini, split at its first "=".
struct PropertyEntry {
    std::string key;
    std::string value;
};

// How a file ends its lines, kept so that a rewritten file keeps its bytes.
struct LineStyle {
    std::string end = "\r\n";
    bool endsLastLine = true;
    bool operator==(const LineStyle&) const = default;
};

// The file extensions of a map, in the order the files are written.
inline constexpr std::array<const char*, 8> kMapFileExtensions = {"gtl", "btl", "ftl", "atl",
                                                                  "ani", "obl", "wpl", "ini"};

// A map's content. A part is present when it was read: from its file on
// export, from its layer (or the map properties) on import; a part that is
// absent leaves its file as it is when the content is written.
struct MapContent {
    std::array<std::optional<Grid>, kGridLayerCount> grids;
    std::optional<std::vector<ObjectEntry>> objects;
    std::optional<std::vector<WarpEntry>> warps;
    std::optional<std::vector<AnimationEntry>> animations;
    std::optional<std::vector<PropertyEntry>> properties;
    // By file extension; a file not listed ends every line with CR LF.
    std::map<std::string, LineStyle> lineStyles;

    std::optional<Grid>& GridOf(GridLayer layer) { return grids[static_cast<size_t>(layer)]; }
    const std::optional<Grid>& GridOf(GridLayer layer) const {
        return grids[static_cast<size_t>(layer)];
    }
};

// The files of one map: the mod folder and the map's name.
struct MapLocation {
    std::string modFolder;
    std::string map;
    // modFolder + "/maps/" + map + "." + extension
    std::string FilePath(const std::string& extension) const {
        return modFolder + "/maps/" + map + "." + extension;
    }
};

// Reads every file of the map that exists, as the game reads it: the first
// rows x columns fields of each grid, the filled lines of each list, the
// entries of the group "Properties". Grid rows the file lacks read as ".".
// Content the game never reads is reported as a warning, since it is not
// kept. `requireMap`: the ground and attribute files must exist (the game
// cannot load the map without them); an error otherwise.
bool ReadMapContent(const MapLocation& location, const MapSize& size, bool requireMap,
                    MapContent& content, Diagnostics& diagnostics);

// Writes the files of the parts present in `content`; the ".ftl" file takes
// both its layers, so a content with only one of them must be completed
// first. A file is not created while its list is empty. False (and an
// error) when a file cannot be written; the others are still written.
bool WriteMapContent(const MapLocation& location, const MapSize& size, const MapContent& content,
                     Diagnostics& diagnostics);

}  // namespace vorn::tiledmap

// The tilesets of a TMX map, embedded or in .tsx files, and which tile a
// global tile id names.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Diagnostics.h"
#include "tools/tiledmap/XmlFile.h"

namespace vorn::tiledmap {

// The bits of a global tile id that flip or rotate the tile, and the one that
// only hexagonal maps use (Tiled may keep it set on others).
constexpr uint32_t kFlipBits = 0xE0000000u;
constexpr uint32_t kHexagonalRotationBit = 0x10000000u;

struct TmxTile {
    const char* name = nullptr;     // the "name" property (UTF-8), if any
    const char* picture = nullptr;  // the "picture" property (UTF-8), if any
    std::string image;              // the tile's own picture file, "" when it has none
    int imageHeight = 0;
};

struct TmxTileset {
    uint32_t firstGid = 0;
    std::string name;
    const XmlFile* file = nullptr;  // where the tileset is written
    int line = 0;
    std::string sheetImage;  // set when the tiles are cut from one picture
    std::map<uint32_t, TmxTile> tiles;
};

class TmxTilesets {
public:
    // Reads every <tileset> of the map; external ones from their .tsx file,
    // found relative to the TMX. False when one cannot be read.
    bool Load(const XmlFile& tmx, Diagnostics& diagnostics);

    // The tileset of `gid` (flip bits cleared) and its tile; the tile is
    // nullptr when the tileset has no tile of that number.
    struct Match {
        const TmxTileset* tileset = nullptr;
        const TmxTile* tile = nullptr;
    };
    Match Find(uint32_t gid) const;

private:
    std::vector<std::unique_ptr<XmlFile>> tsxFiles_;
    std::vector<TmxTileset> tilesets_;  // by first gid
};

}  // namespace vorn::tiledmap

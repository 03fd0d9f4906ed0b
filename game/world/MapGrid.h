// The MapWidth x MapHeight cell grid, allocated once at start-up and reused by
// every map. Out-of-range coordinates never touch memory: Cell returns null.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/media/MediaTypes.h"
#include "game/world/CellAttribute.h"

namespace vorn {

// What FindTileSprite gives for a name no tile image has. It draws nothing,
// like the empty handle of a tile image whose picture did not load.
constexpr SpriteHandle kNoTileImage{-1};

struct MapCell {
    std::string Ground;
    std::string Background;
    std::string Foreground;
    std::string Top;
    CellAttribute Attribute;
    int32_t Script = 0;  // tile-script slot; meaningful when Attribute is "S"
    bool DrawnBehind = false;
    // The layers' sprites as FindTileSprite gives them, resolved whenever a
    // layer name is stored so drawing needs no lookup.
    SpriteHandle GroundSprite = kNoTileImage;
    SpriteHandle BackgroundSprite = kNoTileImage;
    SpriteHandle ForegroundSprite = kNoTileImage;
    SpriteHandle TopSprite = kNoTileImage;
};

class MapGrid {
public:
    // More cells than this are refused (a 4096 x 4096 map is the largest
    // square one); a cell holds several strings, so this is gigabytes already.
    static constexpr int64_t kMaxCells = int64_t{16} * 1024 * 1024;

    // Zero or negative sizes, more than kMaxCells cells, or memory that cannot
    // be had give an empty 0 x 0 grid.
    void Allocate(int32_t width, int32_t height);
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    bool Contains(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width_ && y < height_;
    }
    MapCell* Cell(int32_t x, int32_t y) {
        return Contains(x, y) ? &cells_[static_cast<size_t>(y) * width_ + x] : nullptr;
    }
    const MapCell* Cell(int32_t x, int32_t y) const {
        return Contains(x, y) ? &cells_[static_cast<size_t>(y) * width_ + x] : nullptr;
    }
    std::vector<MapCell>& Cells() { return cells_; }
    const std::vector<MapCell>& Cells() const { return cells_; }

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<MapCell> cells_;  // row-major: index y * width + x
};

}  // namespace vorn

// Reading the space-separated layer files of a map (".gtl", ".btl", ".ftl",
// ".atl") into the cell grid, and the tile-name index that resolves each
// stored name to its sprite once, at load time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/TextPrimitives.h"
#include "game/world/GameTypes.h"
#include "game/world/MapGrid.h"

namespace vorn {

// The same answer as FindTileSprite for every name, without a linear search
// per cell. Holds views into the tile list, which must not change while the
// index is used.
class TileSpriteIndex {
public:
    explicit TileSpriteIndex(const std::vector<TileImage>& tiles);
    // The first tile's sprite whose name equals TrimSpaces(name), or
    // kNoTileImage.
    SpriteHandle Find(std::string_view name) const;

private:
    std::unordered_map<std::string_view, SpriteHandle> sprites_;
};

// Calls visit(x, y, field) for every cell of rows 0 .. grid.Height()-1 in
// reading order, with field x+1 of the row's line (split at single spaces,
// "" past the end of the line). Rows past the end of the file are not
// visited, so their cells keep what they held.
template <typename Visit>
void ReadLayerRows(TextReader& reader, MapGrid& grid, Visit&& visit) {
    std::string line;
    for (int32_t y = 0; y < grid.Height(); ++y) {
        if (!reader.ReadTextLine(line))
            return;
        // One pass over the line gives the same fields as TextField(line, x+1).
        size_t start = 0;
        bool pastEnd = false;
        for (int32_t x = 0; x < grid.Width(); ++x) {
            std::string_view field;
            if (!pastEnd) {
                const size_t end = line.find(' ', start);
                if (end == std::string::npos) {
                    field = std::string_view(line).substr(start);
                    pastEnd = true;
                } else {
                    field = std::string_view(line).substr(start, end - start);
                    start = end + 1;
                }
            }
            visit(x, y, field);
        }
    }
}

enum class TileLayer { Ground, Background, Foreground, Top };

// Stores one tile layer (names and their sprites) from the reader's next rows.
void ReadTileLayer(TextReader& reader, MapGrid& grid, TileLayer layer,
                   const TileSpriteIndex& index);

// Stores the attribute layer from the reader's rows and calls
// onCell(x, y, cell) right after each cell's attribute is stored (rows top to
// bottom, cells left to right), for the spawns and tile scripts it names.
template <typename OnCell>
void ReadAttributeLayer(TextReader& reader, MapGrid& grid, OnCell&& onCell) {
    ReadLayerRows(reader, grid, [&](int32_t x, int32_t y, std::string_view field) {
        // The grid never changes size while it is read, so the cell stays put
        // whatever onCell does.
        MapCell& cell = *grid.Cell(x, y);
        cell.Attribute.assign(field);
        onCell(x, y, cell);
    });
}

}  // namespace vorn

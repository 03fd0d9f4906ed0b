// Reading the space-separated layer files of a map (".gtl", ".btl", ".ftl",
// ".atl") into the cell grid, the tile-name index that resolves each stored
// name to its sprite once, at load time, and what the files hold that does
// not fit the map, told to the author.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "common/Diagnostics.h"
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
    // Every tile name, sorted.
    std::vector<std::string> Names() const;

private:
    std::unordered_map<std::string_view, SpriteHandle> sprites_;
};

// A name that draws nothing on purpose: maps write it where a layer has no
// tile.
constexpr std::string_view kNoTileName = ".";

// Tells the author about one layer file: rows and fields that do not fit
// the map's size, names no tile has, attributes the game does not know.
// Reports each unknown name once per file and the first few rows of the
// wrong width. A default LayerReport tells nothing.
class LayerReport {
public:
    LayerReport() = default;
    LayerReport(Diagnostics& diagnostics, std::string path)
        : diagnostics_(&diagnostics), path_(std::move(path)) {}
    bool Active() const { return diagnostics_ != nullptr; }

    // Row `row` (from 0) on file line `line` has `fields` fields.
    void RowWidth(int line, int32_t row, size_t fields, int32_t width, std::string_view text);
    // The file ended after `rows` of the `height` rows a grid needs.
    void RowsMissing(int32_t rows, int32_t height, const char* grid);
    // Lines after the last grid of the file, which nothing reads.
    void LinesLeft(int firstLine, int lastLine, int32_t height);
    void UnknownTile(int line, int32_t column, std::string_view name, const TileSpriteIndex& tiles);
    void UnknownAttribute(int line, int32_t column, std::string_view attribute);

private:
    Diagnostics* diagnostics_ = nullptr;
    std::string path_;
    int rowsOfWrongWidth_ = 0;
    std::unordered_set<std::string> namesTold_;
};

// Calls visit(x, y, field) for every cell of rows 0 .. grid.Height()-1 in
// reading order, with field x+1 of the row's line (split at single spaces,
// "" past the end of the line). Rows past the end of the file are not
// visited, so their cells keep what they held. `firstLine` is the file line
// of the first row, for the report.
template <typename Visit>
void ReadLayerRows(TextReader& reader, MapGrid& grid, LayerReport& report, int firstLine,
                   const char* gridName, Visit&& visit) {
    std::string line;
    for (int32_t y = 0; y < grid.Height(); ++y) {
        if (!reader.ReadTextLine(line)) {
            if (report.Active())
                report.RowsMissing(y, grid.Height(), gridName);
            return;
        }
        // One pass over the line gives the same fields as TextField(line, x+1).
        size_t start = 0;
        bool pastEnd = false;
        size_t fields = 0;
        for (int32_t x = 0; x < grid.Width(); ++x) {
            std::string_view field;
            if (!pastEnd) {
                ++fields;
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
        if (report.Active()) {
            if (!pastEnd && grid.Width() > 0)
                fields +=
                    std::count(line.begin() + static_cast<std::ptrdiff_t>(start), line.end(), ' ') +
                    1;
            if (fields != static_cast<size_t>(grid.Width()))
                report.RowWidth(firstLine + y, y, fields, grid.Width(), line);
        }
    }
}

enum class TileLayer { Ground, Background, Foreground, Top };

// Stores one tile layer (names and their sprites) from the reader's next
// rows; `firstLine` is the file line of its first row.
void ReadTileLayer(TextReader& reader, MapGrid& grid, TileLayer layer, const TileSpriteIndex& index,
                   LayerReport& report, int firstLine, const char* gridName = "rows");

// Reads the ground (".gtl", which must exist), background (".btl") and
// foreground and top (".ftl") layers of the map at `base` into the grid.
// False, with nothing read, when the ground file cannot be opened. A missing
// background or foreground file is told as a warning: its cells keep what
// the map entered before left in them.
bool ReadMapTileLayers(const std::string& base, MapGrid& grid, const TileSpriteIndex& tiles,
                       Diagnostics& diagnostics);

// Whether an attribute is one the game gives a meaning, or "." or "" (a
// free cell).
bool KnownAttribute(std::string_view attribute);

// Stores the attribute layer of `base` + ".atl" and calls onCell(x, y, cell)
// right after each cell's attribute is stored (rows top to bottom, cells
// left to right), for the spawns and tile scripts it names. False when the
// file cannot be opened.
template <typename OnCell>
bool ReadMapAttributes(const std::string& base, MapGrid& grid, Diagnostics& diagnostics,
                       OnCell&& onCell) {
    TextReader reader;
    const std::string path = base + ".atl";
    if (!reader.Open(path))
        return false;
    LayerReport report(diagnostics, path);
    ReadLayerRows(reader, grid, report, 1, "rows",
                  [&](int32_t x, int32_t y, std::string_view field) {
                      // The grid never changes size while it is read, so the cell stays put
                      // whatever onCell does.
                      MapCell& cell = *grid.Cell(x, y);
                      cell.Attribute.assign(field);
                      if (!KnownAttribute(field))
                          report.UnknownAttribute(y + 1, x, field);
                      onCell(x, y, cell);
                  });
    std::string rest;
    int line = grid.Height();
    const int first = line + 1;
    while (reader.ReadTextLine(rest))
        ++line;
    if (line >= first)
        report.LinesLeft(first, line, grid.Height());
    return true;
}

}  // namespace vorn

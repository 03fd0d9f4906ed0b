// Tile layers of a map: names stored in the cells together with their
// sprites, so that drawing never searches the tile list; and the report of
// what a layer file holds that does not fit the map.
#include "game/world/MapLayers.h"

#include <algorithm>

#include "common/NameSuggestion.h"

namespace vorn {

namespace {

// Rows of the wrong width told per file; a file of wrong width in every row
// says so in the first few.
constexpr int kRowsOfWrongWidthTold = 3;

std::string Number(int64_t value) {
    return std::to_string(value);
}

// What the second half of an ".ftl" file is called when it is short.
constexpr const char* kTopRows = "top rows (the rows after the foreground's)";

}  // namespace

TileSpriteIndex::TileSpriteIndex(const std::vector<TileImage>& tiles) {
    // emplace keeps the first of two equal names, as the list scan does.
    for (const TileImage& tile : tiles)
        sprites_.emplace(tile.Name, tile.Sprite);
}

SpriteHandle TileSpriteIndex::Find(std::string_view name) const {
    const auto found = sprites_.find(TrimSpaces(name));
    return found == sprites_.end() ? kNoTileImage : found->second;
}

std::vector<std::string> TileSpriteIndex::Names() const {
    std::vector<std::string> names;
    for (const auto& [name, sprite] : sprites_)
        names.emplace_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

void LayerReport::RowWidth(int line, int32_t row, size_t fields, int32_t width,
                           std::string_view text) {
    if (++rowsOfWrongWidth_ > kRowsOfWrongWidthTold)
        return;
    std::string message = "row " + Number(row + 1) + " has " +
                          Number(static_cast<int64_t>(fields)) + " fields where the map has " +
                          Number(width) + " columns (MapWidth)";
    Severity severity = Severity::Error;
    if (text.find("  ") != std::string_view::npos) {
        message += ": two blanks in a row make an empty field and shift the rest of the row";
    } else if (fields > static_cast<size_t>(width)) {
        const bool trailingBlank =
            !text.empty() && text.back() == ' ' && fields == static_cast<size_t>(width) + 1;
        severity = Severity::Warning;
        message += trailingBlank ? ": the blank at its end makes an empty last field"
                                 : ": the fields past the map's width are not read";
    } else {
        message += ": the cells past its end are left empty";
    }
    diagnostics_->Report(severity, path_, line, message);
}

void LayerReport::RowsMissing(int32_t rows, int32_t height, const char* grid) {
    diagnostics_->Error(path_, 0,
                        Number(rows) + " " + grid + " where the map has " + Number(height) +
                            " (MapHeight): the cells of the missing rows keep what the map "
                            "entered before left in them");
}

void LayerReport::LinesLeft(int firstLine, int lastLine, int32_t height) {
    diagnostics_->Warning(path_, firstLine,
                          "lines " + Number(firstLine) + " to " + Number(lastLine) +
                              " are not read: the map has " + Number(height) + " rows (MapHeight)");
}

void LayerReport::UnknownTile(int line, int32_t column, std::string_view name,
                              const TileSpriteIndex& tiles) {
    if (!namesTold_.insert(std::string(name)).second)
        return;
    diagnostics_->Error(path_, line,
                        "no tile `" + std::string(name) + "` (first in column " +
                            Number(column + 1) + "; write `.` for no tile)" +
                            DidYouMean(name, tiles.Names()));
}

bool KnownAttribute(std::string_view attribute) {
    return attribute.empty() || attribute == "." || attribute == "X" || attribute == "M" ||
           attribute == "W" || attribute == "S" || TextToInt(attribute) > 0 || attribute == "0";
}

void LayerReport::UnknownAttribute(int line, int32_t column, std::string_view attribute) {
    if (!namesTold_.insert(std::string(attribute)).second)
        return;
    const std::string upper = UpperCaseText(attribute);
    const bool caseSlip = upper != attribute && KnownAttribute(upper);
    diagnostics_->Warning(
        path_, line,
        "unknown attribute `" + std::string(attribute) + "` (first in column " +
            Number(column + 1) + "): the cell is free" +
            (caseSlip ? "; did you mean `" + upper + "`? (attributes are case-sensitive)"
                      : "; attributes are X, M, W, S, a monster number, or `.`"));
}

void ReadTileLayer(TextReader& reader, MapGrid& grid, TileLayer layer, const TileSpriteIndex& index,
                   LayerReport& report, int firstLine, const char* gridName) {
    ReadLayerRows(reader, grid, report, firstLine, gridName,
                  [&](int32_t x, int32_t y, std::string_view field) {
                      MapCell& cell = *grid.Cell(x, y);
                      // Fields hold no blanks (they are cut at blanks), so trimming is done.
                      const SpriteHandle sprite = index.Find(field);
                      if (sprite == kNoTileImage && report.Active() && !field.empty() &&
                          field != kNoTileName) {
                          report.UnknownTile(firstLine + y, x, field, index);
                      }
                      switch (layer) {
                          case TileLayer::Ground:
                              cell.Ground.assign(field);
                              cell.GroundSprite = sprite;
                              break;
                          case TileLayer::Background:
                              cell.Background.assign(field);
                              cell.BackgroundSprite = sprite;
                              break;
                          case TileLayer::Foreground:
                              cell.Foreground.assign(field);
                              cell.ForegroundSprite = sprite;
                              break;
                          case TileLayer::Top:
                              cell.Top.assign(field);
                              cell.TopSprite = sprite;
                              break;
                      }
                  });
}

namespace {

// Lines of the file after the grids: counted and told.
void ReportLinesLeft(TextReader& reader, LayerReport& report, int linesRead, int32_t height) {
    std::string rest;
    int line = linesRead;
    while (reader.ReadTextLine(rest))
        ++line;
    if (line > linesRead)
        report.LinesLeft(linesRead + 1, line, height);
}

void ReportMissingLayer(Diagnostics& diagnostics, const std::string& path, const char* layer) {
    diagnostics.Warning(path, 0,
                        std::string("no such file, so the map has no ") + layer +
                            " layer and its cells keep the " + layer +
                            " tiles of the map entered before; write a file of `.` to have "
                            "none");
}

}  // namespace

bool ReadMapTileLayers(const std::string& base, MapGrid& grid, const TileSpriteIndex& tiles,
                       Diagnostics& diagnostics) {
    const int32_t height = grid.Height();
    TextReader reader;
    const std::string ground = base + ".gtl";
    if (!reader.Open(ground))
        return false;
    LayerReport groundReport(diagnostics, ground);
    ReadTileLayer(reader, grid, TileLayer::Ground, tiles, groundReport, 1);
    ReportLinesLeft(reader, groundReport, height, height);

    const std::string background = base + ".btl";
    if (reader.Open(background)) {
        LayerReport report(diagnostics, background);
        ReadTileLayer(reader, grid, TileLayer::Background, tiles, report, 1);
        ReportLinesLeft(reader, report, height, height);
    } else {
        ReportMissingLayer(diagnostics, background, "background");
    }

    const std::string foreground = base + ".ftl";
    if (reader.Open(foreground)) {
        LayerReport report(diagnostics, foreground);
        ReadTileLayer(reader, grid, TileLayer::Foreground, tiles, report, 1);
        ReadTileLayer(reader, grid, TileLayer::Top, tiles, report, height + 1, kTopRows);
        ReportLinesLeft(reader, report, 2 * height, height);
    } else {
        ReportMissingLayer(diagnostics, foreground, "foreground and top");
    }
    return true;
}

}  // namespace vorn

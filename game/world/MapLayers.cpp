// Tile layers of a map: names stored in the cells together with their
// sprites, so that drawing never searches the tile list.
#include "game/world/MapLayers.h"

namespace vorn {

TileSpriteIndex::TileSpriteIndex(const std::vector<TileImage>& tiles) {
    // emplace keeps the first of two equal names, as the list scan does.
    for (const TileImage& tile : tiles)
        sprites_.emplace(tile.Name, tile.Sprite);
}

SpriteHandle TileSpriteIndex::Find(std::string_view name) const {
    const auto found = sprites_.find(TrimSpaces(name));
    return found == sprites_.end() ? kNoTileImage : found->second;
}

void ReadTileLayer(TextReader& reader, MapGrid& grid, TileLayer layer,
                   const TileSpriteIndex& index) {
    ReadLayerRows(reader, grid, [&](int32_t x, int32_t y, std::string_view field) {
        MapCell& cell = *grid.Cell(x, y);
        // Fields hold no blanks (they are cut at blanks), so trimming is done.
        switch (layer) {
            case TileLayer::Ground:
                cell.Ground.assign(field);
                cell.GroundSprite = index.Find(field);
                break;
            case TileLayer::Background:
                cell.Background.assign(field);
                cell.BackgroundSprite = index.Find(field);
                break;
            case TileLayer::Foreground:
                cell.Foreground.assign(field);
                cell.ForegroundSprite = index.Find(field);
                break;
            case TileLayer::Top:
                cell.Top.assign(field);
                cell.TopSprite = index.Find(field);
                break;
        }
    });
}

}  // namespace vorn

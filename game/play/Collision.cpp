// The inclusive rectangle test and the collision test of a candidate clip box
// against the map bounds (monsters only), the actors and the wall cells.
#include "game/play/Collision.h"

#include "game/play/CellRange.h"

namespace vorn {

bool Overlaps(int32_t ax, int32_t ay, int32_t aw, int32_t ah, int32_t bx, int32_t by, int32_t bw,
              int32_t bh) {
    return OverlapsWide(ax, ay, aw, ah, bx, by, bw, bh);
}

namespace {

// Monsters may not step onto the outermost pixels of the map; the player
// leaves through the edges instead (MapEdgeStep).
bool OutsideMonsterBounds(const GameSettings& s, int64_t left, int64_t top, int64_t height) {
    const int64_t mapPixelWidth = static_cast<int64_t>(s.MapWidth - int64_t{1}) * s.TileWidth;
    const int64_t mapPixelHeight = static_cast<int64_t>(s.MapHeight) * s.TileHeight;
    return left <= 0 || left >= mapPixelWidth || top <= 0 || top + height >= mapPixelHeight - 1;
}

bool BlocksWho(const MapCell& cell, bool isPlayer) {
    if (cell.Attribute == "X") {
        return true;
    }
    return !isPlayer && (cell.Attribute == "M" || cell.Attribute == "W");
}

}  // namespace

bool IsBlocked(const Game& game, int32_t left, int32_t top, int32_t width, int32_t height,
               int32_t who) {
    const GameSettings& s = game.settings;
    const bool isPlayer = who < 0;
    if (!isPlayer) {
        if (OutsideMonsterBounds(s, left, top, height)) {
            return true;
        }
        const Player& p = game.player;
        if (Overlaps(left, top, width, height, p.ClipLeft, p.ClipTop, s.PlayerClipX,
                     s.PlayerClipY)) {
            return true;
        }
    }
    for (const Monster& m : game.map->monsters) {
        if (m.ID != who &&
            Overlaps(left, top, width, height, m.ClipLeft, m.ClipTop, m.ClipWidth, m.ClipHeight)) {
            return true;
        }
    }
    // Only the cells whose tile rectangle can touch the box are visited; the
    // per-cell test below still decides, so the result is that of a scan of
    // the whole map.
    const IndexRange columns = CellsTouching(left, width, s.TileWidth, MapColumns(game));
    const IndexRange rows = CellsTouching(top, height, s.TileHeight, MapRows(game));
    if (columns.Empty() || rows.Empty()) {
        return false;
    }
    for (int32_t c = columns.first; c < columns.last; ++c) {
        const int64_t tileX = static_cast<int64_t>(c) * s.TileWidth;
        for (int32_t r = rows.first; r < rows.last; ++r) {
            const MapCell& cell = *game.map->grid.Cell(c, r);
            if (!BlocksWho(cell, isPlayer)) {
                continue;
            }
            const int64_t tileY = static_cast<int64_t>(r) * s.TileHeight;
            if (OverlapsWide(tileX, tileY, s.TileWidth, s.TileHeight, left, top, width, height)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace vorn

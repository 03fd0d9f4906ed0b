// The collision test of a candidate clip box against the map bounds
// (monsters only), the actors and the wall cells.
#include "game/play/Collision.h"

#include "game/play/ActorBoxes.h"
#include "game/play/CellRange.h"

namespace vorn {

namespace {

// Monsters may not step onto the outermost pixels of the map; the player
// leaves through the edges instead (MapEdgeStep).
bool OutsideMonsterBounds(const GameSettings& s, const Rect& box) {
    const int64_t mapPixelWidth = static_cast<int64_t>(s.MapWidth - int64_t{1}) * s.TileWidth;
    const int64_t mapPixelHeight = static_cast<int64_t>(s.MapHeight) * s.TileHeight;
    return box.left <= 0 || box.left >= mapPixelWidth || box.top <= 0 ||
           box.top + box.height >= mapPixelHeight - 1;
}

bool BlocksWho(const MapCell& cell, bool isPlayer) {
    const CellKind kind = cell.Attribute.Kind();
    if (kind == CellKind::Wall) {
        return true;
    }
    return !isPlayer && (kind == CellKind::MonsterWall || kind == CellKind::WarpMarker);
}

}  // namespace

bool IsBlocked(const Game& game, const Rect& box, int32_t who) {
    const GameSettings& s = game.settings;
    const CurrentMap& map = *game.map;
    const bool isPlayer = who < 0;
    if (!isPlayer) {
        if (OutsideMonsterBounds(s, box) || Overlaps(box, PlayerClipBox(game))) {
            return true;
        }
    }
    for (const Monster& m : map.monsters) {
        if (m.ID != who && Overlaps(box, MonsterClipBox(m))) {
            return true;
        }
    }
    // Only the cells whose tile rectangle can touch the box are visited; the
    // per-cell test below still decides, so the result is that of a scan of
    // the whole map.
    const IndexRange columns = CellsTouching(box.left, box.width, s.TileWidth, MapColumns(game));
    const IndexRange rows = CellsTouching(box.top, box.height, s.TileHeight, MapRows(game));
    if (columns.Empty() || rows.Empty()) {
        return false;
    }
    for (int32_t c = columns.first; c < columns.last; ++c) {
        for (int32_t r = rows.first; r < rows.last; ++r) {
            if (BlocksWho(*map.grid.Cell(c, r), isPlayer) && Overlaps(TileRect(s, c, r), box)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace vorn

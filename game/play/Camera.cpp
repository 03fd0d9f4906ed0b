// The camera: map pixels to play-area pixels, recomputed from the player's
// position at every call. It follows the player and stops at the map's
// edges; a map smaller than the screen is shown at its own position.
#include <cstdint>

#include "common/TextPrimitives.h"
#include "game/play/CellRange.h"
#include "game/play/Render.h"
#include "game/play/VisibleCells.h"

namespace vorn {

namespace {

// One axis of the camera: horizontal or vertical values of the settings.
struct Axis {
    double player;  // the player's X or Y
    int64_t halfScreen;
    int64_t halfPlayer;
    int64_t mapTiles;
    int64_t screenTiles;
    int64_t tileSize;
};

Axis Horizontal(const Game& game) {
    const GameSettings& s = game.settings;
    return {game.player.X, s.HalfScreenPixelWidth, s.HalfPlayerWidth,
            s.MapWidth,    s.ScreenWidth,          s.TileWidth};
}

Axis Vertical(const Game& game) {
    const GameSettings& s = game.settings;
    return {game.player.Y, s.HalfScreenPixelHeight, s.HalfPlayerHeight,
            s.MapHeight,   s.ScreenHeight,          s.TileHeight};
}

enum class CameraCase { MapStart, FollowPlayer, MapEnd };

CameraCase CaseOf(const Axis& a) {
    const int64_t centred = a.halfScreen - a.halfPlayer;
    if (static_cast<double>(centred) > a.player) {
        return CameraCase::MapStart;
    }
    if (a.player <= static_cast<double>(a.mapTiles * a.tileSize - a.halfScreen - a.halfPlayer)) {
        return CameraCase::FollowPlayer;
    }
    return CameraCase::MapEnd;
}

int32_t ToScreen(const Axis& a, int32_t mapPos) {
    switch (CaseOf(a)) {
        case CameraCase::MapStart:
            return mapPos;
        case CameraCase::FollowPlayer:
            return RoundHalfEven(mapPos - a.player +
                                 static_cast<double>(a.halfScreen - a.halfPlayer));
        case CameraCase::MapEnd:
            break;
    }
    return ClampToInt32(mapPos - (a.mapTiles - a.screenTiles) * a.tileSize);
}

int32_t PlayerToScreen(const Axis& a) {
    switch (CaseOf(a)) {
        case CameraCase::MapStart:
            return RoundHalfEven(a.player);
        case CameraCase::FollowPlayer:
            return ClampToInt32(a.halfScreen - a.halfPlayer);
        case CameraCase::MapEnd:
            break;
    }
    return RoundHalfEven(a.player - static_cast<double>((a.mapTiles - a.screenTiles) * a.tileSize));
}

// First index in [from, count] for which `test` holds; `test` must be false
// up to some index and true from there on.
template <typename Test>
int32_t FirstWhere(int32_t from, int32_t count, Test test) {
    int32_t low = from;
    int32_t high = count;
    while (low < high) {
        const int32_t mid = low + (high - low) / 2;
        if (test(mid)) {
            high = mid;
        } else {
            low = mid + 1;
        }
    }
    return low;
}

// The cells of one axis whose tile, drawn at its camera position with a
// sprite up to `spriteExtent` pixels long, can reach [0, screenExtent). The
// camera position grows with the cell index, so the ends are found by
// bisection.
IndexRange VisibleAlong(const Axis& axis, int32_t count, int32_t spriteExtent,
                        int32_t screenExtent) {
    if (count <= 0) {
        return {};
    }
    if (axis.tileSize <= 0) {
        return {0, count};
    }
    auto screenPos = [&axis](int32_t cell) {
        return int64_t{ToScreen(axis, ClampToInt32(int64_t{cell} * axis.tileSize))};
    };
    const int32_t first =
        FirstWhere(0, count, [&](int32_t c) { return screenPos(c) + spriteExtent > 0; });
    const int32_t last =
        FirstWhere(first, count, [&](int32_t c) { return screenPos(c) >= screenExtent; });
    return {first, last};
}

}  // namespace

int32_t ScreenX(const Game& game, int32_t mapX) {
    return ToScreen(Horizontal(game), mapX);
}
int32_t ScreenY(const Game& game, int32_t mapY) {
    return ToScreen(Vertical(game), mapY);
}
int32_t PlayerScreenX(const Game& game) {
    return PlayerToScreen(Horizontal(game));
}
int32_t PlayerScreenY(const Game& game) {
    return PlayerToScreen(Vertical(game));
}

VisibleCells FindVisibleCells(const Game& game, int32_t spriteWidth, int32_t spriteHeight) {
    const GameSettings& s = game.settings;
    const int32_t screenHeight = ClampToInt32(int64_t{s.ScreenPixelHeight} +
                                              (s.StatusBarHeight > 0 ? s.StatusBarHeight : 0));
    return {VisibleAlong(Horizontal(game), MapColumns(game), spriteWidth, s.ScreenPixelWidth),
            VisibleAlong(Vertical(game), MapRows(game), spriteHeight, screenHeight)};
}

}  // namespace vorn

// The rectangles of actors, tiles and the player's centre probe that the
// play steps test against each other with Overlaps. Inline: the collision
// test builds them for every monster of every candidate move.
#pragma once

#include <cstdint>

#include "common/TextPrimitives.h"
#include "game/world/Game.h"
#include "game/world/Rect.h"

namespace vorn {

// Side of the square probe at the player's centre that warps, script tiles
// and pick-up test against.
constexpr int32_t kProbeSize = 3;

// The `who` of IsBlocked for the player; monsters are their IDs.
constexpr int32_t kPlayerMover = -1;

// The probe: its top-left pixel is the player's centre less one, rounded
// halves to even.
inline Rect CentreProbe(const Game& game) {
    return {RoundHalfEven(double{game.player.X} + game.settings.PlayerWidth / 2.0 - 1.0),
            RoundHalfEven(double{game.player.Y} + game.settings.PlayerHeight / 2.0 - 1.0),
            kProbeSize, kProbeSize};
}

// Sprite frames at the rounded positions.
inline Rect PlayerFrame(const Game& game) {
    return {RoundHalfEven(game.player.X), RoundHalfEven(game.player.Y), game.settings.PlayerWidth,
            game.settings.PlayerHeight};
}

inline Rect MonsterFrame(const Monster& monster) {
    return {RoundHalfEven(monster.X), RoundHalfEven(monster.Y), monster.Type.FrameWidth,
            monster.Type.FrameHeight};
}

// Clip boxes as RefreshClipBoxes last placed them.
inline Rect PlayerClipBox(const Game& game) {
    return {game.player.ClipLeft, game.player.ClipTop, game.settings.PlayerClipX,
            game.settings.PlayerClipY};
}

inline Rect MonsterClipBox(const Monster& monster) {
    return {monster.ClipLeft, monster.ClipTop, monster.Type.ClipWidth, monster.Type.ClipHeight};
}

// Tile (column, row) of the map.
inline Rect TileRect(const GameSettings& settings, int64_t column, int64_t row) {
    return {column * settings.TileWidth, row * settings.TileHeight, settings.TileWidth,
            settings.TileHeight};
}

}  // namespace vorn

// Actor, tile and probe rectangles. Float positions become pixels by rounding
// halves to even.
#include "game/play/ActorBoxes.h"

#include "common/TextPrimitives.h"

namespace vorn {

Rect CentreProbe(const Game& game) {
    return {RoundHalfEven(double{game.player.X} + game.settings.PlayerWidth / 2.0 - 1.0),
            RoundHalfEven(double{game.player.Y} + game.settings.PlayerHeight / 2.0 - 1.0),
            kProbeSize, kProbeSize};
}

Rect PlayerFrame(const Game& game) {
    return {RoundHalfEven(game.player.X), RoundHalfEven(game.player.Y), game.settings.PlayerWidth,
            game.settings.PlayerHeight};
}

Rect MonsterFrame(const Monster& monster) {
    return {RoundHalfEven(monster.X), RoundHalfEven(monster.Y), monster.Type.FrameWidth,
            monster.Type.FrameHeight};
}

Rect PlayerClipBox(const Game& game) {
    return {game.player.ClipLeft, game.player.ClipTop, game.settings.PlayerClipX,
            game.settings.PlayerClipY};
}

Rect MonsterClipBox(const Monster& monster) {
    return {monster.ClipLeft, monster.ClipTop, monster.Type.ClipWidth, monster.Type.ClipHeight};
}

Rect TileRect(const GameSettings& settings, int64_t column, int64_t row) {
    return {column * settings.TileWidth, row * settings.TileHeight, settings.TileWidth,
            settings.TileHeight};
}

}  // namespace vorn

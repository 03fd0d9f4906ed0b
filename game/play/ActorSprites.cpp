// Frames of sprite sheets and the death mark over a dying monster.
#include "game/play/ActorSprites.h"

#include <algorithm>

#include "common/TextPrimitives.h"
#include "game/play/CellRange.h"
#include "game/play/Render.h"

namespace vorn {

bool ClipSheetFrame(MediaLayer& media, SpriteHandle sprite, int64_t column, int64_t row,
                    int32_t frameWidth, int32_t frameHeight) {
    if (!sprite || frameWidth <= 0 || frameHeight <= 0 || column < 0 || row < 0) {
        return false;
    }
    const int64_t sheetWidth = media.SpriteWidth(sprite);
    const int64_t sheetHeight = media.SpriteHeight(sprite);
    const int64_t x = column * frameWidth;
    const int64_t y = row * frameHeight;
    if (x >= sheetWidth || y >= sheetHeight) {
        return false;
    }
    const int64_t width = std::min<int64_t>(frameWidth, sheetWidth - x);
    const int64_t height = std::min<int64_t>(frameHeight, sheetHeight - y);
    media.ClipSprite(sprite, static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                     static_cast<int>(height));
    return true;
}

void DrawDeathMark(Game& game, const Monster& monster) {
    MediaLayer& media = game.media;
    const SpriteHandle sprite = game.settings.DeathSprite;
    const int64_t roomX = int64_t{monster.Type.FrameWidth} - media.SpriteWidth(sprite);
    const int64_t roomY = int64_t{monster.Type.FrameHeight} - media.SpriteHeight(sprite);
    const int offsetX =
        roomX >= 0 ? media.RandomInt(static_cast<int>(std::min<int64_t>(roomX, INT32_MAX))) : 0;
    const int offsetY =
        roomY >= 0 ? media.RandomInt(static_cast<int>(std::min<int64_t>(roomY, INT32_MAX))) : 0;
    const int32_t x = RoundHalfEven(double{monster.X} + offsetX);
    const int32_t y = RoundHalfEven(double{monster.Y} + offsetY);
    media.DrawSpriteTransparent(sprite, ScreenX(game, x), ScreenY(game, y));
}

}  // namespace vorn

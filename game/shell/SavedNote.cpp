#include "game/shell/SavedNote.h"

namespace vorn {

namespace {

constexpr const char* kNoteText = "Game saved.";
constexpr int32_t kNoteShownMs = 2000;
// The note is written in the media layer's default font, a line of this
// many pixels, on a dark box this much larger on each side.
constexpr int kDefaultLineHeight = 16;
constexpr int kBoxMarginX = 8;
constexpr int kBoxMarginY = 4;
// Its box's bottom stands this far above the bottom of the map view.
constexpr int kBottomGap = 12;
constexpr Colour kNoteColour{255, 255, 255};
constexpr Colour kBoxColour{24, 24, 24};

}  // namespace

void DrawSavedNote(Game& game) {
    const int64_t shownFor = int64_t{game.clock.FrameTime} - game.savedNoteTime;
    if (game.savedNoteTime == 0 || shownFor < 0 || shownFor >= kNoteShownMs) {
        return;
    }
    MediaLayer& media = game.media;
    media.BeginText();
    const int width = media.MeasureText(kNoteText);
    const int x = (game.settings.ScreenPixelWidth - width) / 2;
    const int y = game.settings.ScreenPixelHeight - kBottomGap - kBoxMarginY - kDefaultLineHeight;
    media.FillBox(x - kBoxMarginX, y - kBoxMarginY, width + 2 * kBoxMarginX,
                  kDefaultLineHeight + 2 * kBoxMarginY,
                  PackColour(kBoxColour.r, kBoxColour.g, kBoxColour.b));
    media.SetTextBackgroundMode(TextBackground::Transparent);
    media.SetTextColour(kNoteColour);
    media.MoveTextCursor(x, y);
    media.DrawTextAtCursor(kNoteText);
    media.EndText();
}

}  // namespace vorn

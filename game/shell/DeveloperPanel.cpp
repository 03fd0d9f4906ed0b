// Drawing the developer panels: the translucent box, then the lines fitted
// to its width.
#include "game/shell/DeveloperPanel.h"

#include <algorithm>

namespace vorn {

namespace {

constexpr const char* kPanelFace = "DejaVu Sans Mono";
// Pixel height of a line: small enough for 30 lines on a 480-pixel screen.
constexpr int kPanelFontSize = 14;
constexpr Colour kPanelBack{12, 14, 22};
// Dark enough to read on a bright meadow, light enough to see the game.
constexpr int kPanelAlpha = 200;
constexpr int kPadding = 6;

void SelectPanelFont(MediaLayer& media) {
    media.BeginText();
    if (media.IsFontLoaded(kPanelFontSlot))
        media.SelectFont(kPanelFontSlot);
    media.SetTextBackgroundMode(TextBackground::Transparent);
}

}  // namespace

bool LoadPanelFont(MediaLayer& media) {
    return media.IsFontLoaded(kPanelFontSlot) ||
           media.LoadFontSlot(kPanelFontSlot, kPanelFace, kPanelFontSize, false);
}

int PanelLineHeight(MediaLayer& media) {
    SelectPanelFont(media);
    return std::max(1, media.TextLineHeight());
}

int PanelColumns(MediaLayer& media, int width) {
    SelectPanelFont(media);
    const int charWidth = std::max(1, media.MeasureText("M"));
    return std::max(0, (width - 2 * kPadding) / charWidth);
}

namespace {

// `text` in pieces of at most `columns` characters, broken at the last blank
// that fits (the blank is dropped) so that words and paths stay whole; a
// word longer than a line is cut where the line ends.
std::vector<std::string> WrapAtBlanks(const std::string& text, size_t columns) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (text.size() - start > columns) {
        size_t end = start + columns;
        const size_t blank = text.rfind(' ', end);
        if (blank != std::string::npos && blank > start) {
            pieces.push_back(text.substr(start, blank - start));
            start = blank + 1;
        } else {
            pieces.push_back(text.substr(start, columns));
            start = end;
        }
    }
    pieces.push_back(text.substr(start));
    return pieces;
}

// The lines as they fit the panel: long ones cut or wrapped.
std::vector<PanelLine> FitLines(const std::vector<PanelLine>& lines, size_t columns) {
    std::vector<PanelLine> fitted;
    for (const PanelLine& line : lines) {
        if (line.text.size() <= columns || columns == 0) {
            fitted.push_back(line);
        } else if (!line.wrap) {
            fitted.push_back(line);
            fitted.back().text = line.text.substr(0, columns >= 3 ? columns - 3 : 0) + "...";
        } else {
            for (const std::string& piece : WrapAtBlanks(line.text, columns))
                fitted.push_back({piece, line.colour, false});
        }
    }
    return fitted;
}

}  // namespace

int DrawPanel(MediaLayer& media, int x, int y, int width, int maxHeight,
              const std::vector<PanelLine>& lines, PanelHeight panelHeight) {
    const int lineHeight = PanelLineHeight(media);
    const std::vector<PanelLine> fitted =
        FitLines(lines, static_cast<size_t>(PanelColumns(media, width)));
    const int fitting = std::max(0, (maxHeight - 2 * kPadding) / lineHeight);
    const int shown = std::min(static_cast<int>(fitted.size()), fitting);
    const int height =
        panelHeight == PanelHeight::Full ? maxHeight : 2 * kPadding + shown * lineHeight;
    media.BlendBox(x, y, width, height, kPanelBack, kPanelAlpha);
    SelectPanelFont(media);
    for (int i = 0; i < shown; ++i) {
        const PanelLine& line = fitted[static_cast<size_t>(i)];
        media.SetTextColour(line.colour);
        media.MoveTextCursor(x + kPadding, y + kPadding + i * lineHeight);
        media.DrawTextAtCursor(line.text);
    }
    media.EndText();
    return height;
}

}  // namespace vorn

// The look of the developer mode: lines of monospaced text on a dark
// translucent panel, drawn over the finished frame through the media layer.
#pragma once

#include <string>
#include <vector>

#include "game/media/MediaLayer.h"

namespace vorn {

// The font slot the panels draw with; the game's own texts use 0 and 1.
constexpr int kPanelFontSlot = 15;

struct PanelLine {
    std::string text;
    Colour colour{220, 224, 230};
    // Continued on the next lines when longer than the panel (else cut
    // with "...").
    bool wrap = false;
};

namespace panel_colours {
constexpr Colour kText{220, 224, 230};
constexpr Colour kHeading{255, 214, 110};
constexpr Colour kDim{150, 158, 170};
constexpr Colour kError{255, 130, 120};
constexpr Colour kGood{150, 230, 150};
}  // namespace panel_colours

// Loads the panel font (a monospaced face) once; false when no font at all
// could be had (panels then draw with the default font).
bool LoadPanelFont(MediaLayer& media);

// How tall a panel is: as tall as its lines, or all the height it is given.
enum class PanelHeight { Lines, Full };

// The panel at (x, y), `width` pixels wide and at most `maxHeight` tall
// (lines that do not fit are left out). Returns the height drawn.
int DrawPanel(MediaLayer& media, int x, int y, int width, int maxHeight,
              const std::vector<PanelLine>& lines, PanelHeight height = PanelHeight::Lines);

// How many characters of the panel font fit into `width` pixels.
int PanelColumns(MediaLayer& media, int width);
// The height of one line of the panel font.
int PanelLineHeight(MediaLayer& media);

}  // namespace vorn

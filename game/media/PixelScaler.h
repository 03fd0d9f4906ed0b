// Nearest-neighbour enlargement of the software screen into a window's
// pixels, for the SDL layer's window surface: where the picture goes under a
// scaling rule, and the copy itself.
#pragma once

#include <cstdint>

#include "game/media/DisplayOptions.h"

namespace vorn {

struct PictureRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Where a screen of the given size is shown in a window of the given size:
// centred, at the size the rule gives; empty when either size is empty.
PictureRect PlacePicture(ScalingRule rule, int screenWidth, int screenHeight, int windowWidth,
                         int windowHeight);

// Draws the screen (0xXXRRGGBB words, `screenWidth` per row) into `picture`
// of the target, each target pixel taking the screen pixel under its centre.
// `target` is the target's first pixel and `targetPitch` its row length in
// bytes; the rectangle must lie inside the target.
void ScalePixels(const uint32_t* screen, int screenWidth, int screenHeight, uint32_t* target,
                 int targetPitch, const PictureRect& picture);

}  // namespace vorn

// How the player wants the game's window: the player's own preferences, never
// part of a mod, applied by the SDL layer around the software screen (the
// screen keeps the mod's size whatever the window does).
#pragma once

namespace vorn {

// How the screen is enlarged into a window of another size; both draw it
// nearest-neighbour, centred, with black bars around.
enum class ScalingRule {
    // The largest whole multiple that fits, so every pixel stays square and
    // sharp; a window smaller than the screen falls back to Fit.
    Integer,
    // The largest size that keeps the screen's aspect.
    Fit,
};

struct DisplayOptions {
    bool fullscreen = false;  // start in desktop fullscreen
    ScalingRule scaling = ScalingRule::Integer;
    // 0 or 1: the window opens at the mod's size; 2, 3 ...: at that multiple
    // (or the largest one the desktop holds).
    int windowScale = 0;
};

}  // namespace vorn

// Building blocks for gameplay tests: a game on the headless media layer whose
// mod folder is a temporary folder the test writes files into.
#pragma once

#include <string>

#include "game/media/HeadlessMedia.h"
#include "game/world/Game.h"
#include "tests/support/TempFolder.h"

namespace vorn::test {

// A game whose mod folder is a TempFolder, on a HeadlessMedia whose start-up
// operations have been called, with the script engine sized as the game
// sizes it (50 slots of 500 lines). Settings are left for the test to fill.
struct TestGame {
    TestGame();
    TempFolder folder;
    HeadlessMedia media;
    Game game{media};
};

// Writes a small PNG of `width` x `height` filled with 0xRRGGBB `colour`.
std::string MakePng(int width, int height, uint32_t colour);
// A PCM WAVE file of `samples` silent 8-bit mono samples.
std::string MakeWav(int samples);

}  // namespace vorn::test

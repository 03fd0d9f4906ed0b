#include "tests/game/support/TestGame.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "common/PngEncoder.h"
#include "tests/game/media/MediaTestFiles.h"

namespace vorn::test {

TestGame::TestGame() {
    media.InitGraphics();
    media.InitAudio();
    media.InitKeyboard();
    media.EnablePngDecoding();
    game.script.InitScriptEngine(kScriptSlotCount, kScriptLinesPerSlot);
    game.ModFolder = folder.Path();
}

std::string MakePng(int width, int height, uint32_t colour) {
    if (width <= 0 || height <= 0) {
        return {};
    }
    const std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, colour);
    return EncodeRgbPng(width, height, pixels.data());
}

std::string MakeWav(int samples) {
    return mediatest::Wav8(samples);
}

}  // namespace vorn::test

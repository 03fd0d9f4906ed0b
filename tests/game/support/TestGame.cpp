#include "tests/game/support/TestGame.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "common/PngEncoder.h"

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
    auto le32 = [](uint32_t v) {
        std::string s(4, '\0');
        for (int i = 0; i < 4; ++i)
            s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    };
    auto le16 = [](uint16_t v) {
        return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    };
    const uint32_t dataSize = static_cast<uint32_t>(samples);
    std::string wav = "RIFF" + le32(36 + dataSize) + "WAVE";
    wav += "fmt " + le32(16) + le16(1) + le16(1) + le32(22050) + le32(22050) + le16(1) + le16(8);
    wav += "data" + le32(dataSize) + std::string(dataSize, static_cast<char>(0x80));
    return wav;
}

}  // namespace vorn::test

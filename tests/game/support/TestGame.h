// Building blocks for gameplay tests: a temporary mod folder the test writes
// files into, and a game on the headless media layer.
#pragma once

#include <string>

#include "game/media/HeadlessMedia.h"
#include "game/world/Game.h"

namespace vorn::test {

// A fresh folder under the system's temporary directory, removed with its
// contents when the object goes away.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Writes `bytes` to Path() + "/" + relativePath, creating folders.
    void Write(const std::string& relativePath, const std::string& bytes) const;
    std::string Read(const std::string& relativePath) const;
    bool Exists(const std::string& relativePath) const;

private:
    std::string path_;
};

// A game whose mod folder is a TempDir, on a HeadlessMedia whose start-up
// operations have been called, with the script engine sized as the game
// sizes it (50 slots of 500 lines). Settings are left for the test to fill.
struct TestGame {
    TestGame();
    TempDir folder;
    HeadlessMedia media;
    Game game{media};
};

// Writes a small PNG of `width` x `height` filled with 0xRRGGBB `colour`.
std::string MakePng(int width, int height, uint32_t colour);
// A PCM WAVE file of `samples` silent 8-bit mono samples.
std::string MakeWav(int samples);

}  // namespace vorn::test

// Screenshots into the mod's screenshots folder, numbered from 0001.
#include "game/shell/Screenshot.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "game/media/ScreenPng.h"
#include "game/media/SoftwareScreen.h"

namespace vorn {

namespace {

// Four digits as the names promise; a folder of ten thousand shots is full.
constexpr int kMaxScreenshots = 9999;

}  // namespace

std::string SaveScreenshot(const Game& game, std::string& error) {
    namespace fs = std::filesystem;
    const std::string folder = game.ModFolder + "/screenshots";
    std::error_code failure;
    fs::create_directories(folder, failure);
    const SoftwareScreen& screen = game.media.Screen();
    if (!screen.IsOpen()) {
        error = folder + ": error: there is no screen to take a picture of";
        return {};
    }
    for (int number = 1; number <= kMaxScreenshots; ++number) {
        char name[16];
        std::snprintf(name, sizeof name, "/%04d.png", number);
        const std::string path = folder + name;
        if (fs::exists(path, failure))
            continue;
        if (!WriteScreenPng(path, screen.Pixels(), screen.Width(), screen.Height())) {
            error = path + ": error: the picture could not be written";
            return {};
        }
        return path;
    }
    error = folder + ": error: the folder holds " + std::to_string(kMaxScreenshots) +
            " screenshots already; move some away";
    return {};
}

}  // namespace vorn

// Scratch folders, input splitting and a headless game for the fuzz targets.
#include "fuzz/mod/FuzzSupport.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "game/shell/GameShell.h"

namespace vorn::fuzz {

namespace {

namespace fs = std::filesystem;

// Lines a single fuzz input may make the scripts run; the bundled scripts need
// a few hundred per frame.
constexpr uint64_t kLineBudget = 200000;

// Removes every scratch folder when the process ends normally.
struct ScratchFolders {
    std::map<std::string, std::string> byTag;
    ~ScratchFolders() {
        for (const auto& [tag, path] : byTag) {
            std::error_code ignored;
            fs::remove_all(path, ignored);
        }
    }
};

}  // namespace

const std::string& ScratchFolder(const std::string& tag) {
    static ScratchFolders folders;
    auto found = folders.byTag.find(tag);
    if (found != folders.byTag.end())
        return found->second;
    std::string pattern = (fs::temp_directory_path() / ("vorn-fuzz-" + tag + "-XXXXXX")).string();
    const char* made = mkdtemp(pattern.data());
    if (made == nullptr)
        abort();
    return folders.byTag.emplace(tag, made).first->second;
}

void WriteBytes(const std::string& path, std::string_view bytes) {
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string_view> SplitInput(std::string_view input, size_t count) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    while (pieces.size() + 1 < count) {
        const size_t end = input.find("|||", start);
        if (end == std::string_view::npos)
            break;
        pieces.push_back(input.substr(start, end - start));
        start = end + 3;
    }
    pieces.push_back(input.substr(std::min(start, input.size())));
    pieces.resize(count);
    return pieces;
}

const std::string& BundledModCopy() {
    static const std::string folder = [] {
        const std::string path = ScratchFolder("mod") + "/vorn3";
        fs::copy(fs::path(VORN_SOURCE_DIR) / "vorn3", path, fs::copy_options::recursive);
        std::error_code ignored;
        fs::remove_all(path + "/saves", ignored);
        return path;
    }();
    return folder;
}

HeadlessGame::HeadlessGame(const std::string& modFolder) {
    // The program takes the mod folder relative to the working directory.
    const std::string relative = fs::relative(modFolder).string();
    const char* argv[] = {"game", relative.c_str()};
    started = StartUp(game, 2, argv);
    game.script.SetLineBudget(kLineBudget);
}

void LeaveTitleScreen(HeadlessGame& run, bool loadSave) {
    if (!run.started)
        return;
    const int key = loadSave ? keys::L : keys::Space;
    run.media.SetKeyDown(key, true);
    RunTitleScreen(run.game);
    run.media.SetKeyDown(key, false);
}

void RunFrames(HeadlessGame& run, int frames, std::string_view keyBytes) {
    static constexpr int kKeys[] = {keys::Up,       keys::Down,   keys::Left, keys::Right,
                                    keys::LeftCtrl, keys::Return, keys::S,    keys::Tab};
    if (!run.started)
        return;
    for (int frame = 0; frame < frames && !run.game.ended; ++frame) {
        const uint8_t bits =
            keyBytes.empty() ? 0 : static_cast<uint8_t>(keyBytes[frame % keyBytes.size()]);
        for (int k = 0; k < 8; ++k)
            run.media.SetKeyDown(kKeys[k], (bits >> k) & 1);
        RunFrame(run.game);
        run.media.AdvanceTimeMs(8);
    }
}

}  // namespace vorn::fuzz

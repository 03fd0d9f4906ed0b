// Feeds untrusted bytes to every reader of a mod's map and save files. The
// input is cut at each "|||" into, in order: the map's .ini, .gtl, .btl, .ftl,
// .atl, .ani, .obl, .wpl, its enter script, and save0.ini, .sol and .sst.
// The map is loaded and animated, the saved game (as given) loaded, and the
// result saved into slot 1; none of it may crash, read out of bounds or hang.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "game/media/HeadlessMedia.h"
#include "game/play/MapEntry.h"
#include "game/world/Animations.h"
#include "game/world/Assets.h"
#include "game/world/Game.h"
#include "game/world/MapFiles.h"
#include "game/world/SavedGames.h"

namespace {

namespace fs = std::filesystem;

const char* const kParts[] = {
    "maps/m.ini",      "maps/m.gtl",      "maps/m.btl",      "maps/m.ftl",
    "maps/m.atl",      "maps/m.ani",      "maps/m.obl",      "maps/m.wpl",
    "maps/m_enter.ds", "saves/save0.ini", "saves/save0.sol", "saves/save0.sst",
};

void WriteFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The mod folder shared by all runs: monster and animation definitions stay,
// the input's files are rewritten each run.
const std::string& ModFolder() {
    static const std::string folder = [] {
        char pattern[] = "/tmp/vorn-fuzz-world-XXXXXX";
        const std::string path = mkdtemp(pattern);
        fs::create_directories(path + "/maps");
        fs::create_directories(path + "/saves");
        WriteFile(path + "/monsters.ini", "Slime,,,,,1,5,40,32,32,20,20,4,3,0\r\nBat\r\n");
        WriteFile(path + "/animations.ini", "\r\ntorch,torch.png,4,16,8,2\r\nfast,f.png,2,8,1e9,1");
        return path;
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& folder = ModFolder();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> pieces;
    for (size_t start = 0; pieces.size() < std::size(kParts);) {
        const size_t end = input.find("|||", start);
        if (end == std::string_view::npos) {
            pieces.push_back(input.substr(start));
            break;
        }
        pieces.push_back(input.substr(start, end - start));
        start = end + 3;
    }
    pieces.resize(std::size(kParts));
    for (size_t i = 0; i < pieces.size(); ++i)
        WriteFile(folder + "/" + kParts[i], pieces[i]);

    vorn::HeadlessMedia media;
    media.InitGraphics();
    media.InitAudio();
    vorn::Game game(media);
    game.script.InitScriptEngine(vorn::kScriptSlotCount, vorn::kScriptLinesPerSlot);
    game.script.SetLineBudget(20000);
    game.ModFolder = folder;
    game.settings.MapWidth = 8;
    game.settings.MapHeight = 6;
    game.settings.TileWidth = 32;
    game.settings.TileHeight = 32;
    game.settings.DebugMode = 1;
    vorn::LoadMonsterTypes(game);
    vorn::LoadAnimationDefinitions(game);
    vorn::CreateMapGrid(game);

    vorn::EnterMap(game, "m");
    for (int32_t now = 0; now < 3000 && !game.ended; now += 500)
        vorn::AdvanceAnimations(game, now);
    if (game.ended)
        return 0;
    vorn::LoadGame(game, 0);
    if (game.ended)
        return 0;
    vorn::SaveGame(game, 1);
    return 0;
}

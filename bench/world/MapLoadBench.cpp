// How long LoadMap takes for a 256 x 256 map with all seven layer files, on
// the headless media layer (pictures and sounds are decoded for real).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/GeneratedFiles.h"
#include "game/media/HeadlessMedia.h"
#include "game/play/MapEntry.h"
#include "game/world/Assets.h"
#include "game/world/Game.h"
#include "game/world/MapFiles.h"

namespace {

namespace fs = std::filesystem;
constexpr int kSize = 256;
constexpr int kTileKinds = 24;

using vorn::bench::WriteFile;

std::string SolidPng(int side, unsigned char shade) {
    return vorn::bench::SolidPng(side, side, shade);
}

// A layer whose names vary from cell to cell, as real maps do.
std::string Layer(const std::string& prefix, int salt) {
    return vorn::bench::VariedLayer(kSize, kTileKinds, prefix, salt);
}

std::string Attributes() {
    std::string text;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (x > 0)
                text += ' ';
            const int n = x + y * kSize;
            if (n % 1300 == 7) {
                text += "1";  // about 50 monsters
            } else if (n % 6500 == 11) {
                text += "S";  // about 10 script tiles
            } else if (n % 5 == 0) {
                text += "X";
            } else {
                text += ".";
            }
        }
        text += "\r\n";
    }
    return text;
}

struct World {
    World() : game(media) {
        char pattern[] = "/tmp/vorn-bench-XXXXXX";
        folder = mkdtemp(pattern);
        const fs::path root(folder);
        for (int i = 0; i < kTileKinds; ++i) {
            WriteFile(root / "tiles" / ("t" + std::to_string(i) + ".png"), SolidPng(32, i * 10));
        }
        WriteFile(root / "sprites/slime.png", SolidPng(32, 200));
        WriteFile(root / "objects/gem.png", SolidPng(16, 100));
        WriteFile(root / "monsters.ini", "Slime,slime.png,,,,1,5,40,32,32,20,20,4,3,0\r\n");
        WriteFile(root / "animations.ini", "torch,torch.png,4,16,8,2\r\n");
        WriteFile(root / "maps/big.ini", "[Properties]\r\nTitle=Big\r\nMusic=theme.wav\r\n");
        WriteFile(root / "maps/big.gtl", Layer("t", 0));
        WriteFile(root / "maps/big.btl", Layer("t", 5));
        WriteFile(root / "maps/big.ftl", Layer("t", 9) + Layer("t", 17));
        WriteFile(root / "maps/big.atl", Attributes());
        std::string animations, objects, warps;
        for (int i = 0; i < 40; ++i) {
            animations += "torch," + std::to_string(i * 32) + ",64,0\r\n";
            objects +=
                "Gem" + std::to_string(i) + ",gem.png," + std::to_string(i) + ",3,0,0,0,1\r\n";
            warps += std::to_string(i) + ",0,big,1,1\r\n";
        }
        WriteFile(root / "maps/big.ani", animations);
        WriteFile(root / "maps/big.obl", objects);
        WriteFile(root / "maps/big.wpl", warps);

        media.InitGraphics();
        media.InitAudio();
        media.InitKeyboard();
        media.EnablePngDecoding();
        game.script.InitScriptEngine(vorn::kScriptSlotCount, vorn::kScriptLinesPerSlot);
        game.ModFolder = folder;
        game.settings.MapWidth = kSize;
        game.settings.MapHeight = kSize;
        game.settings.TileWidth = 32;
        game.settings.TileHeight = 32;
        vorn::LoadTileImages(game);
        vorn::LoadMonsterTypes(game);
        vorn::CreateMapGrid(game);
    }
    ~World() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    std::string folder;
    vorn::HeadlessMedia media;
    vorn::Game game;
};

void BM_LoadMap256(benchmark::State& state) {
    World world;
    for (auto _ : state) {
        vorn::EnterMap(world.game, "big");
        if (world.game.ended) {
            state.SkipWithError("map load failed");
            break;
        }
    }
    state.counters["monsters"] = static_cast<double>(world.game.map->monsters.size());
}
BENCHMARK(BM_LoadMap256)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();

// How long modcheck takes on a large mod it generates: 20 maps of 256 x 256
// with all seven layer and list files, joined by exits and warps, and 200
// scripts (the enter, tick and leave script of each map and seven script
// tiles each). Run from any folder; the mod goes to a temporary folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/support/GeneratedFiles.h"
#include "tools/modcheck/ModCheck.h"

namespace {

namespace fs = std::filesystem;
constexpr int kSize = 256;
constexpr int kMaps = 20;
constexpr int kTileKinds = 24;
constexpr int kScriptTiles = 7;

using vorn::bench::SolidPng;
using vorn::bench::WriteFile;

// A little RIFF WAVE file of 8-bit mono silence.
std::string Wav() {
    std::string data(64, '\x80');
    auto le = [](uint32_t value, int bytes) {
        std::string text;
        for (int i = 0; i < bytes; ++i)
            text += static_cast<char>((value >> (8 * i)) & 0xFF);
        return text;
    };
    return "RIFF" + le(36 + static_cast<uint32_t>(data.size()), 4) + "WAVEfmt " + le(16, 4) +
           le(1, 2) + le(1, 2) + le(11025, 4) + le(11025, 4) + le(1, 2) + le(8, 2) + "data" +
           le(static_cast<uint32_t>(data.size()), 4) + data;
}

// A layer whose names vary from cell to cell, as real maps do.
std::string Layer(int salt) {
    return vorn::bench::VariedLayer(kSize, kTileKinds, "t", salt);
}

// Walls along every fifth column's middle, a monster now and then, the
// script tiles on row 10 and the warp on (200, 200).
std::string Attributes() {
    std::string text;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            if (x > 0)
                text += ' ';
            if (y == 10 && x >= 20 && x < 20 + kScriptTiles)
                text += "S";
            else if (x == 200 && y == 200)
                text += "W";
            else if ((x * 31 + y * 17) % 1300 == 7)
                text += "1";
            else if (x % 5 == 0 && y > 30 && y < 220 && y % 40 != 0)
                text += "X";
            else
                text += ".";
        }
        text += "\r\n";
    }
    return text;
}

// A script of some thirty lines: blocks, loops, calls and a library.
std::string Script(int seed) {
    const std::string n = std::to_string(seed);
    return "; script " + n +
           "\r\n"
           "INCLUDEFILE ./big/lib/common.ds\r\n"
           "COUNT" +
           n + " = COUNT" + n +
           " + 1\r\n"
           "IF GetPlayerHealth() <= 2\r\n"
           "    SetStatusText('You feel weak.')\r\n"
           "ELSEIF GetPlayerHealth() >= 8\r\n"
           "    SetStatusText('You feel strong!')\r\n"
           "ELSE\r\n"
           "    SetStatusText('You feel fine.')\r\n"
           "ENDIF\r\n"
           "I = 0\r\n"
           "WHILE I < 3\r\n"
           "    I = I + 1\r\n"
           "    X = Abs(Mod(I * 7, 4)) + Len('a' + 'b')\r\n"
           "WEND\r\n"
           "IF GetTime() - SAYTIME > 2500\r\n"
           "    SAYTIME = GetTime()\r\n"
           "    AddScreenText('Hello ' + COUNT" +
           n +
           ", 16, 396, 4000, GetTime(), 1)\r\n"
           "ENDIF\r\n"
           "NEAR = GetNearestMonster()\r\n"
           "IF NEAR >= 0\r\n"
           "    DX = Abs(GetMonsterX(NEAR) - GetPlayerX())\r\n"
           "    IF DX < 64\r\n"
           "        SetMonsterFoundPlayer(NEAR, 1)\r\n"
           "    ENDIF\r\n"
           "ENDIF\r\n"
           "GOTO done\r\n"
           "SetStatusText('never shown')\r\n"
           "LABEL done\r\n";
}

const char* const kSettings =
    "[Settings]\r\nGameTitle=Big\r\nMapWidth=256\r\nAIChangeFrequency=1000\r\n"
    "AIVisionWidth=64\r\nAIVisionLength=128\r\nDebugMode=0\r\nMapHeight=256\r\n"
    "ScreenHeight=15\r\nScreenWidth=20\r\nTileWidth=32\r\nTileHeight=32\r\nLengthOfDay=60\r\n"
    "PlayerWidth=32\r\nPlayerHeight=32\r\nPlayerClipX=16\r\nPlayerClipY=10\r\nStartMap=map0\r\n"
    "StartX=2\r\nStartY=2\r\nStartHealth=6\r\nStartDamage=1\r\nPlayerSprite=hero.png\r\n"
    "PlayerAttackSound=swing.wav\r\nPlayerMoveSound=\r\nPlayerDeathSound=\r\nPlayerHitSound=\r\n"
    "WarpSound=swing.wav\r\nMoveFrameCount=2\r\nAttackFrameCount=2\r\nPlayerAttackDelay=200\r\n"
    "MonsterAttackDelay=900\r\nAnimationSpeed=110\r\nPlayerStartSpeed=100\r\n"
    "MapTextSpeed=25\r\nFontSize=16\r\nStatusFontSize=14\r\nStatusTextOffset=7\r\n"
    "StatusBarHeight=32\r\nStatusHealthChar=*\r\nPlayerRecoilAmount=14\r\n"
    "PlayerRecoilSpeed=220\r\nTickMs=500\r\nFontName=DejaVu Sans\r\n"
    "StatusFontName=DejaVu Sans\r\nHeartSprite=heart.png\r\nDeathSprite=death.png\r\n"
    "NightTile=night.png\r\nTitleScreen=title.png\r\n[Colors]\r\nStatusBackRed=42\r\n"
    "StatusBackGreen=30\r\nStatusBackBlue=20\r\nStatusTextRed=240\r\nStatusTextGreen=220\r\n"
    "StatusTextBlue=170\r\nStatsBackRed=20\r\nStatsBackGreen=24\r\nStatsBackBlue=48\r\n"
    "StatsTextRed=240\r\nStatsTextGreen=240\r\nStatsTextBlue=255\r\n";

struct BigMod {
    BigMod() {
        char pattern[] = "/tmp/vorn-bench-XXXXXX";
        parent = mkdtemp(pattern);
        const fs::path root = fs::path(parent) / "big";
        WriteFile(root / "settings.ini", kSettings);
        for (int i = 0; i < kTileKinds; ++i)
            WriteFile(root / "tiles" / ("t" + std::to_string(i) + ".png"),
                      SolidPng(32, 32, i * 10));
        WriteFile(root / "sprites/hero.png", SolidPng(128, 128, 60));
        WriteFile(root / "sprites/slime.png", SolidPng(128, 128, 200));
        WriteFile(root / "sprites/title.png", SolidPng(640, 512, 30));
        WriteFile(root / "sprites/death.png", SolidPng(8, 8, 0));
        WriteFile(root / "sprites/night.png", SolidPng(32, 32, 10));
        WriteFile(root / "objects/heart.png", SolidPng(16, 16, 250));
        WriteFile(root / "objects/gem.png", SolidPng(16, 16, 100));
        WriteFile(root / "animations/torch.png", SolidPng(64, 16, 240));
        WriteFile(root / "sounds/swing.wav", Wav());
        WriteFile(root / "monsters.ini",
                  "Slime,slime.png,swing.wav,swing.wav,swing.wav,1,5,40,32,32,20,10,4,3,0\r\n");
        WriteFile(root / "animations.ini", "torch,torch.png,4,16,8,2\r\n");
        WriteFile(root / "lib/common.ds",
                  "IF READY <> 1\r\n    READY = 1\r\n    SAYTIME = 0\r\nENDIF\r\n");
        int script = 0;
        for (int m = 0; m < kMaps; ++m) {
            const std::string name = "map" + std::to_string(m);
            const std::string next = "map" + std::to_string((m + 1) % kMaps);
            const fs::path base = root / "maps" / name;
            WriteFile(base.string() + ".ini", "[Properties]\r\nTitle=" + name +
                                                  "\r\nExitRight=" + next + "\r\nExitLeft=map" +
                                                  std::to_string((m + kMaps - 1) % kMaps) +
                                                  "\r\nMusic=swing.wav\r\n");
            WriteFile(base.string() + ".gtl", Layer(m));
            WriteFile(base.string() + ".btl", Layer(m + 5));
            WriteFile(base.string() + ".ftl", Layer(m + 9) + Layer(m + 17));
            WriteFile(base.string() + ".atl", Attributes());
            std::string animations, objects;
            for (int i = 0; i < 40; ++i) {
                animations += "torch," + std::to_string(64 + i * 32) + ",64,0\r\n";
                objects += "Gem" + std::to_string(i) + ",gem.png," + std::to_string(i + 2) +
                           ",3,0,0,0,1\r\n";
            }
            WriteFile(base.string() + ".ani", animations);
            WriteFile(base.string() + ".obl", objects);
            WriteFile(base.string() + ".wpl", "200,200," + next + ",202,202\r\n");
            for (const char* event : {"_enter", "_tick", "_leave"})
                WriteFile(base.string() + event + ".ds", Script(script++));
            for (int t = 0; t < kScriptTiles; ++t) {
                WriteFile(base.string() + "_" + std::to_string(20 + t) + "_10.ds",
                          Script(script++));
            }
        }
        scripts = script;
    }
    ~BigMod() {
        std::error_code ignored;
        fs::remove_all(parent, ignored);
    }

    std::string parent;
    int scripts = 0;
};

void BM_ModCheck20Maps200Scripts(benchmark::State& state) {
    BigMod mod;
    vorn::Diagnostics diagnostics;
    for (auto _ : state) {
        diagnostics = vorn::Diagnostics();
        if (!vorn::modcheck::CheckMod(mod.parent + "/big", diagnostics)) {
            state.SkipWithError("the mod could not be read");
            break;
        }
    }
    state.counters["scripts"] = mod.scripts;
    state.counters["errors"] = diagnostics.ErrorCount();
    state.counters["warnings"] = diagnostics.WarningCount();
    for (const std::string& line : diagnostics.Messages())
        std::fprintf(stderr, "%s\n", line.c_str());
}
BENCHMARK(BM_ModCheck20Maps200Scripts)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

// Frame cost with many monsters chasing the player on a 64 x 64 map with
// walls, on the headless media layer. Each benchmark reports the median and
// the 90th percentile of single frames (counters median_us, p90_us), after a
// warm-up in which the monsters have closed in on the player. Frames are
// timed in thread CPU time, so other programs sharing the machine do not
// inflate the figures.
//
//   FullFrame/<n>:     RunFrame, every step of a frame including drawing
//                      (the headless sleep only advances the clock);
//   MonsterSteps/<n>:  the monster, hit and animation steps alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

#include "game/play/Combat.h"
#include "game/play/Monsters.h"
#include "game/play/PlayerControl.h"
#include "game/shell/GameShell.h"
#include "tests/game/support/TestGame.h"

namespace {

using namespace vorn;

constexpr int32_t kMapSize = 64;
constexpr int32_t kTile = 32;
constexpr int kWarmUpFrames = 300;

bool IsWall(int32_t column, int32_t row) {
    if (column == 0 || row == 0 || column == kMapSize - 1 || row == kMapSize - 1)
        return true;
    // Horizontal walls every eight rows with a door every twelve columns,
    // and short pillars between them.
    if (row % 8 == 0 && column % 12 >= 3)
        return true;
    return row % 8 == 4 && column % 10 == 5;
}

std::unique_ptr<test::TestGame> MakeWorld(int monsterCount) {
    auto world = std::make_unique<test::TestGame>();
    test::TestGame& t = *world;
    Game& game = t.game;
    GameSettings& s = game.settings;
    s.MapWidth = kMapSize;
    s.MapHeight = kMapSize;
    s.TileWidth = kTile;
    s.TileHeight = kTile;
    s.ScreenWidth = 20;
    s.ScreenHeight = 15;
    s.StatusBarHeight = 20;
    s.ScreenPixelWidth = s.ScreenWidth * kTile;
    s.ScreenPixelHeight = s.ScreenHeight * kTile;
    s.HalfScreenPixelWidth = s.ScreenPixelWidth / 2;
    s.HalfScreenPixelHeight = s.ScreenPixelHeight / 2;
    s.PlayerWidth = 32;
    s.PlayerHeight = 32;
    s.HalfPlayerWidth = 16;
    s.HalfPlayerHeight = 16;
    s.PlayerClipX = 20;
    s.PlayerClipY = 16;
    s.AnimationSpeed = 100;
    s.MoveFrameCount = 4;
    s.AttackFrameCount = 4;
    s.AIVisionLength = 160;
    s.AIVisionWidth = 64;
    s.AIChangeFrequency = 1000;
    s.MonsterAttackDelay = 500;
    s.PlayerAttackDelay = 300;
    s.PlayerRecoilAmount = 0;
    s.PlayerRecoilSpeed = 200;
    const int window = t.media.OpenGameWindow("bench", s.ScreenPixelWidth,
                                              s.ScreenPixelHeight + s.StatusBarHeight);
    t.media.OpenSpriteScreen(window, s.ScreenPixelWidth, s.ScreenPixelHeight + s.StatusBarHeight);
    t.folder.Write("monster.png", test::MakePng(32 * 4, 32 * 4, 0x808000));
    const SpriteHandle sprite = t.media.LoadSpriteFile(t.folder.Path() + "/monster.png");
    game.player.Sprite = t.media.LoadSpriteFile(t.folder.Path() + "/monster.png");

    game.map->grid.Allocate(kMapSize, kMapSize);
    for (int32_t row = 0; row < kMapSize; ++row) {
        for (int32_t column = 0; column < kMapSize; ++column) {
            if (IsWall(column, row))
                game.map->grid.Cell(column, row)->Attribute.assign(1, 'X');
        }
    }
    Player& player = game.player;
    player.Health = 1000000;
    player.MaxHealth = 1000000;
    player.Damage = 1;
    player.Speed = 100;
    player.X = 30 * kTile;
    player.Y = 30 * kTile + 1;

    MonsterType type;
    type.Name = "Bat";
    type.Sprite = sprite;
    type.Damage = 1;
    type.Health = 1000000;
    type.Speed = 60;
    type.FrameWidth = 32;
    type.FrameHeight = 32;
    type.ClipWidth = 20;
    type.ClipHeight = 16;
    type.DeathDuration = 10;
    game.assets.monsterTypes.push_back(type);
    t.media.SeedRandom(7);
    while (static_cast<int>(game.map->monsters.size()) < monsterCount) {
        const int32_t column = 1 + t.media.RandomInt(kMapSize - 3);
        const int32_t row = 1 + t.media.RandomInt(kMapSize - 3);
        if (IsWall(column, row))
            continue;
        SpawnMonster(game, 1, column, row);
        game.map->monsters.back().FoundPlayer = 1;
    }
    // The player keeps attacking.
    t.media.SetKeyDown(keys::LeftCtrl, true);
    game.clock.FrameTime = t.media.ElapsedMs();
    game.clock.PreviousFrameTime = game.clock.FrameTime;
    RefreshClipBoxes(game);
    for (int i = 0; i < kWarmUpFrames; ++i)
        RunFrame(game);
    return world;
}

double ThreadMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

void Report(benchmark::State& state, std::vector<double>& micros) {
    if (micros.empty())
        return;
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p90_us"] = micros[micros.size() * 9 / 10];
}

void FullFrame(benchmark::State& state) {
    auto world = MakeWorld(static_cast<int>(state.range(0)));
    Game& game = world->game;
    std::vector<double> micros;
    for (auto _ : state) {
        const double start = ThreadMicros();
        RunFrame(game);
        micros.push_back(ThreadMicros() - start);
    }
    Report(state, micros);
}

void MonsterSteps(benchmark::State& state) {
    auto world = MakeWorld(static_cast<int>(state.range(0)));
    Game& game = world->game;
    std::vector<double> micros;
    for (auto _ : state) {
        game.clock.PreviousFrameTime = game.clock.FrameTime;
        world->media.AdvanceTimeMs(16);
        game.clock.FrameTime = world->media.ElapsedMs();
        const double start = ThreadMicros();
        MonsterMoveStep(game);
        RefreshClipBoxes(game);
        MonsterDecisionStep(game);
        PlayerHitStep(game);
        AnimationStep(game);
        micros.push_back(ThreadMicros() - start);
    }
    Report(state, micros);
}

BENCHMARK(FullFrame)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMicrosecond);
BENCHMARK(MonsterSteps)->Arg(50)->Arg(200)->Arg(800)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

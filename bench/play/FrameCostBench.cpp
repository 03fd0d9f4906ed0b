// The cost of one whole frame (RunFrame: every step of the main loop,
// drawing included; the headless sleep only advances the clock) must follow
// what is on the screen and the number of actors, not the size of the map.
//
//   Frame/<map side>: 100 monsters spawned in the map's top-left 32 x 32
//   tiles around the walking player, the same walls, tiles and screen on
//   every map size. Counters median_us and p90_us are the thread CPU time of
//   single frames after a warm-up; compare Frame/256 with Frame/32.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <vector>

#include "game/play/Monsters.h"
#include "game/play/PlayerControl.h"
#include "game/shell/GameShell.h"
#include "tests/game/support/PlayFixtures.h"

namespace {

using namespace vorn;

constexpr int32_t kPopulatedSide = 32;  // the monsters live in these tiles
constexpr int kMonsters = 100;
constexpr int kWarmUpFrames = 200;
constexpr int kTurnFrames = 60;  // the player turns round this often

// The same pattern on every map: a border of walls round the populated
// area (so the monsters meet the same walls on every map size), scattered
// pillars, four kinds of ground and some tree tops.
bool IsWall(int32_t column, int32_t row) {
    if (column == 0 || row == 0) {
        return true;
    }
    if ((column == kPopulatedSide - 1 && row < kPopulatedSide) ||
        (row == kPopulatedSide - 1 && column < kPopulatedSide)) {
        return true;
    }
    return (column * 13 + row * 7) % 23 == 0;
}

// CPU time of this thread: a frame's cost without the time the shared
// machine spends on other programs.
double ThreadMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

std::unique_ptr<test::TestGame> MakeWorld(int32_t mapSide) {
    auto world = std::make_unique<test::TestGame>();
    test::TestGame& t = *world;
    Game& game = t.game;
    test::SetUpField(t, mapSide, mapSide);
    GameSettings& s = game.settings;
    s.AnimationSpeed = 100;
    s.AIVisionLength = 160;
    s.AIVisionWidth = 64;
    s.AIChangeFrequency = 1000;
    s.MonsterAttackDelay = 500;
    s.LengthOfDay = 600;
    s.NightTile = test::MakeSprite(t, "night", 32, 32, 0x000020);
    game.player.Sprite = test::MakeSprite(t, "player", 128, 224, 0x3050A0);
    game.player.Health = 1000000;
    game.player.MaxHealth = 1000000;
    vorn::SpriteHandle ground[4];
    for (int i = 0; i < 4; ++i) {
        const std::string name = std::string(1, 'g') + std::to_string(i);
        ground[i] = test::AddTileImage(t, name, 32, 32, 0x204020 + i * 0x101010);
    }
    const SpriteHandle tree = test::AddTileImage(t, "tree", 32, 32, 0x30A030);
    const SpriteHandle rock = test::AddTileImage(t, "rock", 32, 32, 0x707070);
    for (int32_t column = 0; column < mapSide; ++column) {
        for (int32_t row = 0; row < mapSide; ++row) {
            MapCell& cell = *game.map->grid.Cell(column, row);
            cell.GroundSprite = ground[(column + row * 3) % 4];
            if (IsWall(column, row)) {
                cell.Attribute.assign(1, 'X');
                cell.BackgroundSprite = rock;
            }
            if ((column * 5 + row) % 11 == 0) {
                cell.ForegroundSprite = tree;
            }
        }
    }
    MonsterType type;
    type.Name = "Bat";
    type.Sprite = test::MakeSprite(t, "bat", 128, 224, 0x808000);
    type.Damage = 1;
    type.Health = 1000000;
    type.Speed = 60;
    type.FrameWidth = 32;
    type.FrameHeight = 32;
    type.ClipWidth = 20;
    type.ClipHeight = 16;
    type.DeathDuration = 10;
    game.assets.monsterTypes.push_back(type);
    t.media.SeedRandom(11);
    while (static_cast<int>(game.map->monsters.size()) < kMonsters) {
        const int32_t column = 1 + t.media.RandomInt(kPopulatedSide - 2);
        const int32_t row = 1 + t.media.RandomInt(kPopulatedSide - 2);
        if (!IsWall(column, row)) {
            SpawnMonster(game, 1, column, row);
        }
    }
    test::PlacePlayer(game, 16 * 32.0f, 16 * 32.0f);
    game.clock.FrameTime = t.media.ElapsedMs();
    game.clock.PreviousFrameTime = game.clock.FrameTime;
    return world;
}

// Walks left and right along the middle of the populated area.
void SteerPlayer(test::TestGame& t, int frame) {
    const bool left = (frame / kTurnFrames) % 2 == 0;
    t.media.SetKeyDown(keys::Left, left);
    t.media.SetKeyDown(keys::Right, !left);
}

void Frame(benchmark::State& state) {
    auto world = MakeWorld(static_cast<int32_t>(state.range(0)));
    Game& game = world->game;
    int frame = 0;
    for (; frame < kWarmUpFrames; ++frame) {
        SteerPlayer(*world, frame);
        RunFrame(game);
    }
    std::vector<double> micros;
    for (auto _ : state) {
        SteerPlayer(*world, frame++);
        const double start = ThreadMicros();
        RunFrame(game);
        micros.push_back(ThreadMicros() - start);
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p90_us"] = micros[micros.size() * 9 / 10];
    state.counters["monsters"] = static_cast<double>(game.map->monsters.size());
}

BENCHMARK(Frame)->Arg(32)->Arg(256)->Unit(benchmark::kMicrosecond)->Iterations(3000);

}  // namespace

BENCHMARK_MAIN();

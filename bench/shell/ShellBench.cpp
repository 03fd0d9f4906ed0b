// The script-tile check on square maps of 32, 128 and 512 tiles a side with
// script tiles everywhere, and one whole frame with map and global tick
// scripts. Run: shell_bench (Release build with -DVORN_BUILD_BENCH=ON).
#include <benchmark/benchmark.h>

#include "game/play/Events.h"
#include "game/shell/GameShell.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

// Every cell is a script tile whose script slot is empty (-1), so the check
// measures the scan alone; the player stands in the middle of the map.
void BM_ScriptTileCheck(benchmark::State& state) {
    const int32_t side = static_cast<int32_t>(state.range(0));
    test::TestGame test;
    Game& game = test.game;
    game.settings.TileWidth = 32;
    game.settings.TileHeight = 32;
    game.settings.PlayerWidth = 32;
    game.settings.PlayerHeight = 32;
    game.settings.MapWidth = side;
    game.settings.MapHeight = side;
    game.map->grid.Allocate(side, side);
    for (MapCell& cell : game.map->grid.Cells()) {
        cell.Attribute.assign(1, 'S');
        cell.Script = -1;
    }
    game.player.X = static_cast<float>(side * 16);
    game.player.Y = static_cast<float>(side * 16);
    for (auto _ : state) {
        ScriptTileCheck(game);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ScriptTileCheck)->Arg(32)->Arg(128)->Arg(512);

// One frame of the minimal mod with a tick every frame (TickMs 1): the map
// and global tick scripts each run a few lines.
void BM_FrameWithTickScripts(benchmark::State& state) {
    test::ShellGame shell({"TickMs=1"});
    shell.Write("maps/start_tick.ds", "N=N+1\r\nX=GetPlayerX()+#TICKLENGTH\r\n");
    shell.Write("global_tick.ds", "IF N>100\r\nN=0\r\nENDIF\r\n");
    if (!shell.StartNewGame()) {
        state.SkipWithError("the game did not start");
        return;
    }
    for (auto _ : state)
        RunFrame(shell.game);
}
BENCHMARK(BM_FrameWithTickScripts);

}  // namespace
}  // namespace vorn

BENCHMARK_MAIN();

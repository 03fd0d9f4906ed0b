// Leaving a map over its four edges, with and without a neighbouring map,
// and warps: where the player lands, the leave script, the warp sound, and a
// leave script that loads a map of its own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/play/MapEntry.h"
#include "game/play/PlayerControl.h"
#include "tests/game/support/PlayFixtures.h"
#include "tests/game/support/WorldFixtures.h"

namespace vorn {
namespace {

using test::NextFrame;
using test::PlacePlayer;
using test::SetUpField;

constexpr int32_t kColumns = 12;
constexpr int32_t kRows = 10;

class EdgesAndWarpsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpField(t, kColumns, kRows);
        t.game.map->info.Name = "home";
        WriteMapFiles("west");
        WriteMapFiles("east");
        WriteMapFiles("north");
        WriteMapFiles("south");
        WriteMapFiles("cave");
        WriteMapFiles("elsewhere");
        // The current map's leave script reports where the player stood.
        t.game.script.RegisterCommand(
            [this](ScriptEngine&) {
                leaveRuns.push_back({t.game.map->info.Name, t.game.player.X, t.game.player.Y});
                return 1;
            },
            "Probe", 0);
        ASSERT_GE(t.game.script.ParseScript("Probe()", slots::kMapLeave), 0);
    }

    void WriteMapFiles(const std::string& name) {
        test::MapFiles files;
        files.ini = test::IniText("Properties", {{"Title", name}});
        files.gtl = test::LayerText(kColumns, kRows, "grass");
        files.atl = test::LayerText(kColumns, kRows, "0");
        test::WriteMap(t.folder, name, files);
    }

    Player& player() { return t.game.player; }
    void Hold(int key, bool down = true) { t.media.SetKeyDown(key, down); }
    void Frame(int32_t ms = 100) {
        NextFrame(t, ms);
        PlayerInputStep(t.game);
        PlayerMoveStep(t.game);
        WarpStep(t.game);
        MapEdgeStep(t.game);
        RefreshClipBoxes(t.game);
    }
    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            Frame();
        }
    }

    struct LeaveRun {
        std::string map;
        float x;
        float y;
    };
    std::vector<LeaveRun> leaveRuns;
    test::TestGame t;
};

TEST_F(EdgesAndWarpsTest, LeftEdgeWithoutAnExitHoldsTheClipBoxAtZero) {
    PlacePlayer(t.game, 12.0f, 100.0f);
    Hold(keys::Left);
    Frames(5);
    EXPECT_FLOAT_EQ(player().X, -6.0f);
    EXPECT_EQ(player().ClipLeft, 0);
    EXPECT_EQ(t.game.map->info.Name, "home");
    EXPECT_TRUE(leaveRuns.empty());
}

TEST_F(EdgesAndWarpsTest, LeftEdgeWithAnExitEntersAtTheRightEndOfTheNextMap) {
    t.game.map->info.ExitLeft = "west";
    PlacePlayer(t.game, 2.0f, 100.0f);
    Hold(keys::Left);
    Frames(2);
    EXPECT_EQ(t.game.map->info.Name, "west");
    EXPECT_FLOAT_EQ(player().X, (kColumns - 1) * 32.0f - 1.0f);
    EXPECT_FLOAT_EQ(player().Y, 100.0f);
    // The leave script ran on the old map with the new position already set.
    ASSERT_EQ(leaveRuns.size(), 1u);
    EXPECT_EQ(leaveRuns[0].map, "home");
    EXPECT_FLOAT_EQ(leaveRuns[0].x, (kColumns - 1) * 32.0f - 1.0f);
}

TEST_F(EdgesAndWarpsTest, RightEdgeWithoutAnExitStopsAtTheLastColumn) {
    PlacePlayer(t.game, 350.0f, 100.0f);
    Hold(keys::Right);
    Frames(4);
    EXPECT_FLOAT_EQ(player().X, (kColumns - 1) * 32.0f + 6.0f);
    EXPECT_EQ(t.game.map->info.Name, "home");
}

TEST_F(EdgesAndWarpsTest, RightEdgeWithAnExitEntersAtTheLeftOfTheNextMap) {
    t.game.map->info.ExitRight = "east";
    PlacePlayer(t.game, 355.0f, 100.0f);
    Hold(keys::Right);
    Frames(2);
    EXPECT_EQ(t.game.map->info.Name, "east");
    EXPECT_FLOAT_EQ(player().X, 1.0f);
    EXPECT_FLOAT_EQ(player().Y, 100.0f);
    EXPECT_EQ(leaveRuns.size(), 1u);
}

TEST_F(EdgesAndWarpsTest, TopEdgeWithoutAnExitHoldsTheClipBoxAtZero) {
    PlacePlayer(t.game, 100.0f, -10.0f);
    Hold(keys::Up);
    Frames(3);
    EXPECT_FLOAT_EQ(player().Y, -16.0f);
    EXPECT_EQ(player().ClipTop, 0);
}

TEST_F(EdgesAndWarpsTest, TopEdgeWithAnExitEntersAtTheLastRow) {
    t.game.map->info.ExitUp = "north";
    PlacePlayer(t.game, 100.0f, -10.0f);
    Hold(keys::Up);
    Frames(2);
    EXPECT_EQ(t.game.map->info.Name, "north");
    EXPECT_FLOAT_EQ(player().Y, (kRows - 1) * 32.0f);
    EXPECT_FLOAT_EQ(player().X, 100.0f);
}

TEST_F(EdgesAndWarpsTest, BottomEdgeUsesTheFrameTopAgainstTheLastRow) {
    PlacePlayer(t.game, 100.0f, 280.0f);
    Hold(keys::Down);
    Frame();  // 290: past the last row's top
    EXPECT_FLOAT_EQ(player().Y, (kRows - 1) * 32.0f);
    t.game.map->info.ExitDown = "south";
    Frame();
    EXPECT_EQ(t.game.map->info.Name, "south");
    EXPECT_FLOAT_EQ(player().Y, 0.0f);
    EXPECT_FLOAT_EQ(player().X, 100.0f);
}

TEST_F(EdgesAndWarpsTest, StandingAtAnEdgeDoesNothingButAPushCounts) {
    t.game.map->info.ExitLeft = "west";
    PlacePlayer(t.game, -10.0f, 100.0f);  // clip left -4
    Frames(2);
    EXPECT_EQ(t.game.map->info.Name, "home");
    EXPECT_FLOAT_EQ(player().X, -10.0f);
    player().Facing = Facing::Right;  // pushed left, against the facing
    player().RecoilLeft = 5;
    Frame(10);
    EXPECT_EQ(t.game.map->info.Name, "west");
}

TEST_F(EdgesAndWarpsTest, WalkingUpLeftAlongTheLeftEdgeCountsAsLeaving) {
    PlacePlayer(t.game, -6.0f, 200.0f);
    Hold(keys::Up);
    Hold(keys::Left);
    Frames(2);
    EXPECT_FLOAT_EQ(player().X, -6.0f);
    EXPECT_EQ(player().ClipLeft, 0);
    EXPECT_LT(player().Y, 200.0f);
}

class WarpTest : public EdgesAndWarpsTest {
protected:
    void SetUp() override {
        EdgesAndWarpsTest::SetUp();
        t.folder.Write("sounds/warp.wav", test::MakeWav(50));
        t.game.settings.WarpSound = t.media.LoadSoundFile(t.folder.Path() + "/sounds/warp.wav");
        t.game.map->warps.push_back({3, 3, "cave", 1, 2});
        t.media.ClearSoundLog();
    }
    int WarpPlays() const {
        int plays = 0;
        for (const auto& event : t.media.SoundLog()) {
            plays += event.kind == HeadlessMedia::SoundEvent::Kind::Play &&
                     event.sound == t.game.settings.WarpSound;
        }
        return plays;
    }
};

TEST_F(WarpTest, TheCentreProbeOnAWarpTileCarriesThePlayerToTheTarget) {
    // Probe at nearest(X + 15), nearest(Y + 15): (128, 128) touches the
    // warp tile (96 .. 128) at its corner, which counts.
    PlacePlayer(t.game, 113.0f, 113.0f);
    WarpStep(t.game);
    EXPECT_EQ(t.game.map->info.Name, "cave");
    EXPECT_FLOAT_EQ(player().X, 32.0f);
    EXPECT_FLOAT_EQ(player().Y, 64.0f);
    EXPECT_EQ(WarpPlays(), 1);
    ASSERT_EQ(leaveRuns.size(), 1u);
    // The leave script runs before the position changes.
    EXPECT_FLOAT_EQ(leaveRuns[0].x, 113.0f);
    EXPECT_TRUE(t.game.map->warps.empty());
}

TEST_F(WarpTest, AProbeOnePixelAwayDoesNotWarp) {
    PlacePlayer(t.game, 114.0f, 100.0f);  // probe left 129
    WarpStep(t.game);
    EXPECT_EQ(t.game.map->info.Name, "home");
    EXPECT_EQ(WarpPlays(), 0);
    EXPECT_TRUE(leaveRuns.empty());
}

TEST_F(WarpTest, ALeaveScriptThatLoadsAMapDoesNotChangeTheWarpsTarget) {
    t.game.script.RegisterCommand(
        [this](ScriptEngine&) {
            EnterMap(t.game, "elsewhere");
            return 1;
        },
        "Hop", 0);
    ASSERT_GE(t.game.script.ParseScript("Probe()\nHop()", slots::kMapLeave), 0);
    t.game.map->warps.push_back({3, 3, "never", 5, 5});
    PlacePlayer(t.game, 100.0f, 100.0f);
    WarpStep(t.game);
    EXPECT_EQ(t.game.map->info.Name, "cave");
    EXPECT_FLOAT_EQ(player().X, 32.0f);
    EXPECT_FLOAT_EQ(player().Y, 64.0f);
    EXPECT_EQ(WarpPlays(), 1);
}

TEST_F(WarpTest, ALeaveScriptThatEndsTheGameStopsTheWarp) {
    t.game.script.RegisterCommand(
        [this](ScriptEngine&) {
            t.game.ended = true;
            return 1;
        },
        "Stop", 0);
    ASSERT_GE(t.game.script.ParseScript("Stop()", slots::kMapLeave), 0);
    PlacePlayer(t.game, 100.0f, 100.0f);
    WarpStep(t.game);
    EXPECT_EQ(t.game.map->info.Name, "home");
    EXPECT_FLOAT_EQ(player().X, 100.0f);
    EXPECT_EQ(WarpPlays(), 0);
}

// A warp the game cannot follow is told with its place in the warp list: a
// target map that is not there (before the box that ends the game) and a
// target tile off the map (the player is put there all the same).
TEST_F(WarpTest, AWarpTheGameCannotFollowIsToldWithItsLineInTheList) {
    // The lines about warp lists, named from the mod folder on.
    const auto warpLines = [this] {
        std::vector<std::string> lines;
        for (const std::string& line : t.game.diagnostics.Messages()) {
            if (line.find(".wpl:") != std::string::npos)
                lines.push_back(line.substr(line.find("maps/")));
        }
        return lines;
    };
    t.game.map->warps = {{3, 3, "cave", 1, 40, 2}};
    PlacePlayer(t.game, 100.0f, 100.0f);
    WarpStep(t.game);
    EXPECT_EQ(t.game.map->info.Name, "cave");

    // Now on the cave, whose list holds the misspelt map.
    t.game.map->warps = {{3, 3, "hause", 1, 2, 4}};
    PlacePlayer(t.game, 100.0f, 100.0f);
    WarpStep(t.game);
    EXPECT_TRUE(t.game.ended);
    EXPECT_EQ(t.media.Messages().back().text, "Couldn't load map tiles: hause");
    EXPECT_EQ(warpLines(),
              (std::vector<std::string>{
                  "maps/home.wpl:2: error: the target tile (1, 40) is outside `cave`, a map of 12 "
                  "x 10 tiles",
                  "maps/cave.wpl:4: error: warp target map `hause` cannot be loaded: " +
                      t.folder.Path() + "/maps/hause.gtl does not exist"}));
}

}  // namespace
}  // namespace vorn

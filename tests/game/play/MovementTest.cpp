// The player's keyboard step and movement, frame by frame on the headless
// clock: walking, the diagonal speed, key releases, sliding along walls,
// recoil, attacks with their cool-down, and the other keys.
#include <gtest/gtest.h>

#include "game/play/PlayerControl.h"
#include "tests/game/support/PlayFixtures.h"

namespace vorn {
namespace {

using test::NextFrame;
using test::PlacePlayer;
using test::SetUpField;

class MovementTest : public ::testing::Test {
protected:
    void SetUp() override { SetUpField(t, 12, 10); }

    Player& player() { return t.game.player; }
    void Hold(int key, bool down = true) { t.media.SetKeyDown(key, down); }
    void Wall(int32_t c, int32_t r) { t.game.map->grid.Cell(c, r)->Attribute = "X"; }

    // The player's part of one frame of the main loop.
    void Frame(int32_t ms = 100) {
        NextFrame(t, ms);
        PlayerInputStep(t.game);
        PlayerMoveStep(t.game);
        WarpStep(t.game);
        MapEdgeStep(t.game);
        RefreshClipBoxes(t.game);
    }

    test::TestGame t;
};

TEST_F(MovementTest, WalkingCoversSpeedTimesElapsedTimeInTheFacing) {
    PlacePlayer(t.game, 100.0f, 100.0f);
    Hold(keys::Right);
    Frame(100);
    EXPECT_FLOAT_EQ(player().X, 110.0f);
    EXPECT_FLOAT_EQ(player().Y, 100.0f);
    EXPECT_EQ(player().Facing, Facing::Right);
    EXPECT_EQ(player().Moving, 1);
    Frame(50);
    EXPECT_FLOAT_EQ(player().X, 115.0f);
    Hold(keys::Right, false);
    Hold(keys::Down);
    Frame(100);  // the release of Right stops this frame
    EXPECT_FLOAT_EQ(player().Y, 100.0f);
    Frame(100);
    EXPECT_FLOAT_EQ(player().Y, 110.0f);
    EXPECT_EQ(player().Facing, Facing::Down);
}

TEST_F(MovementTest, DiagonalWalksAtThreeQuartersOfTheSpeedOnEachAxis) {
    // 86 x 0.75 = 64.5, which rounds to the even 64: 6.4 pixels per 100 ms.
    player().Speed = 86;
    PlacePlayer(t.game, 200.0f, 200.0f);
    Hold(keys::Up);
    Hold(keys::Left);
    Frame(100);
    EXPECT_EQ(player().Facing, Facing::Up);
    EXPECT_EQ(player().Diagonal, Diagonal::Left);
    EXPECT_NEAR(player().X, 193.6f, 1e-3);
    EXPECT_NEAR(player().Y, 193.6f, 1e-3);

    Hold(keys::Left, false);
    Hold(keys::Right);
    Hold(keys::Up, false);
    Hold(keys::Down);
    Frame(100);  // releasing Left (and Up) clears Moving for this frame
    EXPECT_EQ(player().Moving, 0);
    EXPECT_EQ(player().Diagonal, Diagonal::None);
    EXPECT_NEAR(player().X, 193.6f, 1e-3);
    Frame(100);  // the Up release is seen now, one key per frame
    EXPECT_EQ(player().Moving, 0);
    Frame(100);
    EXPECT_EQ(player().Facing, Facing::Down);
    EXPECT_EQ(player().Diagonal, Diagonal::Right);
    EXPECT_NEAR(player().X, 200.0f, 1e-3);
    EXPECT_NEAR(player().Y, 200.0f, 1e-3);
}

TEST_F(MovementTest, ReleasingOneKeyOfADiagonalStopsForOneFrameThenWalksStraight) {
    PlacePlayer(t.game, 200.0f, 200.0f);
    Hold(keys::Up);
    Hold(keys::Left);
    Frame(100);
    const float x = player().X;
    const float y = player().Y;
    Hold(keys::Left, false);
    Frame(100);
    EXPECT_EQ(player().Moving, 0);
    EXPECT_FLOAT_EQ(player().X, x);
    EXPECT_FLOAT_EQ(player().Y, y);
    Frame(100);
    EXPECT_EQ(player().Moving, 1);
    EXPECT_EQ(player().Diagonal, Diagonal::None);
    EXPECT_FLOAT_EQ(player().X, x);
    EXPECT_FLOAT_EQ(player().Y, y - 10.0f);
}

TEST_F(MovementTest, WallsStopTheStepAndMonsterOnlyCellsDoNot) {
    PlacePlayer(t.game, 100.0f, 100.0f);  // clip box x 106 .. 126
    Wall(4, 3);                           // x 128 .. 160, rows 96 .. 128
    Hold(keys::Right);
    Frame(100);  // candidate clip 116 .. 136 touches the wall
    EXPECT_FLOAT_EQ(player().X, 100.0f);
    EXPECT_EQ(player().Moving, 1);

    t.game.map->grid.Cell(4, 3)->Attribute = "M";
    t.game.map->grid.Cell(5, 3)->Attribute = "W";
    Frame(100);
    Frame(100);
    EXPECT_FLOAT_EQ(player().X, 120.0f);
}

TEST_F(MovementTest, ABlockedVerticalStepOnADiagonalStillLetsTheHorizontalThrough) {
    for (int32_t c = 0; c < 12; ++c) {
        Wall(c, 2);  // rows 64 .. 96
    }
    PlacePlayer(t.game, 200.0f, 82.0f);  // clip top 98: 2 pixels below the wall
    Hold(keys::Up);
    Hold(keys::Left);
    Frame(100);  // 7.5 up would put the clip top at 90
    EXPECT_FLOAT_EQ(player().Y, 82.0f);
    EXPECT_FLOAT_EQ(player().X, 192.5f);
}

TEST_F(MovementTest, ABlockedHorizontalStepOnADiagonalStillLetsTheVerticalThrough) {
    for (int32_t r = 0; r < 10; ++r) {
        Wall(2, r);  // x 64 .. 96
    }
    PlacePlayer(t.game, 92.0f, 200.0f);  // clip left 98
    Hold(keys::Up);
    Hold(keys::Left);
    Frame(100);
    EXPECT_FLOAT_EQ(player().X, 92.0f);
    EXPECT_FLOAT_EQ(player().Y, 192.5f);
}

TEST_F(MovementTest, RecoilPushesAgainstTheFacingAndCountsTheDistanceOff) {
    PlacePlayer(t.game, 200.0f, 200.0f);
    player().Facing = Facing::Right;
    player().RecoilLeft = 16;
    Hold(keys::Right);  // walking keys do not move a pushed player
    Frame(50);          // 200 px/s for 50 ms: 10 px
    EXPECT_FLOAT_EQ(player().X, 190.0f);
    EXPECT_EQ(player().RecoilLeft, 6);
    Frame(50);
    EXPECT_FLOAT_EQ(player().X, 180.0f);
    EXPECT_LE(player().RecoilLeft, 0);
    Frame(50);  // the push is over: the held key walks again
    EXPECT_FLOAT_EQ(player().X, 185.0f);
}

TEST_F(MovementTest, FacingKeysTurnThePushWhileWalkingKeysDoNotMove) {
    PlacePlayer(t.game, 200.0f, 200.0f);
    player().Facing = Facing::Right;
    player().RecoilLeft = 30;
    Hold(keys::Up);
    Frame(50);
    EXPECT_EQ(player().Facing, Facing::Up);
    EXPECT_FLOAT_EQ(player().X, 200.0f);
    EXPECT_FLOAT_EQ(player().Y, 210.0f);  // pushed down, against "up"
    EXPECT_EQ(player().RecoilLeft, 20);
}

TEST_F(MovementTest, RecoilIntoAWallEndsAtOnce) {
    PlacePlayer(t.game, 190.0f, 200.0f);  // clip box x 196 .. 216, y 216 .. 232
    Wall(7, 6);                           // x 224 .. 256, y 192 .. 224
    player().Facing = Facing::Left;       // facing left, the push goes right
    player().RecoilLeft = 16;
    Frame(50);  // 10 px would put the clip box's right edge on 226
    EXPECT_EQ(player().RecoilLeft, 0);
    EXPECT_FLOAT_EQ(player().X, 190.0f);
    Frame(50);
    EXPECT_FLOAT_EQ(player().X, 190.0f);
}

TEST_F(MovementTest, DiagonalRecoilUsesThreeQuartersOfTheRecoilSpeed) {
    PlacePlayer(t.game, 200.0f, 200.0f);
    player().Facing = Facing::Up;
    player().Diagonal = Diagonal::Right;  // was walking up-right
    player().RecoilLeft = 40;
    Frame(100);  // nearest(200 x 0.75) = 150 px/s: 15 px per axis
    EXPECT_FLOAT_EQ(player().Y, 215.0f);
    EXPECT_FLOAT_EQ(player().X, 185.0f);
    EXPECT_EQ(player().RecoilLeft, 10);
}

TEST_F(MovementTest, NoMovementBeforeTheFirstFrameTimeIsRecorded) {
    PlacePlayer(t.game, 100.0f, 100.0f);
    Hold(keys::Right);
    t.game.clock.FrameTime = t.media.ElapsedMs();
    t.game.clock.PreviousFrameTime = 0;
    PlayerInputStep(t.game);
    PlayerMoveStep(t.game);
    EXPECT_EQ(player().Moving, 1);
    EXPECT_FLOAT_EQ(player().X, 100.0f);
}

TEST_F(MovementTest, WalkAnimationCountsFromTheFirstMovingFrame) {
    PlacePlayer(t.game, 100.0f, 100.0f);
    player().AnimTime = 5;
    Frame(100);
    EXPECT_EQ(player().AnimTime, 5);
    Hold(keys::Down);
    Frame(100);
    const int32_t started = t.game.clock.FrameTime;
    EXPECT_EQ(player().AnimTime, started);
    Frame(100);
    EXPECT_EQ(player().AnimTime, started);  // still walking: not restarted
}

TEST_F(MovementTest, CtrlStartsAnAttackAndReleasingItCutsTheAttackShort) {
    t.folder.Write("sounds/swing.wav", test::MakeWav(100));
    t.game.settings.PlayerAttackSound =
        t.media.LoadSoundFile(t.folder.Path() + "/sounds/swing.wav");
    ASSERT_NE(t.game.settings.PlayerAttackSound, 0);
    t.media.ClearSoundLog();
    PlacePlayer(t.game, 100.0f, 100.0f);
    player().HitLanded = 1;
    player().AttackFrame = 2;
    Hold(keys::RightCtrl);
    Hold(keys::Left);
    Frame(100);
    EXPECT_EQ(player().Attacking, 1);
    EXPECT_EQ(player().AttackFrame, 0);
    EXPECT_EQ(player().HitLanded, 0);
    EXPECT_EQ(player().AnimTime, t.game.clock.FrameTime);
    EXPECT_FLOAT_EQ(player().X, 100.0f);  // no walking while attacking
    int plays = 0;
    for (const auto& event : t.media.SoundLog()) {
        if (event.kind == HeadlessMedia::SoundEvent::Kind::Play &&
            event.sound == t.game.settings.PlayerAttackSound) {
            ++plays;
        }
    }
    EXPECT_EQ(plays, 1);

    Hold(keys::RightCtrl, false);
    Frame(100);
    EXPECT_EQ(player().Attacking, 0);
    EXPECT_FLOAT_EQ(player().X, 90.0f);
}

TEST_F(MovementTest, HeldCtrlStartsTheNextAttackOnlyAfterTheDelay) {
    PlacePlayer(t.game, 100.0f, 100.0f);
    Hold(keys::LeftCtrl);
    Frame(100);
    ASSERT_EQ(player().Attacking, 1);
    // The animation step ends the attack and records when.
    player().Attacking = 0;
    player().AttackEndTime = t.game.clock.FrameTime;
    const int32_t ended = t.game.clock.FrameTime;
    Frame(250);
    EXPECT_EQ(player().Attacking, 0);
    Frame(249);
    EXPECT_EQ(player().Attacking, 0);
    EXPECT_EQ(player().AttackEndTime, ended);
    Frame(1);  // 500 ms after the end
    EXPECT_EQ(player().Attacking, 1);
    EXPECT_EQ(player().AttackEndTime, 0);
    EXPECT_EQ(player().AnimTime, ended + 500);
}

TEST_F(MovementTest, TabShowsTheStatsScreenOnlyWhileHeld) {
    Hold(keys::Tab);
    Frame();
    EXPECT_TRUE(t.game.statsScreenShown);
    Frame();
    EXPECT_TRUE(t.game.statsScreenShown);
    Hold(keys::Tab, false);
    Frame();
    EXPECT_FALSE(t.game.statsScreenShown);
}

TEST_F(MovementTest, ReleasingSSavesSlotZero) {
    t.game.map->info.Name = "home";
    Hold(keys::S);
    Frame();
    EXPECT_FALSE(t.folder.Exists("saves/save0.ini"));
    Hold(keys::S, false);
    Frame();
    EXPECT_TRUE(t.folder.Exists("saves/save0.ini"));
}

TEST_F(MovementTest, AnSReleaseWaitsWhileReturnIsDown) {
    t.game.map->info.Name = "home";
    Hold(keys::S);
    Frame();
    Hold(keys::S, false);
    Hold(keys::Return);
    Frame();  // Return picks up instead; the release is not asked for
    EXPECT_FALSE(t.folder.Exists("saves/save0.ini"));
    Hold(keys::Return, false);
    Frame();  // the pending release is seen now
    EXPECT_TRUE(t.folder.Exists("saves/save0.ini"));
}

class MovementScriptTest : public MovementTest {
protected:
    void SetUp() override {
        MovementTest::SetUp();
        t.game.script.RegisterCommand(
            [this](ScriptEngine&) {
                ++runs;
                return 1;
            },
            "Count", 0);
    }
    int runs = 0;
};

TEST_F(MovementScriptTest, AScriptTileRunsWhileWalkingOrPushedButNotStandingStill) {
    MapCell& cell = *t.game.map->grid.Cell(3, 3);  // x and y 96 .. 128
    cell.Attribute = "S";
    cell.Script = 20;
    ASSERT_GE(t.game.script.ParseScript("Count()", 20), 0);
    PlacePlayer(t.game, 100.0f, 100.0f);  // centre probe at (115, 115)
    Frame();
    Frame();
    EXPECT_EQ(runs, 0);
    Hold(keys::Down);
    Frame(20);  // 2 px a frame: the probe stays on the tile
    EXPECT_EQ(runs, 1);
    Frame(20);
    EXPECT_EQ(runs, 2);
    Hold(keys::Down, false);
    Frame(20);  // the release stops the player
    Frame(20);
    EXPECT_EQ(runs, 2);
    player().Facing = Facing::Down;
    player().RecoilLeft = 10;  // pushed up, back over the tile
    Frame(20);
    EXPECT_EQ(runs, 3);
}

TEST_F(MovementScriptTest, EachAttackStartRunsTheAttackScriptsOnce) {
    ASSERT_GE(t.game.script.ParseScript("Count()", slots::kMapPlayerAttack), 0);
    ASSERT_GE(t.game.script.ParseScript("Count()", slots::kGlobalPlayerAttack), 0);
    Hold(keys::LeftCtrl);
    Frame();
    EXPECT_EQ(runs, 2);
    Frame();
    Frame();
    EXPECT_EQ(runs, 2);  // the attack goes on; no new start
}

TEST_F(MovementScriptTest, AnAttackScriptThatEndsTheGameStopsTheInputStep) {
    t.game.script.RegisterCommand(
        [this](ScriptEngine&) {
            t.game.ended = true;
            return 1;
        },
        "Stop", 0);
    ASSERT_GE(t.game.script.ParseScript("Stop()", slots::kMapPlayerAttack), 0);
    t.game.map->info.Name = "home";
    Hold(keys::S);
    Frame();
    Hold(keys::S, false);
    Hold(keys::LeftCtrl);
    Hold(keys::Tab);
    Frame();
    EXPECT_TRUE(t.game.ended);
    EXPECT_FALSE(t.game.statsScreenShown);
    EXPECT_FALSE(t.folder.Exists("saves/save0.ini"));
}

}  // namespace
}  // namespace vorn

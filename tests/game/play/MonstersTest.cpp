// Spawning, vision, wandering, chasing, movement, attack start and the depth
// sort of live monsters, frame by frame on the headless clock.
#include "game/play/Monsters.h"

#include <gtest/gtest.h>

#include <array>

#include "game/play/PlayerControl.h"
#include "tests/game/support/PlayFixtures.h"

namespace vorn {
namespace {

using test::AddMonster;
using test::NextFrame;
using test::PlacePlayer;
using test::SetAttribute;
using test::SetUpArena;

class MonstersTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpArena(t);
        t.media.SeedRandom(1234);
    }
    Game& game() { return t.game; }
    Monster& monster(size_t index) { return t.game.map->monsters[index]; }
    // A monster that will not make a random decision in the next frames.
    size_t AddSettledMonster(float x, float y) {
        const size_t index = AddMonster(t.game, x, y);
        monster(index).LastAIChange = t.game.clock.FrameTime + 100000;
        return index;
    }

    test::TestGame t;
};

MonsterType SlimeType() {
    MonsterType type;
    type.Name = "Slime";
    type.Sprite = 7;
    type.AttackSound = 11;
    type.DeathSound = 12;
    type.HitSound = 13;
    type.Damage = 5;
    type.Health = 20;
    type.Speed = 40;
    type.FrameWidth = 24;
    type.FrameHeight = 40;
    type.ClipWidth = 16;
    type.ClipHeight = 10;
    type.DeathDuration = 6;
    type.ItemDropRate = 3;
    type.Friendly = 1;
    return type;
}

// --- Spawning ---------------------------------------------------------------

TEST_F(MonstersTest, SpawnCopiesTheTypeAndCentresTheFrameOnTheTile) {
    game().assets.monsterTypes.push_back(MonsterType{});
    game().assets.monsterTypes.push_back(SlimeType());
    const int32_t now = t.media.ElapsedMs();
    SpawnMonster(game(), 2, 3, 2);
    ASSERT_EQ(game().map->monsters.size(), 1u);
    const Monster& m = monster(0);
    EXPECT_EQ(m.Type.Name, "Slime");
    EXPECT_EQ(m.Type.Sprite, 7);
    EXPECT_EQ(m.Type.AttackSound, 11);
    EXPECT_EQ(m.Type.DeathSound, 12);
    EXPECT_EQ(m.Type.HitSound, 13);
    EXPECT_EQ(m.Type.Damage, 5);
    EXPECT_EQ(m.Health, 20);
    EXPECT_EQ(m.Type.Speed, 40);
    EXPECT_EQ(m.Type.FrameWidth, 24);
    EXPECT_EQ(m.Type.FrameHeight, 40);
    EXPECT_EQ(m.Type.ClipWidth, 16);
    EXPECT_EQ(m.Type.ClipHeight, 10);
    EXPECT_EQ(m.DeathDuration, 6);
    EXPECT_EQ(m.Type.ItemDropRate, 3);
    EXPECT_EQ(m.Friendly, 1);
    EXPECT_EQ(m.ID, 1);
    // 3 * 32 + 16 - 12 and 2 * 32 + 32 - 40 - 1.
    EXPECT_FLOAT_EQ(m.X, 100.0f);
    EXPECT_FLOAT_EQ(m.Y, 55.0f);
    EXPECT_GE(m.Facing, Facing::Down);
    EXPECT_LE(m.Facing, Facing::Left);
    EXPECT_GE(m.LastAIChange, now);
    EXPECT_LE(m.LastAIChange, now + 500);
    EXPECT_EQ(m.Moving, 0);
    EXPECT_EQ(m.FoundPlayer, 0);
}

TEST_F(MonstersTest, SpawnNumbersMonstersAndKeepsHalfPixels) {
    MonsterType odd = SlimeType();
    odd.FrameWidth = 25;
    game().assets.monsterTypes.push_back(odd);
    SpawnMonster(game(), 1, 0, 0);
    SpawnMonster(game(), 1, 1, 0);
    SpawnMonster(game(), 1, 2, 0);
    ASSERT_EQ(game().map->monsters.size(), 3u);
    EXPECT_EQ(monster(0).ID, 1);
    EXPECT_EQ(monster(1).ID, 2);
    EXPECT_EQ(monster(2).ID, 3);
    EXPECT_FLOAT_EQ(monster(1).X, 32.0f + 16.0f - 12.5f);
}

TEST_F(MonstersTest, SpawnIgnoresTypeNumbersOutsideTheList) {
    game().assets.monsterTypes.push_back(SlimeType());
    SpawnMonster(game(), 2, 1, 1);
    SpawnMonster(game(), 0, 1, 1);
    SpawnMonster(game(), -4, 1, 1);
    EXPECT_TRUE(game().map->monsters.empty());
}

TEST_F(MonstersTest, SpawnSpreadsDecisionTimesAndFacings) {
    game().assets.monsterTypes.push_back(SlimeType());
    std::array<int, 4> facings{};
    int32_t earliest = INT32_MAX;
    int32_t latest = INT32_MIN;
    for (int i = 0; i < 400; ++i) {
        SpawnMonster(game(), 1, i % 16, 1);
        const Monster& m = game().map->monsters.back();
        ASSERT_GE(m.Facing, Facing::Down);
        ASSERT_LE(m.Facing, Facing::Left);
        facings[static_cast<size_t>(m.Facing)]++;
        earliest = std::min(earliest, m.LastAIChange);
        latest = std::max(latest, m.LastAIChange);
    }
    for (int count : facings) {
        EXPECT_GT(count, 60);
    }
    EXPECT_GT(latest - earliest, 400);
    EXPECT_LE(latest - earliest, 500);
}

// --- Vision -----------------------------------------------------------------

struct VisionCase {
    Facing facing;
    float seenX, seenY;      // player frame just touching the vision box
    float unseenX, unseenY;  // one pixel further out
};

// The monster stands at (160, 160): centre (176, 176); vision 96 long, 32 wide.
TEST_F(MonstersTest, VisionBoxLiesOnTheFacedSideAndTouchingCounts) {
    const std::array<VisionCase, 4> cases{{
        {Facing::Down, 160.0f, 272.0f, 160.0f, 273.0f},   // box y 176 .. 272
        {Facing::Up, 160.0f, 48.0f, 160.0f, 47.0f},       // box y 80 .. 176
        {Facing::Right, 272.0f, 160.0f, 273.0f, 160.0f},  // box x 176 .. 272
        {Facing::Left, 48.0f, 160.0f, 47.0f, 160.0f},     // box x 80 .. 176
    }};
    for (const VisionCase& c : cases) {
        SCOPED_TRACE(SheetColumn(c.facing));
        game().map->monsters.clear();
        const size_t m = AddSettledMonster(160.0f, 160.0f);
        monster(m).Facing = c.facing;
        PlacePlayer(game(), c.unseenX, c.unseenY);
        MonsterDecisionStep(game());
        EXPECT_EQ(monster(m).FoundPlayer, 0);
        monster(m).Facing = c.facing;
        PlacePlayer(game(), c.seenX, c.seenY);
        MonsterDecisionStep(game());
        EXPECT_EQ(monster(m).FoundPlayer, 1);
    }
}

TEST_F(MonstersTest, VisionSeesNothingBehindTheMonster) {
    const size_t m = AddSettledMonster(160.0f, 160.0f);
    monster(m).Facing = Facing::Left;
    PlacePlayer(game(), 200.0f, 160.0f);  // right beside it, but it looks left
    MonsterDecisionStep(game());
    EXPECT_EQ(monster(m).FoundPlayer, 0);
}

TEST_F(MonstersTest, FacingMinusOneAndFriendlyMonstersHaveNoVision) {
    const size_t blind = AddSettledMonster(160.0f, 160.0f);
    monster(blind).Facing = Facing::None;
    const size_t friendly = AddSettledMonster(320.0f, 160.0f);
    monster(friendly).Facing = Facing::Left;
    monster(friendly).Friendly = 1;
    PlacePlayer(game(), 240.0f, 160.0f);  // inside the friendly one's box
    MonsterDecisionStep(game());
    EXPECT_EQ(monster(blind).FoundPlayer, 0);
    EXPECT_EQ(monster(friendly).FoundPlayer, 0);
}

TEST_F(MonstersTest, ASeenPlayerIsChasedAfterLeavingTheBox) {
    const size_t m = AddSettledMonster(160.0f, 160.0f);
    monster(m).Facing = Facing::Left;
    PlacePlayer(game(), 100.0f, 160.0f);
    MonsterDecisionStep(game());
    ASSERT_EQ(monster(m).FoundPlayer, 1);
    EXPECT_EQ(monster(m).Facing, Facing::Left);
    EXPECT_EQ(monster(m).Moving, 1);
    // The player goes far below, out of any vision box.
    PlacePlayer(game(), 160.0f, 400.0f);
    NextFrame(t, 16);
    MonsterDecisionStep(game());
    EXPECT_EQ(monster(m).FoundPlayer, 1);
    EXPECT_EQ(monster(m).Facing, Facing::Down);
    EXPECT_EQ(monster(m).Moving, 1);
}

// --- Wandering --------------------------------------------------------------

TEST_F(MonstersTest, WanderingWaitsStrictlyLongerThanTheChangeFrequency) {
    const size_t m = AddMonster(game(), 160.0f, 160.0f);
    PlacePlayer(game(), 480.0f, 480.0f);
    monster(m).LastAIChange = game().clock.FrameTime;
    monster(m).Facing = Facing::Left;
    monster(m).Moving = 0;
    NextFrame(t, test::kArenaAIChange);
    MonsterDecisionStep(game());
    EXPECT_EQ(monster(m).LastAIChange, game().clock.FrameTime - 1000);
    EXPECT_EQ(monster(m).Moving, 0);
    NextFrame(t, 1);
    MonsterDecisionStep(game());
    EXPECT_EQ(monster(m).LastAIChange, game().clock.FrameTime);
}

TEST_F(MonstersTest, WanderingStandsOneInFiveAndSplitsVerticalWalks) {
    const size_t m = AddMonster(game(), 160.0f, 160.0f);
    monster(m).Friendly = 1;  // no vision: it always wanders
    PlacePlayer(game(), 480.0f, 480.0f);
    constexpr int kDecisions = 5000;
    int standing = 0;
    std::array<int, 4> facings{};
    std::array<int, 3> diagonals{};
    for (int i = 0; i < kDecisions; ++i) {
        monster(m).Diagonal = Diagonal::None;
        NextFrame(t, 1001);
        MonsterDecisionStep(game());
        ASSERT_EQ(monster(m).LastAIChange, game().clock.FrameTime);
        if (monster(m).Moving == 0) {
            ++standing;
            EXPECT_EQ(monster(m).Diagonal, Diagonal::None);
            continue;
        }
        const Facing facing = monster(m).Facing;
        ASSERT_GE(facing, Facing::Down);
        ASSERT_LE(facing, Facing::Left);
        facings[static_cast<size_t>(facing)]++;
        if (facing == Facing::Down || facing == Facing::Up) {
            diagonals[static_cast<size_t>(monster(m).Diagonal)]++;
        } else {
            EXPECT_EQ(monster(m).Diagonal, Diagonal::None);
        }
    }
    // Expected 1000 each; 4 standard deviations is about 113.
    EXPECT_NEAR(standing, 1000, 120);
    for (int count : facings) {
        EXPECT_NEAR(count, 1000, 120);
    }
    const int vertical = facings[0] + facings[1];
    for (int count : diagonals) {
        EXPECT_NEAR(count, vertical / 3, 110);
    }
}

// --- Chasing ----------------------------------------------------------------

struct ChaseCase {
    const char* name;
    float playerX, playerY;
    Facing facing;
    Diagonal diagonal;
};

// The monster stands at (160, 160) and has found the player; its Diagonal
// starts at 0.
TEST_F(MonstersTest, ChaseHeadsForThePlayerEveryFrame) {
    const std::array<ChaseCase, 8> cases{{
        {"directly above", 160.0f, 60.0f, Facing::Up, Diagonal::None},
        {"upper right", 200.0f, 60.0f, Facing::Up, Diagonal::Right},
        {"upper left", 120.0f, 60.0f, Facing::Up, Diagonal::Left},
        {"directly below", 160.0f, 260.0f, Facing::Down, Diagonal::None},
        {"lower left", 150.0f, 260.0f, Facing::Down, Diagonal::Left},
        {"same row right", 300.0f, 160.0f, Facing::Right, Diagonal::None},
        {"same row left", 20.0f, 160.0f, Facing::Left, Diagonal::None},
        {"same spot", 160.0f, 160.0f, Facing::None, Diagonal::None},
    }};
    for (const ChaseCase& c : cases) {
        SCOPED_TRACE(c.name);
        game().map->monsters.clear();
        const size_t m = AddSettledMonster(160.0f, 160.0f);
        monster(m).FoundPlayer = 1;
        monster(m).Facing = Facing::Right;
        PlacePlayer(game(), c.playerX, c.playerY);
        MonsterDecisionStep(game());
        EXPECT_EQ(monster(m).Moving, 1);
        EXPECT_EQ(monster(m).Facing, c.facing);
        EXPECT_EQ(monster(m).Diagonal, c.diagonal);
    }
}

TEST_F(MonstersTest, ChaseWithEqualClipLeftKeepsThePreviousDiagonal) {
    const size_t m = AddSettledMonster(160.0f, 160.0f);
    monster(m).FoundPlayer = 1;
    monster(m).Diagonal = Diagonal::Left;
    PlacePlayer(game(), 160.0f, 20.0f);
    MonsterDecisionStep(game());
    EXPECT_EQ(monster(m).Facing, Facing::Up);
    EXPECT_EQ(monster(m).Diagonal, Diagonal::Left);
}

TEST_F(MonstersTest, AttackingAndDyingMonstersDoNotChase) {
    const size_t attacking = AddSettledMonster(160.0f, 160.0f);
    monster(attacking).FoundPlayer = 1;
    monster(attacking).Attacking = 1;
    monster(attacking).Facing = Facing::Left;
    const size_t dying = AddSettledMonster(320.0f, 160.0f);
    monster(dying).FoundPlayer = 1;
    monster(dying).Dying = 1;
    monster(dying).Facing = Facing::Right;
    PlacePlayer(game(), 160.0f, 400.0f);
    MonsterDecisionStep(game());
    EXPECT_EQ(monster(attacking).Facing, Facing::Left);
    EXPECT_EQ(monster(attacking).Moving, 0);
    EXPECT_EQ(monster(dying).Facing, Facing::Right);
    EXPECT_EQ(monster(dying).Moving, 0);
}

TEST_F(MonstersTest, FriendlyValueTwoFreezesItsMovementOnceItFoundThePlayer) {
    const size_t m = AddMonster(game(), 160.0f, 160.0f);
    monster(m).Friendly = 2;
    monster(m).LastAIChange = game().clock.FrameTime;
    PlacePlayer(game(), 480.0f, 480.0f);
    // While FoundPlayer is 0 it wanders.
    NextFrame(t, 1001);
    MonsterDecisionStep(game());
    EXPECT_EQ(monster(m).LastAIChange, game().clock.FrameTime);
    // Then neither wandering nor chasing changes it.
    monster(m).FoundPlayer = 1;
    monster(m).Moving = 1;
    monster(m).Facing = Facing::Right;
    const int32_t lastChange = monster(m).LastAIChange;
    for (int i = 0; i < 5; ++i) {
        NextFrame(t, 1001);
        MonsterDecisionStep(game());
    }
    EXPECT_EQ(monster(m).LastAIChange, lastChange);
    EXPECT_EQ(monster(m).Facing, Facing::Right);
    EXPECT_EQ(monster(m).Moving, 1);
}

TEST_F(MonstersTest, FriendlyMonsterThatFoundThePlayerKeepsWandering) {
    const size_t m = AddMonster(game(), 160.0f, 160.0f);
    monster(m).Friendly = 1;
    monster(m).FoundPlayer = 1;
    monster(m).LastAIChange = game().clock.FrameTime;
    PlacePlayer(game(), 160.0f, 400.0f);
    NextFrame(t, 1001);
    MonsterDecisionStep(game());
    EXPECT_EQ(monster(m).LastAIChange, game().clock.FrameTime);
}

// --- Movement ---------------------------------------------------------------

TEST_F(MonstersTest, WalksAtItsSpeedScaledByTheFrameTime) {
    const size_t left = AddSettledMonster(160.0f, 96.0f);
    const size_t right = AddSettledMonster(160.0f, 160.0f);
    const size_t down = AddSettledMonster(160.0f, 224.0f);
    const size_t upRight = AddSettledMonster(320.0f, 320.0f);
    PlacePlayer(game(), 480.0f, 10.0f);
    monster(left).Facing = Facing::Left;
    monster(right).Facing = Facing::Right;
    monster(down).Facing = Facing::Down;
    monster(upRight).Facing = Facing::Up;
    monster(upRight).Diagonal = Diagonal::Right;
    for (Monster& m : game().map->monsters)
        m.Moving = 1;
    NextFrame(t, 100);
    MonsterMoveStep(game());
    // The list is sorted by ClipTop afterwards: find the monsters by ID.
    auto byId = [&](int32_t id) -> const Monster& {
        for (const Monster& m : game().map->monsters)
            if (m.ID == id)
                return m;
        ADD_FAILURE() << "no monster " << id;
        return game().map->monsters.front();
    };
    EXPECT_FLOAT_EQ(byId(1).X, 160.0f - 6.4f);
    EXPECT_FLOAT_EQ(byId(2).X, 166.4f);
    EXPECT_FLOAT_EQ(byId(3).Y, 230.4f);
    EXPECT_FLOAT_EQ(byId(3).X, 160.0f);
    // Diagonal: nearest(64 * 0.75) = 48 pixels per second on both axes.
    EXPECT_FLOAT_EQ(byId(4).X, 324.8f);
    EXPECT_FLOAT_EQ(byId(4).Y, 315.2f);
}

TEST_F(MonstersTest, StandingFacingMinusOneAndDyingMonstersDoNotMove) {
    const size_t standing = AddSettledMonster(160.0f, 96.0f);
    const size_t onSpot = AddSettledMonster(160.0f, 160.0f);
    const size_t dying = AddSettledMonster(160.0f, 224.0f);
    PlacePlayer(game(), 480.0f, 10.0f);
    monster(standing).Facing = Facing::Right;
    monster(onSpot).Facing = Facing::None;
    monster(onSpot).Moving = 1;
    monster(dying).Facing = Facing::Right;
    monster(dying).Moving = 1;
    monster(dying).Dying = 1;
    NextFrame(t, 100);
    MonsterMoveStep(game());
    for (const Monster& m : game().map->monsters) {
        EXPECT_FLOAT_EQ(m.X, 160.0f);
    }
}

TEST_F(MonstersTest, DiagonalWalkSlidesAlongAWallAbove) {
    // Monster at (160, 161): clip box x 166..185, y 177..192 (tile row 5).
    const size_t m = AddSettledMonster(160.0f, 161.0f);
    for (int32_t column = 0; column < 16; ++column)
        SetAttribute(game(), column, 4, "X");
    PlacePlayer(game(), 480.0f, 480.0f);
    monster(m).Facing = Facing::Up;
    monster(m).Diagonal = Diagonal::Right;
    monster(m).Moving = 1;
    // 1000 ms at 48 px/s: 48 pixels up would enter row 4; right stays free.
    NextFrame(t, 1000);
    MonsterMoveStep(game());
    EXPECT_FLOAT_EQ(monster(m).X, 208.0f);
    EXPECT_FLOAT_EQ(monster(m).Y, 161.0f);
}

TEST_F(MonstersTest, DiagonalWalkSlidesUpAlongAWallBeside) {
    const size_t m = AddSettledMonster(160.0f, 161.0f);
    // Column 6 (x 192..223) is a monster-only wall.
    for (int32_t row = 0; row < 16; ++row)
        SetAttribute(game(), 6, row, "M");
    PlacePlayer(game(), 480.0f, 480.0f);
    monster(m).Facing = Facing::Up;
    monster(m).Diagonal = Diagonal::Right;
    monster(m).Moving = 1;
    NextFrame(t, 500);  // 24 pixels: the clip box would reach x 209
    MonsterMoveStep(game());
    EXPECT_FLOAT_EQ(monster(m).X, 160.0f);
    EXPECT_FLOAT_EQ(monster(m).Y, 137.0f);
}

TEST_F(MonstersTest, BlockedOnAllSidesStaysPut) {
    const size_t m = AddSettledMonster(160.0f, 161.0f);
    for (int32_t i = 0; i < 16; ++i) {
        SetAttribute(game(), 6, i, "W");
        SetAttribute(game(), i, 4, "W");
    }
    PlacePlayer(game(), 480.0f, 480.0f);
    monster(m).Facing = Facing::Up;
    monster(m).Diagonal = Diagonal::Right;
    monster(m).Moving = 1;
    NextFrame(t, 1000);
    MonsterMoveStep(game());
    EXPECT_FLOAT_EQ(monster(m).X, 160.0f);
    EXPECT_FLOAT_EQ(monster(m).Y, 161.0f);
}

TEST_F(MonstersTest, MonstersBlockEachOtherButNotThemselves) {
    const size_t walker = AddSettledMonster(100.0f, 160.0f);
    AddSettledMonster(140.0f, 160.0f);  // clip x 146..165
    PlacePlayer(game(), 480.0f, 480.0f);
    monster(walker).Facing = Facing::Right;
    monster(walker).Moving = 1;
    // 250 ms at 64 px/s: 16 pixels, clip x 122..141 would stay free.
    NextFrame(t, 250);
    MonsterMoveStep(game());
    EXPECT_FLOAT_EQ(monster(walker).X, 116.0f);
    RefreshClipBoxes(game());
    // Another 16 pixels would reach 157: blocked by the other monster.
    NextFrame(t, 250);
    MonsterMoveStep(game());
    EXPECT_FLOAT_EQ(monster(walker).X, 116.0f);
}

TEST_F(MonstersTest, TheMapEdgeIsAHardMarginForMonsters) {
    const size_t m = AddSettledMonster(4.0f, 160.0f);  // clip left 10
    PlacePlayer(game(), 480.0f, 480.0f);
    monster(m).Facing = Facing::Left;
    monster(m).Moving = 1;
    NextFrame(t, 100);  // 6.4 pixels: clip left 4 is still free
    MonsterMoveStep(game());
    EXPECT_FLOAT_EQ(monster(m).X, 4.0f - 6.4f);
    RefreshClipBoxes(game());
    NextFrame(t, 100);  // clip left would be <= 0
    MonsterMoveStep(game());
    EXPECT_FLOAT_EQ(monster(m).X, 4.0f - 6.4f);
}

// --- Attack start -----------------------------------------------------------

TEST_F(MonstersTest, TouchingHostileMonsterStartsAnAttack) {
    const size_t m = AddSettledMonster(160.0f, 190.0f);
    PlacePlayer(game(), 160.0f, 170.0f);  // the frames overlap
    monster(m).FoundPlayer = 1;
    monster(m).Facing = Facing::Up;
    monster(m).Moving = 1;
    monster(m).Type.AttackSound = test::LoadTestSound(t, "attack.wav");
    t.media.ClearSoundLog();
    NextFrame(t, 16);
    MonsterMoveStep(game());
    EXPECT_EQ(monster(m).Attacking, 1);
    EXPECT_EQ(monster(m).Moving, 0);
    EXPECT_EQ(monster(m).AttackFrame, 0);
    EXPECT_EQ(monster(m).HitLanded, 0);
    EXPECT_EQ(monster(m).LastAttackTime, game().clock.FrameTime);
    EXPECT_EQ(test::CountPlays(t, monster(m).Type.AttackSound), 1);
}

TEST_F(MonstersTest, NoAttackWithoutTouchingFindingHostilityOrMoving) {
    PlacePlayer(game(), 160.0f, 150.0f);
    const size_t far = AddSettledMonster(160.0f, 300.0f);
    monster(far).FoundPlayer = 1;
    monster(far).Moving = 1;
    monster(far).Facing = Facing::Up;
    const size_t unaware = AddSettledMonster(180.0f, 160.0f);
    monster(unaware).Moving = 1;
    monster(unaware).Facing = Facing::Right;
    const size_t friendly = AddSettledMonster(140.0f, 160.0f);
    monster(friendly).FoundPlayer = 1;
    monster(friendly).Friendly = 1;
    monster(friendly).Moving = 1;
    monster(friendly).Facing = Facing::Left;
    const size_t standing = AddSettledMonster(160.0f, 120.0f);
    monster(standing).FoundPlayer = 1;
    NextFrame(t, 16);
    MonsterMoveStep(game());
    for (const Monster& m : game().map->monsters) {
        EXPECT_EQ(m.Attacking, 0) << m.ID;
    }
}

TEST_F(MonstersTest, AttackDelayCountsFromTheEndOfTheLastAttack) {
    const size_t m = AddSettledMonster(160.0f, 190.0f);
    PlacePlayer(game(), 160.0f, 170.0f);
    monster(m).FoundPlayer = 1;
    monster(m).Facing = Facing::None;  // on the player's spot: it does not walk away
    monster(m).Moving = 1;
    // The previous attack ended now.
    monster(m).LastAttackTime = game().clock.FrameTime;
    NextFrame(t, 999);
    MonsterMoveStep(game());
    EXPECT_EQ(monster(m).Attacking, 0);
    EXPECT_EQ(monster(m).LastAttackTime, game().clock.FrameTime - 999);
    NextFrame(t, 1);
    MonsterMoveStep(game());
    EXPECT_EQ(monster(m).Attacking, 1);
    EXPECT_EQ(monster(m).LastAttackTime, game().clock.FrameTime);
}

// --- Depth sort -------------------------------------------------------------

TEST_F(MonstersTest, ListIsSortedByClipTopKeepingTheOrderOfEqualOnes) {
    PlacePlayer(game(), 480.0f, 480.0f);
    AddSettledMonster(32.0f, 200.0f);   // ID 1
    AddSettledMonster(96.0f, 100.0f);   // ID 2
    AddSettledMonster(160.0f, 200.0f);  // ID 3
    AddSettledMonster(224.0f, 50.0f);   // ID 4
    AddSettledMonster(288.0f, 100.0f);  // ID 5
    MonsterMoveStep(game());
    std::array<int32_t, 5> ids{};
    for (size_t i = 0; i < 5; ++i)
        ids[i] = monster(i).ID;
    EXPECT_EQ(ids, (std::array<int32_t, 5>{4, 2, 5, 1, 3}));
}

TEST_F(MonstersTest, LongListsAreSortedStablyToo) {
    PlacePlayer(game(), 480.0f, 480.0f);
    // Sixty monsters on three lines, IDs in list order, lines interleaved.
    for (int i = 0; i < 60; ++i) {
        AddSettledMonster(static_cast<float>(8 * (i % 50)), 40.0f + 100.0f * ((i * 7) % 3));
    }
    MonsterMoveStep(game());
    for (size_t i = 1; i < game().map->monsters.size(); ++i) {
        const Monster& before = monster(i - 1);
        const Monster& after = monster(i);
        ASSERT_LE(before.ClipTop, after.ClipTop) << i;
        if (before.ClipTop == after.ClipTop) {
            EXPECT_LT(before.ID, after.ID) << i;
        }
    }
}

}  // namespace
}  // namespace vorn

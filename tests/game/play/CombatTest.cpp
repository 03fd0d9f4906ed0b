// The player's hits on monsters, monster death and dropped hearts, monster
// hits on the player, and the animation step, on the headless clock.
#include "game/play/Combat.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>
#include <vector>

#include "game/bindings/Bindings.h"
#include "game/play/MapEntry.h"
#include "game/play/Monsters.h"
#include "game/play/PlayerControl.h"
#include "tests/game/support/PlayFixtures.h"

namespace vorn {
namespace {

using test::AddMonster;
using test::CountPlays;
using test::LoadTestSound;
using test::NextFrame;
using test::PlacePlayer;
using test::SetAttribute;
using test::SetUpArena;

// The player stands at (160, 160): clip box x 166..185, y 176..191. These
// monster positions lie on one side each, their frames touching the player's.
constexpr float kBelowX = 160.0f, kBelowY = 190.0f;
constexpr float kAboveX = 160.0f, kAboveY = 130.0f;
constexpr float kLeftX = 130.0f, kLeftY = 160.0f;
constexpr float kRightX = 190.0f, kRightY = 160.0f;

class CombatTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpArena(t);
        t.media.SeedRandom(99);
        PlacePlayer(game(), 160.0f, 160.0f);
    }
    Game& game() { return t.game; }
    Player& player() { return t.game.player; }
    Monster& monster(size_t index) { return t.game.map->monsters[index]; }

    // An 8 x 6 heart picture for dropped items.
    void UseHeartSprite() {
        t.folder.Write("heart.png", test::MakePng(8, 6, 0xFF0000));
        game().settings.HeartSprite = t.media.LoadSpriteFile(t.folder.Path() + "/heart.png");
    }

    void StartPlayerAttack(Facing facing) {
        player().Facing = facing;
        player().Attacking = 1;
        player().HitLanded = 0;
        player().AttackFrame = 0;
        player().AnimTime = game().clock.FrameTime;
    }

    // Registers a script command that records the presets it sees and,
    // when `swapMap` is set, replaces the lists as a map load does.
    void RegisterRecorder(bool swapMap) {
        game().script.RegisterCommand(
            [this, swapMap](ScriptEngine& engine) {
                recorded.push_back(engine.ExpandConstants("#MONSTERID #MONSTERX #MONSTERY"));
                if (swapMap)
                    SwapMap();
                engine.SetReturnValue("0", ValueType::Number);
                return 1;
            },
            "RecordEvent", 0);
    }

    // What entering a map does to the steps: a new map becomes current. The
    // old map's storage is released too, so any later access to an old
    // monster is caught by ASan.
    void SwapMap() {
        const std::shared_ptr<CurrentMap> old = game().map;
        game().map = std::make_shared<CurrentMap>();
        game().map->grid = std::move(old->grid);
        std::vector<Monster>().swap(old->monsters);
        std::vector<ObjectType>().swap(old->objects);
        AddMonster(game(), 400.0f, 400.0f);
    }

    test::TestGame t;
    std::vector<std::string> recorded;
};

// --- The player's hit ---------------------------------------------------------

struct SideCase {
    const char* name;
    float x, y;
    Facing hittingFacing;
};

const std::array<SideCase, 4> kSides{{
    {"below", kBelowX, kBelowY, Facing::Down},
    {"above", kAboveX, kAboveY, Facing::Up},
    {"left", kLeftX, kLeftY, Facing::Left},
    {"right", kRightX, kRightY, Facing::Right},
}};

TEST_F(CombatTest, PlayerHitsOnlyTheSideItFaces) {
    for (const SideCase& side : kSides) {
        for (int32_t facing = 0; facing < 4; ++facing) {
            SCOPED_TRACE(std::string(side.name) + " facing " + std::to_string(facing));
            game().map->monsters.clear();
            const size_t m = AddMonster(game(), side.x, side.y);
            StartPlayerAttack(static_cast<Facing>(facing));
            PlayerHitStep(game());
            const bool hit = static_cast<Facing>(facing) == side.hittingFacing;
            EXPECT_EQ(monster(m).Health, hit ? 6 : 10);
            EXPECT_EQ(player().HitLanded, hit ? 1 : 0);
        }
    }
}

TEST_F(CombatTest, AHitHurtsTurnsHostilePushesBackAndSounds) {
    const size_t m = AddMonster(game(), kBelowX, kBelowY);
    monster(m).Friendly = 1;
    monster(m).Type.HitSound = LoadTestSound(t, "hit.wav");
    t.media.ClearSoundLog();
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    EXPECT_EQ(monster(m).Health, 6);
    EXPECT_EQ(monster(m).Friendly, 0);
    EXPECT_EQ(monster(m).FoundPlayer, 1);
    EXPECT_EQ(player().HitLanded, 1);
    EXPECT_EQ(player().RecoilLeft, test::kRecoil);
    EXPECT_EQ(CountPlays(t, monster(m).Type.HitSound), 1);
    EXPECT_EQ(monster(m).Dying, 0);
    // The same attack lands no second hit.
    PlayerHitStep(game());
    EXPECT_EQ(monster(m).Health, 6);
}

TEST_F(CombatTest, GrownFramesThatTouchStillCountAsInReach) {
    // Player frame grown: y 159 .. 193. A monster frame at y 194 grown starts
    // at 193 (touching); one at 195 is out of reach.
    const size_t touching = AddMonster(game(), 160.0f, 194.0f);
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    EXPECT_EQ(monster(touching).Health, 6);

    game().map->monsters.clear();
    const size_t away = AddMonster(game(), 160.0f, 195.0f);
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    EXPECT_EQ(monster(away).Health, 10);
}

TEST_F(CombatTest, NoHitWithoutAnAttack) {
    const size_t m = AddMonster(game(), kBelowX, kBelowY);
    player().Facing = Facing::Down;
    PlayerHitStep(game());
    EXPECT_EQ(monster(m).Health, 10);
    EXPECT_EQ(player().RecoilLeft, 0);
}

TEST_F(CombatTest, OneAttackHitsOnlyTheFirstMonsterInListOrder) {
    const size_t first = AddMonster(game(), kBelowX, kBelowY);
    const size_t second = AddMonster(game(), kBelowX + 4.0f, kBelowY + 2.0f);
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    EXPECT_EQ(monster(first).Health, 6);
    EXPECT_EQ(monster(second).Health, 10);
}

TEST_F(CombatTest, DebugModeWritesTheHitIntoTheSpeechText) {
    game().map->info.SpeechText = "Welcome";
    const std::array<const char*, 4> expected{
        "Hit monster down. Monster HP: 6", "Hit monster up. Monster HP: 6",
        "Hit monster right. Monster HP: 6", "Hit monster left. Monster HP: 6"};
    const std::array<SideCase, 4> sides{kSides[0], kSides[1], kSides[3], kSides[2]};
    game().settings.DebugMode = 1;
    for (size_t i = 0; i < 4; ++i) {
        game().map->monsters.clear();
        AddMonster(game(), sides[i].x, sides[i].y);
        StartPlayerAttack(sides[i].hittingFacing);
        PlayerHitStep(game());
        EXPECT_EQ(game().map->info.SpeechText, expected[i]);
    }
    game().settings.DebugMode = 0;
    game().map->info.SpeechText = "Welcome";
    game().map->monsters.clear();
    AddMonster(game(), kBelowX, kBelowY);
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    EXPECT_EQ(game().map->info.SpeechText, "Welcome");
}

// --- Monster death ----------------------------------------------------------

TEST_F(CombatTest, AKillingHitMarksTheCorpseCountsAndAnnounces) {
    const size_t m = AddMonster(game(), kBelowX, kBelowY);
    monster(m).Health = 4;
    monster(m).Type.Name = "Cave Bat";
    monster(m).Type.DeathSound = LoadTestSound(t, "death.wav");
    t.media.ClearSoundLog();
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    EXPECT_EQ(monster(m).Health, 0);
    EXPECT_EQ(monster(m).Dying, 1);
    EXPECT_EQ(player().KillCount, 1);
    EXPECT_EQ(CountPlays(t, monster(m).Type.DeathSound), 1);
    EXPECT_EQ(game().StatusText, "You've slain Cave Bat");
    EXPECT_TRUE(game().map->objects.empty());  // drop rate 0 never drops
}

TEST_F(CombatTest, ADyingMonsterTakesHitsButDoesNotDieAgain) {
    const size_t m = AddMonster(game(), kBelowX, kBelowY);
    monster(m).Health = 4;
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    EXPECT_EQ(monster(m).Health, -4);
    EXPECT_EQ(player().KillCount, 1);
}

TEST_F(CombatTest, DeathCheckRunsForATouchingMonsterBehindThePlayer) {
    const size_t m = AddMonster(game(), kBelowX, kBelowY);
    monster(m).Health = 0;  // set by a script, for example
    StartPlayerAttack(Facing::Up);
    PlayerHitStep(game());
    EXPECT_EQ(monster(m).Health, 0);
    EXPECT_EQ(player().HitLanded, 0);
    EXPECT_EQ(monster(m).Dying, 1);
    EXPECT_EQ(player().KillCount, 1);
}

TEST_F(CombatTest, DropRateOneAlwaysDropsANumberedHeartAtTheFrameBottom) {
    UseHeartSprite();
    ASSERT_NE(game().settings.HeartSprite, 0);
    for (int kill = 1; kill <= 2; ++kill) {
        game().map->monsters.clear();
        const size_t m = AddMonster(game(), kBelowX + 0.5f, kBelowY);
        monster(m).Health = 1;
        monster(m).Type.ItemDropRate = 1;
        StartPlayerAttack(Facing::Down);
        PlayerHitStep(game());
        ASSERT_EQ(game().map->objects.size(), static_cast<size_t>(kill));
    }
    const ObjectType& first = game().map->objects[0];
    EXPECT_EQ(first.Name, "__AUTO_DROP_1");
    EXPECT_EQ(game().map->objects[1].Name, "__AUTO_DROP_2");
    EXPECT_EQ(first.Sprite, game().settings.HeartSprite);
    EXPECT_EQ(first.HealAmount, 1);
    EXPECT_EQ(first.Damage, 0);
    EXPECT_EQ(first.Health, 0);
    EXPECT_EQ(first.Speed, 0);
    // nearest(160.5 + 16 - 4) = 172 (172.5 to even), nearest(190 + 32 - 6).
    EXPECT_EQ(first.X, 172);
    EXPECT_EQ(first.Y, 216);
}

// The monster-die scripts run before the drop, so a script that moves the
// corpse moves the heart with it.
TEST_F(CombatTest, HeartDropsWhereTheMonsterDieScriptsLeftTheMonster) {
    UseHeartSprite();
    RegisterGameCommands(game());
    test::LoadScript(t, "global_monsterdie.ds", "SetMonsterX(#MONSTERID, 300)\n",
                     slots::kGlobalMonsterDie);
    const size_t m = AddMonster(game(), kBelowX, kBelowY);
    monster(m).Health = 1;
    monster(m).Type.ItemDropRate = 1;
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    ASSERT_EQ(monster(m).X, 300.0f);
    ASSERT_EQ(game().map->objects.size(), 1u);
    // nearest(300 + 16 - 4), nearest(190 + 32 - 6).
    EXPECT_EQ(game().map->objects[0].X, 312);
    EXPECT_EQ(game().map->objects[0].Y, 216);
}

TEST_F(CombatTest, DropRateThreeDropsAboutOneKillInThree) {
    constexpr int kKills = 3000;
    for (int kill = 0; kill < kKills; ++kill) {
        game().map->monsters.clear();
        const size_t m = AddMonster(game(), kBelowX, kBelowY);
        monster(m).Health = 1;
        monster(m).Type.ItemDropRate = 3;
        StartPlayerAttack(Facing::Down);
        PlayerHitStep(game());
    }
    EXPECT_EQ(player().KillCount, kKills);
    // Expected 1000; four standard deviations are about 103.
    EXPECT_NEAR(static_cast<int>(game().map->objects.size()), 1000, 105);
}

TEST_F(CombatTest, MonsterDieScriptsSeeTheDyingMonster) {
    RegisterRecorder(false);
    test::LoadScript(t, "maps/here_monsterdie.ds", "RecordEvent()\n", slots::kMapMonsterDie);
    test::LoadScript(t, "global_monsterdie.ds", "RecordEvent()\n", slots::kGlobalMonsterDie);
    AddMonster(game(), 400.0f, 400.0f);
    const size_t m = AddMonster(game(), kBelowX, kBelowY);
    monster(m).Health = 1;
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    ASSERT_EQ(recorded.size(), 2u);
    EXPECT_EQ(recorded[0], "'2' 160 190");
    EXPECT_EQ(recorded[1], "'2' 160 190");
    EXPECT_EQ(monster(m).Dying, 1);
}

TEST_F(CombatTest, MonsterDieScriptThatLoadsAMapLeavesTheNewMapAlone) {
    RegisterRecorder(true);
    test::LoadScript(t, "global_monsterdie.ds", "RecordEvent()\n", slots::kGlobalMonsterDie);
    const size_t m = AddMonster(game(), kBelowX, kBelowY);
    monster(m).Health = 1;
    monster(m).Type.Name = "Ogre";
    monster(m).Type.ItemDropRate = 1;
    AddMonster(game(), kBelowX + 2.0f, kBelowY + 2.0f);  // would be checked next
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    ASSERT_EQ(recorded.size(), 1u);
    ASSERT_EQ(game().map->monsters.size(), 1u);
    EXPECT_EQ(monster(0).Dying, 0);
    EXPECT_EQ(monster(0).Health, 10);
    EXPECT_EQ(player().KillCount, 1);
    EXPECT_EQ(game().StatusText, "You've slain Ogre");
    EXPECT_EQ(game().map->objects.size(), 1u);
}

TEST_F(CombatTest, MonsterDieScriptLoadingARealMapLeavesItsMonstersAlive) {
    MonsterType imp;
    imp.Name = "Imp";
    imp.Health = 1;
    imp.FrameWidth = 32;
    imp.FrameHeight = 32;
    imp.ClipWidth = 20;
    imp.ClipHeight = 16;
    imp.DeathDuration = 2;
    imp.ItemDropRate = 1;
    game().assets.monsterTypes.push_back(imp);
    RegisterGameCommands(game());
    test::LoadScript(t, "global_monsterdie.ds", "LoadMap('cave')\n", slots::kGlobalMonsterDie);
    // The imp of "town" stands right below the player, at (160, 191).
    test::WriteArenaMap(t, "town", {{5, 6, "1"}, {5, 7, "1"}});
    test::WriteArenaMap(t, "cave", {{2, 2, "1"}, {9, 9, "1"}, {12, 3, "1"}});
    EnterMap(game(), "town");
    ASSERT_EQ(game().map->monsters.size(), 2u);
    RefreshClipBoxes(game());
    const uint64_t entry = game().map->entry;
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    EXPECT_FALSE(game().ended);
    EXPECT_NE(game().map->entry, entry);
    ASSERT_EQ(game().map->monsters.size(), 3u);
    for (const Monster& each : game().map->monsters) {
        EXPECT_EQ(each.Dying, 0);
        EXPECT_EQ(each.Health, 1);
    }
    EXPECT_EQ(player().KillCount, 1);
    EXPECT_EQ(game().StatusText, "You've slain Imp");
}

TEST_F(CombatTest, DisableMonsterDeathRemovesTheCorpseAtItsNextStep) {
    RegisterGameCommands(game());
    test::LoadScript(t, "global_monsterdie.ds", "DisableMonsterDeath(#MONSTERID)\n",
                     slots::kGlobalMonsterDie);
    const size_t m = AddMonster(game(), kBelowX, kBelowY);
    monster(m).Health = 1;
    monster(m).DeathDuration = 5;
    monster(m).AnimTime = game().clock.FrameTime;
    StartPlayerAttack(Facing::Down);
    PlayerHitStep(game());
    ASSERT_EQ(monster(m).Dying, 1);
    EXPECT_EQ(monster(m).DeathDuration, 0);
    NextFrame(t, 99);
    AnimationStep(game());
    EXPECT_EQ(game().map->monsters.size(), 1u);
    NextFrame(t, 1);
    AnimationStep(game());
    EXPECT_TRUE(game().map->monsters.empty());
}

// --- The monster's hit ------------------------------------------------------

TEST_F(CombatTest, MonsterHitsOnlyAPlayerOnItsFacedSide) {
    // Each monster stands on one side of the player; it hits when it faces
    // the player: the one above facing down, and so on.
    struct MonsterSide {
        SideCase side;
        Facing hittingFacing;
        const char* message;
    };
    const std::array<MonsterSide, 4> cases{{
        {kSides[0], Facing::Up, "Hit player up. Player HP: 6"},
        {kSides[1], Facing::Down, "Hit player down. Player HP: 6"},
        {kSides[2], Facing::Right, "Hit player right. Player HP: 6"},
        {kSides[3], Facing::Left, "Hit player left. Player HP: 6"},
    }};
    game().settings.DebugMode = 1;
    for (const auto& [side, hittingFacing, message] : cases) {
        for (int32_t facing = -1; facing < 4; ++facing) {
            SCOPED_TRACE(std::string(side.name) + " facing " + std::to_string(facing));
            game().map->monsters.clear();
            const size_t m = AddMonster(game(), side.x, side.y);
            monster(m).Facing = static_cast<Facing>(facing);
            monster(m).Type.Damage = -1;  // a landed hit shows as +1 health
            player().Health = 5;
            player().RecoilLeft = 0;
            game().map->info.SpeechText.clear();
            MonsterHitsPlayer(game(), m);
            const bool hit = static_cast<Facing>(facing) == hittingFacing;
            EXPECT_EQ(player().Health, hit ? 6 : 5);
            EXPECT_EQ(game().map->info.SpeechText, hit ? message : "");
            EXPECT_EQ(monster(m).HitLanded, hit ? 1 : 0);
            EXPECT_EQ(player().RecoilLeft, hit ? test::kRecoil : 0);
        }
    }
}

TEST_F(CombatTest, AMonsterFacingThePlayerHitsWithoutADistanceTest) {
    const size_t m = AddMonster(game(), kAboveX, kAboveY);
    monster(m).Facing = Facing::Down;
    monster(m).Type.Damage = -2;
    player().Health = 1;
    PlacePlayer(game(), 160.0f, 420.0f);  // walked far away below
    MonsterHitsPlayer(game(), m);
    EXPECT_EQ(player().Health, 3);
}

TEST_F(CombatTest, DamageFiveTakesZeroToFive) {
    const size_t m = AddMonster(game(), kAboveX, kAboveY);
    monster(m).Facing = Facing::Down;
    monster(m).Type.Damage = 5;
    std::array<int, 6> seen{};
    for (int i = 0; i < 600; ++i) {
        player().Health = 100;
        player().MaxHealth = 100;
        MonsterHitsPlayer(game(), m);
        const int taken = 100 - player().Health;
        ASSERT_GE(taken, 0);
        ASSERT_LE(taken, 5);
        seen[static_cast<size_t>(taken)]++;
    }
    for (int count : seen) {
        EXPECT_GT(count, 50);
    }
}

TEST_F(CombatTest, NegativeDamageHealsUpToMaxHealth) {
    const size_t m = AddMonster(game(), kAboveX, kAboveY);
    monster(m).Facing = Facing::Down;
    monster(m).Type.Damage = -3;
    player().Health = 5;
    player().MaxHealth = 10;
    MonsterHitsPlayer(game(), m);
    EXPECT_EQ(player().Health, 8);
    MonsterHitsPlayer(game(), m);
    EXPECT_EQ(player().Health, 10);
}

TEST_F(CombatTest, MonsterHitSoundsAndWritesTheDebugMessage) {
    game().settings.PlayerHitSound = LoadTestSound(t, "ouch.wav");
    game().settings.DebugMode = 1;
    const size_t m = AddMonster(game(), kRightX, kRightY);
    monster(m).Facing = Facing::Left;
    monster(m).Type.Damage = -1;
    player().Health = 5;
    t.media.ClearSoundLog();
    MonsterHitsPlayer(game(), m);
    EXPECT_EQ(game().map->info.SpeechText, "Hit player left. Player HP: 6");
    EXPECT_EQ(CountPlays(t, game().settings.PlayerHitSound), 1);
}

TEST_F(CombatTest, PlayerDeathSoundsAndRunsThePlayerDieScripts) {
    RegisterRecorder(false);
    test::LoadScript(t, "maps/here_playerdie.ds", "RecordEvent()\n", slots::kMapPlayerDie);
    test::LoadScript(t, "global_playerdie.ds", "RecordEvent()\n", slots::kGlobalPlayerDie);
    game().settings.PlayerDeathSound = LoadTestSound(t, "dead.wav");
    AddMonster(game(), 400.0f, 400.0f);
    const size_t m = AddMonster(game(), kAboveX, kAboveY);
    monster(m).Facing = Facing::None;  // no hit: the check runs all the same
    player().Health = 0;
    t.media.ClearSoundLog();
    MonsterHitsPlayer(game(), m);
    EXPECT_EQ(CountPlays(t, game().settings.PlayerDeathSound), 1);
    ASSERT_EQ(recorded.size(), 2u);
    EXPECT_EQ(recorded[0], "'2' 160 130");
    EXPECT_EQ(player().Health, 0);  // the engine does nothing else
}

TEST_F(CombatTest, PlayerDieScriptThatLoadsAMapEndsTheMonsterPartOfTheStep) {
    RegisterRecorder(true);
    test::LoadScript(t, "global_playerdie.ds", "RecordEvent()\n", slots::kGlobalPlayerDie);
    const size_t m = AddMonster(game(), kAboveX, kAboveY);
    monster(m).Facing = Facing::Down;
    monster(m).Attacking = 1;
    monster(m).AttackFrame = test::kArenaAttackFrames - 1;
    monster(m).AnimTime = game().clock.FrameTime;
    AddMonster(game(), 300.0f, 300.0f);
    player().Health = 0;
    NextFrame(t, 100);
    AnimationStep(game());
    ASSERT_EQ(recorded.size(), 1u);
    ASSERT_EQ(game().map->monsters.size(), 1u);
    EXPECT_EQ(monster(0).AnimTime, 0);  // the new map's monster was not stepped
}

// The monster part of a frame, in the order of the main loop.
void RunMonsterFrame(test::TestGame& t, int32_t ms) {
    NextFrame(t, ms);
    MonsterMoveStep(t.game);
    RefreshClipBoxes(t.game);
    MonsterDecisionStep(t.game);
    PlayerHitStep(t.game);
    AnimationStep(t.game);
}

TEST_F(CombatTest, AFriendlyMonsterTurnsHostileAfterOneHitAndThenAttacks) {
    const size_t m = AddMonster(game(), kBelowX, kBelowY);
    monster(m).Friendly = 1;
    monster(m).FoundPlayer = 1;
    monster(m).Moving = 1;
    monster(m).Facing = Facing::Right;
    monster(m).LastAIChange = game().clock.FrameTime + 100000;
    for (int frame = 0; frame < 30; ++frame) {
        RunMonsterFrame(t, 10);
        ASSERT_EQ(monster(0).Attacking, 0) << frame;
    }
    monster(0).X = kBelowX;  // back from its wandering, touching the player
    monster(0).Y = kBelowY;
    RefreshClipBoxes(game());
    StartPlayerAttack(Facing::Down);
    RunMonsterFrame(t, 10);
    EXPECT_EQ(monster(0).Friendly, 0);
    EXPECT_EQ(monster(0).Attacking, 0);
    RunMonsterFrame(t, 10);
    EXPECT_EQ(monster(0).Attacking, 1);
}

TEST_F(CombatTest, ATouchingMonsterAttacksOncePerAnimationPlusDelay) {
    // On the player's spot it faces -1: it never walks and never hits, but
    // keeps attacking. An attack ends at the fourth 100 ms animation step and
    // the next starts 1000 ms later. The steps keep the rhythm of the walk
    // before (the attack start does not restart it), so after the first
    // attack the first step falls into the starting frame: every 1300 ms.
    const size_t m = AddMonster(game(), 160.0f, 160.0f);
    monster(m).FoundPlayer = 1;
    monster(m).Type.AttackSound = LoadTestSound(t, "bite.wav");
    t.media.ClearSoundLog();
    std::vector<int32_t> starts;
    const int32_t begin = game().clock.FrameTime;
    for (int frame = 0; frame < 600; ++frame) {
        RunMonsterFrame(t, 10);
        if (monster(0).Attacking == 1 && monster(0).LastAttackTime == game().clock.FrameTime) {
            starts.push_back(game().clock.FrameTime - begin);
        }
    }
    EXPECT_EQ(starts, (std::vector<int32_t>{20, 1410, 2710, 4010, 5310}));
    EXPECT_EQ(CountPlays(t, monster(0).Type.AttackSound), 5);
    EXPECT_EQ(player().Health, 10);
}

TEST_F(CombatTest, RecoilIntoAWallEndsAtOnce) {
    // Attacking right pushes the player left; column 4 (x 128..160) is a wall.
    for (int32_t row = 0; row < 16; ++row)
        SetAttribute(game(), 4, row, "X");
    AddMonster(game(), kRightX, kRightY);
    StartPlayerAttack(Facing::Right);
    PlayerHitStep(game());
    ASSERT_EQ(player().RecoilLeft, test::kRecoil);
    player().Attacking = 0;
    NextFrame(t, 100);  // 20 pixels: the clip box would reach into column 4
    PlayerMoveStep(game());
    EXPECT_EQ(player().RecoilLeft, 0);
    EXPECT_FLOAT_EQ(player().X, 160.0f);
}

TEST_F(CombatTest, RecoilWithRoomPushesAgainstTheFacing) {
    AddMonster(game(), kRightX, kRightY);
    StartPlayerAttack(Facing::Right);
    PlayerHitStep(game());
    player().Attacking = 0;
    NextFrame(t, 20);  // 200 px/s: 4 pixels
    PlayerMoveStep(game());
    EXPECT_FLOAT_EQ(player().X, 156.0f);
    EXPECT_EQ(player().RecoilLeft, test::kRecoil - 4);
}

// --- The animation step -----------------------------------------------------

TEST_F(CombatTest, PlayerWalkFramesAdvanceByElapsedStepsAndSoundEachStep) {
    game().settings.PlayerMoveSound = LoadTestSound(t, "step.wav");
    t.media.ClearSoundLog();
    player().Moving = 1;
    player().AnimTime = game().clock.FrameTime;
    NextFrame(t, 99);
    AnimationStep(game());
    EXPECT_EQ(player().WalkFrame, 0);
    NextFrame(t, 1);
    AnimationStep(game());
    EXPECT_EQ(player().WalkFrame, 1);
    EXPECT_EQ(player().AnimTime, game().clock.FrameTime);
    NextFrame(t, 250);  // two steps at once
    AnimationStep(game());
    EXPECT_EQ(player().WalkFrame, 3);
    NextFrame(t, 100);  // wraps at MoveFrameCount
    AnimationStep(game());
    EXPECT_EQ(player().WalkFrame, 0);
    EXPECT_EQ(CountPlays(t, game().settings.PlayerMoveSound), 3);
}

TEST_F(CombatTest, PlayerAttackLastsAttackFrameCountSteps) {
    StartPlayerAttack(Facing::Down);
    for (int step = 1; step < test::kArenaAttackFrames; ++step) {
        NextFrame(t, 350);  // a long frame still advances one attack frame
        AnimationStep(game());
        EXPECT_EQ(player().AttackFrame, step);
        EXPECT_EQ(player().Attacking, 1);
    }
    NextFrame(t, 100);
    AnimationStep(game());
    EXPECT_EQ(player().Attacking, 0);
    EXPECT_EQ(player().AttackEndTime, game().clock.FrameTime);
}

TEST_F(CombatTest, CorpseStaysDeathDurationStepsThenGoes) {
    const size_t m = AddMonster(game(), 300.0f, 300.0f);
    monster(m).Dying = 1;
    monster(m).DeathDuration = 3;
    monster(m).AnimTime = game().clock.FrameTime;
    for (int32_t left = 2; left >= 0; --left) {
        NextFrame(t, 100);
        AnimationStep(game());
        ASSERT_EQ(game().map->monsters.size(), 1u);
        EXPECT_EQ(monster(m).DeathDuration, left);
    }
    NextFrame(t, 99);
    AnimationStep(game());
    EXPECT_EQ(game().map->monsters.size(), 1u);
    NextFrame(t, 1);
    AnimationStep(game());
    EXPECT_TRUE(game().map->monsters.empty());
}

TEST_F(CombatTest, TheMonsterAfterARemovedCorpseWaitsOneFrame) {
    const size_t corpse = AddMonster(game(), 300.0f, 300.0f);
    monster(corpse).Dying = 1;
    monster(corpse).DeathDuration = 0;
    const size_t walker = AddMonster(game(), 300.0f, 360.0f);
    monster(walker).Moving = 1;
    for (Monster& each : game().map->monsters)
        each.AnimTime = game().clock.FrameTime;
    NextFrame(t, 100);
    AnimationStep(game());
    ASSERT_EQ(game().map->monsters.size(), 1u);
    EXPECT_EQ(monster(0).WalkFrame, 0);
    NextFrame(t, 1);
    AnimationStep(game());
    EXPECT_EQ(monster(0).WalkFrame, 1);
}

TEST_F(CombatTest, MonsterAttackEndsAfterItsFramesAndThenHits) {
    const size_t m = AddMonster(game(), kAboveX, kAboveY);
    monster(m).Facing = Facing::Down;
    monster(m).Type.Damage = -2;
    monster(m).Attacking = 1;
    monster(m).AnimTime = game().clock.FrameTime;
    player().Health = 5;
    for (int step = 1; step < test::kArenaAttackFrames; ++step) {
        NextFrame(t, 100);
        AnimationStep(game());
        EXPECT_EQ(monster(m).Attacking, 1);
        EXPECT_EQ(player().Health, 5);
    }
    NextFrame(t, 100);
    AnimationStep(game());
    EXPECT_EQ(monster(m).Attacking, 0);
    EXPECT_EQ(monster(m).LastAttackTime, game().clock.FrameTime);
    EXPECT_EQ(player().Health, 7);
}

TEST_F(CombatTest, MonsterWalkFramesWrapAndStandingMonstersDoNotAnimate) {
    const size_t walker = AddMonster(game(), 300.0f, 300.0f);
    const size_t standing = AddMonster(game(), 300.0f, 360.0f);
    monster(walker).Moving = 1;
    monster(walker).AnimTime = game().clock.FrameTime;
    for (int i = 0; i < 5; ++i) {
        NextFrame(t, 100);
        AnimationStep(game());
    }
    EXPECT_EQ(monster(walker).WalkFrame, 1);  // 0 1 2 3 0 1
    EXPECT_EQ(monster(standing).WalkFrame, 0);
    EXPECT_EQ(monster(standing).AnimTime, 0);
}

TEST_F(CombatTest, ZeroAnimationSpeedStepsOneFrameWithoutDividingByZero) {
    game().settings.AnimationSpeed = 0;
    player().Moving = 1;
    const size_t m = AddMonster(game(), 300.0f, 300.0f);
    monster(m).Moving = 1;
    NextFrame(t, 16);
    AnimationStep(game());
    EXPECT_EQ(player().WalkFrame, 1);
    EXPECT_EQ(monster(m).WalkFrame, 1);
}

TEST_F(CombatTest, AnimationInstancesAdvanceInTheSameStep) {
    Animation instance;
    instance.Name = "fire";
    instance.FrameCount = 3;
    instance.FramesPerSecond = 10.0f;
    instance.LastFrameTime = game().clock.FrameTime;
    game().map->animations.push_back(instance);
    NextFrame(t, 100);
    AnimationStep(game());
    EXPECT_EQ(game().map->animations[0].CurrentFrame, 1);
}

// Values from monsters.ini and scripts are untrusted: extreme ones must not
// overflow (the sanitizer build aborts on signed overflow) or divide by zero.
TEST_F(CombatTest, ExtremeValuesNeitherOverflowNorCrash) {
    game().settings.AnimationSpeed = -5;
    game().settings.AttackFrameCount = INT32_MIN;
    game().settings.MoveFrameCount = INT32_MAX;
    game().settings.PlayerRecoilAmount = INT32_MAX;
    player().Damage = INT32_MAX;
    player().Health = INT32_MIN + 1;
    player().MaxHealth = INT32_MAX;
    player().KillCount = INT32_MAX;
    player().WalkFrame = INT32_MAX;
    player().Moving = 1;
    const std::array<int32_t, 4> values{INT32_MIN, -1, 0, INT32_MAX};
    for (int32_t value : values) {
        const size_t m = AddMonster(game(), kBelowX, kBelowY);
        Monster& each = monster(m);
        each.Type.Damage = value;
        each.Health = value;
        each.Type.Speed = value;
        each.Type.ClipWidth = value;
        each.Type.ClipHeight = value == INT32_MIN ? INT32_MAX : value;
        each.Type.ItemDropRate = value;
        each.DeathDuration = value;
        each.WalkFrame = INT32_MAX;
        each.AttackFrame = INT32_MAX;
        each.Moving = 1;
        each.FoundPlayer = 1;
        each.Facing = static_cast<Facing>(m % 4);
        each.LastAIChange = INT32_MIN;
        each.LastAttackTime = INT32_MAX;
        each.AnimTime = INT32_MIN;
    }
    for (int frame = 0; frame < 6; ++frame) {
        NextFrame(t, 16);
        StartPlayerAttack(static_cast<Facing>(frame % 4));
        MonsterMoveStep(game());
        MonsterDecisionStep(game());
        PlayerHitStep(game());
        AnimationStep(game());
        if (!game().map->monsters.empty()) {
            game().map->monsters.front().Attacking = 1;
            MonsterHitsPlayer(game(), 0);
        }
        MonsterHitsPlayer(game(), 1000);  // an index past the list does nothing
    }
    EXPECT_LE(player().Health, player().MaxHealth);
}

}  // namespace
}  // namespace vorn

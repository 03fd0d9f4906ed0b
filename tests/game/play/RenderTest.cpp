// What DrawFrame draws and in which order, read from the headless draw log:
// layers and animation stages, actors in depth order, the foreground-behind
// rule, hidden inventory objects, sprite-sheet frames and their limits, the
// death mark and the night overlay.
#include "game/play/Render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/game/support/PlayFixtures.h"

namespace vorn {
namespace {

using test::MakeSprite;
using test::PlacePlayer;
using test::PutMonster;
using test::SetUpField;
using DrawCall = HeadlessMedia::DrawCall;

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpField(t, 20, 20);
        playerSheet = MakeSprite(t, "player", 4 * 32, 7 * 32, 0x3050A0);
        t.game.player.Sprite = playerSheet;
        // The player at (200, 200): the camera follows on both axes, so map
        // position m shows at m - 56 horizontally and m - 88 vertically.
        PlacePlayer(t.game, 200.0f, 200.0f);
    }

    const std::vector<DrawCall>& Log() { return t.media.DrawLog(); }
    // Index of the first draw of `sprite` (at x, y when given) in the log.
    int IndexOf(SpriteHandle sprite, int x = -99999, int y = -99999) {
        const auto& log = Log();
        for (size_t i = 0; i < log.size(); ++i) {
            if (log[i].sprite == sprite && (x == -99999 || (log[i].x == x && log[i].y == y))) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    int CountOf(SpriteHandle sprite) {
        const auto& log = Log();
        return static_cast<int>(std::count_if(
            log.begin(), log.end(), [sprite](const DrawCall& d) { return d.sprite == sprite; }));
    }

    SpriteHandle playerSheet;
    test::TestGame t;
};

TEST_F(RenderTest, LayersAndAnimationStagesAreDrawnInTheirOrder) {
    const SpriteHandle ground = test::AddTileImage(t, "grass", 32, 32, 0x208020);
    const SpriteHandle back = test::AddTileImage(t, "flower", 32, 32, 0xC04040);
    const SpriteHandle fore = test::AddTileImage(t, "leaves", 32, 32, 0x30A030);
    const SpriteHandle top = test::AddTileImage(t, "cloud", 32, 32, 0xE0E0E0);
    MapCell& cell = *t.game.map->grid.Cell(8, 8);  // right of and below the player
    cell.GroundSprite = ground;
    cell.BackgroundSprite = back;
    cell.ForegroundSprite = fore;
    cell.TopSprite = top;
    SpriteHandle stageSprites[5] = {};
    for (int stage = 1; stage <= 4; ++stage) {
        stageSprites[stage] =
            MakeSprite(t, "anim" + std::to_string(stage), 64, 16, 0x101010 * stage);
        Animation animation;
        animation.Sprite = stageSprites[stage];
        animation.FrameWidth = 16;
        animation.CurrentFrame = stage - 1;
        animation.X = 300;
        animation.Y = 310;
        animation.DrawStage = stage;
        t.game.map->animations.push_back(animation);
    }
    ObjectType object;
    object.Name = "Ring";
    object.Sprite = MakeSprite(t, "ring", 8, 8, 0xFFD700);
    object.X = 250;
    object.Y = 250;
    t.game.map->objects.push_back(object);

    DrawFrame(t.game);
    const std::vector<int> order = {
        IndexOf(ground),         IndexOf(stageSprites[1]), IndexOf(back),
        IndexOf(object.Sprite),  IndexOf(stageSprites[2]), IndexOf(playerSheet),
        IndexOf(fore),           IndexOf(stageSprites[3]), IndexOf(top),
        IndexOf(stageSprites[4])};
    for (size_t i = 0; i < order.size(); ++i) {
        ASSERT_GE(order[i], 0) << "draw " << i << " missing";
        if (i > 0) {
            EXPECT_LT(order[i - 1], order[i]) << "draw " << i << " out of order";
        }
    }
    // Ground is opaque, everything else transparent; tiles at the camera's
    // position of their cell, animations clipped to their frame.
    EXPECT_FALSE(Log()[order[0]].transparent);
    EXPECT_EQ(Log()[order[0]].x, 8 * 32 - 56);
    EXPECT_EQ(Log()[order[0]].y, 8 * 32 - 88);
    EXPECT_TRUE(Log()[order[2]].transparent);
    const DrawCall& stage3 = Log()[order[7]];
    EXPECT_EQ(stage3.clipX, 32);
    EXPECT_EQ(stage3.clipWidth, 16);
    EXPECT_EQ(stage3.x, 300 - 56);
    EXPECT_EQ(stage3.y, 310 - 88);
}

TEST_F(RenderTest, ThePlayerGoesBeforeTheFirstMonsterLowerOnTheScreen) {
    // Player ClipTop 216; the list is sorted by ClipTop as the monster step
    // leaves it.
    const SpriteHandle above = MakeSprite(t, "above", 128, 224, 0x800000);
    const SpriteHandle level = MakeSprite(t, "level", 128, 224, 0x008000);
    const SpriteHandle below = MakeSprite(t, "below", 128, 224, 0x000080);
    PutMonster(t.game, 150.0f, 184.0f, above, 1);  // ClipTop 200
    PutMonster(t.game, 260.0f, 200.0f, level, 2);  // ClipTop 216, equal
    PutMonster(t.game, 240.0f, 224.0f, below, 3);  // ClipTop 240
    DrawFrame(t.game);
    const int player = IndexOf(playerSheet);
    EXPECT_LT(IndexOf(above), IndexOf(level));
    EXPECT_LT(IndexOf(level), player);  // an equal ClipTop is drawn under
    EXPECT_LT(player, IndexOf(below));
    EXPECT_EQ(Log()[IndexOf(below)].x, 240 - 56);
    EXPECT_EQ(Log()[IndexOf(below)].y, 224 - 88);
    EXPECT_EQ(Log()[player].x, PlayerScreenX(t.game));
    EXPECT_EQ(Log()[player].y, PlayerScreenY(t.game));
}

TEST_F(RenderTest, WithNoMonsterBelowThePlayerItIsDrawnLast) {
    const SpriteHandle above = MakeSprite(t, "above", 128, 224, 0x800000);
    PutMonster(t.game, 150.0f, 100.0f, above, 1);
    DrawFrame(t.game);
    EXPECT_LT(IndexOf(above), IndexOf(playerSheet));
    EXPECT_EQ(CountOf(playerSheet), 1);
}

TEST_F(RenderTest, ForegroundAboveTheFeetGoesUnderThePlayerAndTheRestOver) {
    // Player frame 200 .. 232 on both axes: feet at 232.
    const SpriteHandle leaves = test::AddTileImage(t, "leaves", 32, 32, 0x30A030);
    t.game.map->grid.Cell(6, 6)->ForegroundSprite = leaves;  // y 192 .. 224: above the feet
    t.game.map->grid.Cell(6, 7)->ForegroundSprite = leaves;  // y 224 .. 256: reaches below
    t.game.map->grid.Cell(6, 5)->ForegroundSprite = leaves;  // y 160 .. 192: not touching
    DrawFrame(t.game);
    const int player = IndexOf(playerSheet);
    const int behind = IndexOf(leaves, 192 - 56, 192 - 88);
    const int over = IndexOf(leaves, 192 - 56, 224 - 88);
    const int apart = IndexOf(leaves, 192 - 56, 160 - 88);
    ASSERT_GE(behind, 0);
    EXPECT_LT(behind, player);
    EXPECT_GT(over, player);
    EXPECT_GT(apart, player);
    EXPECT_EQ(CountOf(leaves), 3);  // the flagged cell is not drawn twice
    for (const MapCell& cell : t.game.map->grid.Cells()) {
        ASSERT_EQ(cell.DrawnBehind, 0);
    }
}

TEST_F(RenderTest, ATileWhoseBottomIsAtTheFeetIsDrawnOverThePlayer) {
    PlacePlayer(t.game, 200.0f, 192.0f);  // feet at 224, the tile's bottom
    const SpriteHandle leaves = test::AddTileImage(t, "leaves", 32, 32, 0x30A030);
    t.game.map->grid.Cell(6, 6)->ForegroundSprite = leaves;
    DrawFrame(t.game);
    EXPECT_GT(IndexOf(leaves), IndexOf(playerSheet));
}

TEST_F(RenderTest, MonstersHideForegroundAboveTheirFeetToo) {
    const SpriteHandle bat = MakeSprite(t, "bat", 128, 224, 0x404040);
    const SpriteHandle leaves = test::AddTileImage(t, "leaves", 32, 32, 0x30A030);
    t.game.map->grid.Cell(10, 3)->ForegroundSprite = leaves;  // y 96 .. 128
    PutMonster(t.game, 325.0f, 100.0f, bat, 1);               // feet at 132
    DrawFrame(t.game);
    EXPECT_LT(IndexOf(leaves), IndexOf(bat));
    EXPECT_LT(IndexOf(bat), IndexOf(playerSheet));
    for (const MapCell& cell : t.game.map->grid.Cells()) {
        ASSERT_EQ(cell.DrawnBehind, 0);
    }
}

TEST_F(RenderTest, AnObjectInTheInventoryIsNotDrawnButStaysOnTheMap) {
    ObjectType key;
    key.Name = "Key";
    key.Sprite = MakeSprite(t, "key", 8, 8, 0xFFFF00);
    key.X = 240;
    key.Y = 250;
    ObjectType gem = key;
    gem.Name = "Gem";
    gem.Sprite = MakeSprite(t, "gem", 8, 8, 0x00FF00);
    t.game.map->objects = {key, gem};
    t.game.inventory = {"Key", "gem"};  // names compare case-sensitively
    DrawFrame(t.game);
    EXPECT_EQ(CountOf(key.Sprite), 0);
    ASSERT_EQ(CountOf(gem.Sprite), 1);
    EXPECT_EQ(Log()[IndexOf(gem.Sprite)].x, 240 - 56);
    EXPECT_EQ(Log()[IndexOf(gem.Sprite)].y, 250 - 88);
    EXPECT_EQ(t.game.map->objects.size(), 2u);
}

TEST_F(RenderTest, SheetFramesFollowFacingWalkAndAttackFrames) {
    t.game.player.Facing = Facing::Right;
    t.game.player.WalkFrame = 3;
    DrawFrame(t.game);
    const DrawCall walk = Log()[IndexOf(playerSheet)];
    EXPECT_EQ(walk.clipX, 64);
    EXPECT_EQ(walk.clipY, 96);
    EXPECT_EQ(walk.clipWidth, 32);
    EXPECT_EQ(walk.clipHeight, 32);
    t.game.player.Attacking = 1;
    t.game.player.AttackFrame = 2;  // row MoveFrameCount (4) + 2
    DrawFrame(t.game);
    const DrawCall attack = Log()[IndexOf(playerSheet)];
    EXPECT_EQ(attack.clipX, 64);
    EXPECT_EQ(attack.clipY, 192);
}

TEST_F(RenderTest, FramesOutsideTheSheetAreNeverRead) {
    // A sheet of 4 x 6 frames and a short seventh row of 8 pixels.
    const SpriteHandle shortSheet = MakeSprite(t, "short", 128, 200, 0x123456);
    t.game.player.Sprite = shortSheet;
    t.game.player.Facing = Facing::Up;
    t.game.player.Attacking = 1;
    t.game.player.AttackFrame = 2;  // row 6: cut to the 8 pixels there
    DrawFrame(t.game);
    ASSERT_EQ(CountOf(shortSheet), 1);
    const DrawCall cut = Log()[IndexOf(shortSheet)];
    EXPECT_EQ(cut.clipY, 192);
    EXPECT_EQ(cut.clipHeight, 8);
    t.game.player.AttackFrame = 3;  // row 7 does not exist: not drawn
    DrawFrame(t.game);
    EXPECT_EQ(CountOf(shortSheet), 0);
    t.game.player.AttackFrame = 0;
    t.game.player.Facing = static_cast<Facing>(4);  // no fifth column
    DrawFrame(t.game);
    EXPECT_EQ(CountOf(shortSheet), 0);

    // A chasing monster at the player's own clip position faces -1.
    const SpriteHandle bat = MakeSprite(t, "bat", 128, 224, 0x404040);
    Monster& m = PutMonster(t.game, 300.0f, 300.0f, bat, 1);
    m.Facing = Facing::None;
    DrawFrame(t.game);
    EXPECT_EQ(CountOf(bat), 0);
    t.game.map->monsters[0].Facing = Facing::Left;
    DrawFrame(t.game);
    ASSERT_EQ(CountOf(bat), 1);
    EXPECT_EQ(Log()[IndexOf(bat)].clipX, 96);
}

TEST_F(RenderTest, TheDeathMarkJumpsAboutInsideTheDyingMonstersFrame) {
    const SpriteHandle bat = MakeSprite(t, "bat", 128, 224, 0x404040);
    t.game.settings.DeathSprite = MakeSprite(t, "death", 8, 12, 0xFF0000);
    Monster& m = PutMonster(t.game, 300.0f, 300.0f, bat, 1);
    m.Dying = 1;
    m.DeathDuration = 2;
    t.media.SeedRandom(99);
    std::vector<int> xs;
    for (int frame = 0; frame < 40; ++frame) {
        DrawFrame(t.game);
        const int mark = IndexOf(t.game.settings.DeathSprite);
        ASSERT_GT(mark, IndexOf(bat));
        const DrawCall d = Log()[mark];
        EXPECT_GE(d.x, 300 - 56);
        EXPECT_LE(d.x, 300 - 56 + 24);
        EXPECT_GE(d.y, 300 - 88);
        EXPECT_LE(d.y, 300 - 88 + 20);
        xs.push_back(d.x);
    }
    std::sort(xs.begin(), xs.end());
    EXPECT_GT(std::unique(xs.begin(), xs.end()) - xs.begin(), 3);

    t.game.map->monsters[0].DeathDuration = 0;  // the corpse has gone
    DrawFrame(t.game);
    EXPECT_EQ(CountOf(t.game.settings.DeathSprite), 0);
}

TEST_F(RenderTest, ADeathMarkLargerThanTheFrameIsDrawnAtTheFramesCorner) {
    const SpriteHandle bat = MakeSprite(t, "bat", 128, 224, 0x404040);
    t.game.settings.DeathSprite = MakeSprite(t, "death", 40, 40, 0xFF0000);
    Monster& m = PutMonster(t.game, 300.0f, 300.0f, bat, 1);
    m.Dying = 1;
    m.DeathDuration = 1;
    for (int frame = 0; frame < 5; ++frame) {
        DrawFrame(t.game);
        const DrawCall d = Log()[IndexOf(t.game.settings.DeathSprite)];
        EXPECT_EQ(d.x, 300 - 56);
        EXPECT_EQ(d.y, 300 - 88);
    }
}

TEST_F(RenderTest, NightFollowsTheClockAndTheMapsFlags) {
    t.game.settings.LengthOfDay = 600;
    t.game.clock.TimeOfDay = 299;
    EXPECT_FALSE(IsNight(t.game));
    t.game.clock.TimeOfDay = 300;
    EXPECT_TRUE(IsNight(t.game));
    t.game.clock.TimeOfDay = 600;
    EXPECT_TRUE(IsNight(t.game));
    t.game.map->info.AlwaysDay = 1;
    EXPECT_FALSE(IsNight(t.game));
    t.game.map->info.AlwaysNight = 1;  // AlwaysDay wins
    EXPECT_FALSE(IsNight(t.game));
    t.game.map->info.AlwaysDay = 0;
    t.game.clock.TimeOfDay = 0;
    EXPECT_TRUE(IsNight(t.game));
    // Without a day length there is night only when the map asks for it.
    t.game.settings.LengthOfDay = 0;
    EXPECT_TRUE(IsNight(t.game));
    t.game.map->info.AlwaysNight = 0;
    t.game.clock.TimeOfDay = 1000;
    EXPECT_FALSE(IsNight(t.game));
}

TEST_F(RenderTest, TheNightOverlayCoversEveryScreenTileAndNotTheStatusBar) {
    t.game.settings.NightTile = MakeSprite(t, "night", 32, 32, 0x000040);
    t.game.settings.LengthOfDay = 600;
    t.game.clock.TimeOfDay = 299;
    DrawFrame(t.game);
    EXPECT_EQ(CountOf(t.game.settings.NightTile), 0);
    t.game.clock.TimeOfDay = 300;
    DrawFrame(t.game);
    ASSERT_EQ(CountOf(t.game.settings.NightTile), 10 * 8);
    // In screen coordinates, after everything but the texts.
    std::vector<std::pair<int, int>> places;
    for (const DrawCall& d : Log()) {
        if (d.sprite == t.game.settings.NightTile) {
            places.emplace_back(d.x, d.y);
        }
    }
    std::sort(places.begin(), places.end());
    EXPECT_EQ(places.front(), std::make_pair(0, 0));
    EXPECT_EQ(places.back(), std::make_pair(9 * 32, 7 * 32));
    EXPECT_GT(IndexOf(t.game.settings.NightTile), IndexOf(playerSheet));
    EXPECT_EQ(t.media.PixelAt(5, 5), 0x000040u);
    EXPECT_NE(t.media.PixelAt(5, 8 * 32 + 5), 0x000040u);
}

TEST_F(RenderTest, AbsurdScreenSizesDrawOnlyTheOverlayTilesThatCanShow) {
    t.game.settings.NightTile = MakeSprite(t, "night", 32, 32, 0x000040);
    t.game.map->info.AlwaysNight = 1;
    // The screen itself stays 320 x 296; the tile counts claim far more.
    t.game.settings.ScreenWidth = 2000000000;
    t.game.settings.ScreenHeight = 2000000000;
    DrawFrame(t.game);
    EXPECT_EQ(CountOf(t.game.settings.NightTile), 10 * 10);
    EXPECT_EQ(t.media.PixelAt(319, 255), 0x000040u);
}

TEST_F(RenderTest, EachFramePresentsTheOneBeforeAndClearsWithTheStatusBackColour) {
    t.game.colors.StatusBackRed = 10;
    t.game.colors.StatusBackGreen = 20;
    t.game.colors.StatusBackBlue = 30;
    t.game.player.Sprite = 0;
    DrawFrame(t.game);
    EXPECT_EQ(t.media.PixelAt(300, 10), 0x0A141Eu);
    const SpriteHandle ground = test::AddTileImage(t, "grass", 32, 32, 0x208020);
    t.game.map->grid.Cell(11, 3)->GroundSprite = ground;  // at (296, 8) on screen
    DrawFrame(t.game);
    EXPECT_EQ(t.media.PresentedPixelAt(300, 10), 0x0A141Eu);
    EXPECT_EQ(t.media.PixelAt(300, 10), 0x208020u);
}

}  // namespace
}  // namespace vorn

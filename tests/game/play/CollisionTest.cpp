// The inclusive rectangle test and IsBlocked: who blocks whom, map bounds for
// monsters, and a differential check of the cell culling against a plain
// scan of every cell on random maps and boxes.
#include "game/play/Collision.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/game/support/PlayFixtures.h"

namespace vorn {
namespace {

using test::PlacePlayer;
using test::PutMonster;
using test::SetUpField;

TEST(OverlapsTest, TouchingEdgesOverlapAndAOnePixelGapDoesNot) {
    // b starts exactly where a ends (a spans 0..10 inclusive of its edge).
    EXPECT_TRUE(Overlaps({0, 0, 10, 10}, {10, 0, 5, 5}));
    EXPECT_TRUE(Overlaps({10, 0, 5, 5}, {0, 0, 10, 10}));
    EXPECT_TRUE(Overlaps({0, 0, 10, 10}, {0, 10, 5, 5}));
    EXPECT_FALSE(Overlaps({0, 0, 10, 10}, {11, 0, 5, 5}));
    EXPECT_FALSE(Overlaps({0, 0, 10, 10}, {0, 11, 5, 5}));
    EXPECT_FALSE(Overlaps({11, 0, 5, 5}, {0, 0, 10, 10}));
    // Corners touching.
    EXPECT_TRUE(Overlaps({0, 0, 10, 10}, {10, 10, 1, 1}));
    EXPECT_FALSE(Overlaps({0, 0, 10, 10}, {11, 10, 1, 1}));
    // Containment.
    EXPECT_TRUE(Overlaps({0, 0, 100, 100}, {40, 40, 3, 3}));
}

TEST(OverlapsTest, ExtremeValuesDoNotWrapAround) {
    // In 32 bits 2147483000 + 1000 would wrap negative and report no overlap
    // with a box at 0; the sum is taken wide, so the boxes overlap.
    EXPECT_TRUE(Overlaps({2147483000, 0, 1000, 10}, {2147483600, 0, 5, 5}));
    EXPECT_FALSE(Overlaps({2147483000, 0, 1000, 10}, {0, 0, 5, 5}));
}

class CollisionTest : public ::testing::Test {
protected:
    void SetUp() override { SetUpField(t, 12, 10); }
    void Mark(int32_t c, int32_t r, const std::string& attribute) {
        t.game.map->grid.Cell(c, r)->Attribute = attribute;
    }
    test::TestGame t;
};

TEST_F(CollisionTest, WallsBlockThePlayerButMonsterOnlyCellsDoNot) {
    PlacePlayer(t.game, 200.0f, 200.0f);  // keep the player's box out of the way
    Mark(2, 2, "X");
    Mark(4, 2, "M");
    Mark(6, 2, "W");
    // A box inside tile (2, 2).
    EXPECT_TRUE(IsBlocked(t.game, {70, 70, 4, 4}, -1));
    EXPECT_FALSE(IsBlocked(t.game, {134, 70, 4, 4}, -1));
    EXPECT_FALSE(IsBlocked(t.game, {198, 70, 4, 4}, -1));
    // Touching the wall tile's right edge (x = 96) still counts.
    EXPECT_TRUE(IsBlocked(t.game, {96, 70, 4, 4}, -1));
    EXPECT_FALSE(IsBlocked(t.game, {97, 70, 4, 4}, -1));
    // Attribute codes compare exactly.
    Mark(8, 2, "x");
    EXPECT_FALSE(IsBlocked(t.game, {262, 70, 4, 4}, -1));
}

TEST_F(CollisionTest, MonstersAreAlsoBlockedByMAndWCells) {
    PlacePlayer(t.game, 300.0f, 250.0f);
    Mark(4, 2, "M");
    Mark(6, 2, "W");
    EXPECT_TRUE(IsBlocked(t.game, {134, 70, 4, 4}, 7));
    EXPECT_TRUE(IsBlocked(t.game, {198, 70, 4, 4}, 7));
    EXPECT_FALSE(IsBlocked(t.game, {166, 70, 4, 4}, 7));
}

TEST_F(CollisionTest, MonstersStayOffTheOutermostPixelsOfTheMap) {
    PlacePlayer(t.game, 300.0f, 250.0f);
    // Map 12 x 10 tiles of 32: left must be in 1 .. 351, top >= 1 and
    // top + height <= 318.
    EXPECT_TRUE(IsBlocked(t.game, {0, 50, 10, 10}, 1));
    EXPECT_FALSE(IsBlocked(t.game, {1, 50, 10, 10}, 1));
    EXPECT_TRUE(IsBlocked(t.game, {352, 50, 10, 10}, 1));
    EXPECT_FALSE(IsBlocked(t.game, {351, 50, 10, 10}, 1));
    EXPECT_TRUE(IsBlocked(t.game, {50, 0, 10, 10}, 1));
    EXPECT_TRUE(IsBlocked(t.game, {50, 309, 10, 10}, 1));
    EXPECT_FALSE(IsBlocked(t.game, {50, 308, 10, 10}, 1));
    // The player has no such test: the map edges are MapEdgeStep's.
    EXPECT_FALSE(IsBlocked(t.game, {-20, -20, 10, 10}, -1));
}

TEST_F(CollisionTest, ActorsBlockEachOtherButNotThemselves) {
    PlacePlayer(t.game, 100.0f, 100.0f);       // clip box (106, 116, 20, 16)
    PutMonster(t.game, 200.0f, 100.0f, 0, 5);  // clip box (206, 116, 20, 16)
    // The player's box blocks monsters only.
    EXPECT_TRUE(IsBlocked(t.game, {110, 120, 4, 4}, 5));
    EXPECT_FALSE(IsBlocked(t.game, {110, 120, 4, 4}, -1));
    // A monster does not block itself but blocks the player and others.
    EXPECT_FALSE(IsBlocked(t.game, {210, 120, 4, 4}, 5));
    EXPECT_TRUE(IsBlocked(t.game, {210, 120, 4, 4}, 6));
    EXPECT_TRUE(IsBlocked(t.game, {210, 120, 4, 4}, -1));
    // Dying monsters still block.
    t.game.map->monsters[0].Dying = 1;
    EXPECT_TRUE(IsBlocked(t.game, {210, 120, 4, 4}, -1));
}

TEST_F(CollisionTest, CellsOutsideTheAllocatedGridNeverBlockOrCrash) {
    // Settings claim a larger map than the grid holds.
    t.game.settings.MapWidth = 100;
    t.game.settings.MapHeight = 100;
    Mark(11, 9, "X");
    EXPECT_TRUE(IsBlocked(t.game, {360, 300, 4, 4}, -1));
    EXPECT_FALSE(IsBlocked(t.game, {1000, 1000, 500, 500}, -1));
    EXPECT_FALSE(IsBlocked(t.game, {2147483000, 2147483000, 2000, 2000}, -1));
    EXPECT_FALSE(IsBlocked(t.game, {-2147483000, -2147483000, 10, 10}, -1));
}

// The rule as written: every cell of the map, each tested with Overlaps.
bool BlockedByFullScan(const Game& game, int32_t left, int32_t top, int32_t width, int32_t height,
                       int32_t who) {
    const GameSettings& s = game.settings;
    if (who >= 0) {
        const int64_t right = int64_t{s.MapWidth - 1} * s.TileWidth;
        const int64_t bottom = int64_t{s.MapHeight} * s.TileHeight - 1;
        if (left <= 0 || left >= right || top <= 0 || int64_t{top} + height >= bottom) {
            return true;
        }
        if (Overlaps({left, top, width, height},
                     {game.player.ClipLeft, game.player.ClipTop, s.PlayerClipX, s.PlayerClipY})) {
            return true;
        }
    }
    for (const Monster& m : game.map->monsters) {
        if (m.ID != who && Overlaps({left, top, width, height},
                                    {m.ClipLeft, m.ClipTop, m.Type.ClipWidth, m.Type.ClipHeight})) {
            return true;
        }
    }
    for (int32_t c = 0; c < s.MapWidth; ++c) {
        for (int32_t r = 0; r < s.MapHeight; ++r) {
            const std::string& a = game.map->grid.Cell(c, r)->Attribute;
            const bool blocks = a == "X" || (who >= 0 && (a == "M" || a == "W"));
            if (blocks && Overlaps({c * s.TileWidth, r * s.TileHeight, s.TileWidth, s.TileHeight},
                                   {left, top, width, height})) {
                return true;
            }
        }
    }
    return false;
}

TEST(CollisionDifferentialTest, CulledScanEqualsTheFullScanOnRandomMapsAndBoxes) {
    std::mt19937 random(20261208);
    const char* const attributes[] = {"", "", "", "X", "M", "W", "S", "3", "."};
    // Tile sizes include degenerate ones, which must not divide by zero.
    const int32_t tileSizes[] = {32, 16, 7, 1, 0, -8};
    int blockedCount = 0;
    int freeCount = 0;
    for (int map = 0; map < 60; ++map) {
        test::TestGame t;
        std::uniform_int_distribution<int32_t> dimension(1, 24);
        const int32_t columns = dimension(random);
        const int32_t rows = dimension(random);
        SetUpField(t, columns, rows);
        t.game.settings.TileWidth = tileSizes[random() % 6];
        t.game.settings.TileHeight = tileSizes[random() % 6];
        for (MapCell& cell : t.game.map->grid.Cells()) {
            cell.Attribute = attributes[random() % 9];
        }
        PlacePlayer(t.game, static_cast<float>(random() % 700) - 100.0f,
                    static_cast<float>(random() % 700) - 100.0f);
        for (int32_t id = 1; id <= 3; ++id) {
            PutMonster(t.game, static_cast<float>(random() % 600),
                       static_cast<float>(random() % 600), 0, id);
        }
        const int32_t span = std::max(64, columns * std::max(1, t.game.settings.TileWidth));
        std::uniform_int_distribution<int32_t> position(-span / 2, span + span / 2);
        std::uniform_int_distribution<int32_t> size(-4, 90);
        for (int box = 0; box < 400; ++box) {
            const int32_t left = position(random);
            const int32_t top = position(random);
            const int32_t width = size(random);
            const int32_t height = size(random);
            const int32_t who = static_cast<int32_t>(random() % 5) - 1;  // -1 .. 3
            const bool expected = BlockedByFullScan(t.game, left, top, width, height, who);
            ASSERT_EQ(IsBlocked(t.game, {left, top, width, height}, who), expected)
                << "map " << map << " box " << left << "," << top << " " << width << "x" << height
                << " who " << who << " tiles " << t.game.settings.TileWidth << "x"
                << t.game.settings.TileHeight;
            (expected ? blockedCount : freeCount)++;
        }
    }
    // Both outcomes must have been exercised for the comparison to mean much.
    EXPECT_GT(blockedCount, 1000);
    EXPECT_GT(freeCount, 1000);
}

}  // namespace
}  // namespace vorn

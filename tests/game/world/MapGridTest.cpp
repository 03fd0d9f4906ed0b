// The cell grid: sizes from settings.ini are untrusted, so absurd ones give an
// empty grid whose every cell is absent instead of a crash.
#include "game/world/MapGrid.h"

#include <gtest/gtest.h>

#include <climits>

namespace vorn {
namespace {

TEST(MapGridTest, AllocatesRowMajorCellsWithinBounds) {
    MapGrid grid;
    grid.Allocate(3, 2);
    EXPECT_EQ(grid.Width(), 3);
    EXPECT_EQ(grid.Height(), 2);
    ASSERT_EQ(grid.Cells().size(), 6u);
    ASSERT_NE(grid.Cell(2, 1), nullptr);
    EXPECT_EQ(grid.Cell(2, 1), &grid.Cells()[5]);
    EXPECT_EQ(grid.Cell(0, 1), &grid.Cells()[3]);
    EXPECT_EQ(grid.Cell(3, 0), nullptr);
    EXPECT_EQ(grid.Cell(0, 2), nullptr);
    EXPECT_EQ(grid.Cell(-1, 0), nullptr);
    EXPECT_EQ(grid.Cell(0, INT32_MIN), nullptr);
    // Fresh cells: empty names, script slot 0, no tile sprites.
    EXPECT_EQ(grid.Cell(1, 1)->Ground, "");
    EXPECT_EQ(grid.Cell(1, 1)->Script, 0);
    EXPECT_EQ(grid.Cell(1, 1)->GroundSprite, -1);
}

TEST(MapGridTest, AbsurdSizesGiveAnEmptyGrid) {
    const std::pair<int32_t, int32_t> sizes[] = {
        {0, 10},
        {10, 0},
        {-5, 10},
        {10, -5},
        {INT32_MIN, INT32_MIN},
        {-1, -1},
        {100000, 100000},
        {INT32_MAX, 2},
        {INT32_MAX, INT32_MAX},
        {4097, 4096},
    };
    for (const auto& [width, height] : sizes) {
        MapGrid grid;
        grid.Allocate(4, 4);
        grid.Allocate(width, height);
        EXPECT_EQ(grid.Width(), 0) << width << " x " << height;
        EXPECT_EQ(grid.Height(), 0) << width << " x " << height;
        EXPECT_TRUE(grid.Cells().empty());
        EXPECT_EQ(grid.Cell(0, 0), nullptr);
        EXPECT_FALSE(grid.Contains(0, 0));
    }
}

TEST(MapGridTest, ReallocatingStartsWithFreshCells) {
    MapGrid grid;
    grid.Allocate(2, 2);
    grid.Cell(1, 1)->Attribute = "X";
    grid.Allocate(5, 1);
    EXPECT_EQ(grid.Cells().size(), 5u);
    EXPECT_EQ(grid.Cell(4, 0)->Attribute, "");
    EXPECT_EQ(grid.Cell(1, 1), nullptr);
}

}  // namespace
}  // namespace vorn

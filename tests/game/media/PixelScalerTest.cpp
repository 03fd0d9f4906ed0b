// Where the screen goes in a larger window under each scaling rule, and the
// nearest-neighbour copy into a window's pixels.
#include "game/media/PixelScaler.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorn {
namespace {

void ExpectRect(const PictureRect& got, int x, int y, int width, int height) {
    EXPECT_EQ(got.x, x);
    EXPECT_EQ(got.y, y);
    EXPECT_EQ(got.width, width);
    EXPECT_EQ(got.height, height);
}

TEST(PlacePictureTest, IntegerTakesTheLargestWholeMultipleAndFitKeepsTheAspect) {
    // 640 x 480 on a 1920 x 1080 desktop: twice its size, or 2.25 times.
    ExpectRect(PlacePicture(ScalingRule::Integer, 640, 480, 1920, 1080), 320, 60, 1280, 960);
    ExpectRect(PlacePicture(ScalingRule::Fit, 640, 480, 1920, 1080), 240, 0, 1440, 1080);
    // Bars above and below under fit.
    ExpectRect(PlacePicture(ScalingRule::Fit, 320, 240, 640, 1000), 0, 260, 640, 480);
    // The window's own size stays as it is under both.
    ExpectRect(PlacePicture(ScalingRule::Integer, 320, 240, 320, 240), 0, 0, 320, 240);
    ExpectRect(PlacePicture(ScalingRule::Fit, 320, 240, 320, 240), 0, 0, 320, 240);
    // No whole multiple fits a smaller window: integer shrinks like fit.
    ExpectRect(PlacePicture(ScalingRule::Integer, 320, 240, 160, 240), 0, 60, 160, 120);
    const PictureRect sliver = PlacePicture(ScalingRule::Fit, 320, 240, 1, 1000);
    EXPECT_GE(sliver.width, 1);
    EXPECT_GE(sliver.height, 1);
    ExpectRect(PlacePicture(ScalingRule::Integer, 320, 240, 0, 0), 0, 0, 0, 0);
}

TEST(ScalePixelsTest, EnlargesNearestNeighbourInsideThePictureOnly) {
    const std::vector<uint32_t> screen = {1, 2, 3, 4};  // 2 x 2
    constexpr int kSide = 8;
    constexpr uint32_t kUntouched = 0xEE;
    std::vector<uint32_t> window(kSide * kSide, kUntouched);
    auto at = [&window](int x, int y) { return window[static_cast<size_t>(y) * kSide + x]; };

    ScalePixels(screen.data(), 2, 2, window.data(), kSide * 4, {1, 2, 6, 6});  // 3 times
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_EQ(at(1 + x, 2 + y), screen[static_cast<size_t>(y / 3 * 2 + x / 3)])
                << x << ", " << y;
        }
    }
    EXPECT_EQ(at(0, 2), kUntouched);
    EXPECT_EQ(at(7, 7), kUntouched);
    EXPECT_EQ(at(1, 1), kUntouched);

    // 2 x 2 into 3 x 5: each target pixel takes the screen pixel under its
    // centre (columns 0 1 1; rows 0 0 1 1 1).
    window.assign(kSide * kSide, kUntouched);
    ScalePixels(screen.data(), 2, 2, window.data(), kSide * 4, {0, 0, 3, 5});
    const std::vector<uint32_t> expected = {1, 2, 2, 1, 2, 2, 3, 4, 4, 3, 4, 4, 3, 4, 4};
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_EQ(at(x, y), expected[static_cast<size_t>(y) * 3 + x]) << x << ", " << y;
        }
    }
    EXPECT_EQ(at(3, 0), kUntouched);
}

}  // namespace
}  // namespace vorn

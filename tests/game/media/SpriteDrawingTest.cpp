// Sprite display on the back buffer, checked pixel by pixel: opaque and
// colour-keyed copies, clip rectangles, screen-edge cutting and handle 0.
#include <gtest/gtest.h>

#include <climits>

#include "game/media/HeadlessMedia.h"
#include "tests/game/media/MediaTestFiles.h"

namespace vorn {
namespace {

using test::TempFolder;

constexpr uint32_t kCyan = 0x00FFFF;
constexpr uint32_t kWhite = 0xFFFFFF;

class SpriteDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(media.InitGraphics(), 0);
        media.EnablePngDecoding();
        const int window = media.OpenGameWindow("Test", 64, 48);
        ASSERT_NE(window, 0);
        ASSERT_NE(media.OpenSpriteScreen(window, 64, 48), 0);
        media.SetTransparentColour(Colour{0, 255, 255});
        media.ClearFrame(Colour{255, 255, 255});
    }

    SpriteHandle Load(int width, int height, const std::vector<uint32_t>& rgb) {
        return media.LoadSpriteFile(dir.Write("sprite" + std::to_string(++count) + ".png",
                                              mediatest::RgbPng(width, height, rgb)));
    }

    // A 4 x 4 sprite whose pixel (x, y) is 0x10 * x + y in blue, 0x40 in red.
    SpriteHandle LoadNumbered() {
        std::vector<uint32_t> pixels;
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 4; ++x) {
                pixels.push_back(Numbered(x, y));
            }
        }
        return Load(4, 4, pixels);
    }
    static uint32_t Numbered(int x, int y) { return 0x400000u | (0x10u * x + y); }

    TempFolder dir;
    HeadlessMedia media;
    int count = 0;
};

TEST_F(SpriteDrawingTest, OpaqueDisplayCopiesEveryPixelIncludingTheTransparentColour) {
    const SpriteHandle sprite = Load(2, 2, {0xFF0000, kCyan, 0x00FF00, 0x0000FF});
    ASSERT_NE(sprite, 0);
    EXPECT_EQ(media.SpriteWidth(sprite), 2);
    EXPECT_EQ(media.SpriteHeight(sprite), 2);
    media.DrawSprite(sprite, 10, 5);
    EXPECT_EQ(media.PixelAt(10, 5), 0xFF0000u);
    EXPECT_EQ(media.PixelAt(11, 5), kCyan);
    EXPECT_EQ(media.PixelAt(10, 6), 0x00FF00u);
    EXPECT_EQ(media.PixelAt(11, 6), 0x0000FFu);
    EXPECT_EQ(media.PixelAt(12, 5), kWhite);
    EXPECT_EQ(media.PixelAt(9, 5), kWhite);
}

TEST_F(SpriteDrawingTest, TransparentDisplaySkipsExactlyTheTransparentColour) {
    // Colours one step away from cyan in each component must still show.
    const SpriteHandle sprite = Load(4, 1, {kCyan, 0x00FFFE, 0x01FFFF, 0x00FEFF});
    media.DrawSpriteTransparent(sprite, 0, 0);
    EXPECT_EQ(media.PixelAt(0, 0), kWhite);
    EXPECT_EQ(media.PixelAt(1, 0), 0x00FFFEu);
    EXPECT_EQ(media.PixelAt(2, 0), 0x01FFFFu);
    EXPECT_EQ(media.PixelAt(3, 0), 0x00FEFFu);
}

TEST_F(SpriteDrawingTest, TransparentColourAppliesToSpritesLoadedBeforeIt) {
    const SpriteHandle sprite = Load(2, 1, {0x123456, kCyan});
    media.SetTransparentColour(Colour{0x12, 0x34, 0x56});
    media.DrawSpriteTransparent(sprite, 0, 0);
    EXPECT_EQ(media.PixelAt(0, 0), kWhite);
    EXPECT_EQ(media.PixelAt(1, 0), kCyan);
}

TEST_F(SpriteDrawingTest, ChangingTheTransparentColourBackShowsPixelsAgain) {
    const SpriteHandle sprite = Load(2, 1, {kCyan, 0x000000});
    media.SetTransparentColour(Colour{0, 0, 0});
    media.DrawSpriteTransparent(sprite, 0, 0);
    EXPECT_EQ(media.PixelAt(0, 0), kCyan);
    EXPECT_EQ(media.PixelAt(1, 0), kWhite);
    media.SetTransparentColour(Colour{0, 255, 255});
    media.DrawSpriteTransparent(sprite, 0, 1);
    EXPECT_EQ(media.PixelAt(0, 1), kWhite);
    EXPECT_EQ(media.PixelAt(1, 1), 0x000000u);
}

TEST(SpriteKeyTest, NothingIsKeyedBeforeATransparentColourIsSet) {
    TempFolder dir;
    HeadlessMedia media;
    media.EnablePngDecoding();
    ASSERT_NE(media.OpenSpriteScreen(media.OpenGameWindow("t", 4, 4), 4, 4), 0);
    media.ClearFrame(Colour{255, 255, 255});
    const SpriteHandle sprite =
        media.LoadSpriteFile(dir.Write("a.png", mediatest::RgbPng(2, 1, {0x000000, kCyan})));
    media.DrawSpriteTransparent(sprite, 0, 0);
    EXPECT_EQ(media.PixelAt(0, 0), 0x000000u);
    EXPECT_EQ(media.PixelAt(1, 0), kCyan);
}

TEST_F(SpriteDrawingTest, SeeThroughPngPixelsAreSkippedOnlyByTransparentDisplay) {
    const std::string png = mediatest::RgbaPng(3, 1, {0xFF112233, 0x00445566, 0x7F778899});
    const SpriteHandle sprite = media.LoadSpriteFile(dir.Write("alpha.png", png));
    ASSERT_NE(sprite, 0);
    media.DrawSpriteTransparent(sprite, 0, 0);
    EXPECT_EQ(media.PixelAt(0, 0), 0x112233u);
    EXPECT_EQ(media.PixelAt(1, 0), kWhite);
    EXPECT_EQ(media.PixelAt(2, 0), kWhite);  // alpha below one half
    media.DrawSprite(sprite, 0, 1);
    EXPECT_EQ(media.PixelAt(1, 1), 0x445566u);
    // A new transparent colour does not make them visible.
    media.SetTransparentColour(Colour{0x11, 0x22, 0x33});
    media.DrawSpriteTransparent(sprite, 0, 2);
    EXPECT_EQ(media.PixelAt(0, 2), kWhite);
    EXPECT_EQ(media.PixelAt(1, 2), kWhite);
}

TEST_F(SpriteDrawingTest, ClipRectangleSelectsThePartDrawnAndStaysInForce) {
    const SpriteHandle sprite = LoadNumbered();
    media.ClipSprite(sprite, 1, 2, 2, 1);
    media.DrawSprite(sprite, 20, 20);
    EXPECT_EQ(media.PixelAt(20, 20), Numbered(1, 2));
    EXPECT_EQ(media.PixelAt(21, 20), Numbered(2, 2));
    EXPECT_EQ(media.PixelAt(22, 20), kWhite);
    EXPECT_EQ(media.PixelAt(20, 21), kWhite);
    // A later display uses the same rectangle; the full size is unchanged.
    media.DrawSprite(sprite, 30, 30);
    EXPECT_EQ(media.PixelAt(30, 30), Numbered(1, 2));
    EXPECT_EQ(media.PixelAt(30, 31), kWhite);
    EXPECT_EQ(media.SpriteWidth(sprite), 4);
    EXPECT_EQ(media.SpriteHeight(sprite), 4);
}

TEST_F(SpriteDrawingTest, ClipRectanglePastThePictureIsCutToIt) {
    const SpriteHandle sprite = LoadNumbered();
    media.ClipSprite(sprite, 2, 3, 10, 10);
    media.DrawSprite(sprite, 0, 0);
    ASSERT_EQ(media.DrawLog().size(), 1u);
    const auto& call = media.DrawLog()[0];
    EXPECT_EQ(call.clipX, 2);
    EXPECT_EQ(call.clipY, 3);
    EXPECT_EQ(call.clipWidth, 2);
    EXPECT_EQ(call.clipHeight, 1);
    EXPECT_EQ(media.PixelAt(0, 0), Numbered(2, 3));
    EXPECT_EQ(media.PixelAt(1, 0), Numbered(3, 3));
    EXPECT_EQ(media.PixelAt(2, 0), kWhite);
    EXPECT_EQ(media.PixelAt(0, 1), kWhite);
}

TEST_F(SpriteDrawingTest, ClipRectangleStartingLeftOfThePictureIsCut) {
    const SpriteHandle sprite = LoadNumbered();
    media.ClipSprite(sprite, -4, 0, 6, 1);  // a sheet column of -1 is one such case
    media.DrawSprite(sprite, 0, 0);
    EXPECT_EQ(media.PixelAt(0, 0), Numbered(0, 0));
    EXPECT_EQ(media.PixelAt(1, 0), Numbered(1, 0));
    EXPECT_EQ(media.PixelAt(2, 0), kWhite);
}

TEST_F(SpriteDrawingTest, ClipRectangleOutsideThePictureDrawsNothing) {
    const SpriteHandle sprite = LoadNumbered();
    media.ClipSprite(sprite, -4, 0, 4, 4);
    media.DrawSprite(sprite, 0, 0);
    media.ClipSprite(sprite, 4, 0, 4, 4);
    media.DrawSprite(sprite, 0, 0);
    media.ClipSprite(sprite, 0, 0, 0, 4);
    media.DrawSprite(sprite, 0, 0);
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(media.PixelAt(x, 0), kWhite) << x;
    }
}

TEST_F(SpriteDrawingTest, AllMinusOneResetsTheClipToTheWholePicture) {
    const SpriteHandle sprite = LoadNumbered();
    media.ClipSprite(sprite, 1, 1, 1, 1);
    media.ClipSprite(sprite, -1, -1, -1, -1);
    media.DrawSprite(sprite, 0, 0);
    EXPECT_EQ(media.PixelAt(0, 0), Numbered(0, 0));
    EXPECT_EQ(media.PixelAt(3, 3), Numbered(3, 3));
}

TEST_F(SpriteDrawingTest, NegativeCoordinatesCutTheSpriteAtTheTopLeft) {
    const SpriteHandle sprite = LoadNumbered();
    media.DrawSprite(sprite, -2, -3);
    EXPECT_EQ(media.PixelAt(0, 0), Numbered(2, 3));
    EXPECT_EQ(media.PixelAt(1, 0), Numbered(3, 3));
    EXPECT_EQ(media.PixelAt(2, 0), kWhite);
    EXPECT_EQ(media.PixelAt(0, 1), kWhite);
}

TEST_F(SpriteDrawingTest, DrawingAtTheRightAndBottomEdgesNeverWraps) {
    const SpriteHandle sprite = LoadNumbered();
    media.DrawSpriteTransparent(sprite, 62, 10);
    media.DrawSprite(sprite, 10, 46);
    EXPECT_EQ(media.PixelAt(62, 10), Numbered(0, 0));
    EXPECT_EQ(media.PixelAt(63, 13), Numbered(1, 3));
    // A wrapping copy would continue at the start of the next row.
    for (int y = 10; y < 15; ++y) {
        EXPECT_EQ(media.PixelAt(0, y), kWhite) << y;
        EXPECT_EQ(media.PixelAt(1, y), kWhite) << y;
    }
    EXPECT_EQ(media.PixelAt(10, 47), Numbered(0, 1));
    EXPECT_EQ(media.PixelAt(10, 0), kWhite);
    EXPECT_EQ(media.PixelAt(10, 1), kWhite);
}

TEST_F(SpriteDrawingTest, SpritesWhollyOutsideTheScreenDrawNothing) {
    const SpriteHandle sprite = LoadNumbered();
    const int places[][2] = {{-4, 0},      {64, 0},         {0, -4}, {0, 48}, {INT_MAX, INT_MAX},
                             {INT_MIN, 5}, {INT_MAX - 2, 0}};
    for (const auto& place : places) {
        media.DrawSprite(sprite, place[0], place[1]);
        media.DrawSpriteTransparent(sprite, place[0], place[1]);
    }
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(media.PixelAt(x, y), kWhite) << x << "," << y;
        }
    }
}

TEST_F(SpriteDrawingTest, HandleZeroAndFreedHandlesDoNothing) {
    const SpriteHandle sprite = LoadNumbered();
    media.FreeSprite(sprite);
    for (SpriteHandle handle : {SpriteHandle{0}, sprite, SpriteHandle{-5}, SpriteHandle{12345}}) {
        media.ClipSprite(handle, 0, 0, 1, 1);
        media.DrawSprite(handle, 0, 0);
        media.DrawSpriteTransparent(handle, 0, 0);
        EXPECT_EQ(media.SpriteWidth(handle), 0);
        EXPECT_EQ(media.SpriteHeight(handle), 0);
        media.FreeSprite(handle);
    }
    EXPECT_TRUE(media.DrawLog().empty());
    EXPECT_EQ(media.PixelAt(0, 0), kWhite);
    // Handles are not reused, so a stale handle never names a new picture.
    EXPECT_NE(LoadNumbered(), sprite);
}

TEST_F(SpriteDrawingTest, FillBoxUsesThePackedColourAndIsCutAtTheEdges) {
    media.FillBox(60, 45, 10, 10, PackColour(10, 20, 30));
    EXPECT_EQ(media.PixelAt(60, 45), 0x0A141Eu);
    EXPECT_EQ(media.PixelAt(63, 47), 0x0A141Eu);
    EXPECT_EQ(media.PixelAt(59, 45), kWhite);
    EXPECT_EQ(media.PixelAt(60, 44), kWhite);
    EXPECT_EQ(media.PixelAt(0, 46), kWhite);  // no wrap into the next row
    media.FillBox(-5, -5, 7, 6, PackColour(255, 0, 0));
    EXPECT_EQ(media.PixelAt(0, 0), 0xFF0000u);
    EXPECT_EQ(media.PixelAt(1, 0), 0xFF0000u);
    EXPECT_EQ(media.PixelAt(2, 0), kWhite);
    EXPECT_EQ(media.PixelAt(0, 1), kWhite);
    media.FillBox(5, 5, -3, 4, PackColour(0, 0, 255));
    media.FillBox(5, 5, 3, 0, PackColour(0, 0, 255));
    EXPECT_EQ(media.PixelAt(5, 5), kWhite);
    EXPECT_EQ(media.PixelAt(3, 5), kWhite);
}

TEST_F(SpriteDrawingTest, ClearFrameFillsTheWholeBackBuffer) {
    media.ClearFrame(Colour{1, 2, 3});
    EXPECT_EQ(media.PixelAt(0, 0), 0x010203u);
    EXPECT_EQ(media.PixelAt(63, 47), 0x010203u);
    media.ClearFrame(Colour{300, -4, 255});  // components are cut to 0-255
    EXPECT_EQ(media.PixelAt(5, 5), 0xFF00FFu);
}

TEST_F(SpriteDrawingTest, PresentFrameShowsTheBackBufferAndStartsNewLogs) {
    const SpriteHandle sprite = LoadNumbered();
    media.DrawSprite(sprite, 0, 0);
    EXPECT_EQ(media.PresentedPixelAt(0, 0), 0u);
    ASSERT_EQ(media.DrawLog().size(), 1u);
    EXPECT_FALSE(media.DrawLog()[0].transparent);
    media.PresentFrame();
    EXPECT_EQ(media.PresentedPixelAt(0, 0), Numbered(0, 0));
    EXPECT_TRUE(media.DrawLog().empty());
    media.ClearFrame(Colour{0, 0, 0});
    EXPECT_EQ(media.PresentedPixelAt(0, 0), Numbered(0, 0));
    EXPECT_EQ(media.PixelAt(0, 0), 0u);
}

TEST_F(SpriteDrawingTest, ScreenSavesAsAPngThatLoadsBackAsASprite) {
    const SpriteHandle sprite = LoadNumbered();
    media.DrawSprite(sprite, 5, 6);
    const std::string path = dir.PathOf("shot.png");
    ASSERT_TRUE(media.SaveScreenPng(path));
    const SpriteHandle shot = media.LoadSpriteFile(path);
    ASSERT_NE(shot, 0);
    EXPECT_EQ(media.SpriteWidth(shot), 64);
    EXPECT_EQ(media.SpriteHeight(shot), 48);
    media.ClipSprite(shot, 5, 6, 4, 4);
    media.DrawSprite(shot, 40, 40);
    EXPECT_EQ(media.PixelAt(40, 40), Numbered(0, 0));
    EXPECT_EQ(media.PixelAt(43, 43), Numbered(3, 3));
}

}  // namespace
}  // namespace vorn

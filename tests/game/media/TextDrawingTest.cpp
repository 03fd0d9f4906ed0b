// Text and boxes on the back buffer: fonts resolved by face name, measuring,
// the cursor, opaque and transparent backgrounds, and the state BeginText
// resets.
#include <gtest/gtest.h>

#include <string>

#include "game/media/HeadlessMedia.h"
#include "game/media/TextRenderer.h"

namespace vorn {
namespace {

constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kWhite = 0xFFFFFF;

class TextDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(media.OpenSpriteScreen(media.OpenGameWindow("t", 200, 60), 200, 60), 0);
        media.ClearFrame(Colour{0, 255, 0});
    }

    int CountPixels(int left, int top, int right, int bottom, uint32_t rgb) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                count += media.PixelAt(x, y) == rgb ? 1 : 0;
            }
        }
        return count;
    }
    // Pixels that are neither the given colour nor the green background.
    int CountInk(int left, int top, int right, int bottom, uint32_t besides) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const uint32_t pixel = media.PixelAt(x, y);
                count += pixel != kGreen && pixel != besides ? 1 : 0;
            }
        }
        return count;
    }

    HeadlessMedia media;
};

TEST_F(TextDrawingTest, OpaqueTextFillsItsCellsWithTheBackColour) {
    media.BeginText();
    media.MoveTextCursor(10, 10);
    media.DrawTextAtCursor("Hi");
    media.EndText();
    const int width = media.MeasureText("Hi");
    ASSERT_GT(width, 0);
    // The cell is white around black letters; outside it the green stays.
    EXPECT_GT(CountPixels(10, 10, 10 + width, 20, kWhite), width);
    EXPECT_GT(CountPixels(10, 10, 10 + width, 26, 0x000000), 10);
    EXPECT_EQ(media.PixelAt(9, 12), kGreen);
    EXPECT_EQ(media.PixelAt(10 + width, 12), kGreen);
    EXPECT_EQ(media.PixelAt(12, 9), kGreen);
}

TEST_F(TextDrawingTest, TransparentTextLeavesTheBackgroundBetweenLetters) {
    media.BeginText();
    media.SetTextBackgroundMode(TextBackground::Transparent);
    media.SetTextColour(Colour{255, 0, 0});
    media.MoveTextCursor(10, 10);
    media.DrawTextAtCursor("Hi");
    const int width = media.MeasureText("Hi");
    EXPECT_EQ(CountPixels(0, 0, 200, 60, kWhite), 0);
    EXPECT_GT(CountPixels(10, 10, 10 + width, 30, 0xFF0000), 10);
    EXPECT_GT(CountPixels(10, 10, 10 + width, 30, kGreen), width);
    // Everything drawn lies inside the text's cell.
    EXPECT_EQ(CountInk(0, 0, 200, 60, 0) - CountInk(10, 10, 10 + width, 30, 0), 0);
}

TEST_F(TextDrawingTest, OpaqueCellUsesTheChosenBackColour) {
    media.BeginText();
    media.SetTextBackColour(Colour{0, 0, 255});
    media.SetTextColour(Colour{255, 255, 0});
    media.MoveTextCursor(0, 0);
    media.DrawTextAtCursor("Ok");
    EXPECT_EQ(media.PixelAt(0, 0), 0x0000FFu);
    EXPECT_GT(CountPixels(0, 0, 40, 30, 0xFFFF00), 5);
}

TEST_F(TextDrawingTest, BeginTextResetsTheDrawingState) {
    ASSERT_NE(media.LoadFontSlot(1, "Tahoma", 12, true), 0);
    media.BeginText();
    media.SelectFont(1);
    media.SetTextColour(Colour{1, 2, 3});
    media.SetTextBackColour(Colour{4, 5, 6});
    media.SetTextBackgroundMode(TextBackground::Transparent);
    media.MoveTextCursor(5, 6);
    media.DrawTextAtCursor("a");
    media.EndText();
    media.BeginText();
    media.DrawTextAtCursor("b");
    media.EndText();
    const auto& log = media.TextLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].font, 1);
    EXPECT_EQ(log[0].x, 5);
    EXPECT_EQ(log[0].y, 6);
    EXPECT_EQ(log[0].colour.b, 3);
    EXPECT_EQ(log[0].backColour.r, 4);
    EXPECT_FALSE(log[0].opaque);
    EXPECT_EQ(log[1].font, -1);
    EXPECT_EQ(log[1].colour.r + log[1].colour.g + log[1].colour.b, 0);
    EXPECT_EQ(log[1].backColour.r + log[1].backColour.g + log[1].backColour.b, 3 * 255);
    EXPECT_TRUE(log[1].opaque);
}

TEST_F(TextDrawingTest, TheCursorMovesToTheEndOfTheDrawnText) {
    media.BeginText();
    media.MoveTextCursor(7, 3);
    media.DrawTextAtCursor("Hello");
    media.DrawTextAtCursor("");
    media.DrawTextAtCursor("World");
    ASSERT_EQ(media.TextLog().size(), 2u);  // empty text draws nothing
    EXPECT_EQ(media.TextLog()[1].x, 7 + media.MeasureText("Hello"));
    EXPECT_EQ(media.TextLog()[1].y, 3);
}

TEST_F(TextDrawingTest, MeasuringGrowsWithTheTextAndDependsOnTheFont) {
    ASSERT_NE(media.LoadFontSlot(0, "Arial", 30, true), 0);
    media.BeginText();
    EXPECT_EQ(media.MeasureText(""), 0);
    const int one = media.MeasureText("W");
    EXPECT_GT(one, 0);
    EXPECT_GT(media.MeasureText("WWWW"), 3 * one);
    EXPECT_GT(media.MeasureText("WWWW"), media.MeasureText("iiii"));
    media.SelectFont(0);
    EXPECT_GT(media.MeasureText("W"), one);  // 30 pixels against the default 16
}

TEST_F(TextDrawingTest, FontSizeIsTheHeightOfATextLine) {
    ASSERT_NE(media.LoadFontSlot(0, "Arial", 20, true), 0);
    EXPECT_NE(media.IsFontLoaded(0), 0);
    EXPECT_EQ(media.IsFontLoaded(1), 0);
    media.BeginText();
    media.SelectFont(0);
    media.SetTextBackColour(Colour{0, 0, 255});
    media.MoveTextCursor(0, 10);
    media.DrawTextAtCursor("Ag");
    const int width = media.MeasureText("Ag");
    int rows = 0;
    for (int y = 0; y < 60; ++y) {
        rows += CountPixels(0, y, width, y + 1, 0x0000FF) > 0 ? 1 : 0;
    }
    EXPECT_EQ(rows, 20);
    EXPECT_EQ(media.PixelAt(0, 9), kGreen);
}

TEST_F(TextDrawingTest, UnknownFaceNamesStillGiveAFont) {
    EXPECT_NE(media.LoadFontSlot(0, "No Such Face 123", 14, true), 0);
    EXPECT_NE(media.LoadFontSlot(1, "", 0, true), 0);
    EXPECT_EQ(media.LoadFontSlot(-1, "Arial", 14, true), 0);
    EXPECT_EQ(media.LoadFontSlot(kFontSlotCount, "Arial", 14, true), 0);
    EXPECT_EQ(media.IsFontLoaded(-1), 0);
}

TEST_F(TextDrawingTest, ExtremeFontSizesAreClampedNotFatal) {
    EXPECT_NE(media.LoadFontSlot(0, "Arial", INT32_MIN, true), 0);
    EXPECT_NE(media.LoadFontSlot(1, "Arial", INT32_MAX, true), 0);
    EXPECT_NE(media.LoadFontSlot(2, "Arial", -12, true), 0);  // letter height, not line
    media.BeginText();
    media.SelectFont(1);
    EXPECT_GT(media.MeasureText("W"), 100);
    media.DrawTextAtCursor("W");
    media.SelectFont(2);
    EXPECT_GT(media.MeasureText("W"), 5);
}

TEST_F(TextDrawingTest, TextPastTheScreenEdgesIsCut) {
    media.BeginText();
    media.SetTextBackColour(Colour{0, 0, 255});
    const std::string bar(3000, 'X');  // a health bar far wider than the screen
    const int width = media.MeasureText(bar);
    EXPECT_GT(width, 200 * 10);
    media.MoveTextCursor(200 - width, 40);
    media.DrawTextAtCursor(bar);
    EXPECT_GT(CountPixels(150, 40, 200, 60, 0x0000FF), 0);
    EXPECT_GT(CountPixels(0, 40, 50, 60, 0x0000FF), 0);
    EXPECT_EQ(CountPixels(0, 0, 200, 40, 0x0000FF), 0);
    media.MoveTextCursor(-5, -5);
    media.DrawTextAtCursor("Top left");
    media.MoveTextCursor(195, 55);
    media.DrawTextAtCursor("Bottom right");
    EXPECT_NE(media.PixelAt(0, 0), kGreen);  // the cell reaches into the corner
    EXPECT_NE(media.PixelAt(199, 59), kGreen);
    media.MoveTextCursor(INT32_MAX - 3, INT32_MIN);
    media.DrawTextAtCursor("far away");
}

TEST_F(TextDrawingTest, MeasuringIsTheSumOverLongTexts) {
    // Long texts are laid out in pieces; their widths still add up.
    const std::string piece(kTextPieceChars, 'm');
    EXPECT_EQ(media.MeasureText(piece + piece), 2 * media.MeasureText(piece));
}

TEST(CodePageTest, HighCharactersBecomeTheirUtf8Forms) {
    EXPECT_EQ(Cp1252ToUtf8("abc"), "abc");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");            // euro sign
    EXPECT_EQ(Cp1252ToUtf8("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");  // é
    EXPECT_EQ(Cp1252ToUtf8("\x99"), "\xE2\x84\xA2");            // trade mark
    EXPECT_EQ(Cp1252ToUtf8(std::string("a\0b", 3)), "ab");
}

}  // namespace
}  // namespace vorn

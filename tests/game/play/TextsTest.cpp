// The texts of a frame, read from the headless text log: speech typing,
// screen-text lifetimes and anchoring, the status bar with its health bar,
// and the stats screen.
#include "game/play/Texts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/play/Render.h"
#include "tests/game/support/PlayFixtures.h"

namespace vorn {
namespace {

using test::PlacePlayer;
using test::SetUpField;
using TextCall = HeadlessMedia::TextCall;

bool SameColour(const Colour& a, const Colour& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

class TextsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpField(t, 40, 30);
        t.media.LoadFontSlot(0, "DejaVu Sans", 16, true);
        t.media.LoadFontSlot(1, "DejaVu Sans", 12, true);
        GameColors& c = t.game.colors;
        c.StatusBackRed = 20, c.StatusBackGreen = 30, c.StatusBackBlue = 40;
        c.StatusTextRed = 250, c.StatusTextGreen = 240, c.StatusTextBlue = 200;
        c.StatsBackRed = 0, c.StatsBackGreen = 0, c.StatsBackBlue = 90;
        c.StatsTextRed = 255, c.StatsTextGreen = 255, c.StatsTextBlue = 0;
        t.game.player.Health = 0;  // no health bar unless a test asks for one
        enterTime = t.game.clock.FrameTime;
        t.game.clock.MapEnterTime = enterTime;
    }

    // Draws the texts of a frame at `at` ms after the map was entered.
    const std::vector<TextCall>& DrawAt(int32_t at) {
        t.game.clock.FrameTime = enterTime + at;
        t.media.PresentFrame();  // empties the logs
        DrawTexts(t.game);
        return t.media.TextLog();
    }
    int Width(int font, const std::string& text) {
        t.media.BeginText();
        t.media.SelectFont(font);
        const int width = t.media.MeasureText(text);
        t.media.EndText();
        return width;
    }
    std::vector<std::string> Texts(const std::vector<TextCall>& log) {
        std::vector<std::string> texts;
        for (const TextCall& call : log) {
            texts.push_back(call.text);
        }
        return texts;
    }

    int32_t enterTime = 0;
    test::TestGame t;
};

TEST_F(TextsTest, SpeechIsTypedLetterByLetterWithAShadow) {
    t.game.map->info.SpeechText = "Welcome";
    t.game.map->info.SpeechTextY = 20;
    t.game.map->info.TextRed = 200;
    t.game.map->info.TextGreen = 100;
    t.game.settings.MapTextSpeed = 10;
    const auto& log = DrawAt(300);
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[0].text, "Wel");
    EXPECT_EQ(log[1].text, "Wel");
    const int left = 160 - Width(0, "Wel") / 2;
    EXPECT_EQ(log[0].x, left + 2);
    EXPECT_EQ(log[0].y, 22);
    EXPECT_TRUE(SameColour(log[0].colour, {0, 0, 0}));
    EXPECT_EQ(log[1].x, left);
    EXPECT_EQ(log[1].y, 20);
    EXPECT_TRUE(SameColour(log[1].colour, {200, 100, 0}));
    EXPECT_EQ(log[1].font, 0);
    EXPECT_FALSE(log[1].opaque);

    EXPECT_EQ(DrawAt(250)[0].text, "We");    // 2.5 letters round to 2
    EXPECT_EQ(DrawAt(350)[0].text, "Welc");  // 3.5 letters round to 4
    EXPECT_EQ(DrawAt(700)[0].text, "Welcome");
    EXPECT_EQ(DrawAt(60000)[0].text, "Welcome");
}

TEST_F(TextsTest, NoSpeechWithoutTypingSpeedOrText) {
    t.game.map->info.SpeechText = "Welcome";
    t.game.settings.MapTextSpeed = 0;
    EXPECT_TRUE(DrawAt(5000).empty());
    t.game.settings.MapTextSpeed = -4;
    EXPECT_TRUE(DrawAt(5000).empty());
    t.game.settings.MapTextSpeed = 10;
    EXPECT_TRUE(DrawAt(-500).empty());  // a clock before the entry types nothing
    t.game.map->info.SpeechText.clear();
    EXPECT_TRUE(DrawAt(5000).empty());
}

TEST_F(TextsTest, AScreenTextWaitsForItsStartAndGoesAfterItsDuration) {
    AddScreenText(t.game, "Later", 50, 60, 1000, enterTime + 2000, 1);
    EXPECT_TRUE(DrawAt(1999).empty());
    ASSERT_EQ(t.game.screenTexts.size(), 1u);
    const auto& log = DrawAt(2000);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].x, 52);
    EXPECT_EQ(log[0].y, 62);
    EXPECT_TRUE(SameColour(log[0].colour, {0, 0, 0}));
    EXPECT_EQ(log[1].x, 50);
    EXPECT_EQ(log[1].y, 60);
    EXPECT_TRUE(SameColour(log[1].colour, {250, 240, 200}));
    EXPECT_EQ(log[1].font, 1);
    EXPECT_EQ(DrawAt(3000).size(), 2u);  // the last millisecond still shows
    EXPECT_TRUE(DrawAt(3001).empty());
    EXPECT_TRUE(t.game.screenTexts.empty());
}

TEST_F(TextsTest, AnExpiredScreenTextIsRemovedWithoutBeingDrawn) {
    AddScreenText(t.game, "Gone", 10, 10, 100, enterTime - 5000, 1);
    AddScreenText(t.game, "Stays", 10, 30, 100000, enterTime, 1);
    AddScreenText(t.game, "Waits", 10, 50, 100, enterTime + 9000, 1);
    const auto& log = DrawAt(10);
    EXPECT_EQ(Texts(log), (std::vector<std::string>{"Stays", "Stays"}));
    ASSERT_EQ(t.game.screenTexts.size(), 2u);
    EXPECT_EQ(t.game.screenTexts[0].Text, "Stays");
    EXPECT_EQ(t.game.screenTexts[1].Text, "Waits");
}

TEST_F(TextsTest, MapAnchoredTextsMoveWithTheCameraAndFixedOnesStay) {
    AddScreenText(t.game, "Here", 700, 500, 100000, enterTime, 0);
    AddScreenText(t.game, "Fixed", 700, 500, 100000, enterTime, 1);
    PlacePlayer(t.game, 640.0f, 480.0f);  // map m shows at m - 496, m - 368
    auto log = DrawAt(0);
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[1].x, 204);
    EXPECT_EQ(log[1].y, 132);
    EXPECT_EQ(log[0].x, 206);  // the shadow follows the moved position
    EXPECT_EQ(log[3].x, 700);
    EXPECT_EQ(log[3].y, 500);
    PlacePlayer(t.game, 600.0f, 480.0f);
    log = DrawAt(10);
    EXPECT_EQ(log[1].x, 244);
    EXPECT_EQ(log[3].x, 700);
}

TEST_F(TextsTest, ScreenFixedKeepsTheLowEightBits) {
    AddScreenText(t.game, "a", 1, 2, 3, 4, 256);
    AddScreenText(t.game, "b", 1, 2, 3, 4, 257);
    EXPECT_EQ(t.game.screenTexts[0].ScreenFixed, 0);
    EXPECT_EQ(t.game.screenTexts[1].ScreenFixed, 1);
    EXPECT_EQ(t.game.screenTexts[1].StartTime, 4);
    EXPECT_EQ(t.game.screenTexts[1].Duration, 3);
}

TEST_F(TextsTest, TheStatusBarShowsTheStatusTextAndAHealthBarFlushRight) {
    t.game.StatusText = "Meadow";
    t.game.player.Health = 5;
    const auto& log = DrawAt(0);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].text, "Meadow");
    EXPECT_EQ(log[0].x, 1);
    EXPECT_EQ(log[0].y, 256 + 5);
    EXPECT_EQ(log[0].font, 1);
    EXPECT_TRUE(SameColour(log[0].colour, {250, 240, 200}));
    EXPECT_EQ(log[1].text, "*****");
    EXPECT_EQ(log[1].x, 320 - Width(1, "*****"));
    EXPECT_EQ(log[1].y, 256 + 5);
    EXPECT_TRUE(SameColour(log[1].colour, {255, 0, 0}));
    // The bar is filled with the StatusBack colour below the play area.
    EXPECT_EQ(t.media.PixelAt(160, 256 + 39), 0x141E28u);
    EXPECT_NE(t.media.PixelAt(160, 255), 0x141E28u);
}

TEST_F(TextsTest, AMultiCharacterHealthSymbolRepeatsAsAUnit) {
    t.game.settings.StatusHealthChar = "<3";
    t.game.player.Health = 3;
    const auto& log = DrawAt(0);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].text, "<3<3<3");
}

TEST_F(TextsTest, NoOrNegativeHealthDrawsAnEmptyBar) {
    t.game.player.Health = 0;
    EXPECT_TRUE(DrawAt(0).empty());
    t.game.player.Health = -7;
    EXPECT_TRUE(DrawAt(0).empty());
}

TEST_F(TextsTest, AHugeHealthStillEndsFlushRightWithoutAHugeText) {
    t.game.player.Health = 2000000000;
    const auto& log = DrawAt(0);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_LT(log[0].text.size(), 2000u);
    EXPECT_GT(Width(1, log[0].text), 320);  // the whole screen width is covered
    EXPECT_EQ(log[0].x + Width(1, log[0].text), 320);
}

TEST_F(TextsTest, TheStatsScreenListsThePlayersValuesAndNoneForAnEmptyInventory) {
    Player& p = t.game.player;
    p.Health = 7;
    p.MaxHealth = 12;
    p.Damage = 3;
    p.Speed = 100;
    p.KillCount = 2;
    t.game.settings.StatusHealthChar.clear();
    t.game.statsScreenShown = true;
    const auto& log = DrawAt(0);
    const std::vector<std::string> expected = {"Health: 7",          "Strength: 3",    "Speed: 100",
                                               "Monsters Killed: 2", "Objects Found:", "None"};
    ASSERT_EQ(Texts(log), expected);
    for (size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].x, 32);
        EXPECT_EQ(log[i].y, 32 + static_cast<int>(i) * 24);  // FontSize 16: 16 + 8
        EXPECT_EQ(log[i].font, 0);
        EXPECT_TRUE(log[i].opaque);
        EXPECT_TRUE(SameColour(log[i].colour, {255, 255, 0}));
        EXPECT_TRUE(SameColour(log[i].backColour, {0, 0, 90}));
    }
}

TEST_F(TextsTest, TheStatsScreenListsTheInventoryInOrderAfterTheOtherTexts) {
    t.game.inventory = {"Sword", "Ring"};
    t.game.map->info.SpeechText = "Hi";
    t.game.settings.MapTextSpeed = 100;
    t.game.StatusText = "Field";
    t.game.statsScreenShown = true;
    const auto texts = Texts(DrawAt(1000));
    const std::vector<std::string> expected = {"Hi",
                                               "Hi",
                                               "Field",
                                               "Health: 0",
                                               "Strength: 0",
                                               "Speed: 100",
                                               "Monsters Killed: 0",
                                               "Objects Found:",
                                               "Sword",
                                               "Ring"};
    EXPECT_EQ(texts, expected);
    t.game.statsScreenShown = false;
    EXPECT_EQ(Texts(DrawAt(1000)).size(), 3u);
}

}  // namespace
}  // namespace vorn

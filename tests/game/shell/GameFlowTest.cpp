// The title screen, the frame loop, the day clock, the quit question and a
// whole run of the program on the headless media layer.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/shell/GameShell.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::ShellGame;

constexpr const char* kPrompt = "Press space to start a new game. Press L to load a game.";

void WriteSave(const ShellGame& shell, const std::string& map, int x, int y) {
    shell.Write("saves/save0.ini", "[Save0]\r\nPlayerX=" + std::to_string(x) +
                                       "\r\nPlayerY=" + std::to_string(y) +
                                       "\r\nPlayerHealth=5\r\nPlayerMaxHealth=9\r\n"
                                       "PlayerDamage=3\r\nPlayerSpeed=70\r\n"
                                       "PlayerKillCount=2\r\nCurrentMap=" +
                                       map + "\r\n");
}

TEST(TitleScreenTest, DrawsThePictureAndThePromptAndSpaceStartsANewGame) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartUp());
    shell.media.SetKeyDown(keys::Space, true);
    RunTitleScreen(shell.game);
    Game& game = shell.game;
    EXPECT_FALSE(game.ended);
    EXPECT_EQ(game.map->info.Name, "start");
    EXPECT_EQ(game.clock.LastTickTime, 0);
    EXPECT_EQ(game.clock.DayStartTime, shell.media.ElapsedMs());
    EXPECT_EQ(game.player.X, 96.0f);  // where start-up placed the player

    const auto& draws = shell.media.DrawLog();
    ASSERT_FALSE(draws.empty());
    EXPECT_EQ(draws[0].sprite, game.settings.TitleScreen);
    EXPECT_EQ(draws[0].x, 0);
    EXPECT_EQ(draws[0].y, 0);
    EXPECT_FALSE(draws[0].transparent);
    const auto& texts = shell.media.TextLog();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, kPrompt);
    EXPECT_EQ(texts[0].x, 1);
    EXPECT_EQ(texts[0].y, 8 * 32);
    EXPECT_EQ(texts[0].font, -1);
    EXPECT_TRUE(texts[0].opaque);
    EXPECT_EQ(texts[0].colour.r + texts[0].colour.g + texts[0].colour.b, 0);
    EXPECT_EQ(texts[0].backColour.r + texts[0].backColour.g + texts[0].backColour.b, 3 * 255);
    // The white clear shows where the picture does not cover.
    EXPECT_EQ(shell.media.PixelAt(319, 290), 0xFFFFFFu);
}

TEST(TitleScreenTest, WaitsUntilAKeyIsDown) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartUp());
    // Three passes without a key, then the window is closed.
    shell.media.QueueWindowEvent(WindowEvent::Other);
    shell.media.QueueWindowEvent(WindowEvent::Other);
    shell.media.QueueWindowEvent(WindowEvent::Other);
    shell.media.QueueWindowEvent(WindowEvent::CloseRequested);
    const int32_t before = shell.media.ElapsedMs();
    RunTitleScreen(shell.game);
    // One millisecond of sleep per pass.
    EXPECT_EQ(shell.media.ElapsedMs() - before, 3);
    EXPECT_TRUE(shell.game.ended);
    EXPECT_EQ(shell.game.map->info.Name, "");
    EXPECT_TRUE(shell.media.Messages().empty());
}

TEST(TitleScreenTest, LLoadsSavedGameZero) {
    ShellGame shell;
    WriteSave(shell, "second", 40, 50);
    ASSERT_TRUE(shell.StartUp());
    shell.media.SetKeyDown(keys::L, true);
    RunTitleScreen(shell.game);
    const Game& game = shell.game;
    EXPECT_FALSE(game.ended);
    EXPECT_EQ(game.map->info.Name, "second");
    EXPECT_EQ(game.player.X, 40.0f);
    EXPECT_EQ(game.player.Health, 5);
    EXPECT_EQ(game.clock.DayStartTime, shell.media.ElapsedMs());
}

TEST(TitleScreenTest, LWinsWhenBothKeysAreDown) {
    ShellGame shell;
    WriteSave(shell, "second", 40, 50);
    ASSERT_TRUE(shell.StartUp());
    shell.media.SetKeyDown(keys::L, true);
    shell.media.SetKeyDown(keys::Space, true);
    RunTitleScreen(shell.game);
    EXPECT_EQ(shell.game.map->info.Name, "second");
    EXPECT_EQ(shell.game.player.Health, 5);
}

TEST(TitleScreenTest, LWithoutSavedGameShowsTheBoxAndEndsTheProgram) {
    ShellGame shell;
    shell.media.SetKeyDown(keys::L, true);
    const std::string argument = test::ModArgument(shell.folder.Path());
    const char* argv[] = {"game", argument.c_str()};
    EXPECT_EQ(RunGame(shell.media, 2, argv), 0);
    const auto& messages = shell.media.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].title, "Error");
    EXPECT_EQ(messages[0].text, "Save game 0 not found!");
    EXPECT_FALSE(shell.folder.Exists("saves/save0.ini"));
}

TEST(TitleScreenTest, FirstFrameMovesByItsOwnTimeAndFromWhereThePlayerStands) {
    // The player starts at (96, 64); 10 ms at 100 px/s is one pixel.
    const auto firstFrame = [](int key) {
        ShellGame shell({"PlayerStartSpeed=100"});
        EXPECT_TRUE(shell.StartUp());
        shell.media.AdvanceTimeMs(20000);  // a long look at the title picture
        shell.media.SetKeyDown(keys::Space, true);
        shell.media.SetKeyDown(key, true);  // held from the title screen on
        RunTitleScreen(shell.game);
        shell.media.SetKeyDown(keys::Space, false);
        shell.media.AdvanceTimeMs(10);
        RunFrame(shell.game);
        return std::pair{shell.game.player.X, shell.game.player.Y};
    };
    // Not two thousand pixels for the time on the title screen...
    EXPECT_NEAR(firstFrame(keys::Right).first, 97.0f, 0.01f);
    // ...and not to the map's top edge for a clip box not yet placed.
    EXPECT_NEAR(firstFrame(keys::Up).second, 63.0f, 0.01f);
}

class DayClockTest : public ::testing::Test {
protected:
    void Start(int lengthOfDay) {
        shell = std::make_unique<ShellGame>(
            std::vector<std::string>{"LengthOfDay=" + std::to_string(lengthOfDay)});
        ASSERT_TRUE(shell->StartNewGame());
        dayStart = shell->game.clock.DayStartTime;
    }
    // Runs one frame whose FrameTime is `ms` after the day's start.
    void FrameAt(int32_t ms) {
        shell->media.SetTimeMs(dayStart + ms);
        RunFrame(shell->game);
    }
    std::unique_ptr<ShellGame> shell;
    int32_t dayStart = 0;
};

TEST_F(DayClockTest, CountsWholeSecondsAndReachesTheLengthBeforeRestarting) {
    Start(60);
    FrameAt(999);
    EXPECT_EQ(shell->game.clock.TimeOfDay, 0);
    FrameAt(1000);
    EXPECT_EQ(shell->game.clock.TimeOfDay, 1);
    FrameAt(60000);
    EXPECT_EQ(shell->game.clock.TimeOfDay, 60);
    FrameAt(60999);
    EXPECT_EQ(shell->game.clock.TimeOfDay, 60);
    FrameAt(61000);
    EXPECT_EQ(shell->game.clock.TimeOfDay, 0);
    EXPECT_EQ(shell->game.clock.DayStartTime, dayStart + 61000);
    // The new day counts from that frame.
    dayStart += 61000;
    FrameAt(2500);
    EXPECT_EQ(shell->game.clock.TimeOfDay, 2);
}

TEST_F(DayClockTest, ZeroLengthLeavesTheTimeOfDayAlone) {
    Start(0);
    shell->game.clock.TimeOfDay = 17;
    FrameAt(100000);
    EXPECT_EQ(shell->game.clock.TimeOfDay, 17);
    EXPECT_EQ(shell->game.clock.DayStartTime, dayStart);
}

TEST(FrameLoopTest, AFrameRecordsItsTimesAndSleepsEightMilliseconds) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartNewGame());
    shell.media.SetTimeMs(5000);
    RunFrame(shell.game);
    EXPECT_EQ(shell.game.clock.FrameTime, 5000);
    EXPECT_EQ(shell.game.clock.PreviousFrameTime, 5000);
    EXPECT_EQ(shell.media.ElapsedMs(), 5008);
    EXPECT_EQ(shell.game.clock.LastWindowEvent, WindowEvent::None);
    // The frame drew the map (the status bar's text among others).
    EXPECT_FALSE(shell.media.DrawLog().empty());
}

TEST(FrameLoopTest, ClosingTheWindowFinishesTheFrameThenLeavesTheLoop) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartNewGame());
    shell.media.QueueWindowEvent(WindowEvent::Other);
    shell.media.QueueWindowEvent(WindowEvent::Other);
    shell.media.QueueWindowEvent(WindowEvent::CloseRequested);
    const int32_t before = shell.media.ElapsedMs();
    MainLoop(shell.game);
    // Three frames of 8 ms, the last one complete.
    EXPECT_EQ(shell.media.ElapsedMs() - before, 24);
    EXPECT_EQ(shell.game.clock.LastWindowEvent, WindowEvent::CloseRequested);
    EXPECT_EQ(shell.game.clock.PreviousFrameTime, shell.game.clock.FrameTime);
    EXPECT_FALSE(shell.game.ended);
}

TEST(FrameLoopTest, AFrameStopsAtOnceWhenAScriptQuits) {
    ShellGame shell({"TickMs=50"});
    shell.Write("global_tick.ds", "Quit()\r\n");
    ASSERT_TRUE(shell.StartNewGame());
    const int32_t previous = shell.game.clock.PreviousFrameTime;
    const int32_t before = shell.media.ElapsedMs();
    shell.media.QueueWindowEvent(WindowEvent::Other);  // the loop must not wait for a close
    MainLoop(shell.game);
    EXPECT_TRUE(shell.game.ended);
    // Nothing after the tick step ran: no drawing, no sleep, no frame time kept.
    EXPECT_EQ(shell.game.clock.PreviousFrameTime, previous);
    EXPECT_EQ(shell.media.ElapsedMs(), before);
}

TEST(QuitQuestionTest, YesSavesSlotZero) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartNewGame());
    shell.media.QueueMessageAnswer(MessageResult::Yes);
    AskQuitQuestion(shell.game);
    ASSERT_EQ(shell.media.Messages().size(), 1u);
    const auto& box = shell.media.Messages()[0];
    EXPECT_EQ(box.title, "Confirm");
    EXPECT_EQ(box.text, "Would you like to save your game before quitting?");
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);
    EXPECT_TRUE(shell.folder.Exists("saves/save0.ini"));
    EXPECT_NE(shell.folder.Read("saves/save0.ini").find("CurrentMap=start"), std::string::npos);
}

TEST(QuitQuestionTest, NoSavesNothing) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartNewGame());
    shell.media.QueueMessageAnswer(MessageResult::No);
    AskQuitQuestion(shell.game);
    EXPECT_EQ(shell.media.Messages().size(), 1u);
    EXPECT_FALSE(shell.folder.Exists("saves/save0.ini"));
}

TEST(QuitQuestionTest, AFailedSaveShowsItsMessageAndTheProgramStillEnds) {
    ShellGame shell;
    // A file where the saves folder should be: nothing can be written.
    shell.Write("saves", "not a folder");
    const std::string argument = test::ModArgument(shell.folder.Path());
    const char* argv[] = {"game", argument.c_str()};
    shell.media.SetKeyDown(keys::Space, true);
    shell.media.QueueWindowEvent(WindowEvent::Other);
    shell.media.QueueWindowEvent(WindowEvent::CloseRequested);
    shell.media.QueueMessageAnswer(MessageResult::Yes);
    EXPECT_EQ(RunGame(shell.media, 2, argv), 0);
    const auto& messages = shell.media.Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].title, "Confirm");
    EXPECT_EQ(messages[1].title, "Error");
    EXPECT_EQ(messages[1].text, "Couldn't create save game file!");
    EXPECT_EQ(shell.folder.Read("saves"), "not a folder");
}

TEST(RunGameTest, ANewGameClosedWithYesIsSavedAndCanBeLoadedAgain) {
    ShellGame shell({"StartX=4"});
    const std::string argument = test::ModArgument(shell.folder.Path());
    const char* argv[] = {"game", argument.c_str()};
    // The title screen takes the first event; the first frame sees the close.
    shell.media.SetKeyDown(keys::Space, true);
    shell.media.QueueWindowEvent(WindowEvent::Other);
    shell.media.QueueWindowEvent(WindowEvent::CloseRequested);
    shell.media.QueueMessageAnswer(MessageResult::Yes);
    EXPECT_EQ(RunGame(shell.media, 2, argv), 0);
    ASSERT_EQ(shell.media.Messages().size(), 1u);
    EXPECT_EQ(shell.media.Messages()[0].title, "Confirm");
    const std::string saved = shell.folder.Read("saves/save0.ini");
    EXPECT_NE(saved.find("PlayerX=128\r\n"), std::string::npos) << saved;

    // A second run of the program loads it with L.
    HeadlessMedia media;
    media.SetKeyDown(keys::L, true);
    Game game(media);
    ASSERT_TRUE(StartUp(game, 2, argv));
    game.player.X = 0.0f;
    RunTitleScreen(game);
    EXPECT_EQ(game.player.X, 128.0f);
    EXPECT_EQ(game.map->info.Name, "start");
}

TEST(RunGameTest, QuitDuringPlayEndsWithoutTheQuestion) {
    ShellGame shell({"TickMs=10"});
    shell.Write("global_tick.ds", "Quit()\r\n");
    const std::string argument = test::ModArgument(shell.folder.Path());
    const char* argv[] = {"game", argument.c_str()};
    shell.media.SetKeyDown(keys::Space, true);
    shell.media.QueueMessageAnswer(MessageResult::Yes);
    EXPECT_EQ(RunGame(shell.media, 2, argv), 0);
    EXPECT_TRUE(shell.media.Messages().empty());
}

}  // namespace
}  // namespace vorn

// The player's comfort on the headless layer: a remapped key feeds the
// game's own key, so play goes on as with the defaults; a pad's d-pad and
// left stick walk frame for frame as the arrow keys do; the "Game saved."
// note shows over the frame for two seconds and nowhere else; a script that
// never ends still lets the close box ask whether to quit.
#include <SDL_gamecontroller.h>
#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "game/media/InputBindings.h"
#include "game/media/SoftwareScreen.h"
#include "game/shell/GameShell.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::ShellGame;

constexpr int kHeldFrames = 12;
constexpr int kReleasedFrames = 4;

// Each frame as the player sees it: where the player stands and a hash of
// the whole screen.
std::vector<std::string> Frames(const std::function<void(HeadlessMedia&)>& press) {
    ShellGame shell;
    EXPECT_TRUE(shell.StartNewGame());
    std::vector<std::string> frames;
    press(shell.media);
    for (int i = 0; i < kHeldFrames + kReleasedFrames; ++i) {
        if (i == kHeldFrames) {
            shell.media.ReleaseAllKeys();
        }
        RunFrame(shell.game);
        const SoftwareScreen& screen = shell.media.Screen();
        uint64_t hash = 1469598103934665603ull;
        for (int p = 0; p < screen.Width() * screen.Height(); ++p) {
            hash = (hash ^ (screen.Pixels()[p] & 0xFFFFFF)) * 1099511628211ull;
        }
        frames.push_back(std::to_string(shell.game.player.X) + "," +
                         std::to_string(shell.game.player.Y) + " " + std::to_string(hash));
    }
    return frames;
}

auto Keys(std::vector<int> gameKeys) {
    return [gameKeys](HeadlessMedia& media) {
        for (int key : gameKeys) {
            media.SetKeyDown(key, true);
        }
    };
}
auto Dpad(std::vector<SDL_GameControllerButton> buttons) {
    return [buttons](HeadlessMedia& media) {
        for (SDL_GameControllerButton button : buttons) {
            media.SetPadButton(1, button, true);  // any pad counts, not only the first
        }
    };
}
auto Stick(int x, int y) {
    return [x, y](HeadlessMedia& media) { media.SetPadStick(0, x, y); };
}

TEST(PadTest, DpadAndStickWalkFrameForFrameAsTheArrowKeys) {
    const auto nothing = Frames([](HeadlessMedia&) {});
    const auto right = Frames(Keys({keys::Right}));
    ASSERT_NE(right, nothing);
    EXPECT_EQ(Frames(Dpad({SDL_CONTROLLER_BUTTON_DPAD_RIGHT})), right);
    EXPECT_EQ(Frames(Stick(32767, 0)), right);
    // Within 22.5 degrees of an axis the stick walks straight.
    EXPECT_EQ(Frames(Stick(30000, -9000)), right);

    const auto downLeft = Frames(Keys({keys::Down, keys::Left}));
    EXPECT_EQ(Frames(Dpad({SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_DPAD_LEFT})),
              downLeft);
    EXPECT_EQ(Frames(Stick(-23000, 23000)), downLeft);

    // Inside the dead zone the stick does nothing.
    EXPECT_EQ(Frames(Stick(5000, -5000)), nothing);
    EXPECT_EQ(Frames(Stick(-kStickDeadZone, 0)), nothing);
}

TEST(KeyMappingTest, ARemappedKeyPlaysAndTheOldOneNoLonger) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartNewGame());
    InputBindings bindings = InputBindings::Defaults();
    bindings.keys[static_cast<size_t>(Action::Right)] = {SDL_SCANCODE_D};
    bindings.keys[static_cast<size_t>(Action::Save)] = {SDL_SCANCODE_F2};
    shell.media.SetInputBindings(bindings);
    Game& game = shell.game;
    auto frames = [&game](int count) {
        for (int i = 0; i < count; ++i) {
            RunFrame(game);
        }
    };
    const float startX = game.player.X;

    shell.media.SetScanCodeDown(SDL_SCANCODE_RIGHT, true);
    frames(10);
    EXPECT_EQ(game.player.X, startX);
    shell.media.ReleaseAllKeys();
    shell.media.SetScanCodeDown(SDL_SCANCODE_D, true);
    frames(10);
    EXPECT_GT(game.player.X, startX);
    shell.media.ReleaseAllKeys();
    frames(2);

    // Saving happens on the key's release, whichever key it is.
    const std::string save = shell.folder.PathOf("saves/save0.ini");
    shell.media.SetScanCodeDown(SDL_SCANCODE_S, true);
    frames(2);
    shell.media.ReleaseAllKeys();
    frames(2);
    EXPECT_FALSE(std::filesystem::exists(save));
    shell.media.SetScanCodeDown(SDL_SCANCODE_F2, true);
    frames(2);
    EXPECT_FALSE(std::filesystem::exists(save));
    shell.media.ReleaseAllKeys();
    frames(1);
    EXPECT_TRUE(std::filesystem::exists(save));
}

TEST(SavedNoteTest, SShowsTheNoteOverTheFrameForTwoSecondsAndNowhereElse) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartNewGame());
    Game& game = shell.game;
    auto noteShown = [&shell] {
        for (const auto& text : shell.media.TextLog()) {
            if (text.text == "Game saved.") {
                return true;
            }
        }
        return false;
    };
    RunFrame(game);
    EXPECT_FALSE(noteShown());
    const std::string statusText = game.StatusText;
    shell.media.SetKeyDown(keys::S, true);
    RunFrame(game);
    shell.media.SetKeyDown(keys::S, false);
    RunFrame(game);
    const int32_t savedAt = game.clock.FrameTime;
    EXPECT_TRUE(noteShown());
    EXPECT_EQ(game.StatusText, statusText);

    shell.media.AdvanceTimeMs(2000 - 30);
    RunFrame(game);
    EXPECT_LT(game.clock.FrameTime - savedAt, 2000);
    EXPECT_TRUE(noteShown());
    shell.media.AdvanceTimeMs(30);
    RunFrame(game);
    EXPECT_FALSE(noteShown());
}

TEST(LongScriptTest, AfterTwoSecondsTheCloseBoxAsksNoGoesOnAndYesEndsUnsaved) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartUp());
    shell.Write("maps/start_enter.ds", "WHILE 1 = 1\nX = X + 1\nWEND\n");
    // The title screen takes the first event; the script the two closes.
    shell.media.QueueWindowEvent(WindowEvent::Other);
    shell.media.QueueWindowEvent(WindowEvent::CloseRequested);
    shell.media.QueueWindowEvent(WindowEvent::CloseRequested);
    shell.media.QueueMessageAnswer(MessageResult::No);
    shell.media.QueueMessageAnswer(MessageResult::Yes);
    shell.media.SetKeyDown(keys::Space, true);
    RunTitleScreen(shell.game);
    MainLoop(shell.game);
    AskQuitQuestion(shell.game);

    EXPECT_TRUE(shell.game.ended);
    const auto& questions = shell.media.Messages();
    ASSERT_EQ(questions.size(), 2u);
    for (const auto& question : questions) {
        EXPECT_EQ(question.title, "Confirm");
        EXPECT_EQ(question.text, "A script has been running for 2 seconds. Quit without saving?");
        EXPECT_EQ(question.buttons, MessageButtons::YesNo);
    }
    EXPECT_NE(shell.Variable("X"), "<unset>");
    EXPECT_FALSE(shell.folder.Exists("saves"));
}

}  // namespace
}  // namespace vorn

// player.ini: where it lives, its defaults (which the written file gives
// back exactly), the warning and the default for each kind of bad entry,
// and the command line that writes it.
#include "game/shell/PlayerOptions.h"

#include <SDL_gamecontroller.h>
#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "game/shell/CommandLine.h"
#include "tests/support/TempFolder.h"

namespace vorn {
namespace {

std::vector<int> KeysOf(const PlayerOptions& options, Action action) {
    return options.bindings.keys[static_cast<size_t>(action)];
}
std::vector<int> ButtonsOf(const PlayerOptions& options, Action action) {
    return options.bindings.padButtons[static_cast<size_t>(action)];
}

void ExpectDefaults(const PlayerOptions& options) {
    const PlayerOptions defaults;
    EXPECT_FALSE(options.display.fullscreen);
    EXPECT_EQ(options.display.scaling, ScalingRule::Integer);
    EXPECT_EQ(options.display.windowScale, 0);
    EXPECT_EQ(options.bindings.keys, defaults.bindings.keys);
    EXPECT_EQ(options.bindings.padButtons, defaults.bindings.padButtons);
}

TEST(PlayerOptionsTest, TheWrittenDefaultsReadBackAsTheDefaults) {
    std::ostringstream warnings;
    ExpectDefaults(ReadPlayerOptionsText(DefaultPlayerOptionsText(), "player.ini", warnings));
    EXPECT_EQ(warnings.str(), "");
    EXPECT_EQ(KeysOf(PlayerOptions{}, Action::Attack),
              (std::vector<int>{SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL}));
    EXPECT_EQ(ButtonsOf(PlayerOptions{}, Action::Save),
              (std::vector<int>{SDL_CONTROLLER_BUTTON_START}));
    ExpectDefaults(ReadPlayerOptions("/nonexistent/player.ini", warnings));
    EXPECT_EQ(warnings.str(), "");
}

TEST(PlayerOptionsTest, GoodEntriesAreTakenWithTheirComments) {
    std::ostringstream warnings;
    const PlayerOptions options = ReadPlayerOptionsText(
        "[Display]\nFullscreen=1   ; on\nScaling = Fit\nWindowScale=3\n"
        "[Keys]\nLeft=A, Keypad 4 ;both\nSave=;\n[Pad]\nAttack=x,rightshoulder\n",
        "p.ini", warnings);
    EXPECT_EQ(warnings.str(), "");
    EXPECT_TRUE(options.display.fullscreen);
    EXPECT_EQ(options.display.scaling, ScalingRule::Fit);
    EXPECT_EQ(options.display.windowScale, 3);
    EXPECT_EQ(KeysOf(options, Action::Left), (std::vector<int>{SDL_SCANCODE_A, SDL_SCANCODE_KP_4}));
    EXPECT_EQ(KeysOf(options, Action::Save), (std::vector<int>{SDL_SCANCODE_SEMICOLON}));
    EXPECT_EQ(KeysOf(options, Action::Up), (std::vector<int>{SDL_SCANCODE_UP}));
    EXPECT_EQ(ButtonsOf(options, Action::Attack),
              (std::vector<int>{SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER}));
    EXPECT_EQ(ButtonsOf(options, Action::PickUp), (std::vector<int>{SDL_CONTROLLER_BUTTON_B}));
}

TEST(PlayerOptionsTest, EachBadEntryIsReportedWithItsLineAndKeepsTheDefault) {
    std::ostringstream warnings;
    const PlayerOptions options = ReadPlayerOptionsText(
        "[Display]\n"
        "Fullscreen=yes\n"  // 2
        "Scaling=stretch\n"
        "WindowScale=-2\n"
        "[Keys]\n"
        "Attack=Left Ctrl,Nokey\n"  // 6
        "Up=\n"
        "Upp=W\n"
        "[Pad]\n"
        "PickUp=zz\n",  // 10
        "/home/p/.config/vornengine/player.ini", warnings);
    ExpectDefaults(options);
    const std::string at = "/home/p/.config/vornengine/player.ini:";
    EXPECT_EQ(warnings.str(),
              at +
                  "2: warning: Fullscreen=yes is neither 0 (a window) nor 1 (desktop "
                  "fullscreen); the default 0 is kept\n" +
                  at +
                  "3: warning: Scaling=stretch is neither integer nor fit; the default "
                  "integer is kept\n" +
                  at +
                  "4: warning: WindowScale=-2 is not a whole number from 0 to 16; the "
                  "default 0 is kept\n" +
                  at +
                  "6: warning: 'Nokey' in Attack=Left Ctrl,Nokey is not a key name SDL "
                  "knows (Up, Left Ctrl, Return, Space, S, F1, Keypad 8 ...); the default "
                  "Left Ctrl,Right Ctrl is kept\n" +
                  at +
                  "7: warning: '' in Up= is not a key name SDL knows (Up, Left Ctrl, "
                  "Return, Space, S, F1, Keypad 8 ...); the default Up is kept\n" +
                  at +
                  "8: warning: 'Upp=W' is not an entry of [Keys] (its keys: Up, Down, "
                  "Left, Right, Attack, PickUp, Save, Stats, NewGame, LoadGame)\n" +
                  at +
                  "10: warning: 'zz' in PickUp=zz is not a game-controller button (a, b, "
                  "x, y, back, start, leftshoulder, rightshoulder, leftstick, dpup ...); "
                  "the default b is kept\n");
}

TEST(PlayerOptionsTest, LivesUnderXdgConfigHomeAndIsWrittenOnlyWhenAskedAndNeverOver) {
    const test::TempFolder folder;
    const char* oldConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string savedConfig = oldConfig != nullptr ? oldConfig : "";
    setenv("XDG_CONFIG_HOME", folder.Path().c_str(), 1);
    const std::string path = PlayerOptionsPath();
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    const std::string fallback = PlayerOptionsPath();
    if (oldConfig != nullptr) {
        setenv("XDG_CONFIG_HOME", savedConfig.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
    EXPECT_EQ(path, folder.PathOf("vornengine/player.ini"));
    EXPECT_EQ(fallback, std::string(std::getenv("HOME")) + "/.config/vornengine/player.ini");

    const char* argv[] = {"game", "--write-player-config", "mymod"};
    const CommandLine commandLine = ParseCommandLine(3, argv);
    EXPECT_TRUE(commandLine.writePlayerConfig);
    ASSERT_EQ(commandLine.ArgumentCount(), 2);
    EXPECT_STREQ(commandLine.Arguments()[1], "mymod");

    EXPECT_EQ(WriteDefaultPlayerOptions(path), "");
    EXPECT_EQ(folder.Read("vornengine/player.ini"), DefaultPlayerOptionsText());
    folder.Write("vornengine/player.ini", "[Display]\nFullscreen=1\n");
    EXPECT_EQ(WriteDefaultPlayerOptions(path),
              path + ": error: the file exists; remove or rename it to write the defaults");
    EXPECT_EQ(folder.Read("vornengine/player.ini"), "[Display]\nFullscreen=1\n");
}

}  // namespace
}  // namespace vorn

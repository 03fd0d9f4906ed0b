// Start-up: the fatal failures with their exact texts and what they leave
// undone, the window, the player's starting values and the load order.
#include <gtest/gtest.h>

#include <filesystem>

#include "game/shell/GameShell.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::ShellGame;

struct FatalCase {
    const char* operation;
    const char* text;
};

const FatalCase kFatalCases[] = {
    {"graphics", "Couldn't initialize sprite engine."},
    {"audio", "Couldn't initialize sound engine."},
    {"keyboard", "Couldn't initialize keyboard."},
    {"fonts", "Couldn't initialize the fonts."},
    {"window", "Couldn't initialize the window."},
    {"screen", "Couldn't initialize the sprite screen."},
};

TEST(StartUpTest, EachFailingInitialisationShowsItsErrorBoxAndStops) {
    for (const FatalCase& fatal : kFatalCases) {
        SCOPED_TRACE(fatal.operation);
        ShellGame shell;
        shell.media.FailOperation(fatal.operation);
        EXPECT_FALSE(shell.StartUp());
        EXPECT_TRUE(shell.game.ended);
        ASSERT_EQ(shell.media.Messages().size(), 1u);
        EXPECT_EQ(shell.media.Messages()[0].title, "Error");
        EXPECT_EQ(shell.media.Messages()[0].text, fatal.text);
        EXPECT_EQ(shell.media.Messages()[0].buttons, MessageButtons::Ok);
        // Nothing after the failed step ran: no commands were registered and
        // no player was placed.
        EXPECT_FALSE(shell.game.script.CommandExists("GetTime"));
        EXPECT_EQ(shell.game.player.Health, 0);
    }
}

TEST(StartUpTest, FailuresBeforeTheSettingsLeaveThemUnread) {
    ShellGame shell;
    shell.media.FailOperation("keyboard");
    shell.StartUp();
    EXPECT_EQ(shell.game.ModFolder, "./vorn3");
    EXPECT_EQ(shell.game.settings.GameTitle, "");
}

TEST(StartUpTest, FontFailureComesAfterTheSettingsAndBeforeTheWindow) {
    ShellGame shell;
    shell.media.FailOperation("fonts");
    shell.StartUp();
    EXPECT_EQ(shell.game.settings.GameTitle, "Test Quest");
    EXPECT_EQ(shell.game.colors.StatusTextRed, 255);
    EXPECT_EQ(shell.media.WindowTitle(), "");
}

TEST(StartUpTest, RunGameEndsWithExitCodeZeroAfterAFatalError) {
    ShellGame shell;
    shell.media.FailOperation("window");
    shell.media.SetKeyDown(keys::Space, true);
    const std::string argument = test::ModArgument(shell.folder.Path());
    const char* argv[] = {"game", argument.c_str()};
    EXPECT_EQ(RunGame(shell.media, 2, argv), 0);
    // Only the error box: no title screen, no quit question.
    ASSERT_EQ(shell.media.Messages().size(), 1u);
    EXPECT_EQ(shell.media.Messages()[0].text, "Couldn't initialize the window.");
    EXPECT_TRUE(shell.media.TextLog().empty());
}

TEST(StartUpTest, WindowHasTheVersionedTitleAndRoomForTheStatusBar) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartUp());
    EXPECT_EQ(shell.media.WindowTitle(), "Test Quest - 2.03");
    // 10 x 32 wide, 8 x 32 + 40 high.
    EXPECT_EQ(shell.media.ScreenWidth(), 320);
    EXPECT_EQ(shell.media.ScreenHeight(), 296);
    const GameSettings& s = shell.game.settings;
    EXPECT_EQ(s.HalfScreenPixelWidth, 160);
    EXPECT_EQ(s.HalfScreenPixelHeight, 128);
    EXPECT_TRUE(shell.media.Messages().empty());
    EXPECT_FALSE(shell.game.ended);
}

TEST(StartUpTest, ModFolderIsTheArgumentBelowTheWorkingDirectory) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartUp());
    EXPECT_EQ(shell.game.ModFolder, "./" + test::ModArgument(shell.folder.Path()));
}

TEST(StartUpTest, BothFontsAreLoaded) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartUp());
    EXPECT_NE(shell.media.IsFontLoaded(0), 0);
    EXPECT_NE(shell.media.IsFontLoaded(1), 0);
}

TEST(StartUpTest, PlayerStartsOnTheStartTileWithTheStartValues) {
    ShellGame shell({"StartX=3", "StartY=2", "StartHealth=12", "StartDamage=4",
                     "PlayerStartSpeed=90", "PlayerWidth=25"});
    ASSERT_TRUE(shell.StartUp());
    const Player& player = shell.game.player;
    EXPECT_EQ(player.X, 96.0f);
    EXPECT_EQ(player.Y, 64.0f);
    EXPECT_EQ(player.Health, 12);
    EXPECT_EQ(player.MaxHealth, 12);
    EXPECT_EQ(player.Damage, 4);
    EXPECT_EQ(player.Speed, 90);
    EXPECT_NE(player.Sprite, 0);
    EXPECT_EQ(shell.media.SpriteWidth(player.Sprite), 64);
    EXPECT_EQ(player.Facing, Facing::Down);
    EXPECT_EQ(player.KillCount, 0);
    EXPECT_EQ(shell.game.settings.HalfPlayerWidth, 12);
}

TEST(StartUpTest, SharedPicturesLoadBeforeThePlayerAndTheTiles) {
    ShellGame shell;
    ASSERT_TRUE(shell.StartUp());
    const GameSettings& s = shell.game.settings;
    ASSERT_NE(s.HeartSprite, 0);
    ASSERT_NE(s.TitleScreen, 0);
    EXPECT_EQ(shell.media.SpriteWidth(s.HeartSprite), 16);
    EXPECT_EQ(shell.media.SpriteWidth(s.TitleScreen), 320);
    // Handles are handed out in load order.
    EXPECT_LT(s.HeartSprite, s.DeathSprite);
    EXPECT_LT(s.DeathSprite, s.NightTile);
    EXPECT_LT(s.NightTile, s.TitleScreen);
    EXPECT_LT(s.TitleScreen, shell.game.player.Sprite);
    ASSERT_EQ(shell.game.assets.tileImages.size(), 2u);
    for (const TileImage& tile : shell.game.assets.tileImages) {
        EXPECT_LT(shell.game.player.Sprite, tile.Sprite);
    }
}

TEST(StartUpTest, GridCommandsConstantsAndGlobalScriptsAreReady) {
    ShellGame shell;
    shell.Write("global_tick.ds", "TICKED=1\r\n");
    ASSERT_TRUE(shell.StartUp());
    Game& game = shell.game;
    EXPECT_EQ(game.map->grid.Width(), 10);
    EXPECT_EQ(game.map->grid.Height(), 8);
    EXPECT_TRUE(game.script.CommandExists("Abs"));
    EXPECT_TRUE(game.script.CommandExists("DisableMonsterDeath"));
    EXPECT_EQ(game.script.ExpandConstants("#MAPWIDTH"), "10");
    EXPECT_EQ(game.script.RunScript(slots::kGlobalTick), ScriptResult::Ok);
    EXPECT_EQ(shell.Variable("TICKED"), "1");
    // Missing global scripts load as empty scripts, silently.
    EXPECT_EQ(game.script.RunScript(slots::kGlobalGrabItem), ScriptResult::Ok);
    EXPECT_TRUE(shell.media.Messages().empty());
}

TEST(StartUpTest, MissingSettingsFileIsNotAnErrorAndReadsZeros) {
    ShellGame shell;
    std::filesystem::remove(shell.folder.Path() + "/settings.ini");
    const bool started = shell.StartUp();
    const GameSettings& s = shell.game.settings;
    EXPECT_EQ(s.GameTitle, "");
    EXPECT_EQ(s.TileWidth, 0);
    EXPECT_EQ(s.TickMs, 0);
    EXPECT_EQ(shell.game.player.X, 0.0f);
    // Whatever the media layer makes of a 0 x 0 window, nothing names the file.
    for (const auto& message : shell.media.Messages()) {
        EXPECT_EQ(message.text.find("settings"), std::string::npos);
    }
    if (started) {
        EXPECT_EQ(shell.media.WindowTitle(), " - 2.03");
    }
}

}  // namespace
}  // namespace vorn

// What the game tells the author on standard error: the cause of every
// fatal error box, told right before it, and every file or script it skips
// at run time, once per run.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "game/play/Events.h"
#include "game/shell/GameShell.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::ShellGame;

// The mod folder as the game names it in its messages.
std::string Shown(const ShellGame& shell) {
    return test::ModArgument(shell.folder.Path());
}

size_t Count(const Game& game, const std::string& message) {
    const std::vector<std::string>& all = game.diagnostics.Messages();
    return static_cast<size_t>(std::count(all.begin(), all.end(), message));
}

struct FatalStartUp {
    const char* what;
    std::function<void(ShellGame&)> spoil;
    // The cause, after the mod folder and "/".
    const char* cause;
};

TEST(GameReportsTest, AFatalStartUpErrorIsToldWithItsCauseRightBeforeItsBox) {
    const FatalStartUp cases[] = {
        {"no settings.ini",
         [](ShellGame& s) { std::filesystem::remove(s.folder.PathOf("settings.ini")); },
         "settings.ini: error: file not found (the game looks for it in ./"},
        {"the group in lower case",
         [](ShellGame& s) { s.Write("settings.ini", "[settings]\r\nTileWidth=32\r\n"); },
         "settings.ini: error: no group [Settings], so every setting reads as empty or 0"},
        {"a misspelt key",
         [](ShellGame& s) {
             s.Write("settings.ini", test::MinimalSettings({"TileWidth=", "TileWidht=32"}));
         },
         "settings.ini:11: error: TileWidth is not above 0: the window cannot open"},
    };
    for (const FatalStartUp& fatal : cases) {
        SCOPED_TRACE(fatal.what);
        ShellGame shell;
        fatal.spoil(shell);
        EXPECT_FALSE(shell.StartUp());
        ASSERT_EQ(shell.media.Messages().size(), 1u);
        EXPECT_EQ(shell.media.Messages()[0].text, "Couldn't initialize the window.");
        const std::string last = shell.game.diagnostics.Messages().back();
        EXPECT_EQ(last.rfind(Shown(shell) + "/" + fatal.cause, 0), 0u) << last;
    }
    ShellGame misspelt;
    misspelt.Write("settings.ini", test::MinimalSettings({"TileWidth=", "TileWidht=32"}));
    misspelt.StartUp();
    EXPECT_EQ(Count(misspelt.game, Shown(misspelt) +
                                       "/settings.ini:50: error: unknown key `TileWidht` in "
                                       "[Settings]; did you mean `TileWidth`?"),
              1u)
        << testing::PrintToString(misspelt.game.diagnostics.Messages());
}

TEST(GameReportsTest, AFolderThatIsNotThereIsNamedBeforeTheBox) {
    HeadlessMedia media;
    Game game(media);
    const char* argv[] = {"game", "no-such-mod"};
    EXPECT_FALSE(StartUp(game, 2, argv));
    ASSERT_EQ(game.diagnostics.Messages().size(), 1u);
    EXPECT_EQ(game.diagnostics.Messages()[0].rfind(
                  "game: error: there is no folder ./no-such-mod to run: the game reads the "
                  "folder its argument names in the folder it is started in (",
                  0),
              0u);
}

TEST(GameReportsTest, AMapThatCannotBeLoadedIsToldWhereItsNameIsWritten) {
    ShellGame start({"StartMap=nowhere"});
    EXPECT_FALSE(start.StartNewGame());
    EXPECT_EQ(start.media.Messages().back().text, "Couldn't load map tiles: nowhere");
    EXPECT_EQ(start.game.diagnostics.Messages().back(),
              Shown(start) + "/settings.ini:18: error: StartMap `nowhere` cannot be loaded: " +
                  Shown(start) + "/maps/nowhere.gtl does not exist");

    ShellGame script;
    script.Write("maps/start_enter.ds", "; off we go\nX = 1\nLoadMap('secnd')\n");
    EXPECT_FALSE(script.StartNewGame());
    EXPECT_EQ(script.game.diagnostics.Messages().back(),
              Shown(script) + "/maps/start_enter.ds:3: error: LoadMap `secnd` cannot be loaded: " +
                  Shown(script) + "/maps/secnd.gtl does not exist; did you mean `second`?");

    ShellGame attributes;
    std::filesystem::remove(attributes.folder.PathOf("maps/start.atl"));
    EXPECT_FALSE(attributes.StartNewGame());
    EXPECT_EQ(attributes.media.Messages().back().text, "Couldn't load map tile attributes: start");
    EXPECT_EQ(attributes.game.diagnostics.Messages().back(),
              Shown(attributes) + "/settings.ini:18: error: StartMap `start` cannot be loaded: " +
                  Shown(attributes) + "/maps/start.atl does not exist");

    ShellGame load;
    ASSERT_TRUE(load.StartUp());
    load.media.SetKeyDown(keys::L, true);
    RunTitleScreen(load.game);
    EXPECT_EQ(load.media.Messages().back().text, "Save game 0 not found!");
    EXPECT_EQ(load.game.diagnostics.Messages().back(),
              Shown(load) +
                  "/saves/save0.ini: error: no saved game to load (L on the title "
                  "screen loads it; without one the game ends)");
}

TEST(GameReportsTest, WhatTheGameSkipsAtRunTimeIsToldOnce) {
    ShellGame shell({"PlayerSprite=nobody.png", "TickMs=10"});
    shell.Write("maps/start.atl",
                "0 S 0 0 0 0 0 0 0 0\r\n0 0 9 0 0 0 0 0 0 0\r\n" + std::string(6, '\n'));
    shell.Write("maps/start.ani", "glow,32,32,0\r\n");
    shell.Write("maps/start_enter.ds", "INCLUDEFILE gone.ds\nX = 1\nSayHello\n");
    shell.Write("maps/start_tick.ds", "; every tick\nSetPlayerX('left')\n");
    ASSERT_TRUE(shell.StartNewGame());
    for (int frame = 0; frame < 5; ++frame) {
        shell.media.AdvanceTimeMs(20);
        RunFrame(shell.game);
    }
    const std::string mod = Shown(shell);
    for (const std::string& told : {
             mod + "/settings.ini:23: error: picture `nobody.png` not found in " + mod +
                 "/sprites/",
             mod + "/maps/start.btl: warning: no such file, so the map has no background layer "
                   "and its cells keep the background tiles of the map entered before; write a "
                   "file of `.` to have none",
             mod + "/maps/start_enter.ds:1: error: INCLUDEFILE `gone.ds`: the file cannot be "
                   "read (the path is taken from the folder the game is started in)",
             mod + "/maps/start_enter.ds:3: error: Syntax error: Expression expected or unknown "
                   "command. (the Map_Enter script stops here)",
             mod + "/maps/start.atl:1: error: the script tile in column 2 has no script " + mod +
                 "/maps/start_1_0.ds: walking over it does nothing",
             mod + "/maps/start.atl:2: error: monster type 9 is not in monsters.ini, which has "
                   "0 types (one per line): nothing spawns there",
             mod + "/maps/start.ani:1: error: no animation `glow` in animations.ini",
             mod + "/maps/start_tick.ds:2: error: SetPlayerX: argument 1 must be a number, not "
                   "the string `left` (numbers and strings are not converted; the call fails)",
         }) {
        EXPECT_EQ(Count(shell.game, told), 1u) << told;
    }
    // The refused call is told once, though the tick script failed at every
    // tick, and not again as a failed run; with DebugMode 0 no box is shown.
    const std::vector<std::string>& all = shell.game.diagnostics.Messages();
    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                            [](const std::string& m) {
                                return m.find("start_tick.ds") != std::string::npos;
                            }),
              1);
    EXPECT_TRUE(shell.media.Messages().empty());
}

}  // namespace
}  // namespace vorn

// LoadMap called by scripts inside every kind of event: the new map is in
// place, its enter script has run, and the calling script goes on with its
// next line (or, for a map script whose slot the load replaced, ends
// without harm). A map that cannot be loaded ends the program at once.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/play/Events.h"
#include "game/play/MapEntry.h"
#include "game/shell/GameShell.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::ShellGame;

// Loads "second" and then records what the second map's enter script set.
constexpr const char* kLoadThenRecord = "LoadMap('second')\r\nAFTER=ENTERED\r\n";

class NestedMapLoadTest : public ::testing::Test {
protected:
    void Prepare(const std::vector<std::string>& settings = {}) {
        shell = std::make_unique<ShellGame>(settings);
        shell->Write("maps/second_enter.ds", "ENTERED='second'\r\n");
    }
    bool Start() {
        if (!shell->StartNewGame())
            return false;
        shell->game.script.FreeSymbol("ENTERED");
        return true;
    }
    void ExpectResumedOnSecond() {
        EXPECT_EQ(shell->game.map->info.Name, "second");
        EXPECT_EQ(shell->Variable("ENTERED"), "second");
        EXPECT_EQ(shell->Variable("AFTER"), "second");
        EXPECT_FALSE(shell->game.ended);
    }
    std::unique_ptr<ShellGame> shell;
};

TEST_F(NestedMapLoadTest, GlobalTickScript) {
    Prepare({"TickMs=100"});
    shell->Write("global_tick.ds", kLoadThenRecord);
    ASSERT_TRUE(Start());
    RunFrame(shell->game);
    ExpectResumedOnSecond();
}

TEST_F(NestedMapLoadTest, GlobalPlayerAttackScript) {
    Prepare();
    shell->Write("global_playerattack.ds", kLoadThenRecord);
    ASSERT_TRUE(Start());
    RaisePlayerAttack(shell->game);
    ExpectResumedOnSecond();
}

TEST_F(NestedMapLoadTest, GlobalGrabItemScript) {
    Prepare();
    shell->Write("global_grabitem.ds", kLoadThenRecord);
    ASSERT_TRUE(Start());
    RaiseGrabItem(shell->game, "Key");
    ExpectResumedOnSecond();
}

TEST_F(NestedMapLoadTest, GlobalPlayerDieScript) {
    Prepare();
    shell->Write("global_playerdie.ds", kLoadThenRecord);
    ASSERT_TRUE(Start());
    RaisePlayerDie(shell->game, Monster{});
    ExpectResumedOnSecond();
}

TEST_F(NestedMapLoadTest, GlobalMonsterDieScript) {
    Prepare();
    shell->Write("global_monsterdie.ds", kLoadThenRecord);
    ASSERT_TRUE(Start());
    RaiseMonsterDie(shell->game, Monster{});
    ExpectResumedOnSecond();
}

TEST_F(NestedMapLoadTest, MapScriptsOfEveryEvent) {
    const char* const suffixes[] = {"_tick.ds",      "_playerattack.ds", "_grabitem.ds",
                                    "_playerdie.ds", "_monsterdie.ds",   "_leave.ds"};
    for (const char* suffix : suffixes) {
        SCOPED_TRACE(suffix);
        Prepare({"TickMs=100"});
        shell->Write(std::string("maps/start") + suffix, kLoadThenRecord);
        ASSERT_TRUE(Start());
        Game& game = shell->game;
        const std::string name = suffix;
        if (name == "_tick.ds")
            RunFrame(game);
        if (name == "_playerattack.ds")
            RaisePlayerAttack(game);
        if (name == "_grabitem.ds")
            RaiseGrabItem(game, "Key");
        if (name == "_playerdie.ds")
            RaisePlayerDie(game, Monster{});
        if (name == "_monsterdie.ds")
            RaiseMonsterDie(game, Monster{});
        if (name == "_leave.ds")
            RaiseMapLeave(game);
        EXPECT_EQ(game.map->info.Name, "second");
        EXPECT_EQ(shell->Variable("ENTERED"), "second");
        EXPECT_FALSE(game.ended);
        // The game goes on normally afterwards.
        RunFrame(game);
        EXPECT_FALSE(game.ended);
    }
}

TEST_F(NestedMapLoadTest, EnterScriptLoadingAnotherMap) {
    Prepare();
    shell->Write("maps/start_enter.ds", "LoadMap('second')\r\n");
    ASSERT_TRUE(shell->StartNewGame());
    EXPECT_EQ(shell->game.map->info.Name, "second");
    EXPECT_EQ(shell->Variable("ENTERED"), "second");
    RunFrame(shell->game);
    EXPECT_FALSE(shell->game.ended);
}

TEST_F(NestedMapLoadTest, ScriptTileLoadingAMap) {
    Prepare();
    std::vector<std::string> rows = test::UniformRows(10, 8, "0");
    rows[2] = "0 0 0 S 0 0 0 0 0 0";
    test::WriteMap(shell->folder, "start", rows);
    shell->Write("maps/start_3_2.ds", "LoadMap('second')\r\nAFTER=ENTERED\r\n");
    ASSERT_TRUE(Start());
    Game& game = shell->game;
    game.player.X = 96.0f;  // probe at (111, 79): on tile (3, 2)
    game.player.Y = 64.0f;
    ScriptTileCheck(game);
    EXPECT_EQ(game.map->info.Name, "second");
    EXPECT_EQ(shell->Variable("ENTERED"), "second");
    EXPECT_FALSE(game.ended);
}

TEST_F(NestedMapLoadTest, MapsWhoseEnterScriptsLoadEachOtherDoNotHang) {
    Prepare();
    shell->Write("maps/start_enter.ds", "LoadMap('second')\r\n");
    shell->Write("maps/second_enter.ds", "LoadMap('start')\r\n");
    ASSERT_TRUE(shell->StartNewGame());
    // The loader stops the cycle after a bounded depth; every nested load
    // has returned and the game goes on with one of the two maps.
    EXPECT_EQ(shell->game.mapLoadDepth, 0);
    const std::string name = shell->game.map->info.Name;
    EXPECT_TRUE(name == "start" || name == "second") << name;
    RunFrame(shell->game);
    EXPECT_FALSE(shell->game.ended);
}

TEST_F(NestedMapLoadTest, MissingMapEndsTheProgramAndStopsTheScript) {
    Prepare({"TickMs=100"});
    shell->Write("global_tick.ds", "LoadMap('nowhere')\r\nAFTER=1\r\nSaveGame()\r\n");
    ASSERT_TRUE(Start());
    const int32_t before = shell->media.ElapsedMs();
    MainLoop(shell->game);
    AskQuitQuestion(shell->game);
    EXPECT_TRUE(shell->game.ended);
    ASSERT_EQ(shell->media.Messages().size(), 1u);
    EXPECT_EQ(shell->media.Messages()[0].title, "Error");
    EXPECT_EQ(shell->media.Messages()[0].text, "Couldn't load map tiles: nowhere");
    EXPECT_EQ(shell->Variable("AFTER"), "<unset>");
    EXPECT_FALSE(shell->folder.Exists("saves/save0.ini"));
    EXPECT_EQ(shell->media.ElapsedMs(), before);
}

}  // namespace
}  // namespace vorn

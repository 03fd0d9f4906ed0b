// Event scripts: slots and file names, the presets each event publishes,
// map-then-global order, first ticks, debug error boxes, script tiles and
// map loads from inside every kind of event.
#include <gtest/gtest.h>

#include "game/play/ActorBoxes.h"
#include "game/play/Events.h"
#include "game/play/MapEntry.h"
#include "game/play/PlayerControl.h"
#include "game/shell/GameShell.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::ShellGame;

// Appends `mark` to the string variable LOG.
std::string LogLine(const std::string& mark) {
    return "LOG=LOG+'" + mark + "'\r\n";
}

class EventsTest : public ::testing::Test {
protected:
    // Scripts must be written before StartNewGame (global ones load at
    // start-up, map ones with the map).
    bool Start() {
        if (!shell.StartNewGame())
            return false;
        game.script.SetSymbol("LOG", "", ValueType::String);
        return true;
    }
    std::string Log() { return shell.Variable("LOG"); }
    ShellGame shell;
    Game& game = shell.game;
};

TEST_F(EventsTest, GlobalScriptsLoadIntoTheirSlotsAtStartUp) {
    shell.Write("global_grabitem.ds", LogLine("1"));
    shell.Write("global_monsterdie.ds", LogLine("2"));
    shell.Write("global_playerdie.ds", LogLine("3"));
    shell.Write("global_playerattack.ds", LogLine("9"));
    shell.Write("global_tick.ds", LogLine("11"));
    ASSERT_TRUE(Start());
    for (int32_t slot : {1, 2, 3, 9, 11}) {
        game.script.SetSymbol("LOG", "", ValueType::String);
        EXPECT_EQ(game.script.RunScript(slot), ScriptResult::Ok);
        EXPECT_EQ(Log(), std::to_string(slot));
    }
}

TEST_F(EventsTest, MapScriptsLoadIntoTheirSlotsAndAreReplacedByTheNextMap) {
    const std::pair<const char*, int32_t> scripts[] = {
        {"_grabitem.ds", 4}, {"_monsterdie.ds", 5},    {"_playerdie.ds", 6}, {"_enter.ds", 7},
        {"_leave.ds", 8},    {"_playerattack.ds", 10}, {"_tick.ds", 12},
    };
    for (const auto& [suffix, slot] : scripts) {
        shell.Write(std::string("maps/start") + suffix, LogLine(std::to_string(slot)));
    }
    ASSERT_TRUE(Start());
    for (const auto& [suffix, slot] : scripts) {
        SCOPED_TRACE(suffix);
        game.script.SetSymbol("LOG", "", ValueType::String);
        game.script.RunScript(slot);
        EXPECT_EQ(Log(), std::to_string(slot));
    }
    // "second" has no scripts: every map slot now runs as an empty script.
    EnterMap(game, "second");
    for (const auto& [suffix, slot] : scripts) {
        game.script.SetSymbol("LOG", "", ValueType::String);
        EXPECT_EQ(game.script.RunScript(slot), ScriptResult::Ok);
        EXPECT_EQ(Log(), "");
    }
}

TEST_F(EventsTest, PlayerPositionPresetsRoundHalvesToEvenAndAreFreedAfterwards) {
    shell.Write("maps/start_playerattack.ds", "AX=#PLAYERX\r\nAY=#PLAYERY\r\n");
    ASSERT_TRUE(Start());
    game.player.X = 10.5f;
    game.player.Y = 11.5f;
    RaisePlayerAttack(game);
    EXPECT_EQ(shell.Variable("AX"), "10");
    EXPECT_EQ(shell.Variable("AY"), "12");
    EXPECT_EQ(game.script.ExpandConstants("#PLAYERX #PLAYERY"), "#PLAYERX #PLAYERY");
}

TEST_F(EventsTest, EventsRunTheMapScriptBeforeTheGlobalOne) {
    shell.Write("maps/start_playerattack.ds", LogLine("m"));
    shell.Write("global_playerattack.ds", LogLine("g"));
    shell.Write("maps/start_grabitem.ds", LogLine("M"));
    shell.Write("global_grabitem.ds", LogLine("G"));
    shell.Write("maps/start_playerdie.ds", LogLine("d"));
    shell.Write("global_playerdie.ds", LogLine("D"));
    shell.Write("maps/start_monsterdie.ds", LogLine("k"));
    shell.Write("global_monsterdie.ds", LogLine("K"));
    ASSERT_TRUE(Start());
    Monster monster;
    RaisePlayerAttack(game);
    RaiseGrabItem(game, "Sword");
    RaisePlayerDie(game, monster);
    RaiseMonsterDie(game, monster);
    EXPECT_EQ(Log(), "mgMGdDkK");
}

TEST_F(EventsTest, GrabItemPublishesTheQuotedName) {
    shell.Write("maps/start_grabitem.ds", "MAPITEM=#ITEMNAME\r\nMX=#PLAYERX\r\n");
    shell.Write("global_grabitem.ds", "GLOBALITEM=#ITEMNAME+'!'\r\n");
    ASSERT_TRUE(Start());
    game.player.X = 64.0f;
    RaiseGrabItem(game, "Rusty Key");
    EXPECT_EQ(shell.Variable("MAPITEM"), "Rusty Key");
    EXPECT_EQ(shell.Variable("GLOBALITEM"), "Rusty Key!");
    EXPECT_EQ(shell.Variable("MX"), "64");
    EXPECT_EQ(game.script.ExpandConstants("#ITEMNAME"), "#ITEMNAME");
}

TEST_F(EventsTest, MonsterEventsPublishTheMonsterAndThePlayer) {
    shell.Write("maps/start_monsterdie.ds",
                "ID=#MONSTERID\r\nMX=#MONSTERX\r\nMY=#MONSTERY\r\nPX=#PLAYERX\r\n");
    shell.Write("global_playerdie.ds", "KILLER=#MONSTERID+'x'\r\nPY=#PLAYERY\r\n");
    ASSERT_TRUE(Start());
    Monster monster;
    monster.ID = 17;
    monster.X = 2.5f;
    monster.Y = 3.5f;
    game.player.X = 40.0f;
    game.player.Y = 41.0f;
    RaiseMonsterDie(game, monster);
    EXPECT_EQ(shell.Variable("ID"), "17");
    EXPECT_EQ(shell.Variable("MX"), "2");
    EXPECT_EQ(shell.Variable("MY"), "4");
    EXPECT_EQ(shell.Variable("PX"), "40");
    RaisePlayerDie(game, monster);
    // The ID is a string literal: concatenated, not added.
    EXPECT_EQ(shell.Variable("KILLER"), "17x");
    EXPECT_EQ(shell.Variable("PY"), "41");
    EXPECT_EQ(game.script.ExpandConstants("#MONSTERID#MONSTERX#MONSTERY"),
              "#MONSTERID#MONSTERX#MONSTERY");
}

TEST_F(EventsTest, MonsterValuesAreCopiedBeforeAScriptReplacesTheMap) {
    // The map script loads another map, which empties the monster list the
    // monster lives in; the global script still sees the dying monster.
    shell.Write("maps/start_monsterdie.ds", "LoadMap('second')\r\n");
    shell.Write("global_monsterdie.ds", "ID=#MONSTERID\r\nMX=#MONSTERX\r\n");
    ASSERT_TRUE(Start());
    Monster monster;
    monster.ID = 5;
    monster.X = 77.0f;
    game.map->monsters.assign(1, monster);
    RaiseMonsterDie(game, game.map->monsters[0]);
    EXPECT_EQ(game.map->info.Name, "second");
    EXPECT_TRUE(game.map->monsters.empty());
    EXPECT_EQ(shell.Variable("ID"), "5");
    EXPECT_EQ(shell.Variable("MX"), "77");
}

TEST_F(EventsTest, ItemNameIsCopiedBeforeAScriptReplacesTheMap) {
    shell.Write("maps/start_grabitem.ds", "LoadMap('second')\r\n");
    shell.Write("global_grabitem.ds", "ITEM=#ITEMNAME\r\n");
    shell.Write("maps/start.obl", "Golden Crown,heart.png,1,1,0,0,0,0\r\n");
    ASSERT_TRUE(Start());
    ASSERT_EQ(game.map->objects.size(), 1u);
    RaiseGrabItem(game, game.map->objects[0].Name);
    EXPECT_EQ(shell.Variable("ITEM"), "Golden Crown");
}

// Scripts that log every tick and whether FIRSTTICK was published.
void WriteTickScripts(ShellGame& shell) {
    shell.Write("maps/start_tick.ds", "IF '#FIRSTTICK'='1'\r\n" + LogLine("F") + "ENDIF\r\n" +
                                          LogLine("m") + "LEN=#TICKLENGTH\r\n");
    shell.Write("maps/second_tick.ds",
                "IF '#FIRSTTICK'='1'\r\n" + LogLine("S") + "ENDIF\r\n" + LogLine("s"));
    shell.Write("global_tick.ds",
                "IF '#FIRSTTICK'='1'\r\n" + LogLine("G") + "ENDIF\r\n" + LogLine("g"));
}

TEST(TickEventsTest, FirstTickOfANewGameRunsAtOnceAndIsAnnouncedToBoth) {
    ShellGame shell({"TickMs=100"});
    WriteTickScripts(shell);
    ASSERT_TRUE(shell.StartNewGame());
    shell.game.script.SetSymbol("LOG", "", ValueType::String);
    RunFrame(shell.game);
    EXPECT_EQ(shell.Variable("LOG"), "FmGg");
    EXPECT_EQ(shell.Variable("LEN"), "100");
    EXPECT_EQ(shell.game.clock.LastTickTime, shell.game.clock.FrameTime);
    EXPECT_EQ(shell.game.script.ExpandConstants("#FIRSTTICK#TICKLENGTH#PLAYERX"),
              "#FIRSTTICK#TICKLENGTH#PLAYERX");
}

TEST(TickEventsTest, TicksRunEveryTickMsAndAtMostOncePerFrame) {
    ShellGame shell({"TickMs=100"});
    WriteTickScripts(shell);
    ASSERT_TRUE(shell.StartNewGame());
    Game& game = shell.game;
    RunFrame(game);  // first tick
    game.script.SetSymbol("LOG", "", ValueType::String);
    const int32_t firstTick = game.clock.LastTickTime;
    // Frames of 8 ms: the next tick comes in the frame where 100 ms have passed.
    while (game.clock.FrameTime - firstTick < 100) {
        EXPECT_EQ(shell.Variable("LOG"), "");
        RunFrame(game);
    }
    // Not announced as a first tick again, though the first tick fell in the
    // millisecond of the map's entry.
    EXPECT_EQ(shell.Variable("LOG"), "mg");
    // A long frame runs one tick, not the missed ones.
    shell.media.AdvanceTimeMs(1000);
    game.script.SetSymbol("LOG", "", ValueType::String);
    RunFrame(game);
    EXPECT_EQ(shell.Variable("LOG"), "mg");
}

TEST(TickEventsTest, TheMapTickAfterEnteringAMapIsItsFirstAndComesTickMsLater) {
    ShellGame shell({"TickMs=100"});
    WriteTickScripts(shell);
    ASSERT_TRUE(shell.StartNewGame());
    Game& game = shell.game;
    RunFrame(game);
    shell.media.AdvanceTimeMs(30);
    EnterMap(game, "second");
    const int32_t entered = game.clock.MapEnterTime;
    EXPECT_EQ(game.clock.LastTickTime, entered);
    game.script.SetSymbol("LOG", "", ValueType::String);
    while (game.clock.FrameTime - entered < 100) {
        EXPECT_EQ(shell.Variable("LOG"), "");
        RunFrame(game);
    }
    EXPECT_EQ(shell.Variable("LOG"), "Ssg");
    game.script.SetSymbol("LOG", "", ValueType::String);
    shell.media.AdvanceTimeMs(100);
    RunFrame(game);
    EXPECT_EQ(shell.Variable("LOG"), "sg");
}

TEST(TickEventsTest, NoTicksWithoutPositiveTickMs) {
    for (const char* setting : {"TickMs=0", "TickMs=-5", "TickMs=x5"}) {
        SCOPED_TRACE(setting);
        ShellGame shell({setting});
        WriteTickScripts(shell);
        ASSERT_TRUE(shell.StartNewGame());
        shell.game.script.SetSymbol("LOG", "", ValueType::String);
        for (int i = 0; i < 5; ++i) {
            shell.media.AdvanceTimeMs(500);
            RunFrame(shell.game);
        }
        EXPECT_EQ(shell.Variable("LOG"), "");
        EXPECT_EQ(shell.game.clock.LastTickTime, 0);
    }
}

TEST(TickEventsTest, MissingMapTickScriptLeavesTheGlobalOneRunningSilently) {
    ShellGame shell({"TickMs=100", "DebugMode=1"});
    shell.Write("global_tick.ds", LogLine("g"));
    ASSERT_TRUE(shell.StartNewGame());
    shell.game.script.SetSymbol("LOG", "", ValueType::String);
    RunFrame(shell.game);
    EXPECT_EQ(shell.Variable("LOG"), "g");
    EXPECT_TRUE(shell.media.Messages().empty());
}

TEST(TickEventsTest, QuitInTheMapScriptSkipsTheGlobalOneAndFreesThePresets) {
    ShellGame shell({"TickMs=100", "DebugMode=1"});
    shell.Write("maps/start_tick.ds", "Quit()\r\nLATE=1\r\n");
    shell.Write("global_tick.ds", "GLOBAL=1\r\n");
    ASSERT_TRUE(shell.StartNewGame());
    RunFrame(shell.game);
    EXPECT_TRUE(shell.game.ended);
    EXPECT_EQ(shell.Variable("LATE"), "<unset>");
    EXPECT_EQ(shell.Variable("GLOBAL"), "<unset>");
    EXPECT_TRUE(shell.media.Messages().empty());
    EXPECT_EQ(shell.game.script.ExpandConstants("#FIRSTTICK#TICKLENGTH#PLAYERX#PLAYERY"),
              "#FIRSTTICK#TICKLENGTH#PLAYERX#PLAYERY");
}

TEST(EventErrorsTest, FailuresAreShownOnlyInDebugModeWithTitleAndLine) {
    for (int32_t debugMode : {0, 1}) {
        SCOPED_TRACE(debugMode);
        ShellGame shell({"TickMs=100", "DebugMode=" + std::to_string(debugMode)});
        shell.Write("maps/start_tick.ds", "A=1\r\nNOSUCHTHING\r\n");
        shell.Write("global_tick.ds", "B=2\r\nSetPlayerX('left')\r\n");
        ASSERT_TRUE(shell.StartNewGame());
        RunFrame(shell.game);
        // The failed map script does not stop the global one.
        EXPECT_EQ(shell.Variable("B"), "2");
        const auto& messages = shell.media.Messages();
        if (debugMode == 0) {
            EXPECT_TRUE(messages.empty());
            continue;
        }
        ASSERT_EQ(messages.size(), 2u);
        EXPECT_EQ(messages[0].title, "Map_Tick Script Error");
        EXPECT_EQ(messages[0].text, "Syntax error: Expression expected or unknown command. Line 2");
        EXPECT_EQ(messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(messages[1].title, "Global_Tick Script Error");
        EXPECT_NE(messages[1].text.find(" Line 2"), std::string::npos);
    }
}

TEST(EventErrorsTest, EveryEventHasItsOwnErrorTitle) {
    ShellGame shell({"DebugMode=1"});
    const char* const files[] = {
        "maps/start_playerattack.ds", "global_playerattack.ds",  "maps/start_grabitem.ds",
        "global_grabitem.ds",         "maps/start_playerdie.ds", "global_playerdie.ds",
        "maps/start_monsterdie.ds",   "global_monsterdie.ds",    "maps/second_leave.ds",
    };
    for (const char* file : files)
        shell.Write(file, "BROKEN\r\n");
    shell.Write("maps/second_enter.ds", "BROKEN\r\n");
    ASSERT_TRUE(shell.StartNewGame());
    Game& game = shell.game;
    Monster monster;
    RaisePlayerAttack(game);
    RaiseGrabItem(game, "x");
    RaisePlayerDie(game, monster);
    RaiseMonsterDie(game, monster);
    EnterMap(game, "second");
    RaiseMapLeave(game);
    std::vector<std::string> titles;
    for (const auto& message : shell.media.Messages())
        titles.push_back(message.title);
    const std::vector<std::string> expected = {
        "Map_PlayerAttack Script Error", "Global_PlayerAttack Script Error",
        "Map_Grabitem Script Error",     "Global_Grabitem Script Error",
        "Map_PlayerDie Script Error",    "Global_PlayerDie Script Error",
        "Map_MonsterDie Script Error",   "Global_MonsterDie Script Error",
        "Map_Enter Script Error",        "Map_Leave Script Error",
    };
    EXPECT_EQ(titles, expected);
}

TEST(EventErrorsTest, SetDebugModeFromAScriptTakesEffectForTheNextScript) {
    ShellGame shell({"TickMs=100"});
    shell.Write("maps/start_tick.ds", "SetDebugMode(1)\r\n");
    shell.Write("global_tick.ds", "BROKEN\r\n");
    ASSERT_TRUE(shell.StartNewGame());
    RunFrame(shell.game);
    ASSERT_EQ(shell.media.Messages().size(), 1u);
    EXPECT_EQ(shell.media.Messages()[0].title, "Global_Tick Script Error");
}

// A map "tiles" with script tiles at (2,1), (2,2), (3,2) and (8,6); each
// script logs its own letter and the player's X.
class ScriptTileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<std::string> rows = test::UniformRows(10, 8, "0");
        rows[1] = "0 0 S 0 0 0 0 0 0 0";
        rows[2] = "0 0 S S 0 0 0 0 0 0";
        rows[6] = "0 0 0 0 0 0 0 0 S 0";
        test::WriteMap(shell.folder, "tiles", rows);
        shell.Write("maps/tiles_2_1.ds", LogLine("a") + "TX=#PLAYERX\r\n");
        shell.Write("maps/tiles_2_2.ds", LogLine("b"));
        shell.Write("maps/tiles_3_2.ds", LogLine("c"));
        shell.Write("maps/tiles_8_6.ds", LogLine("z"));
        ASSERT_TRUE(shell.StartNewGame());
        EnterMap(game, "tiles");
        game.script.SetSymbol("LOG", "", ValueType::String);
    }
    // Puts the centre probe's top-left corner at (x, y) (32 x 32 player).
    void PlaceProbe(int32_t x, int32_t y) {
        game.player.X = static_cast<float>(x - 15);
        game.player.Y = static_cast<float>(y - 15);
    }
    std::string Log() { return shell.Variable("LOG"); }
    ShellGame shell;
    Game& game = shell.game;
};

TEST_F(ScriptTileTest, RunsTheFirstScriptCellOfEachColumnUnderTheProbe) {
    // The probe (94..97, 62..65) touches cells (2,1), (3,1), (2,2) and (3,2).
    PlaceProbe(94, 62);
    ScriptTileCheck(game);
    EXPECT_EQ(Log(), "ac");
    EXPECT_EQ(shell.Variable("TX"), "79");
    EXPECT_EQ(game.script.ExpandConstants("#PLAYERX"), "#PLAYERX");
}

TEST_F(ScriptTileTest, ProbeAwayFromScriptTilesRunsNothing) {
    PlaceProbe(160, 160);
    ScriptTileCheck(game);
    // One pixel right of and below cell (2,2), whose rectangle ends at 96.
    PlaceProbe(97, 97);
    ScriptTileCheck(game);
    EXPECT_EQ(Log(), "");
    PlaceProbe(96, 97);  // below (3,2), whose rectangle ends at y 96
    ScriptTileCheck(game);
    EXPECT_EQ(Log(), "");
    PlaceProbe(93, 93);  // touches (2,2) and (3,2)
    ScriptTileCheck(game);
    EXPECT_EQ(Log(), "bc");
}

TEST_F(ScriptTileTest, CellsAtTheMapBordersAreFound) {
    PlaceProbe(8 * 32 + 10, 6 * 32 + 10);
    ScriptTileCheck(game);
    EXPECT_EQ(Log(), "z");
    // Probes outside the map find nothing and touch no memory.
    PlaceProbe(-500, -500);
    ScriptTileCheck(game);
    PlaceProbe(100000, 100000);
    ScriptTileCheck(game);
    PlaceProbe(-2000000000, 2000000000);
    ScriptTileCheck(game);
    EXPECT_EQ(Log(), "z");
}

TEST_F(ScriptTileTest, HugeTilesAreMeasuredWithoutOverflow) {
    // Column 8 starts at 8 x 1.5e9 pixels, beyond 32 bits.
    game.settings.TileWidth = 1500000000;
    game.settings.TileHeight = 1500000000;
    game.player.X = 2000000000.0f;
    game.player.Y = 2000000000.0f;
    ScriptTileCheck(game);
    EXPECT_EQ(Log(), "");
    game.map->grid.Cell(1, 1)->Attribute = "S";
    game.map->grid.Cell(1, 1)->Script = game.map->grid.Cell(2, 1)->Script;
    ScriptTileCheck(game);
    EXPECT_EQ(Log(), "a");
}

TEST_F(ScriptTileTest, FailureBoxNamesTheCellInDebugMode) {
    shell.Write("maps/tiles_2_1.ds", "BROKEN\r\n");
    EnterMap(game, "tiles");
    PlaceProbe(80, 40);
    ScriptTileCheck(game);
    EXPECT_TRUE(shell.media.Messages().empty());
    game.settings.DebugMode = 1;
    ScriptTileCheck(game);
    ASSERT_EQ(shell.media.Messages().size(), 1u);
    EXPECT_EQ(shell.media.Messages()[0].title, "ScriptTile_2,1 Script Error");
}

TEST_F(ScriptTileTest, ACellWithoutScriptSlotRunsNothing) {
    game.map->grid.Cell(2, 1)->Script = -1;
    PlaceProbe(80, 40);
    ScriptTileCheck(game);
    EXPECT_EQ(Log(), "");
}

TEST(ScriptTileWalkTest, WalkingAcrossATileRunsItsScriptInEveryFrameOfTheCrossing) {
    ShellGame shell({"PlayerStartSpeed=500", "StartX=0", "StartY=1"});
    std::vector<std::string> rows = test::UniformRows(10, 8, "0");
    rows[1] = "0 0 0 S 0 0 0 0 0 0";
    test::WriteMap(shell.folder, "start", rows);
    shell.Write("maps/start_3_1.ds", "N=N+1\r\n");
    ASSERT_TRUE(shell.StartNewGame());
    Game& game = shell.game;
    game.script.SetSymbol("N", "0", ValueType::Number);

    RunFrame(game);  // settle the frame clock
    shell.media.SetKeyDown(keys::Right, true);
    int runs = 0;
    int framesOnTile = 0;
    for (int frame = 0; frame < 60 && game.player.X < 200.0f; ++frame) {
        RunFrame(game);
        const int64_t probeLeft = CentreProbe(game).left;
        const bool onTile = probeLeft + 3 >= 96 && probeLeft <= 128;
        framesOnTile += onTile ? 1 : 0;
        runs = std::stoi(shell.Variable("N"));
        EXPECT_EQ(runs, framesOnTile) << "frame " << frame << " probe " << probeLeft;
    }
    EXPECT_GE(framesOnTile, 5);
    // Standing still on the tile runs nothing.
    shell.media.SetKeyDown(keys::Right, false);
    game.player.X = 100.0f;
    for (int frame = 0; frame < 5; ++frame)
        RunFrame(game);
    EXPECT_EQ(std::stoi(shell.Variable("N")), runs);
}

}  // namespace
}  // namespace vorn

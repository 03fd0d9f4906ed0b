// Entering a map: layers kept where new files do not reach, spawns, tile
// scripts outside the fixed slots, music continuity, list files, the debug
// warp note, the two fatal errors, and untrusted files that must not crash.
#include "game/play/MapEntry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "common/TextPrimitives.h"
#include "game/world/Animations.h"
#include "game/world/Assets.h"
#include "game/world/MapFiles.h"
#include "tests/game/support/TestGame.h"
#include "tests/game/support/WorldFixtures.h"

namespace vorn {
namespace {

using test::IniText;
using test::LayerText;
using test::MapFiles;
using test::TestGame;

using SoundKind = HeadlessMedia::SoundEvent::Kind;

class MapLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { test::PrepareWorld(t, 4, 3, {"grass", "water", "rock", "tree"}); }

    // A map whose every file but the layers named in `files` is plain.
    void Write(const std::string& name, MapFiles files) {
        if (!files.ini)
            files.ini = IniText("Properties", {});
        if (!files.gtl)
            files.gtl = LayerText(4, 3, "grass");
        if (!files.atl)
            files.atl = LayerText(4, 3, ".");
        test::WriteMap(t.folder, name, files);
    }
    const MapCell& At(int x, int y) { return *t.game.map->grid.Cell(x, y); }
    SpriteHandle Tile(const std::string& name) { return FindTileSprite(t.game, name); }
    size_t CountSoundEvents(SoundKind kind, SoundHandle sound) {
        size_t count = 0;
        for (const auto& event : t.media.SoundLog()) {
            if (event.kind == kind && event.sound == sound)
                ++count;
        }
        return count;
    }
    size_t CountMessages(const std::string& title) {
        size_t count = 0;
        for (const auto& message : t.media.Messages()) {
            if (message.title == title)
                ++count;
        }
        return count;
    }

    TestGame t;
};

TEST_F(MapLoaderTest, StoresEveryLayerWithItsSprite) {
    Write("town", {.gtl = "grass water rock tree\r\ngrass grass grass grass\r\n"
                          "water lava  grass\r\n",
                   .btl = LayerText(4, 3, "rock"),
                   .ftl = LayerText(4, 3, "tree") + LayerText(4, 3, "water"),
                   .atl = "X M W S\r\n. . . .\r\n. . . .\r\n"});
    EnterMap(t.game, "town");
    ASSERT_FALSE(t.game.ended);
    EXPECT_EQ(At(1, 0).Ground, "water");
    EXPECT_EQ(At(1, 0).GroundSprite, Tile("water"));
    EXPECT_NE(Tile("water"), -1);
    EXPECT_EQ(At(3, 0).GroundSprite, Tile("tree"));
    // A name without a tile picture, and the empty field of a double blank.
    EXPECT_EQ(At(1, 2).Ground, "lava");
    EXPECT_EQ(At(1, 2).GroundSprite, -1);
    EXPECT_EQ(At(2, 2).Ground, "");
    EXPECT_EQ(At(2, 2).GroundSprite, -1);
    EXPECT_EQ(At(3, 2).Ground, "grass");
    EXPECT_EQ(At(2, 1).Background, "rock");
    EXPECT_EQ(At(2, 1).BackgroundSprite, Tile("rock"));
    EXPECT_EQ(At(0, 2).Foreground, "tree");
    EXPECT_EQ(At(0, 2).ForegroundSprite, Tile("tree"));
    EXPECT_EQ(At(0, 0).Top, "water");
    EXPECT_EQ(At(3, 2).TopSprite, Tile("water"));
    EXPECT_EQ(At(0, 0).Attribute, "X");
    EXPECT_EQ(At(2, 0).Attribute, "W");
    EXPECT_EQ(t.game.map->info.Name, "town");
}

TEST_F(MapLoaderTest, CellsTheNewFilesDoNotReachKeepTheOldMap) {
    Write("a", {.btl = LayerText(4, 3, "tree"),
                .ftl = LayerText(4, 3, "rock") + LayerText(4, 3, "rock")});
    // B: no ".btl" or ".ftl"; one short ground line, one long one, then the
    // file ends.
    Write("b", {.gtl = "water water\r\nrock rock rock rock rock rock", .atl = "X\r\n"});
    EnterMap(t.game, "a");
    EnterMap(t.game, "b");
    ASSERT_FALSE(t.game.ended);
    EXPECT_EQ(At(1, 0).Ground, "water");
    EXPECT_EQ(At(2, 0).Ground, "");
    EXPECT_EQ(At(2, 0).GroundSprite, -1);
    EXPECT_EQ(At(3, 1).Ground, "rock");
    EXPECT_EQ(At(0, 2).Ground, "grass");  // the lower row is a's
    EXPECT_EQ(At(0, 2).GroundSprite, Tile("grass"));
    EXPECT_EQ(At(3, 2).Background, "tree");
    EXPECT_EQ(At(3, 2).BackgroundSprite, Tile("tree"));
    EXPECT_EQ(At(1, 1).Top, "rock");
    EXPECT_EQ(At(0, 0).Attribute, "X");
    EXPECT_EQ(At(1, 0).Attribute, "");
    EXPECT_EQ(At(1, 1).Attribute, ".");  // a's second row
}

TEST_F(MapLoaderTest, SpawnsMonstersInReadingOrder) {
    t.folder.Write("monsters.ini", "Slime\r\nBat\r\nOrc\r\n");
    LoadMonsterTypes(t.game);
    Write("field", {.atl = "3 0 -2 abc\r\n3x 9 . 1\r\n. 99999999999 -2147483648 2\r\n"});
    EnterMap(t.game, "field");
    ASSERT_EQ(t.game.map->monsters.size(), 4u);
    EXPECT_EQ(t.game.map->monsters[0].Type.Name, "Orc");
    EXPECT_EQ(t.game.map->monsters[1].Type.Name, "Orc");
    EXPECT_EQ(t.game.map->monsters[2].Type.Name, "Slime");
    EXPECT_EQ(t.game.map->monsters[3].Type.Name, "Bat");
    EXPECT_LT(t.game.map->monsters[0].Y, t.game.map->monsters[1].Y);  // row 0 before row 1
    EXPECT_LT(t.game.map->monsters[1].X, t.game.map->monsters[2].X);  // left before right
    EXPECT_EQ(At(0, 1).Attribute, "3x");

    // The next map starts with no monsters of its own.
    Write("empty", {});
    EnterMap(t.game, "empty");
    EXPECT_TRUE(t.game.map->monsters.empty());
}

TEST_F(MapLoaderTest, TileScriptsNeverTakeTheFixedSlots) {
    // Nothing is loaded in the global slots, and the enter script fails to
    // load (missing label), so slots 1-3, 7, 9 and 11 are all free.
    t.folder.Write("maps/s_enter.ds", "GOTO nowhere\r\n");
    t.folder.Write("maps/s_1_0.ds", "A = 10\r\n");
    t.folder.Write("maps/s_2_0.ds", "B=20\r\n");
    Write("s", {.atl = ". S S .\r\nS . . .\r\n"});
    EnterMap(t.game, "s");
    ASSERT_FALSE(t.game.ended);
    EXPECT_EQ(At(1, 0).Script, 0);
    EXPECT_EQ(At(2, 0).Script, 13);
    EXPECT_EQ(At(0, 1).Script, 14);  // a missing file still loads, empty
    EXPECT_FALSE(t.game.script.SlotInUse(slots::kMapEnter));

    EXPECT_EQ(t.game.script.RunScript(At(2, 0).Script), ScriptResult::Ok);
    ASSERT_NE(t.game.script.GetSymbol("B"), nullptr);
    EXPECT_EQ(t.game.script.GetSymbol("B")->value, "20");

    // Reloading frees the old tile scripts first, so the same slots return;
    // a map without script tiles leaves them free.
    EnterMap(t.game, "s");
    EXPECT_EQ(At(1, 0).Script, 0);
    EXPECT_EQ(At(2, 0).Script, 13);
    Write("plain", {});
    EnterMap(t.game, "plain");
    EXPECT_FALSE(t.game.script.SlotInUse(0));
    EXPECT_FALSE(t.game.script.SlotInUse(13));
    EXPECT_FALSE(t.game.script.SlotInUse(14));
}

TEST_F(MapLoaderTest, ScriptTilesBeyondTheFreeSlotsGetNone) {
    TestGame big;
    test::PrepareWorld(big, 8, 5);
    test::WriteMap(big.folder, "many",
                   {.gtl = LayerText(8, 5, "grass"), .atl = LayerText(8, 5, "S")});
    EnterMap(big.game, "many");
    ASSERT_FALSE(big.game.ended);
    // Slot 0 and 13-49 are the 38 slots tile scripts may use.
    std::vector<int32_t> used;
    int32_t without = 0;
    for (const MapCell& cell : big.game.map->grid.Cells()) {
        if (cell.Script < 0) {
            ++without;
            continue;
        }
        EXPECT_FALSE(cell.Script >= 1 && cell.Script <= 12) << cell.Script;
        used.push_back(cell.Script);
    }
    EXPECT_EQ(without, 2);
    std::sort(used.begin(), used.end());
    EXPECT_EQ(std::adjacent_find(used.begin(), used.end()), used.end());
    EXPECT_EQ(used.size(), 38u);
    EXPECT_EQ(big.game.map->grid.Cell(7, 4)->Script, -1);  // the last cells miss out
}

TEST_F(MapLoaderTest, MusicPlaysOnAcrossMapsWithTheSameMusic) {
    t.folder.Write("sounds/theme.wav", test::MakeWav(100));
    t.folder.Write("sounds/cave.wav", test::MakeWav(100));
    Write("a", {.ini = IniText("Properties", {{"Music", "theme.wav"}})});
    Write("b", {.ini = IniText("Properties", {{"Music", "theme.wav"}})});
    Write("c", {.ini = IniText("Properties", {{"Music", "cave.wav"}})});
    Write("d", {});

    t.media.ClearSoundLog();
    EnterMap(t.game, "a");
    const SoundHandle theme = t.game.map->info.Music;
    ASSERT_NE(theme, 0);
    EXPECT_EQ(CountSoundEvents(SoundKind::Play, theme), 1u);
    EXPECT_TRUE(t.media.IsSoundPlaying(theme));
    EXPECT_EQ(t.game.CurrentMusicName, "theme.wav");

    t.media.ClearSoundLog();
    EnterMap(t.game, "b");
    EXPECT_EQ(t.game.map->info.Music, theme);
    EXPECT_EQ(CountSoundEvents(SoundKind::Play, theme), 0u);
    EXPECT_EQ(CountSoundEvents(SoundKind::Stop, theme), 0u);
    EXPECT_EQ(CountSoundEvents(SoundKind::Free, theme), 0u);
    // The empty EnterSound is asked for on every load; the music is not.
    for (const auto& event : t.media.SoundLog()) {
        EXPECT_EQ(event.path.find("theme.wav"), std::string::npos) << event.path;
    }
    EXPECT_TRUE(t.media.IsSoundPlaying(theme));

    t.media.ClearSoundLog();
    EnterMap(t.game, "c");
    const SoundHandle cave = t.game.map->info.Music;
    ASSERT_NE(cave, 0);
    EXPECT_EQ(CountSoundEvents(SoundKind::Stop, theme), 1u);
    EXPECT_EQ(CountSoundEvents(SoundKind::Free, theme), 1u);
    EXPECT_FALSE(t.media.IsSoundPlaying(theme));
    EXPECT_TRUE(t.media.IsSoundPlaying(cave));
    ASSERT_EQ(CountSoundEvents(SoundKind::Play, cave), 1u);

    EnterMap(t.game, "d");
    EXPECT_FALSE(t.media.IsSoundPlaying(cave));
    EXPECT_EQ(t.game.map->info.Music, 0);
    EXPECT_EQ(t.game.CurrentMusicName, "");
}

TEST_F(MapLoaderTest, EnterSoundPlaysOnceAndIsReleasedByTheNextMap) {
    t.folder.Write("sounds/bell.wav", test::MakeWav(100));
    Write("a", {.ini = IniText("Properties", {{"EnterSound", "bell.wav"}})});
    Write("b", {});
    t.media.ClearSoundLog();
    EnterMap(t.game, "a");
    const SoundHandle bell = t.game.map->info.EnterSound;
    ASSERT_NE(bell, 0);
    ASSERT_EQ(CountSoundEvents(SoundKind::Play, bell), 1u);
    for (const auto& event : t.media.SoundLog()) {
        if (event.kind == SoundKind::Play && event.sound == bell) {
            EXPECT_EQ(event.loop, 0);
        }
    }
    EnterMap(t.game, "b");
    EXPECT_EQ(CountSoundEvents(SoundKind::Free, bell), 1u);
    EXPECT_EQ(t.game.map->info.EnterSound, 0);
}

TEST_F(MapLoaderTest, PropertiesComeFromTheMapIni) {
    Write("town", {.ini = IniText("Properties", {{"ExitUp", "north"},
                                                 {"ExitDown", " south "},
                                                 {"ExitLeft", "west"},
                                                 {"ExitRight", "east"},
                                                 {"Title", "Old Town"},
                                                 {"SpeechTextY", "40"},
                                                 {"SpeechText", "Hello"},
                                                 {"TextRed", "255"},
                                                 {"TextGreen", "128"},
                                                 {"TextBlue", "7"},
                                                 {"AlwaysNight", "257"},
                                                 {"AlwaysDay", "2"}})});
    EnterMap(t.game, "town");
    const MapInfo& info = t.game.map->info;
    EXPECT_EQ(info.ExitUp, "north");
    EXPECT_EQ(info.ExitDown, "south");
    EXPECT_EQ(info.ExitLeft, "west");
    EXPECT_EQ(info.ExitRight, "east");
    EXPECT_EQ(info.Title, "Old Town");
    EXPECT_EQ(t.game.StatusText, "Old Town");
    // "SpeechText" matches the "SpeechTextY" line listed before it.
    EXPECT_EQ(info.SpeechText, "=40");
    EXPECT_EQ(info.SpeechTextY, 40);
    EXPECT_EQ(info.TextRed, 255);
    EXPECT_EQ(info.TextGreen, 128);
    EXPECT_EQ(info.TextBlue, 7);
    EXPECT_EQ(info.AlwaysNight, 1);
    EXPECT_EQ(info.AlwaysDay, 2);

    // A map without an .ini file reads everything empty.
    test::WriteMap(t.folder, "bare",
                   {.gtl = LayerText(4, 3, "grass"), .atl = LayerText(4, 3, ".")});
    EnterMap(t.game, "bare");
    EXPECT_EQ(t.game.map->info.ExitUp, "");
    EXPECT_EQ(t.game.map->info.Title, "");
    EXPECT_EQ(t.game.map->info.AlwaysNight, 0);
    EXPECT_FALSE(t.game.ended);
}

TEST_F(MapLoaderTest, ReadsObjectsWarpsAndAnimations) {
    t.folder.Write("objects/sword.png", test::MakePng(10, 12, 0xC0C0C0));
    t.folder.Write("animations.ini", "torch,torch.png,4,16,8,1\r\n");
    LoadAnimationDefinitions(t.game);
    t.media.SetTimeMs(2500);
    Write("hall", {.ani = "TORCH, 10, 20, 1\r\nunknown,1,1,0\r\n",
                   .obl = "Sword, sword.png, 2, 1, 3, 4, 5, 6\r\nShield,shield.png,0,0\r\n",
                   .wpl = "4,7,cave,1,2\r\n 1 , 2 , deep cave , 3 , 4 \r\n"});
    EnterMap(t.game, "hall");
    ASSERT_EQ(t.game.map->animations.size(), 1u);
    EXPECT_EQ(t.game.map->animations[0].Name, "torch");
    EXPECT_EQ(t.game.map->animations[0].X, 10);
    EXPECT_EQ(t.game.map->animations[0].Y, 20);
    EXPECT_EQ(t.game.map->animations[0].PlayOnce, 1);

    ASSERT_EQ(t.game.map->objects.size(), 2u);
    const ObjectType& sword = t.game.map->objects[0];
    EXPECT_EQ(sword.Name, "Sword");
    ASSERT_NE(sword.Sprite, 0);
    EXPECT_EQ(t.media.SpriteWidth(sword.Sprite), 10);
    EXPECT_EQ(sword.X, 64);
    EXPECT_EQ(sword.Y, 32);
    EXPECT_EQ(sword.Damage, 3);
    EXPECT_EQ(sword.Health, 4);
    EXPECT_EQ(sword.Speed, 5);
    EXPECT_EQ(sword.HealAmount, 6);
    EXPECT_EQ(t.game.map->objects[1].Sprite, 0);
    EXPECT_EQ(t.game.map->objects[1].HealAmount, 0);

    ASSERT_EQ(t.game.map->warps.size(), 2u);
    EXPECT_EQ(t.game.map->warps[0].X, 4);
    EXPECT_EQ(t.game.map->warps[0].Y, 7);
    EXPECT_EQ(t.game.map->warps[0].TargetMap, "cave");
    EXPECT_EQ(t.game.map->warps[0].TargetX, 1);
    EXPECT_EQ(t.game.map->warps[0].TargetY, 2);
    EXPECT_EQ(t.game.map->warps[1].TargetMap, "deep cave");
    EXPECT_EQ(t.game.map->warps[1].TargetY, 4);

    // Blank lines make no entries: no invisible object, and no warp at tile
    // (0, 0) to the map "" that would end the game.
    Write("gaps", {.ani = "\r\ntorch,1,1,0\r\n  \r\n\r\n",
                   .obl = "\r\nSword,sword.png,2,1,0,0,0,0\r\n   \r\n\r\n",
                   .wpl = "\r\n4,7,cave,1,2\r\n \r\n\r\n"});
    EnterMap(t.game, "gaps");
    EXPECT_EQ(t.game.map->animations.size(), 1u);
    ASSERT_EQ(t.game.map->objects.size(), 1u);
    EXPECT_EQ(t.game.map->objects[0].Name, "Sword");
    ASSERT_EQ(t.game.map->warps.size(), 1u);
    EXPECT_EQ(t.game.map->warps[0].TargetMap, "cave");

    Write("yard", {});
    EnterMap(t.game, "yard");
    EXPECT_TRUE(t.game.map->objects.empty());
    EXPECT_TRUE(t.game.map->warps.empty());
    EXPECT_TRUE(t.game.map->animations.empty());
}

TEST_F(MapLoaderTest, DebugModeNotesWarpMarkersThatDoNotMatchTheWarpList) {
    const std::string note = "NOTE: Non-Critical";
    t.game.settings.DebugMode = 1;
    Write("three",
          {.atl = "W W W .\r\n. . . .\r\n. . . .\r\n", .wpl = "0,0,a,0,0\r\n1,0,a,0,0\r\n"});
    Write("one", {.atl = "W . . .\r\n. . . .\r\n. . . .\r\n", .wpl = "0,0,a,0,0\r\n1,0,a,0,0\r\n"});
    Write("two", {.atl = "W . . .\r\n. . . W\r\n. . . .\r\n", .wpl = "0,0,a,0,0\r\n1,0,a,0,0\r\n"});
    EnterMap(t.game, "three");
    ASSERT_EQ(CountMessages(note), 1u);
    EXPECT_EQ(t.media.Messages().back().text,
              "There are more warps specified in the .atl file than the .wpl file.");
    EXPECT_EQ(t.media.Messages().back().buttons, MessageButtons::Ok);
    EnterMap(t.game, "one");
    EXPECT_EQ(CountMessages(note), 2u);
    EnterMap(t.game, "two");
    EXPECT_EQ(CountMessages(note), 2u);
    t.game.settings.DebugMode = 0;
    EnterMap(t.game, "three");
    EXPECT_EQ(CountMessages(note), 2u);
    EXPECT_FALSE(t.game.ended);
}

TEST_F(MapLoaderTest, MissingGroundOrAttributeFileEndsTheGame) {
    EnterMap(t.game, "nowhere");
    ASSERT_TRUE(t.game.ended);
    ASSERT_EQ(t.media.Messages().size(), 1u);
    EXPECT_EQ(t.media.Messages()[0].title, "Error");
    EXPECT_EQ(t.media.Messages()[0].text, "Couldn't load map tiles: nowhere");
    EXPECT_EQ(t.game.clock.MapEnterTime, 0);

    TestGame other;
    test::PrepareWorld(other, 4, 3, {"water"});
    test::WriteMap(other.folder, "half", {.gtl = LayerText(4, 3, "water")});
    EnterMap(other.game, "half");
    ASSERT_TRUE(other.game.ended);
    ASSERT_EQ(other.media.Messages().size(), 1u);
    EXPECT_EQ(other.media.Messages()[0].title, "Error");
    EXPECT_EQ(other.media.Messages()[0].text, "Couldn't load map tile attributes: half");
    EXPECT_EQ(other.game.map->grid.Cell(0, 0)->Ground, "water");  // read before the attributes
    EXPECT_EQ(other.game.clock.MapEnterTime, 0);
}

TEST_F(MapLoaderTest, RecordsTheEntryTimeAndRunsTheEnterScriptLast) {
    t.folder.Write("maps/a_enter.ds", "ENTERED = ENTERED + 1\r\n");
    t.game.script.SetSymbol("ENTERED", "0", ValueType::Number);
    Write("a", {});
    const uint64_t generation = t.game.map->entry;
    t.media.SetTimeMs(5000);
    EnterMap(t.game, "a");
    EXPECT_EQ(t.game.map->entry, generation + 1);
    EXPECT_EQ(t.game.clock.MapEnterTime, 5000);
    EXPECT_EQ(t.game.clock.LastTickTime, 0);  // 0 stays 0: a new game's first tick
    ASSERT_NE(t.game.script.GetSymbol("ENTERED"), nullptr);
    EXPECT_EQ(t.game.script.GetSymbol("ENTERED")->value, "1");

    t.game.clock.LastTickTime = 100;
    t.media.SetTimeMs(7000);
    EnterMap(t.game, "a");
    EXPECT_EQ(t.game.map->entry, generation + 2);
    EXPECT_EQ(t.game.clock.MapEnterTime, 7000);
    EXPECT_EQ(t.game.clock.LastTickTime, 7000);
    EXPECT_EQ(t.game.script.GetSymbol("ENTERED")->value, "2");
}

TEST_F(MapLoaderTest, EnterScriptsThatLoadMapsEndlesslyAreCutShort) {
    int calls = 0;
    t.game.script.RegisterCommand(
        [this, &calls](ScriptEngine& engine) {
            ++calls;
            EnterMap(t.game, "loop");
            engine.SetReturnValue("1", ValueType::Number);
            return int32_t{1};
        },
        "EnterAgain", 0);
    t.folder.Write("maps/loop_enter.ds", "EnterAgain()\r\n");
    Write("loop", {});
    const uint64_t generation = t.game.map->entry;
    EnterMap(t.game, "loop");
    EXPECT_FALSE(t.game.ended);
    EXPECT_GE(calls, 1);
    EXPECT_LE(calls, 32);
    EXPECT_EQ(t.game.map->entry, generation + static_cast<uint64_t>(calls) + 1);
    EXPECT_EQ(t.game.mapLoadDepth, 0);
    EXPECT_EQ(t.game.map->info.Name, "loop");
}

TEST_F(MapLoaderTest, UntrustedFilesNeverCrash) {
    std::mt19937 random(12345);
    auto garbage = [&random](size_t length) {
        std::string bytes(length, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        return bytes;
    };
    t.folder.Write("monsters.ini", "A\r\nB\r\n");
    LoadMonsterTypes(t.game);
    for (int round = 0; round < 20; ++round) {
        Write("junk", {.ini = garbage(300),
                       .gtl = garbage(500),
                       .btl = garbage(200),
                       .ftl = garbage(50),
                       .atl = garbage(400),
                       .ani = garbage(300),
                       .obl = garbage(300),
                       .wpl = garbage(300)});
        t.folder.Write("maps/junk_enter.ds", garbage(200));
        EnterMap(t.game, "junk");
        ASSERT_FALSE(t.game.ended) << "round " << round;
    }
    // Separators only, huge numbers, very long rows and many extra lines.
    std::string many;
    for (int i = 0; i < 2000; ++i)
        many += std::string(3000, ' ') + "\n";
    Write("odd", {.gtl = many,
                  .atl = "S S S S S S S S 2147483647 -2147483648 1 2\r\n\r\n\r\r\n",
                  .obl = "x,x,2147483647,2147483647,1,1,1,1\r\n",
                  .wpl = ",,,,,,,,\r\n99999999999,-99999999999,,,\r\n"});
    EnterMap(t.game, "odd");
    EXPECT_FALSE(t.game.ended);
    EXPECT_EQ(At(0, 0).Ground, "");
    EXPECT_EQ(t.game.map->warps.size(), 2u);

    // An empty map name ends the game like any missing map.
    EnterMap(t.game, "");
    EXPECT_TRUE(t.game.ended);
    EXPECT_EQ(t.media.Messages().back().text, "Couldn't load map tiles: ");
}

TEST(MapLoaderEmptyGridTest, AMapOnAnEmptyGridLoadsNothingAndGoesOn) {
    TestGame t;
    t.game.settings.MapWidth = -3;
    t.game.settings.MapHeight = 1000000;
    CreateMapGrid(t.game);
    EXPECT_EQ(t.game.map->grid.Width(), 0);
    test::WriteMap(
        t.folder, "m",
        {.gtl = LayerText(4, 3, "grass"), .atl = LayerText(4, 3, "1 S"), .wpl = "1,1,m,1,1\r\n"});
    EnterMap(t.game, "m");
    EXPECT_FALSE(t.game.ended);
    EXPECT_TRUE(t.game.map->grid.Cells().empty());
    EXPECT_EQ(t.game.map->warps.size(), 1u);
}

}  // namespace
}  // namespace vorn

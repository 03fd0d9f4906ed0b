// Saved games: byte-exact files, the round trip, lenient loading of damaged
// files, and saves that fail half-way leaving the previous save whole.
#include "game/world/SavedGames.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <random>

#include "game/play/MapEntry.h"
#include "game/world/MapFiles.h"
#include "tests/game/support/TestGame.h"
#include "tests/game/support/WorldFixtures.h"

namespace vorn {
namespace {

using test::LayerText;
using test::TestGame;

class SavedGamesTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::PrepareWorld(t, 4, 3, {"grass"});
        WriteTown(t);
    }
    static void WriteTown(TestGame& game) {
        test::WriteMap(game.folder, "town",
                       {.gtl = LayerText(4, 3, "grass"), .atl = LayerText(4, 3, ".")});
    }
    // A playing state worth saving.
    void Play() {
        EnterMap(t.game, "town");
        Player& p = t.game.player;
        p.X = 10.5f;
        p.Y = 11.5f;
        p.Health = 7;
        p.MaxHealth = 12;
        p.Damage = -3;
        p.Speed = 90;
        p.KillCount = 4;
        t.game.inventory = {"Sword", "Old Key"};
        t.game.script.ResetSymbols({.variables = true});
        t.game.script.AppendVariable({"42", "HP", ValueType::Number});
        t.game.script.AppendVariable({"Bob the Brave", "NAME", ValueType::String});
    }
    std::string Saved(const std::string& file) { return t.folder.Read("saves/" + file); }

    TestGame t;
};

TEST_F(SavedGamesTest, WritesTheThreeFilesByteForByte) {
    Play();
    SaveGame(t.game, 0);
    EXPECT_EQ(Saved("save0.ini"),
              "[Save0]\r\nPlayerX=10\r\nPlayerY=12\r\nPlayerHealth=7\r\nPlayerMaxHealth=12\r\n"
              "PlayerDamage=-3\r\nPlayerSpeed=90\r\nPlayerKillCount=4\r\nCurrentMap=town\r\n");
    EXPECT_EQ(Saved("save0.sol"), "Sword\r\nOld Key\r\n");
    EXPECT_EQ(Saved("save0.sst"),
              "HP\x01"
              "42\x01"
              "1\r\nNAME\x01"
              "Bob the Brave\x01"
              "2\r\n");
    EXPECT_TRUE(t.media.Messages().empty());

    // A second save of the same state changes nothing, and leaves no
    // temporary files behind.
    const std::string first = Saved("save0.ini");
    SaveGame(t.game, 0);
    EXPECT_EQ(Saved("save0.ini"), first);
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(t.folder.Path() + "/saves")) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 3u);
}

TEST_F(SavedGamesTest, SavingTwiceGivesIdenticalFilesAndSlotsNameTheirFiles) {
    Play();
    SaveGame(t.game, 7);
    const std::string ini = Saved("save7.ini");
    const std::string sol = Saved("save7.sol");
    const std::string sst = Saved("save7.sst");
    SaveGame(t.game, 7);
    EXPECT_EQ(Saved("save7.ini"), ini);
    EXPECT_EQ(Saved("save7.sol"), sol);
    EXPECT_EQ(Saved("save7.sst"), sst);
    EXPECT_EQ(ini.rfind("[Save7]\r\n", 0), 0u);
    EXPECT_FALSE(t.folder.Exists("saves/save0.ini"));
}

TEST_F(SavedGamesTest, PositionsRoundHalvesToEven) {
    const std::pair<float, const char*> cases[] = {
        {10.5f, "PlayerX=10\r\n"}, {11.5f, "PlayerX=12\r\n"}, {-2.5f, "PlayerX=-2\r\n"},
        {3.49f, "PlayerX=3\r\n"},  {3.51f, "PlayerX=4\r\n"},
    };
    for (const auto& [x, line] : cases) {
        t.game.player.X = x;
        SaveGame(t.game, 0);
        EXPECT_NE(Saved("save0.ini").find(line), std::string::npos) << x;
    }
}

TEST_F(SavedGamesTest, RoundTripRestoresPlayerInventoryVariablesAndMap) {
    Play();
    SaveGame(t.game, 0);

    // A fresh game on the same mod folder, as after a restart.
    HeadlessMedia media;
    media.InitGraphics();
    media.InitAudio();
    Game game(media);
    game.script.InitScriptEngine(kScriptSlotCount, kScriptLinesPerSlot);
    game.ModFolder = t.folder.Path();
    game.settings = t.game.settings;
    CreateMapGrid(game);
    game.inventory = {"Ring"};  // kept: the inventory is appended to
    game.script.SetSymbol("STALE", "1", ValueType::Number);
    const uint64_t generation = game.map->entry;

    LoadGame(game, 0);
    ASSERT_FALSE(game.ended);
    EXPECT_FLOAT_EQ(game.player.X, 10.0f);
    EXPECT_FLOAT_EQ(game.player.Y, 12.0f);
    EXPECT_EQ(game.player.Health, 7);
    EXPECT_EQ(game.player.MaxHealth, 12);
    EXPECT_EQ(game.player.Damage, -3);
    EXPECT_EQ(game.player.Speed, 90);
    EXPECT_EQ(game.player.KillCount, 4);
    EXPECT_EQ(game.inventory, (std::vector<std::string>{"Ring", "Sword", "Old Key"}));
    ASSERT_EQ(game.script.Variables().size(), 2u);
    EXPECT_EQ(game.script.Variables()[0].name, "HP");
    EXPECT_EQ(game.script.Variables()[0].value, "42");
    EXPECT_EQ(game.script.Variables()[0].type, ValueType::Number);
    EXPECT_EQ(game.script.Variables()[1].value, "Bob the Brave");
    EXPECT_EQ(game.script.Variables()[1].type, ValueType::String);
    EXPECT_EQ(game.script.GetSymbol("STALE"), nullptr);
    EXPECT_EQ(game.map->info.Name, "town");
    EXPECT_EQ(game.map->entry, generation + 1);

    // Saving the loaded game gives the same files again.
    const std::string sst = Saved("save0.sst");
    SaveGame(game, 0);
    EXPECT_EQ(Saved("save0.sst"), sst);
}

TEST_F(SavedGamesTest, NoVariablesWriteAnEmptyFileThatLoadsNone) {
    EnterMap(t.game, "town");
    t.game.script.ResetSymbols({.variables = true});
    SaveGame(t.game, 0);
    ASSERT_TRUE(t.folder.Exists("saves/save0.sst"));
    EXPECT_EQ(Saved("save0.sst"), "");
    EXPECT_EQ(Saved("save0.sol"), "");
    t.game.script.SetSymbol("LEFTOVER", "5", ValueType::Number);
    LoadGame(t.game, 0);
    EXPECT_TRUE(t.game.script.Variables().empty());
}

TEST_F(SavedGamesTest, BlankLinesAndShortVariableLinesLoadLeniently) {
    t.folder.Write("saves/save0.ini", "[Save0]\r\nCurrentMap=town\r\n");
    t.folder.Write("saves/save0.sol", "Sword\r\n\r\n   \r\n Shield \r\nLamp");
    t.folder.Write("saves/save0.sst",
                   "A\x01hello\r\n\r\n  \r\nB\x01"
                   "5\x01"
                   "1\r\nC\r\n\x01\x01\x01\r\n");
    LoadGame(t.game, 0);
    ASSERT_FALSE(t.game.ended);
    EXPECT_EQ(t.game.inventory, (std::vector<std::string>{"Sword", " Shield ", "Lamp"}));
    const auto& variables = t.game.script.Variables();
    ASSERT_EQ(variables.size(), 4u);
    EXPECT_EQ(variables[0].name, "A");
    EXPECT_EQ(variables[0].value, "hello");
    EXPECT_EQ(variables[0].type, ValueType::None);  // no third field
    EXPECT_EQ(variables[1].type, ValueType::Number);
    EXPECT_EQ(variables[2].name, "C");
    EXPECT_EQ(variables[2].value, "");
    EXPECT_EQ(variables[3].name, "");
    // Keys missing from the .ini read 0.
    EXPECT_EQ(t.game.player.Health, 0);
    EXPECT_FLOAT_EQ(t.game.player.X, 0.0f);
}

TEST_F(SavedGamesTest, MissingSaveEndsTheGameWithItsMessage) {
    const uint64_t generation = t.game.map->entry;
    LoadGame(t.game, 4);
    EXPECT_TRUE(t.game.ended);
    ASSERT_EQ(t.media.Messages().size(), 1u);
    EXPECT_EQ(t.media.Messages()[0].title, "Error");
    EXPECT_EQ(t.media.Messages()[0].text, "Save game 4 not found!");
    EXPECT_EQ(t.game.map->entry, generation);
}

TEST_F(SavedGamesTest, DamagedSaveFilesLoadWithoutCrashing) {
    std::mt19937 random(777);
    auto garbage = [&random](size_t length) {
        std::string bytes(length, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() & 0xFF);
        return bytes;
    };
    for (int round = 0; round < 20; ++round) {
        TestGame g;
        test::PrepareWorld(g, 4, 3);
        WriteTown(g);
        g.folder.Write("saves/save0.ini", "[Save0]\r\nCurrentMap=town\r\n" + garbage(300));
        g.folder.Write("saves/save0.sol", garbage(400));
        g.folder.Write("saves/save0.sst", garbage(400));
        LoadGame(g.game, 0);
        EXPECT_FALSE(g.game.ended) << "round " << round;
    }
    // A truncated .ini: the values present load, the map name is cut off.
    t.folder.Write("saves/save0.ini", "[Save0]\r\nPlayerX=17\r\nPlayerY=2");
    LoadGame(t.game, 0);
    EXPECT_FLOAT_EQ(t.game.player.X, 17.0f);
    EXPECT_FLOAT_EQ(t.game.player.Y, 2.0f);
    EXPECT_TRUE(t.game.ended);  // CurrentMap "" names no map
    EXPECT_EQ(t.media.Messages().back().text, "Couldn't load map tiles: ");
}

TEST_F(SavedGamesTest, LineBreaksAndSeparatorsInValuesCannotSplitAVariable) {
    EnterMap(t.game, "town");
    t.game.script.ResetSymbols({.variables = true});
    t.game.script.AppendVariable(
        {"x\r\nHP\x01"
         "999\x01"
         "1",
         "NOTE", ValueType::String});
    t.game.script.AppendVariable({"10", "HP", ValueType::Number});
    t.game.inventory = {"Torn\nMap"};
    SaveGame(t.game, 0);
    EXPECT_EQ(Saved("save0.sol"), "Torn Map\r\n");
    LoadGame(t.game, 0);
    const auto& variables = t.game.script.Variables();
    ASSERT_EQ(variables.size(), 2u);
    EXPECT_EQ(variables[0].name, "NOTE");
    EXPECT_EQ(variables[0].value, "x  HP 999 1");
    EXPECT_EQ(variables[0].type, ValueType::String);
    EXPECT_EQ(variables[1].name, "HP");
    EXPECT_EQ(variables[1].value, "10");
}

TEST_F(SavedGamesTest, SavesFolderThatCannotBeMadeShowsTheError) {
    t.folder.Write("saves", "a file where the folder should be");
    SaveGame(t.game, 0);
    ASSERT_EQ(t.media.Messages().size(), 1u);
    EXPECT_EQ(t.media.Messages()[0].title, "Error");
    EXPECT_EQ(t.media.Messages()[0].text, "Couldn't create save game file!");
    EXPECT_EQ(t.media.Messages()[0].buttons, MessageButtons::Ok);
    EXPECT_FALSE(t.game.ended);
}

// Limits the size of files this process may write while it lives, with the
// signal for crossing the limit ignored, so a write beyond it fails as on a
// full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool Active() const { return active_; }

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

TEST_F(SavedGamesTest, SaveThatFailsHalfWayLeavesThePreviousSaveWhole) {
    Play();
    SaveGame(t.game, 0);
    const std::string ini = Saved("save0.ini");
    const std::string sol = Saved("save0.sol");
    const std::string sst = Saved("save0.sst");

    // The next state has a long inventory and a long map name: not even the
    // .ini fits under the limit.
    t.game.player.Health = 1;
    t.game.map->info.Name = std::string(400, 'm');
    t.game.inventory.assign(200, "Heavy Stone");
    {
        FileSizeLimit limit(64);
        ASSERT_TRUE(limit.Active());
        SaveGame(t.game, 0);
    }
    ASSERT_EQ(t.media.Messages().size(), 1u);
    EXPECT_EQ(t.media.Messages()[0].text, "Couldn't create save game file!");
    EXPECT_EQ(Saved("save0.ini"), ini);
    EXPECT_EQ(Saved("save0.sol"), sol);
    EXPECT_EQ(Saved("save0.sst"), sst);

    // With room for the .ini but not the inventory, the new .ini is written
    // and the old inventory file is still whole, never cut short.
    t.game.map->info.Name = "town";
    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.Active());
        SaveGame(t.game, 0);
    }
    EXPECT_NE(Saved("save0.ini").find("PlayerHealth=1\r\n"), std::string::npos);
    EXPECT_EQ(Saved("save0.sol"), sol);
    size_t files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(t.folder.Path() + "/saves")) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 3u);  // no temporary file left behind

    // The previous save still loads.
    LoadGame(t.game, 0);
    EXPECT_FALSE(t.game.ended);
    EXPECT_EQ(t.game.player.Health, 1);
}

}  // namespace
}  // namespace vorn

// The bundled game running on the engine, headless: every map loads and
// every script runs through its events without an error (with DebugMode on,
// any script error would show a message box), and a scripted playthrough
// walks through an exit and a warp, kills a monster, picks up an item,
// opens the gate with the key and saves.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/TextPrimitives.h"
#include "game/media/HeadlessMedia.h"
#include "game/play/Events.h"
#include "game/play/Items.h"
#include "game/play/MapEntry.h"
#include "game/shell/GameShell.h"
#include "game/world/Game.h"
#include "game/world/SavedGames.h"
#include "tests/vorn3/ModFolder.h"

namespace vorn3test {
namespace {

namespace fs = std::filesystem;
using vorn::Game;
using vorn::HeadlessMedia;

// A copy of vorn3/ (without saved games) under the build folder, named by a
// path relative to the working directory as the game's argument must be.
// Its scripts still include ./vorn3/lib/..., found from the repository root.
// Test time per frame on top of the frame loop's own 8 ms sleep.
constexpr int kFrameMs = 16;

class Vorn3Game : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists("vorn3/settings.ini")) << "run from the repository root";
        copy_ = fs::path(VORN_BINARY_DIR) / "vorn3-play" /
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(copy_);
        fs::create_directories(copy_);
        for (const auto& entry : fs::directory_iterator(ModPath()))
            if (entry.path().filename() != "saves")
                fs::copy(entry.path(), copy_ / entry.path().filename(),
                         fs::copy_options::recursive);
        argument_ = fs::relative(copy_, fs::current_path()).generic_string();
        const char* argv[] = {"game", argument_.c_str()};
        media_.SeedRandom(7);
        ASSERT_TRUE(vorn::StartUp(game_, 2, argv));
        ASSERT_EQ(game_.settings.MapWidth, 30);
        // Every failed script run now shows a message box.
        game_.settings.DebugMode = 1;
    }
    void TearDown() override {
        // The shipped game gives the game nothing to tell on standard error.
        EXPECT_EQ(game_.diagnostics.Messages(), std::vector<std::string>{});
        fs::remove_all(copy_);
    }

    void NewGame() {
        media_.SetKeyDown(vorn::keys::Space, true);
        vorn::RunTitleScreen(game_);
        media_.SetKeyDown(vorn::keys::Space, false);
        ASSERT_EQ(game_.map->info.Name, "meadow");
    }

    // Frames with `key` held until `done` holds; false after `limit` frames.
    template <typename Done>
    bool HoldUntil(int key, Done done, int limit = 3000) {
        media_.SetKeyDown(key, true);
        for (int i = 0; i < limit && !game_.ended; ++i) {
            media_.AdvanceTimeMs(kFrameMs);
            vorn::RunFrame(game_);
            if (done()) {
                media_.SetKeyDown(key, false);
                return true;
            }
        }
        media_.SetKeyDown(key, false);
        return false;
    }

    void Frames(int count) {
        for (int i = 0; i < count; ++i) {
            media_.AdvanceTimeMs(8);
            vorn::RunFrame(game_);
        }
    }

    std::string Variable(const std::string& name) {
        const vorn::ScriptVariable* variable = game_.script.GetSymbol(name);
        return variable == nullptr ? "<unset>" : std::string(vorn::TrimSpaces(variable->value));
    }

    std::string Boxes() const {
        std::string text;
        for (const auto& box : media_.Messages())
            text += box.title + ": " + box.text + "\n";
        return text;
    }

    bool ScreenTextStarting(const std::string& start) const {
        for (const auto& text : game_.screenTexts)
            if (text.Text.rfind(start, 0) == 0)
                return true;
        return false;
    }

    // Stands the hero just left of the Elder, facing him, with every other
    // villager far away and everyone standing still.
    vorn::Monster* StandBesideElder() {
        vorn::Monster* elder = nullptr;
        for (auto& monster : game_.map->monsters) {
            monster.Type.Speed = 0;
            if (monster.Type.Name == "Elder")
                elder = &monster;
            else
                monster.X = 25 * 32;
        }
        if (elder == nullptr)
            return nullptr;
        elder->Y = 9 * 32;
        elder->X = 8 * 32 + 24;
        PlacePlayerOnTile(8, 9);
        game_.player.Facing = vorn::Facing::Right;
        return elder;
    }

    void PlacePlayerOnTile(int column, int row) {
        game_.player.X = static_cast<float>(column * game_.settings.TileWidth);
        game_.player.Y = static_cast<float>(row * game_.settings.TileHeight);
    }

    fs::path copy_;
    std::string argument_;
    HeadlessMedia media_;
    Game game_{media_};
};

TEST_F(Vorn3Game, EveryMapAndEveryScriptRunsWithoutAnError) {
    NewGame();
    Frames(5);  // the first tick, with its FIRSTTICK greeting
    // Shown although the clock has run for only a second or so.
    EXPECT_TRUE(ScreenTextStarting("Arrow keys walk, Ctrl strikes"));
    for (const std::string& map : MapNames()) {
        SCOPED_TRACE(map);
        vorn::EnterMap(game_, map);
        ASSERT_FALSE(game_.ended);
        ASSERT_EQ(game_.map->info.Name, map);
        // Ticks by day and by night.
        for (int timeOfDay : {10, game_.settings.LengthOfDay / 2 + 5, 10}) {
            game_.clock.DayStartTime = media_.ElapsedMs() - timeOfDay * 1000;
            media_.AdvanceTimeMs(game_.settings.TickMs);
            Frames(2);
        }
        vorn::RaisePlayerAttack(game_);
        for (const auto& object : std::vector<vorn::ObjectType>(game_.map->objects))
            vorn::RaiseGrabItem(game_, object.Name);
        if (!game_.map->monsters.empty())
            vorn::RaiseMonsterDie(game_, game_.map->monsters.front());
        // Every script tile, with the player standing on it.
        const auto attributes = ReadLayer(map, "atl");
        for (size_t row = 0; row < attributes.size(); ++row)
            for (size_t column = 0; column < attributes[row].size(); ++column) {
                if (attributes[row][column] != "S")
                    continue;
                vorn::EnterMap(game_, map);
                PlacePlayerOnTile(static_cast<int>(column), static_cast<int>(row));
                vorn::ScriptTileCheck(game_);
                media_.AdvanceTimeMs(3000);
            }
        vorn::RaiseMapLeave(game_);
        if (!game_.map->monsters.empty()) {
            game_.player.Health = 0;
            vorn::RaisePlayerDie(game_, game_.map->monsters.front());
            EXPECT_EQ(game_.player.Health, game_.player.MaxHealth) << "the hero must get up again";
            EXPECT_EQ(game_.map->info.Name, "village");
        }
    }
    EXPECT_FALSE(game_.ended);
    EXPECT_TRUE(media_.Messages().empty()) << Boxes();
    EXPECT_EQ(Variable("INITDONE"), "1");
}

TEST_F(Vorn3Game, PlaythroughOverExitWarpKillPickUpGateAndSave) {
    NewGame();
    game_.map->monsters.clear();  // the slimes must not stand in the way of this walk
    // Meadow -> village over the east edge, along the road.
    ASSERT_TRUE(HoldUntil(vorn::keys::Right, [&] { return game_.map->info.Name == "village"; }))
        << "stuck in the meadow at " << game_.player.X << "," << game_.player.Y;
    EXPECT_EQ(game_.StatusText, "Vorn Village");
    // Village -> cave through the cave mouth: to the path, then up it.
    ASSERT_TRUE(HoldUntil(vorn::keys::Right, [&] { return game_.player.X >= 160.0f; }));
    ASSERT_TRUE(HoldUntil(vorn::keys::Up, [&] { return game_.map->info.Name == "cave"; }))
        << "stuck in the village at " << game_.player.X << "," << game_.player.Y;
    EXPECT_EQ(game_.player.X, 96.0f);
    EXPECT_EQ(game_.player.Y, 224.0f);
    EXPECT_NE(game_.map->info.AlwaysNight, 0);

    // Kill the first monster of the cave: hold it still to the hero's right.
    ASSERT_FALSE(game_.map->monsters.empty());
    vorn::Monster& target = game_.map->monsters.front();
    const std::string targetName = target.Type.Name;
    target.Type.Speed = 0;
    target.X = game_.player.X + 20;
    target.Y = game_.player.Y;
    for (size_t i = 1; i < game_.map->monsters.size(); ++i)
        game_.map->monsters[i].Type.Speed = 0;
    game_.player.Facing = vorn::Facing::Right;
    game_.player.Health = 100;
    game_.player.MaxHealth = 100;
    // Each hit pushes the hero back: step in again, then strike.
    bool killed = false;
    for (int round = 0; round < 12 && !killed; ++round) {
        HoldUntil(
            vorn::keys::Right, [] { return false; }, 8);
        killed = HoldUntil(
            vorn::keys::RightCtrl, [&] { return game_.player.KillCount == 1; }, 40);
    }
    ASSERT_TRUE(killed) << "hero at " << game_.player.X << ", monster at " << target.X;
    EXPECT_EQ(Variable("KILLS"), "1");
    EXPECT_EQ(game_.StatusText, "You've slain " + targetName);
    bool poof = false;
    for (const auto& animation : game_.map->animations)
        poof = poof || animation.Name == "poof";
    EXPECT_TRUE(poof) << "the monster-die script leaves a puff of smoke";

    // Pick up the sword lying on tile 8,12.
    const int damageBefore = game_.player.Damage;
    PlacePlayerOnTile(8, 12);
    ASSERT_TRUE(HoldUntil(
        vorn::keys::Return, [&] { return vorn::InventoryHas(game_, "Old Sword"); }, 5));
    EXPECT_EQ(game_.player.Damage, damageBefore + 1);

    // The key opens the gate in the village; then south into the ruins.
    game_.inventory.push_back("Iron Key");
    game_.player.Health = 6;
    game_.player.MaxHealth = 6;
    PlacePlayerOnTile(14, 10);
    vorn::EnterMap(game_, "village");
    game_.map->monsters.clear();
    ASSERT_TRUE(HoldUntil(vorn::keys::Down, [&] { return game_.map->info.Name == "ruins"; }))
        << "stuck at the gate at " << game_.player.X << "," << game_.player.Y;
    EXPECT_EQ(Variable("GATEOPEN"), "1");

    // Save: the three files of slot 0 in the game's own folder.
    vorn::SaveGame(game_, 0);
    const std::string saves = copy_.string() + "/saves/save0";
    EXPECT_NE(ReadBytes(saves + ".ini").find("CurrentMap=ruins\r\n"), std::string::npos);
    EXPECT_NE(ReadBytes(saves + ".sol").find("Old Sword\r\n"), std::string::npos);
    EXPECT_NE(ReadBytes(saves + ".sst").find(std::string("GATEOPEN\x01") + " 1\x01" + "1\r\n"),
              std::string::npos);

    EXPECT_FALSE(game_.ended);
    EXPECT_TRUE(media_.Messages().empty()) << Boxes();
}

TEST_F(Vorn3Game, ReturningToTheVillageKeepsTheGateOpen) {
    NewGame();
    game_.inventory.push_back("Iron Key");
    vorn::EnterMap(game_, "village");
    PlacePlayerOnTile(14, 12);
    vorn::ScriptTileCheck(game_);
    ASSERT_EQ(Variable("GATEOPEN"), "1");
    vorn::EnterMap(game_, "meadow");
    vorn::EnterMap(game_, "village");
    // The cells come back from the map files as walls; the enter script frees them.
    EXPECT_NE(game_.map->grid.Cell(14, 13)->Attribute, "X");
    EXPECT_NE(game_.map->grid.Cell(15, 13)->Attribute, "X");
    EXPECT_EQ(game_.map->grid.Cell(13, 13)->Attribute, "X");
    bool gateDrawn = false;
    for (const auto& animation : game_.map->animations)
        gateDrawn = gateDrawn || animation.Name == "gateopen";
    EXPECT_TRUE(gateDrawn);
    EXPECT_TRUE(media_.Messages().empty()) << Boxes();
}

TEST_F(Vorn3Game, TheLockedGateStaysShutWithoutTheKey) {
    NewGame();
    vorn::EnterMap(game_, "village");
    PlacePlayerOnTile(14, 12);
    vorn::ScriptTileCheck(game_);
    EXPECT_EQ(game_.map->grid.Cell(14, 13)->Attribute, "X");
    EXPECT_NE(Variable("GATEOPEN"), "1");
    EXPECT_TRUE(media_.Messages().empty()) << Boxes();
}

TEST_F(Vorn3Game, CtrlBesideAVillagerTalksInsteadOfStriking) {
    NewGame();
    vorn::EnterMap(game_, "village");
    vorn::Monster* elder = StandBesideElder();
    ASSERT_NE(elder, nullptr);
    const int32_t health = elder->Health;
    const int32_t elderId = elder->ID;
    media_.AdvanceTimeMs(5000);  // past the greeting of the first tick
    HoldUntil(
        vorn::keys::LeftCtrl, [] { return false; }, 30);
    EXPECT_TRUE(ScreenTextStarting("Skeletons stole the Relic of Vorn"));
    for (const auto& monster : game_.map->monsters) {
        if (monster.ID != elderId)
            continue;
        EXPECT_EQ(monster.Health, health) << "talking must not hurt";
        EXPECT_EQ(monster.Friendly, 1);
    }
    EXPECT_TRUE(media_.Messages().empty()) << Boxes();
}

TEST_F(Vorn3Game, TakingTheRelicEndsTheQuestAndTheElderThanksTheHero) {
    NewGame();
    vorn::EnterMap(game_, "ruins");
    game_.map->monsters.clear();
    PlacePlayerOnTile(14, 11);
    ASSERT_TRUE(HoldUntil(
        vorn::keys::Return, [&] { return vorn::InventoryHas(game_, "Relic of Vorn"); }, 5));
    EXPECT_EQ(Variable("RELIC"), "1");
    EXPECT_EQ(game_.map->info.SpeechText, "The Relic of Vorn is yours!");
    EXPECT_TRUE(ScreenTextStarting("You found the Relic of Vorn."));

    vorn::EnterMap(game_, "village");
    ASSERT_NE(StandBesideElder(), nullptr);
    media_.AdvanceTimeMs(5000);
    HoldUntil(
        vorn::keys::LeftCtrl, [] { return false; }, 30);
    EXPECT_TRUE(ScreenTextStarting("You brought back the Relic of Vorn!"));
    EXPECT_TRUE(media_.Messages().empty()) << Boxes();
}

// The meadow's trees put their lower crown in the foreground: a hero whose
// feet are above the crown's lower edge is drawn first and hidden by it; a
// hero standing lower is drawn over it.
TEST_F(Vorn3Game, TheHeroWalksBehindATreeCrownAndInFrontOfIt) {
    NewGame();
    game_.map->monsters.clear();
    vorn::SpriteHandle crown;
    for (const auto& tile : game_.assets.tileImages)
        if (tile.Name == "tree_1_0")
            crown = tile.Sprite;
    ASSERT_NE(crown, 0);
    // The tree at columns 13-14 has its lower crown on row 4 (y 128 to 159).
    auto order = [&](float playerY) {
        game_.player.X = 13 * 32;
        game_.player.Y = playerY;
        Frames(1);
        int playerAt = -1, crownAt = -1;
        const auto& draws = media_.DrawLog();
        for (size_t i = 0; i < draws.size(); ++i)
            if (draws[i].sprite == game_.player.Sprite)
                playerAt = static_cast<int>(i);
        for (size_t i = 0; i < draws.size() && playerAt >= 0; ++i)
            if (draws[i].sprite == crown && draws[i].x == draws[static_cast<size_t>(playerAt)].x &&
                draws[i].y ==
                    draws[static_cast<size_t>(playerAt)].y + (128 - static_cast<int>(playerY)))
                crownAt = static_cast<int>(i);
        return std::make_pair(playerAt, crownAt);
    };
    const auto behind = order(120.0f);
    ASSERT_GE(behind.first, 0);
    ASSERT_GE(behind.second, 0);
    EXPECT_GT(behind.second, behind.first) << "the crown covers the hero behind the tree";
    const auto before = order(136.0f);
    ASSERT_GE(before.second, 0);
    EXPECT_LT(before.second, before.first) << "the hero in front covers the crown";
}

// The engine's own readers take every picture and sound of the game, and a
// new game starts the meadow's music looping.
TEST_F(Vorn3Game, EveryPictureAndSoundLoadsAndTheMusicLoops) {
    for (const std::string folder : {"tiles", "sprites", "objects", "animations"})
        for (const std::string& file : ListFiles(ModPath() + "/" + folder, ".png")) {
            const vorn::SpriteHandle sprite =
                media_.LoadSpriteFile(ModPath() + "/" + folder + "/" + file);
            EXPECT_NE(sprite, 0) << folder << "/" << file;
            media_.FreeSprite(sprite);
        }
    for (const std::string& file : ListFiles(ModPath() + "/sounds", ".wav")) {
        const vorn::SoundHandle sound = media_.LoadSoundFile(ModPath() + "/sounds/" + file);
        EXPECT_NE(sound, 0) << file;
        media_.FreeSoundHandle(sound);
    }
    media_.ClearSoundLog();
    NewGame();
    vorn::SoundHandle music;
    for (const auto& event : media_.SoundLog())
        if (event.kind == HeadlessMedia::SoundEvent::Kind::Load && event.path.size() >= 10 &&
            event.path.substr(event.path.size() - 10) == "meadow.wav")
            music = event.sound;
    ASSERT_NE(music, 0);
    bool looping = false;
    for (const auto& event : media_.SoundLog())
        looping = looping || (event.kind == HeadlessMedia::SoundEvent::Kind::Play &&
                              event.sound == music && event.loop != 0);
    EXPECT_TRUE(looping);
}

// The quest's progress lives in script variables and the inventory: a saved
// game loaded from the title screen comes back with the gate still open.
TEST_F(Vorn3Game, ALoadedGameKeepsTheOpenedGate) {
    NewGame();
    game_.inventory.push_back("Iron Key");
    vorn::EnterMap(game_, "village");
    PlacePlayerOnTile(14, 12);
    vorn::ScriptTileCheck(game_);
    ASSERT_EQ(Variable("GATEOPEN"), "1");
    PlacePlayerOnTile(14, 11);
    vorn::SaveGame(game_, 0);

    HeadlessMedia media;
    Game loaded{media};
    const char* argv[] = {"game", argument_.c_str()};
    ASSERT_TRUE(vorn::StartUp(loaded, 2, argv));
    loaded.settings.DebugMode = 1;
    media.SetKeyDown(vorn::keys::L, true);
    vorn::RunTitleScreen(loaded);
    ASSERT_FALSE(loaded.ended);
    EXPECT_EQ(loaded.map->info.Name, "village");
    EXPECT_EQ(loaded.player.X, 14.0f * 32);
    ASSERT_EQ(loaded.inventory.size(), 1u);
    EXPECT_EQ(loaded.inventory[0], "Iron Key");
    EXPECT_NE(loaded.map->grid.Cell(14, 13)->Attribute, "X");
    EXPECT_NE(loaded.map->grid.Cell(15, 13)->Attribute, "X");
    EXPECT_TRUE(media.Messages().empty());
}

}  // namespace
}  // namespace vorn3test

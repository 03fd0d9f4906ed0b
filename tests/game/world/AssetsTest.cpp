// Tile images from the tiles folder and monster types from monsters.ini.
#include "game/world/Assets.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/game/support/TestGame.h"

namespace vorn {
namespace {

using test::MakePng;
using test::MakeWav;
using test::TestGame;

std::vector<std::string> TileNames(const Game& game) {
    std::vector<std::string> names;
    for (const TileImage& tile : game.assets.tileImages)
        names.push_back(tile.Name);
    return names;
}

TEST(TileImagesTest, ListsPngFilesOfAnyCaseAndStripsOnlyLowerCaseExtension) {
    TestGame t;
    t.folder.Write("tiles/Grass.PNG", MakePng(4, 4, 0x00FF00));
    t.folder.Write("tiles/grass.png.png", MakePng(4, 4, 0x008000));
    t.folder.Write("tiles/ wall .png", MakePng(4, 4, 0x808080));
    t.folder.Write("tiles/notes.txt", "not a tile");
    t.folder.Write("tiles/png", "no extension");
    t.folder.Write("tiles/folder.png/inner.png", MakePng(4, 4, 0));  // a folder: skipped
    LoadTileImages(t.game);
    // Sorted by file name: " wall .png", "Grass.PNG", "grass.png.png".
    EXPECT_EQ(TileNames(t.game), (std::vector<std::string>{"wall", "Grass.PNG", "grass"}));
    for (const TileImage& tile : t.game.assets.tileImages)
        EXPECT_NE(tile.Sprite, 0) << tile.Name;
}

TEST(TileImagesTest, FindTrimsTheNameAndIsCaseSensitive) {
    TestGame t;
    t.folder.Write("tiles/wall.png", MakePng(6, 4, 0x808080));
    t.folder.Write("tiles/broken.png", "this is no picture");
    LoadTileImages(t.game);
    const SpriteHandle wall = FindTileSprite(t.game, "  wall  ");
    ASSERT_GT(wall, 0);
    EXPECT_EQ(t.media.SpriteWidth(wall), 6);
    EXPECT_EQ(FindTileSprite(t.game, "Wall"), -1);
    EXPECT_EQ(FindTileSprite(t.game, "water"), -1);
    EXPECT_EQ(FindTileSprite(t.game, ""), -1);
    // A picture that does not load keeps its entry, with sprite 0.
    EXPECT_EQ(FindTileSprite(t.game, "broken"), 0);
}

TEST(TileImagesTest, FirstListedOfTwoEqualNamesWins) {
    TestGame t;
    t.folder.Write("tiles/rock.png", MakePng(2, 2, 0x111111));
    t.folder.Write("tiles/rock.png.png", MakePng(8, 8, 0x222222));
    t.folder.Write("tiles/rock .png", MakePng(5, 5, 0x333333));
    LoadTileImages(t.game);
    ASSERT_EQ(t.game.assets.tileImages.size(), 3u);
    // "rock .png" sorts before "rock.png" (a blank is below "."), so it wins.
    EXPECT_EQ(t.media.SpriteWidth(FindTileSprite(t.game, "rock")), 5);
}

TEST(TileImagesTest, MissingFolderGivesNoTiles) {
    TestGame t;
    LoadTileImages(t.game);
    EXPECT_TRUE(t.game.assets.tileImages.empty());
    t.folder.Write("tiles", "a file where the folder should be");
    LoadTileImages(t.game);
    EXPECT_TRUE(t.game.assets.tileImages.empty());
}

TEST(MonsterTypesTest, EveryLineCountsIncludingEmptyOnes) {
    TestGame t;
    t.folder.Write("monsters.ini",
                   "Orc,orc.png,a.wav,h.wav,d.wav,5,20,60,32,48,20,30,4,3,0\r\n"
                   "\r\n"
                   "Bat,bat.png,,,,1,2,3,4,5,6,7,8,9,1\n"
                   "\n");
    LoadMonsterTypes(t.game);
    ASSERT_EQ(t.game.assets.monsterTypes.size(), 4u);
    EXPECT_EQ(t.game.assets.monsterTypes[0].Name, "Orc");
    EXPECT_EQ(t.game.assets.monsterTypes[1].Name, "");
    EXPECT_EQ(t.game.assets.monsterTypes[1].Health, 0);
    EXPECT_EQ(t.game.assets.monsterTypes[2].Name, "Bat");  // still the third type
    EXPECT_EQ(t.game.assets.monsterTypes[3].Name, "");

    // A single final line end adds nothing.
    t.game.assets.monsterTypes.clear();
    t.folder.Write("monsters.ini", "Orc\r\nBat\r\n");
    LoadMonsterTypes(t.game);
    EXPECT_EQ(t.game.assets.monsterTypes.size(), 2u);
}

TEST(MonsterTypesTest, FieldsMapInRecordOrder) {
    TestGame t;
    t.folder.Write("sprites/orc.png", MakePng(64, 48, 0x00AA00));
    t.folder.Write("sounds/attack.wav", MakeWav(10));
    t.folder.Write("sounds/hit.wav", MakeWav(20));
    t.folder.Write("sounds/death.wav", MakeWav(30));
    t.folder.Write("monsters.ini",
                   " Orc Chief , orc.png , attack.wav , hit.wav , death.wav ,"
                   "5,20,60,32,48,20,30,4,3,257\r\n");
    t.media.ClearSoundLog();
    LoadMonsterTypes(t.game);
    ASSERT_EQ(t.game.assets.monsterTypes.size(), 1u);
    const MonsterType& orc = t.game.assets.monsterTypes[0];
    EXPECT_EQ(orc.Name, "Orc Chief");
    ASSERT_NE(orc.Sprite, 0);
    EXPECT_EQ(t.media.SpriteWidth(orc.Sprite), 64);
    EXPECT_EQ(orc.Damage, 5);
    EXPECT_EQ(orc.Health, 20);
    EXPECT_EQ(orc.Speed, 60);
    EXPECT_EQ(orc.FrameWidth, 32);
    EXPECT_EQ(orc.FrameHeight, 48);
    EXPECT_EQ(orc.ClipWidth, 20);
    EXPECT_EQ(orc.ClipHeight, 30);
    EXPECT_EQ(orc.DeathDuration, 4);
    EXPECT_EQ(orc.ItemDropRate, 3);
    EXPECT_EQ(orc.Friendly, 1);  // 257 keeps its low 8 bits

    // The file lists attack, hit, death: each handle must be the one its
    // file was loaded into.
    auto handleOf = [&t](const std::string& file) {
        for (const auto& event : t.media.SoundLog()) {
            if (event.kind == HeadlessMedia::SoundEvent::Kind::Load &&
                event.path.size() >= file.size() &&
                event.path.compare(event.path.size() - file.size(), file.size(), file) == 0) {
                return event.sound;
            }
        }
        return SoundHandle{-1};
    };
    ASSERT_NE(orc.AttackSound, 0);
    ASSERT_NE(orc.HitSound, 0);
    ASSERT_NE(orc.DeathSound, 0);
    EXPECT_EQ(orc.AttackSound, handleOf("/attack.wav"));
    EXPECT_EQ(orc.HitSound, handleOf("/hit.wav"));
    EXPECT_EQ(orc.DeathSound, handleOf("/death.wav"));
}

TEST(MonsterTypesTest, ShortAndOddLinesGiveZerosAndEmptyHandles) {
    TestGame t;
    t.folder.Write("monsters.ini",
                   "Rat,rat.png\r\n"
                   "Ghost,,,,,1,2,3,4,5,6,7,8,9,0\r\n"
                   "Imp,,,,,1,2,3,4,5,6,7,8,9,256\r\n"
                   "Elf,,,,,x,-4,99999999999,,,,,,,-1\r\n");
    LoadMonsterTypes(t.game);
    ASSERT_EQ(t.game.assets.monsterTypes.size(), 4u);
    const MonsterType& rat = t.game.assets.monsterTypes[0];
    EXPECT_EQ(rat.Sprite, 0);
    EXPECT_EQ(rat.AttackSound, 0);
    EXPECT_EQ(rat.DeathSound, 0);
    EXPECT_EQ(rat.Damage, 0);
    EXPECT_EQ(rat.ItemDropRate, 0);
    EXPECT_EQ(rat.Friendly, 0);
    EXPECT_EQ(t.game.assets.monsterTypes[1].Friendly, 0);
    EXPECT_EQ(t.game.assets.monsterTypes[2].Friendly, 0);  // 256: low 8 bits are 0
    const MonsterType& elf = t.game.assets.monsterTypes[3];
    EXPECT_EQ(elf.Damage, 0);
    EXPECT_EQ(elf.Health, -4);
    EXPECT_EQ(elf.Speed, 1215752191);  // 99999999999 wrapped to 32 bits
    EXPECT_NE(elf.Friendly, 0);
}

TEST(MonsterTypesTest, MissingFileGivesNoTypes) {
    TestGame t;
    LoadMonsterTypes(t.game);
    EXPECT_TRUE(t.game.assets.monsterTypes.empty());
}

TEST(PlaySoundIfLoadedTest, PlaysOnlyLoadedSounds) {
    TestGame t;
    t.folder.Write("sounds/bell.wav", MakeWav(50));
    const SoundHandle bell = t.media.LoadSoundFile(t.folder.Path() + "/sounds/bell.wav");
    ASSERT_NE(bell, 0);
    t.media.ClearSoundLog();
    PlaySoundIfLoaded(t.game, 0, 1);
    EXPECT_TRUE(t.media.SoundLog().empty());
    PlaySoundIfLoaded(t.game, bell, 1);
    ASSERT_EQ(t.media.SoundLog().size(), 1u);
    EXPECT_EQ(t.media.SoundLog()[0].kind, HeadlessMedia::SoundEvent::Kind::Play);
    EXPECT_EQ(t.media.SoundLog()[0].sound, bell);
    EXPECT_EQ(t.media.SoundLog()[0].loop, 1);
}

}  // namespace
}  // namespace vorn

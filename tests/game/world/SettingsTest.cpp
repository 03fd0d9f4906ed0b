// settings.ini reading: key order, lenient numbers, prefix keys, derived
// sizes, sounds loaded as their keys are read, and the mod folder argument.
#include "game/world/Settings.h"

#include <gtest/gtest.h>

#include "tests/game/support/TestGame.h"
#include "tests/game/support/WorldFixtures.h"

namespace vorn {
namespace {

using test::IniText;
using test::TestGame;

TEST(ModFolderTest, FirstArgumentIsRelativeToWorkingDirectory) {
    const char* none[] = {"game"};
    EXPECT_EQ(ModFolderFromArguments(1, none), "./vorn3");
    const char* one[] = {"game", "mygame", "ignored"};
    EXPECT_EQ(ModFolderFromArguments(3, one), "./mygame");
    const char* blanks[] = {"game", "my game"};
    EXPECT_EQ(ModFolderFromArguments(2, blanks), "./my game");
}

TEST(SettingsTest, MissingFileReadsZeroAndEmptyWithoutMessages) {
    TestGame t;
    t.game.settings.TileWidth = 99;  // overwritten, not kept
    ReadGameSettings(t.game);
    ReadGameColors(t.game);
    const GameSettings& s = t.game.settings;
    EXPECT_EQ(s.GameTitle, "");
    EXPECT_EQ(s.TileWidth, 0);
    EXPECT_EQ(s.TickMs, 0);
    EXPECT_EQ(s.StartMap, "");
    EXPECT_EQ(s.PlayerAttackSound, 0);
    EXPECT_EQ(s.ScreenPixelWidth, 0);
    EXPECT_EQ(t.game.colors.StatsTextBlue, 0);
    EXPECT_TRUE(t.media.Messages().empty());
}

TEST(SettingsTest, NumbersAreReadLeniently) {
    TestGame t;
    const std::pair<const char*, int> cases[] = {{"250abc", 250}, {"-5", -5}, {"x5", 0},
                                                 {" 42", 42},     {"+7", 7},  {"3.9", 3}};
    for (const auto& [text, expected] : cases) {
        t.folder.Write("settings.ini", IniText("Settings", {{"TickMs", text}}));
        ReadGameSettings(t.game);
        EXPECT_EQ(t.game.settings.TickMs, expected) << text;
    }
}

// Every numeric key with the member it fills. Each gets its own value and
// the file lists them backwards, so a key read into the wrong field shows.
struct IntKey {
    const char* key;
    int32_t GameSettings::*field;
};
constexpr IntKey kIntKeys[] = {
    {"MapWidth", &GameSettings::MapWidth},
    {"AIChangeFrequency", &GameSettings::AIChangeFrequency},
    {"AIVisionWidth", &GameSettings::AIVisionWidth},
    {"AIVisionLength", &GameSettings::AIVisionLength},
    {"DebugMode", &GameSettings::DebugMode},
    {"MapHeight", &GameSettings::MapHeight},
    {"ScreenHeight", &GameSettings::ScreenHeight},
    {"ScreenWidth", &GameSettings::ScreenWidth},
    {"TileWidth", &GameSettings::TileWidth},
    {"TileHeight", &GameSettings::TileHeight},
    {"LengthOfDay", &GameSettings::LengthOfDay},
    {"PlayerWidth", &GameSettings::PlayerWidth},
    {"PlayerHeight", &GameSettings::PlayerHeight},
    {"PlayerClipX", &GameSettings::PlayerClipX},
    {"PlayerClipY", &GameSettings::PlayerClipY},
    {"StartX", &GameSettings::StartX},
    {"StartY", &GameSettings::StartY},
    {"StartHealth", &GameSettings::StartHealth},
    {"StartDamage", &GameSettings::StartDamage},
    {"MoveFrameCount", &GameSettings::MoveFrameCount},
    {"AttackFrameCount", &GameSettings::AttackFrameCount},
    {"PlayerAttackDelay", &GameSettings::PlayerAttackDelay},
    {"MonsterAttackDelay", &GameSettings::MonsterAttackDelay},
    {"AnimationSpeed", &GameSettings::AnimationSpeed},
    {"PlayerStartSpeed", &GameSettings::PlayerStartSpeed},
    {"MapTextSpeed", &GameSettings::MapTextSpeed},
    {"FontSize", &GameSettings::FontSize},
    {"StatusFontSize", &GameSettings::StatusFontSize},
    {"StatusTextOffset", &GameSettings::StatusTextOffset},
    {"StatusBarHeight", &GameSettings::StatusBarHeight},
    {"PlayerRecoilAmount", &GameSettings::PlayerRecoilAmount},
    {"PlayerRecoilSpeed", &GameSettings::PlayerRecoilSpeed},
    {"TickMs", &GameSettings::TickMs},
};

TEST(SettingsTest, EveryFieldComesFromItsOwnKey) {
    TestGame t;
    std::vector<std::pair<std::string, std::string>> settings = {{"GameTitle", "  Vorn Quest  "},
                                                                 {"StartMap", "town"},
                                                                 {"PlayerSprite", "hero.png"},
                                                                 {"StatusHealthChar", "*"}};
    for (size_t i = 0; i < std::size(kIntKeys); ++i) {
        settings.insert(settings.begin(), {kIntKeys[i].key, std::to_string(100 + i)});
    }
    const char* colourKeys[] = {"StatusBackRed", "StatusBackGreen", "StatusBackBlue",
                                "StatusTextRed", "StatusTextGreen", "StatusTextBlue",
                                "StatsBackRed",  "StatsBackGreen",  "StatsBackBlue",
                                "StatsTextRed",  "StatsTextGreen",  "StatsTextBlue"};
    std::vector<std::pair<std::string, std::string>> colours;
    for (int i = 0; i < 12; ++i)
        colours.insert(colours.begin(), {colourKeys[i], std::to_string(i + 1)});
    t.folder.Write("settings.ini", IniText("Settings", settings) + IniText("Colors", colours));

    ReadGameSettings(t.game);
    ReadGameColors(t.game);
    const GameSettings& s = t.game.settings;
    for (size_t i = 0; i < std::size(kIntKeys); ++i) {
        EXPECT_EQ(s.*kIntKeys[i].field, static_cast<int32_t>(100 + i)) << kIntKeys[i].key;
    }
    EXPECT_EQ(s.GameTitle, "Vorn Quest");
    EXPECT_EQ(s.StartMap, "town");
    EXPECT_EQ(s.PlayerSprite, "hero.png");
    EXPECT_EQ(s.StatusHealthChar, "*");
    const GameColors& c = t.game.colors;
    const int32_t read[] = {c.StatusBackRed, c.StatusBackGreen, c.StatusBackBlue,
                            c.StatusTextRed, c.StatusTextGreen, c.StatusTextBlue,
                            c.StatsBackRed,  c.StatsBackGreen,  c.StatsBackBlue,
                            c.StatsTextRed,  c.StatsTextGreen,  c.StatsTextBlue};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(read[i], i + 1) << colourKeys[i];
}

TEST(SettingsTest, DerivedSizesAreComputedFromTheirKeys) {
    TestGame t;
    t.folder.Write("settings.ini", IniText("Settings", {{"ScreenWidth", "10"},
                                                        {"TileWidth", "32"},
                                                        {"ScreenHeight", "8"},
                                                        {"TileHeight", "32"},
                                                        {"StatusBarHeight", "40"},
                                                        {"PlayerWidth", "25"},
                                                        {"PlayerHeight", "-7"}}));
    ReadGameSettings(t.game);
    const GameSettings& s = t.game.settings;
    // A 320 x 256 play area (320 x 296 with the status bar); halves are
    // truncated toward zero.
    EXPECT_EQ(s.ScreenPixelWidth, 320);
    EXPECT_EQ(s.ScreenPixelHeight, 256);
    EXPECT_EQ(s.ScreenPixelHeight + s.StatusBarHeight, 296);
    EXPECT_EQ(s.HalfScreenPixelWidth, 160);
    EXPECT_EQ(s.HalfScreenPixelHeight, 128);
    EXPECT_EQ(s.HalfPlayerWidth, 12);
    EXPECT_EQ(s.HalfPlayerHeight, -3);
}

TEST(SettingsTest, KeysMatchAsPrefixesAndColoursNeedTheirOwnGroup) {
    TestGame t;
    t.folder.Write("settings.ini", IniText("Settings", {{"MapWidthMax", "99"},
                                                        {"MapWidth", "20"},
                                                        {"MapHeight ", "15"},
                                                        {"StatusBackRed", "200"}}) +
                                       IniText("Colors", {{"StatusBackGreen", "50"}}));
    ReadGameSettings(t.game);
    ReadGameColors(t.game);
    // "MapWidthMax=99" comes first and leaves "Max=99" after the key.
    EXPECT_EQ(t.game.settings.MapWidth, 0);
    // A blank before "=" is skipped as the one character after the key,
    // leaving "=15".
    EXPECT_EQ(t.game.settings.MapHeight, 0);
    EXPECT_EQ(t.game.colors.StatusBackRed, 0);
    EXPECT_EQ(t.game.colors.StatusBackGreen, 50);
}

TEST(SettingsTest, HugeScreenSizesWrapInsteadOfOverflowing) {
    TestGame t;
    t.folder.Write("settings.ini", IniText("Settings", {{"ScreenWidth", "65536"},
                                                        {"TileWidth", "65537"},
                                                        {"ScreenHeight", "-2147483648"},
                                                        {"TileHeight", "-1"}}));
    ReadGameSettings(t.game);
    // 65536 * 65537 = 2^32 + 65536, which wraps to 65536 in 32 bits.
    EXPECT_EQ(t.game.settings.ScreenPixelWidth, 65536);
    EXPECT_EQ(t.game.settings.ScreenPixelHeight, INT32_MIN);
    EXPECT_EQ(t.game.settings.HalfScreenPixelHeight, INT32_MIN / 2);
}

TEST(SettingsTest, SoundsLoadFromTheSoundsFolderInKeyOrder) {
    TestGame t;
    t.folder.Write("sounds/swing.wav", test::MakeWav(100));
    t.folder.Write("sounds/step.wav", test::MakeWav(100));
    t.folder.Write("sounds/warp.wav", test::MakeWav(100));
    t.folder.Write("settings.ini", IniText("Settings", {{"WarpSound", "warp.wav"},
                                                        {"PlayerMoveSound", "step.wav"},
                                                        {"PlayerAttackSound", " swing.wav "},
                                                        {"PlayerDeathSound", "missing.wav"}}));
    t.media.ClearSoundLog();
    ReadGameSettings(t.game);
    const GameSettings& s = t.game.settings;
    EXPECT_NE(s.PlayerAttackSound, 0);
    EXPECT_NE(s.PlayerMoveSound, 0);
    EXPECT_NE(s.WarpSound, 0);
    EXPECT_EQ(s.PlayerDeathSound, 0);
    EXPECT_EQ(s.PlayerHitSound, 0);
    EXPECT_NE(s.PlayerAttackSound, s.PlayerMoveSound);

    // The file order is warp, move, attack, but the loads follow the keys.
    std::vector<std::string> loaded;
    for (const auto& event : t.media.SoundLog()) {
        const size_t folder = event.path.find("/sounds/");
        if (event.kind == HeadlessMedia::SoundEvent::Kind::Load && folder != std::string::npos) {
            loaded.push_back(event.path.substr(folder));
        }
    }
    ASSERT_GE(loaded.size(), 3u);
    EXPECT_EQ(loaded[0], "/sounds/swing.wav");
    EXPECT_EQ(loaded[1], "/sounds/step.wav");
    EXPECT_EQ(loaded.back(), "/sounds/warp.wav");
}

TEST(SettingsTest, SharedSpritesComeFromObjectsAndSprites) {
    TestGame t;
    t.folder.Write("objects/heart.png", test::MakePng(3, 5, 0xFF0000));
    t.folder.Write("sprites/death.png", test::MakePng(7, 2, 0x00FF00));
    t.folder.Write("sprites/heart.png", test::MakePng(9, 9, 0x0000FF));
    t.folder.Write("settings.ini", IniText("Settings", {{"HeartSprite", "heart.png"},
                                                        {"DeathSprite", "death.png"},
                                                        {"NightTile", "night.png"}}));
    LoadSharedSprites(t.game);
    const GameSettings& s = t.game.settings;
    ASSERT_NE(s.HeartSprite, 0);
    EXPECT_EQ(t.media.SpriteWidth(s.HeartSprite), 3);  // the one in "/objects/"
    ASSERT_NE(s.DeathSprite, 0);
    EXPECT_EQ(t.media.SpriteWidth(s.DeathSprite), 7);
    EXPECT_EQ(s.NightTile, 0);
    EXPECT_EQ(s.TitleScreen, 0);
}

}  // namespace
}  // namespace vorn

// What the media layer does for the program around the game: translucent
// boxes, pictures and sounds loaded again into their handles when their
// files change, and keys that reach the program but not the game.
#include <gtest/gtest.h>

#include "game/media/HeadlessMedia.h"
#include "game/media/ShellKeys.h"
#include "game/media/SoftwareScreen.h"
#include "tests/game/media/MediaTestFiles.h"

namespace vorn {
namespace {

using test::TempFolder;

class LiveMediaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(media.InitGraphics());
        const int window = media.OpenGameWindow("Test", 32, 16);
        ASSERT_TRUE(media.OpenSpriteScreen(window, 32, 16));
    }

    std::string WritePicture(uint32_t rgb, int width = 4) {
        return dir.Write("picture.png",
                         mediatest::RgbPng(width, 4, std::vector<uint32_t>(width * 4, rgb)));
    }

    uint32_t DrawnAt(SpriteHandle sprite) {
        media.ClearFrame({0, 0, 0});
        media.DrawSprite(sprite, 0, 0);
        return media.PixelAt(1, 1);
    }

    TempFolder dir;
    HeadlessMedia media;
};

TEST_F(LiveMediaTest, BlendBoxMixesTheColourByAlphaInsideTheScreenOnly) {
    media.ClearFrame({200, 100, 0});
    media.BlendBox(-10, 4, 20, 100, {0, 0, 100}, 64);
    // (200 * 191 + 0 * 64 + 127) / 255 and so on, per component.
    EXPECT_EQ(media.PixelAt(0, 4), 0x964B19u);
    EXPECT_EQ(media.PixelAt(9, 15), 0x964B19u);
    EXPECT_EQ(media.PixelAt(10, 4), 0xC86400u);  // right of the box
    EXPECT_EQ(media.PixelAt(0, 3), 0xC86400u);   // above it
    media.BlendBox(0, 0, 32, 16, {1, 2, 3}, 0);
    EXPECT_EQ(media.PixelAt(20, 0), 0xC86400u);
}

TEST_F(LiveMediaTest, AChangedPictureLoadsIntoItsHandleAndABrokenOneKeepsTheOld) {
    const std::string path = WritePicture(0x112233);
    const SpriteHandle sprite = media.LoadSpriteFile(path);
    media.ClipSprite(sprite, 1, 1, 3, 3);
    EXPECT_TRUE(media.ReloadChangedFiles().reloaded.empty());  // nothing changed yet

    WritePicture(0x445566, 2);  // smaller: the clip rectangle is cut to it
    MediaLayer::ReloadReport report = media.ReloadChangedFiles();
    ASSERT_EQ(report.reloaded, std::vector<std::string>{path});
    EXPECT_TRUE(report.errors.empty());
    EXPECT_EQ(media.SpriteWidth(sprite), 2);
    const Sprite& drawn = *media.Screen().FindSprite(sprite.Id());
    EXPECT_EQ(drawn.clip.width, 1);
    EXPECT_EQ(drawn.clip.height, 3);
    media.ClipSprite(sprite, -1, -1, -1, -1);
    EXPECT_EQ(DrawnAt(sprite), 0x445566u);

    dir.Write("picture.png", "not a picture");
    report = media.ReloadChangedFiles();
    EXPECT_TRUE(report.reloaded.empty());
    ASSERT_EQ(report.errors.size(), 1u);
    EXPECT_EQ(report.errors[0].rfind(path + ": error: ", 0), 0u) << report.errors[0];
    EXPECT_EQ(DrawnAt(sprite), 0x445566u);
    // Tried again next time, and taken once it can be read.
    WritePicture(0x778899);
    EXPECT_EQ(media.ReloadChangedFiles().reloaded.size(), 1u);
    EXPECT_EQ(DrawnAt(sprite), 0x778899u);
}

TEST_F(LiveMediaTest, AChangedSoundLoadsAgainAndABrokenOneKeepsTheOld) {
    const std::string path = dir.Write("sound.wav", mediatest::Wav8(100));
    const SoundHandle sound = media.LoadSoundFile(path);
    ASSERT_TRUE(sound);
    dir.Write("sound.wav", mediatest::Wav8(300));
    EXPECT_EQ(media.ReloadChangedFiles().reloaded, std::vector<std::string>{path});
    dir.Write("sound.wav", "RIFF and nothing else");
    const MediaLayer::ReloadReport report = media.ReloadChangedFiles();
    ASSERT_EQ(report.errors.size(), 1u);
    EXPECT_TRUE(media.SoundExists(sound));
    // A freed sound is no longer looked at.
    media.FreeSoundHandle(sound);
    EXPECT_TRUE(media.ReloadChangedFiles().errors.empty());
}

TEST_F(LiveMediaTest, ShellKeysReachTheProgramAndMutedGameKeysReadUp) {
    media.PressShellKey(shellkeys::F3);
    media.PressShellKey('K');
    EXPECT_EQ(media.ReadShellKeyPresses(), (std::string{shellkeys::F3, 'K'}));
    EXPECT_EQ(media.ReadShellKeyPresses(), "");

    media.SetKeyDown(keys::Right, true);
    media.MuteGameKeys(true);
    media.ReadKeyboard();
    EXPECT_FALSE(media.KeyDown(keys::Right));
    media.MuteGameKeys(false);
    media.ReadKeyboard();
    EXPECT_TRUE(media.KeyDown(keys::Right));
}

}  // namespace
}  // namespace vorn

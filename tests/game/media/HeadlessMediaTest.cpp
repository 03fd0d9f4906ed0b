// The headless layer's inputs and records: keyboard snapshots and release
// detection, the test clock, chance, message boxes, window events, sounds
// and start-up failures.
#include "game/media/HeadlessMedia.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>

#include "tests/game/media/MediaTestFiles.h"

namespace vorn {
namespace {

using test::TempFolder;
using Kind = HeadlessMedia::SoundEvent::Kind;

// --- Keyboard ---------------------------------------------------------------

TEST(HeadlessKeyboardTest, KeysChangeOnlyWithTheNextSnapshot) {
    HeadlessMedia media;
    media.SetKeyDown(keys::Up, true);
    EXPECT_EQ(media.KeyDown(keys::Up), 0);
    media.ReadKeyboard();
    EXPECT_NE(media.KeyDown(keys::Up), 0);
    EXPECT_EQ(media.KeyDown(keys::Down), 0);
    media.SetKeyDown(keys::Up, false);
    EXPECT_NE(media.KeyDown(keys::Up), 0);
    media.ReadKeyboard();
    EXPECT_EQ(media.KeyDown(keys::Up), 0);
}

TEST(HeadlessKeyboardTest, TabHeldForSeveralFramesIsDownInEachOfThem) {
    HeadlessMedia media;
    media.SetKeyDown(keys::Tab, true);
    for (int frame = 0; frame < 5; ++frame) {
        media.ReadKeyboard();
        EXPECT_NE(media.KeyDown(keys::Tab), 0) << frame;
        EXPECT_EQ(media.KeyReleased(keys::Tab), 0) << frame;
    }
    media.ReleaseAllKeys();
    media.ReadKeyboard();
    EXPECT_EQ(media.KeyDown(keys::Tab), 0);
    EXPECT_EQ(media.KeyReleased(keys::Tab), 1);
}

TEST(HeadlessKeyboardTest, PressingAndReleasingSOnceReleasesExactlyOnce) {
    HeadlessMedia media;
    int releases = 0;
    for (int frame = 0; frame < 10; ++frame) {
        media.SetKeyDown(keys::S, frame >= 2 && frame < 4);
        media.ReadKeyboard();
        releases += media.KeyReleased(keys::S);
        if (frame == 4) {
            EXPECT_EQ(releases, 1);
        }
    }
    EXPECT_EQ(releases, 1);
}

TEST(HeadlessKeyboardTest, ReleaseNeedsAnEarlierCallThatSawTheKeyDown) {
    HeadlessMedia media;
    // Down in a snapshot nobody asked KeyReleased about: no release later.
    media.SetKeyDown(keys::S, true);
    media.ReadKeyboard();
    media.SetKeyDown(keys::S, false);
    media.ReadKeyboard();
    EXPECT_EQ(media.KeyReleased(keys::S), 0);
    // The mark is per key: seeing L down does not arm S.
    media.SetKeyDown(keys::L, true);
    media.ReadKeyboard();
    EXPECT_EQ(media.KeyReleased(keys::L), 0);
    media.SetKeyDown(keys::L, false);
    media.ReadKeyboard();
    EXPECT_EQ(media.KeyReleased(keys::S), 0);
    EXPECT_EQ(media.KeyReleased(keys::L), 1);
    EXPECT_EQ(media.KeyReleased(keys::L), 0);
}

TEST(HeadlessKeyboardTest, TheMarkSurvivesFramesWithoutCalls) {
    HeadlessMedia media;
    media.SetKeyDown(keys::Return, true);
    media.ReadKeyboard();
    EXPECT_EQ(media.KeyReleased(keys::Return), 0);
    media.SetKeyDown(keys::Return, false);
    for (int frame = 0; frame < 3; ++frame) {
        media.ReadKeyboard();  // frames in which nobody asks
    }
    EXPECT_EQ(media.KeyReleased(keys::Return), 1);
}

TEST(HeadlessKeyboardTest, KeysOutsideTheTableAreNeverDown) {
    HeadlessMedia media;
    media.SetKeyDown(-1, true);
    media.SetKeyDown(256, true);
    media.SetKeyDown(100000, true);
    media.ReadKeyboard();
    EXPECT_EQ(media.KeyDown(-1), 0);
    EXPECT_EQ(media.KeyDown(256), 0);
    EXPECT_EQ(media.KeyReleased(100000), 0);
}

// --- Clock and chance -------------------------------------------------------

TEST(HeadlessClockTest, StartsAt1000AndMovesOnlyWhenTold) {
    HeadlessMedia media;
    EXPECT_EQ(media.ElapsedMs(), 1000);
    EXPECT_EQ(media.ElapsedMs(), 1000);
    media.SleepMs(8);
    EXPECT_EQ(media.ElapsedMs(), 1008);
    media.SleepMs(-5);
    EXPECT_EQ(media.ElapsedMs(), 1008);
    media.AdvanceTimeMs(992);
    EXPECT_EQ(media.ElapsedMs(), 2000);
    media.SetTimeMs(50);
    EXPECT_EQ(media.ElapsedMs(), 50);
    // Past the 32-bit limit the clock wraps instead of overflowing.
    media.SetTimeMs(INT32_MAX);
    media.SleepMs(2);
    EXPECT_EQ(media.ElapsedMs(), INT32_MIN + 1);
}

TEST(HeadlessRandomTest, StaysInRangeReachesBothEndsAndRepeatsWithTheSeed) {
    HeadlessMedia media;
    media.SeedRandom(7);
    std::vector<int> first;
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        const int value = media.RandomInt(5);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 5);
        seen.insert(value);
        first.push_back(value);
    }
    EXPECT_EQ(seen.size(), 6u);
    media.SeedRandom(7);
    for (int i = 0; i < 2000; ++i) {
        ASSERT_EQ(media.RandomInt(5), first[i]);
    }
    EXPECT_EQ(media.RandomInt(0), 0);
    EXPECT_EQ(media.RandomInt(-3), 0);
}

TEST(HeadlessRandomTest, IsRoughlyUniform) {
    HeadlessMedia media;
    std::vector<int> counts(4, 0);
    for (int i = 0; i < 40000; ++i) {
        ++counts[media.RandomInt(3)];
    }
    for (int count : counts) {
        EXPECT_NEAR(count, 10000, 600);
    }
}

// --- Message boxes and window events ----------------------------------------

TEST(HeadlessMessageTest, AnswersComeFromTheQueueAndEveryBoxIsLogged) {
    HeadlessMedia media;
    EXPECT_EQ(media.ShowMessage("Confirm", "Save?", MessageButtons::YesNo), MessageResult::No);
    media.QueueMessageAnswer(MessageResult::Yes);
    media.QueueMessageAnswer(MessageResult::No);
    EXPECT_EQ(media.ShowMessage("Error", "Broken", MessageButtons::Ok), MessageResult::Ok);
    EXPECT_EQ(media.ShowMessage("Confirm", "A", MessageButtons::YesNo), MessageResult::Yes);
    EXPECT_EQ(media.ShowMessage("Confirm", "B", MessageButtons::YesNo), MessageResult::No);
    EXPECT_EQ(media.ShowMessage("Info", "Done", MessageButtons::Ok), MessageResult::Ok);
    ASSERT_EQ(media.Messages().size(), 5u);
    EXPECT_EQ(media.Messages()[1].title, "Error");
    EXPECT_EQ(media.Messages()[1].text, "Broken");
    EXPECT_EQ(media.Messages()[1].buttons, MessageButtons::Ok);
    EXPECT_EQ(media.Messages()[2].buttons, MessageButtons::YesNo);
}

TEST(HeadlessMessageTest, AQueuedOkIsTakenByAnOkBox) {
    HeadlessMedia media;
    media.QueueMessageAnswer(MessageResult::Ok);
    media.QueueMessageAnswer(MessageResult::Yes);
    EXPECT_EQ(media.ShowMessage("Error", "x", MessageButtons::Ok), MessageResult::Ok);
    EXPECT_EQ(media.ShowMessage("Confirm", "y", MessageButtons::YesNo), MessageResult::Yes);
}

TEST(HeadlessWindowTest, EventsArriveOnePerPollThenNone) {
    HeadlessMedia media;
    EXPECT_EQ(media.PollWindowEvent(), WindowEvent::None);
    media.QueueWindowEvent(WindowEvent::Other);
    media.QueueWindowEvent(WindowEvent::CloseRequested);
    EXPECT_EQ(media.PollWindowEvent(), WindowEvent::Other);
    EXPECT_EQ(media.PollWindowEvent(), WindowEvent::CloseRequested);
    EXPECT_EQ(media.PollWindowEvent(), WindowEvent::None);
}

TEST(HeadlessWindowTest, WindowAndScreenRecordTitleAndSize) {
    HeadlessMedia media;
    const int window = media.OpenGameWindow("Quest - 2.03", 320, 296);
    ASSERT_NE(window, 0);
    EXPECT_EQ(media.WindowTitle(), "Quest - 2.03");
    ASSERT_NE(media.OpenSpriteScreen(window, 320, 296), 0);
    EXPECT_EQ(media.ScreenWidth(), 320);
    EXPECT_EQ(media.ScreenHeight(), 296);
    EXPECT_EQ(media.PixelAt(319, 295), 0u);
    EXPECT_EQ(media.PixelAt(320, 0), 0u);  // outside: 0, no read past the buffer
}

TEST(HeadlessStartUpTest, FailOperationMakesExactlyThatStepFail) {
    const char* names[] = {"graphics", "audio", "keyboard", "window", "screen", "fonts"};
    for (const char* failing : names) {
        HeadlessMedia media;
        media.FailOperation(failing);
        const std::string name = failing;
        EXPECT_EQ(media.InitGraphics() == 0, name == "graphics") << name;
        EXPECT_EQ(media.InitAudio() == 0, name == "audio") << name;
        EXPECT_EQ(media.InitKeyboard() == 0, name == "keyboard") << name;
        EXPECT_EQ(media.LoadFontSlot(0, "Arial", 12, true) == 0, name == "fonts") << name;
        EXPECT_EQ(media.IsFontLoaded(0) == 0, name == "fonts") << name;
        const int window = media.OpenGameWindow("t", 32, 32);
        EXPECT_EQ(window == 0, name == "window") << name;
        EXPECT_EQ(media.OpenSpriteScreen(1, 32, 32) == 0, name == "screen") << name;
    }
}

TEST(HeadlessStartUpTest, AbsurdScreenSizesAreRefused) {
    HeadlessMedia media;
    EXPECT_EQ(media.OpenSpriteScreen(1, 0, 10), 0);
    EXPECT_EQ(media.OpenSpriteScreen(1, -5, 10), 0);
    EXPECT_EQ(media.OpenSpriteScreen(1, 100000, 100000), 0);
    EXPECT_EQ(media.OpenSpriteScreen(0, 10, 10), 0);  // no window
}

// --- Sounds -----------------------------------------------------------------

class HeadlessSoundTest : public ::testing::Test {
protected:
    TempFolder dir;
    HeadlessMedia media;
    // 2205 samples at 22050 Hz: 100 ms.
    std::string wav = dir.Write("hit.wav", mediatest::Wav8(2205));
};

TEST_F(HeadlessSoundTest, LoadPlayStopFreeAreLoggedInOrder) {
    const SoundHandle sound = media.LoadSoundFile(wav);
    ASSERT_NE(sound, 0);
    EXPECT_NE(media.SoundExists(sound), 0);
    media.PlaySoundHandle(sound, 1);
    media.StopSoundHandle(sound);
    media.FreeSoundHandle(sound);
    EXPECT_EQ(media.SoundExists(sound), 0);
    const auto& log = media.SoundLog();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].kind, Kind::Load);
    EXPECT_EQ(log[0].path, wav);
    EXPECT_EQ(log[0].sound, sound);
    EXPECT_EQ(log[1].kind, Kind::Play);
    EXPECT_EQ(log[1].loop, 1);
    EXPECT_EQ(log[2].kind, Kind::Stop);
    EXPECT_EQ(log[3].kind, Kind::Free);
    media.ClearSoundLog();
    EXPECT_TRUE(media.SoundLog().empty());
}

TEST_F(HeadlessSoundTest, FixedNumberIsUsedAsTheHandleAndReplacedOnReload) {
    EXPECT_EQ(media.LoadSoundFile(wav, 9999), 9999);
    EXPECT_NE(media.SoundExists(9999), 0);
    media.PlaySoundHandle(9999, 0);
    EXPECT_TRUE(media.IsSoundPlaying(9999));
    // Reloading into the number stops and replaces the old sound.
    EXPECT_EQ(media.LoadSoundFile(wav, 9999), 9999);
    EXPECT_FALSE(media.IsSoundPlaying(9999));
    // A failed load into the number leaves it empty.
    EXPECT_EQ(media.LoadSoundFile(dir.PathOf("missing.wav"), 9999), 0);
    EXPECT_EQ(media.SoundExists(9999), 0);
    media.PlaySoundHandle(9999, 0);
    EXPECT_EQ(media.SoundLog().back().kind, Kind::Load);
    EXPECT_EQ(media.SoundLog().back().sound, 0);
}

TEST_F(HeadlessSoundTest, AutomaticHandlesNeverCollideWithFixedNumbers) {
    ASSERT_EQ(media.LoadSoundFile(wav, 1), 1);
    ASSERT_EQ(media.LoadSoundFile(wav, 2), 2);
    const SoundHandle automatic = media.LoadSoundFile(wav);
    EXPECT_NE(automatic, 0);
    EXPECT_NE(automatic, 1);
    EXPECT_NE(automatic, 2);
    media.FreeSoundHandle(automatic);
    EXPECT_NE(media.SoundExists(1), 0);
    EXPECT_NE(media.SoundExists(2), 0);
}

TEST_F(HeadlessSoundTest, ASoundEndsAfterItsLengthUnlessItLoops) {
    const SoundHandle sound = media.LoadSoundFile(wav);
    media.PlaySoundHandle(sound, 0);
    media.AdvanceTimeMs(99);
    EXPECT_TRUE(media.IsSoundPlaying(sound));
    media.AdvanceTimeMs(1);
    EXPECT_FALSE(media.IsSoundPlaying(sound));
    media.PlaySoundHandle(sound, 1);
    media.AdvanceTimeMs(100000);
    EXPECT_TRUE(media.IsSoundPlaying(sound));
}

TEST_F(HeadlessSoundTest, PlayingAPlayingSoundRestartsIt) {
    const SoundHandle sound = media.LoadSoundFile(wav);
    media.PlaySoundHandle(sound, 0);
    media.AdvanceTimeMs(80);
    media.PlaySoundHandle(sound, 0);
    media.AdvanceTimeMs(80);  // 160 ms after the first start, 80 after the restart
    EXPECT_TRUE(media.IsSoundPlaying(sound));
    media.AdvanceTimeMs(20);
    EXPECT_FALSE(media.IsSoundPlaying(sound));
}

TEST_F(HeadlessSoundTest, HandleZeroAndUnknownHandlesDoNothing) {
    for (int handle : {0, 77}) {
        media.PlaySoundHandle(handle, 0);
        media.StopSoundHandle(handle);
        media.FreeSoundHandle(handle);
        EXPECT_EQ(media.SoundExists(handle), 0);
        EXPECT_FALSE(media.IsSoundPlaying(handle));
    }
    EXPECT_TRUE(media.SoundLog().empty());
}

TEST_F(HeadlessSoundTest, BrokenSoundFilesGiveZero) {
    const std::string good = mediatest::Wav8(100);
    const std::string cases[] = {
        "",
        "RIFF",
        good.substr(0, 20),       // cut inside the format chunk
        "RIFX" + good.substr(4),  // not little-endian RIFF
        good.substr(0, 8) + "AVI " + good.substr(12),
        std::string(200, '\xFF'),
        mediatest::RgbPng(2, 2, {0, 0, 0, 0}),
    };
    int index = 0;
    for (const std::string& bytes : cases) {
        const std::string path = dir.Write("bad" + std::to_string(index) + ".wav", bytes);
        EXPECT_EQ(media.LoadSoundFile(path), 0) << index;
        EXPECT_EQ(media.LoadSoundFile(path, 9999), 0) << index;
        ++index;
    }
    EXPECT_EQ(media.LoadSoundFile(dir.PathOf("none.wav")), 0);
    EXPECT_EQ(media.LoadSoundFile(dir.PathOf("")), 0);  // a folder
}

}  // namespace
}  // namespace vorn

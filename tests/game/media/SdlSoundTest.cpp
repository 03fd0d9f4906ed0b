// Sound through SDL2_mixer on SDL's dummy audio driver (real mixing and
// timing, no sound card): restarting, looping, fixed numbers, freeing, and
// the silent mode used when no device opens.
#include "game/media/SdlSound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/game/media/MediaTestFiles.h"

namespace vorn {
namespace {

using test::TempFolder;

class SdlSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_TRUE(sound.OpenDevice()) << SDL_GetError();
    }
    // Waits (real time) until the sound has stopped, at most `ms`.
    bool StopsWithin(int handle, int ms) {
        for (int waited = 0; waited < ms; waited += 10) {
            if (!sound.IsPlaying(handle)) {
                return true;
            }
            SDL_Delay(10);
        }
        return !sound.IsPlaying(handle);
    }

    TempFolder dir;
    SdlSound sound;
    // 4410 samples at 22050 Hz: 200 ms.
    std::string wav = dir.Write("step.wav", mediatest::Wav8(4410));
};

TEST_F(SdlSoundTest, APlayedSoundEndsByItself) {
    const int handle = sound.Load(wav, 0);
    ASSERT_NE(handle, 0);
    sound.Play(handle, false);
    EXPECT_TRUE(sound.IsPlaying(handle));
    EXPECT_TRUE(StopsWithin(handle, 2000));
}

TEST_F(SdlSoundTest, PlayingAPlayingSoundRestartsItInsteadOfLayeringIt) {
    const int handle = sound.Load(wav, 0);
    sound.Play(handle, false);
    sound.Play(handle, false);
    sound.Play(handle, false);
    EXPECT_TRUE(sound.IsPlaying(handle));
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(SdlSoundTest, LoopingGoesOnUntilStopped) {
    const int handle = sound.Load(wav, 0);
    sound.Play(handle, true);
    SDL_Delay(500);  // more than twice the sound's length
    EXPECT_TRUE(sound.IsPlaying(handle));
    sound.Stop(handle);
    EXPECT_FALSE(sound.IsPlaying(handle));
    EXPECT_TRUE(sound.Exists(handle));
}

TEST_F(SdlSoundTest, DifferentSoundsPlayTogether) {
    const int first = sound.Load(wav, 0);
    const int second = sound.Load(wav, 0);
    ASSERT_NE(first, second);
    sound.Play(first, true);
    sound.Play(second, true);
    EXPECT_TRUE(sound.IsPlaying(first));
    EXPECT_TRUE(sound.IsPlaying(second));
    // Stopping one leaves the other alone, even on a reused channel.
    sound.Stop(first);
    EXPECT_TRUE(sound.IsPlaying(second));
    sound.Play(first, false);
    sound.Stop(second);
    EXPECT_TRUE(sound.IsPlaying(first));
}

TEST_F(SdlSoundTest, FixedNumberWorksAsAHandleAndIsReplacedByTheNextLoad) {
    EXPECT_EQ(sound.Load(wav, 9999), 9999);
    sound.Play(9999, true);
    EXPECT_TRUE(sound.IsPlaying(9999));
    EXPECT_EQ(sound.Load(wav, 9999), 9999);
    EXPECT_FALSE(sound.IsPlaying(9999));  // the old sound went with its chunk
    EXPECT_EQ(Mix_Playing(-1), 0);
    EXPECT_EQ(sound.Load(dir.PathOf("missing.wav"), 9999), 0);
    EXPECT_FALSE(sound.Exists(9999));
}

TEST_F(SdlSoundTest, FreeStopsTheSoundAndForgetsTheHandle) {
    const int handle = sound.Load(wav, 0);
    sound.Play(handle, true);
    sound.Free(handle);
    EXPECT_FALSE(sound.Exists(handle));
    EXPECT_EQ(Mix_Playing(-1), 0);
    sound.Play(handle, false);
    sound.Stop(handle);
    sound.Free(handle);
    sound.Play(0, true);
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SdlSoundTest, ManySimultaneousSoundsGetMoreChannels) {
    std::vector<int> handles;
    for (int i = 0; i < 40; ++i) {
        handles.push_back(sound.Load(wav, 0));
        sound.Play(handles.back(), true);
    }
    for (int handle : handles) {
        EXPECT_TRUE(sound.IsPlaying(handle)) << handle;
    }
}

TEST_F(SdlSoundTest, CorruptFilesGiveZero) {
    const std::string good = mediatest::Wav8(100);
    EXPECT_EQ(sound.Load(dir.Write("cut.wav", good.substr(0, 30)), 0), 0);
    EXPECT_EQ(sound.Load(dir.Write("junk.wav", std::string(64, 'R')), 0), 0);
    EXPECT_EQ(sound.Load(dir.Write("empty.wav", ""), 0), 0);
}

TEST(SdlSilentSoundTest, WithoutADeviceHandlesStillWork) {
    TempFolder dir;
    SdlSound silent;  // never opened: what a machine without a sound card gets
    EXPECT_FALSE(silent.HasDevice());
    const int handle = silent.Load(dir.Write("a.wav", mediatest::Wav8(50)), 0);
    ASSERT_NE(handle, 0);
    EXPECT_TRUE(silent.Exists(handle));
    silent.Play(handle, true);
    EXPECT_FALSE(silent.IsPlaying(handle));
    EXPECT_EQ(silent.Load(dir.PathOf("a.wav"), 9999), 9999);
    EXPECT_EQ(silent.Load(dir.Write("b.wav", "RIFF"), 0), 0);
    silent.Free(handle);
    EXPECT_FALSE(silent.Exists(handle));
}

}  // namespace
}  // namespace vorn

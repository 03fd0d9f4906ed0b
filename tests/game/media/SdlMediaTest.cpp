// The SDL layer on SDL's offscreen video driver and dummy audio driver: the
// window and its presented pixels (read back from the window surface) for
// both present paths, letterboxing after a resize, and the layer's clock,
// chance, start-up and message behaviour.
#include "game/media/SdlMedia.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "tests/game/media/MediaTestFiles.h"

namespace vorn {
namespace {

using test::TempFolder;

class SdlWindowTest : public ::testing::TestWithParam<PresentPath> {
protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        media = std::make_unique<SdlMedia>(GetParam());
        ASSERT_NE(media->InitGraphics(), 0) << SDL_GetError();
        ASSERT_NE(media->InitAudio(), 0);
        ASSERT_NE(media->InitKeyboard(), 0);
        media->EnablePngDecoding();
        window = media->OpenGameWindow("Test - 2.03", 64, 48);
        ASSERT_NE(window, 0) << SDL_GetError();
        ASSERT_NE(media->OpenSpriteScreen(window, 64, 48), 0) << SDL_GetError();
    }
    void TearDown() override { media.reset(); }

    // 0xRRGGBB of the window's own pixel, as the user sees it.
    uint32_t WindowPixel(int x, int y) {
        SDL_Surface* surface = SDL_GetWindowSurface(SDL_GetWindowFromID(window));
        if (surface == nullptr || x >= surface->w || y >= surface->h) {
            return 0xDEADBEEF;
        }
        Uint32 raw = 0;
        std::memcpy(&raw,
                    static_cast<uint8_t*>(surface->pixels) + y * surface->pitch +
                        x * surface->format->BytesPerPixel,
                    surface->format->BytesPerPixel);
        Uint8 r, g, b;
        SDL_GetRGB(raw, surface->format, &r, &g, &b);
        return (uint32_t{r} << 16) | (uint32_t{g} << 8) | b;
    }

    std::unique_ptr<SdlMedia> media;
    int window = 0;
};

TEST_P(SdlWindowTest, TheWindowHasTheTitleAndClientSize) {
    SDL_Window* sdlWindow = SDL_GetWindowFromID(window);
    ASSERT_NE(sdlWindow, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(sdlWindow), "Test - 2.03");
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(sdlWindow, &width, &height);
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 48);
    EXPECT_NE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_RESIZABLE, 0u);
    // One window and one screen only.
    EXPECT_EQ(media->OpenGameWindow("again", 10, 10), 0);
    EXPECT_EQ(media->OpenSpriteScreen(window, 64, 48), 0);
}

TEST_P(SdlWindowTest, PresentShowsTheFrameDrawnBeforeIt) {
    TempFolder dir;
    const SpriteHandle sprite =
        media->LoadSpriteFile(dir.Write("s.png", mediatest::RgbPng(2, 1, {0xFF0000, 0x00FFFF})));
    ASSERT_NE(sprite, 0);
    media->SetTransparentColour(Colour{0, 255, 255});
    media->ClearFrame(Colour{0, 0, 255});
    media->DrawSpriteTransparent(sprite, 10, 10);
    media->FillBox(0, 40, 64, 8, PackColour(0, 255, 0));
    media->PresentFrame();
    EXPECT_EQ(WindowPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(WindowPixel(10, 10), 0xFF0000u);
    EXPECT_EQ(WindowPixel(11, 10), 0x0000FFu);
    EXPECT_EQ(WindowPixel(63, 47), 0x00FF00u);
    // Drawing after the present shows only with the next one.
    media->ClearFrame(Colour{255, 255, 255});
    EXPECT_EQ(WindowPixel(0, 0), 0x0000FFu);
    media->PresentFrame();
    EXPECT_EQ(WindowPixel(0, 0), 0xFFFFFFu);
}

TEST_P(SdlWindowTest, AResizedWindowShowsTheScreenScaledWithBlackBars) {
    media->ClearFrame(Colour{255, 0, 0});
    media->FillBox(0, 0, 32, 48, PackColour(0, 255, 0));  // left half green
    SDL_SetWindowSize(SDL_GetWindowFromID(window), 256, 48 * 2);
    for (int i = 0; i < 5; ++i) {
        media->PollWindowEvent();  // the resize arrives as a window event
    }
    media->PresentFrame();
    // The picture is 128 x 96 in the middle of 256 x 96: bars of 64 each side.
    EXPECT_EQ(WindowPixel(10, 50), 0x000000u);
    EXPECT_EQ(WindowPixel(250, 50), 0x000000u);
    EXPECT_EQ(WindowPixel(70, 50), 0x00FF00u);
    EXPECT_EQ(WindowPixel(180, 50), 0xFF0000u);
    EXPECT_EQ(WindowPixel(127, 95), 0x00FF00u);
    EXPECT_EQ(WindowPixel(129, 0), 0xFF0000u);
}

TEST_P(SdlWindowTest, ACloseRequestIsReportedOnceItIsPolled) {
    while (media->PollWindowEvent() != WindowEvent::None) {
    }
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_EQ(media->PollWindowEvent(), WindowEvent::CloseRequested);
}

TEST_P(SdlWindowTest, InputEventsDoNotPileUpInFrontOfWindowEvents) {
    SDL_Event key{};
    key.type = SDL_KEYDOWN;
    for (int i = 0; i < 100; ++i) {
        SDL_PushEvent(&key);
    }
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    WindowEvent seen = WindowEvent::None;
    // The close request arrives within a few polls, not after 100 key events.
    for (int i = 0; i < 5 && seen != WindowEvent::CloseRequested; ++i) {
        seen = media->PollWindowEvent();
    }
    EXPECT_EQ(seen, WindowEvent::CloseRequested);
}

TEST_P(SdlWindowTest, KeysAreUpWithoutInput) {
    media->ReadKeyboard();
    for (int key : {keys::Up, keys::Down, keys::Left, keys::Right, keys::LeftCtrl, keys::RightCtrl,
                    keys::Return, keys::S, keys::Tab, keys::L, keys::Space}) {
        EXPECT_EQ(media->KeyDown(key), 0) << key;
        EXPECT_EQ(media->KeyReleased(key), 0) << key;
    }
}

INSTANTIATE_TEST_SUITE_P(BothPresentPaths, SdlWindowTest,
                         ::testing::Values(PresentPath::WindowSurface,
                                           PresentPath::StreamingTexture));

TEST(SdlMediaTest, WindowNeedsGraphicsAndHandleZeroIsHarmless) {
    SdlMedia media;
    EXPECT_EQ(media.OpenGameWindow("x", 10, 10), 0);
    EXPECT_EQ(media.OpenSpriteScreen(1, 10, 10), 0);
    media.PresentFrame();
    media.ClearFrame(Colour{1, 2, 3});
    media.DrawSprite(0, 0, 0);
    media.DrawSpriteTransparent(0, 0, 0);
    media.ClipSprite(0, 0, 0, 1, 1);
    EXPECT_EQ(media.SpriteWidth(0), 0);
    EXPECT_EQ(media.SoundExists(0), 0);
    media.PlaySoundHandle(0, 1);
    media.FreeSoundHandle(0);
    EXPECT_EQ(media.PollWindowEvent(), WindowEvent::None);
}

TEST(SdlMediaTest, ClockIsPositiveMonotonicAndSleepWaits) {
    SdlMedia media;
    const int32_t first = media.ElapsedMs();
    EXPECT_GT(first, 0);
    media.SleepMs(20);
    const int32_t second = media.ElapsedMs();
    EXPECT_GE(second - first, 19);
    EXPECT_LT(second - first, 2000);
}

TEST(SdlMediaTest, RandomIntCoversTheWholeRange) {
    SdlMedia media;
    std::vector<int> counts(3, 0);
    for (int i = 0; i < 3000; ++i) {
        const int value = media.RandomInt(2);
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 2);
        ++counts[value];
    }
    for (int count : counts) {
        EXPECT_GT(count, 800);
    }
    EXPECT_EQ(media.RandomInt(0), 0);
    EXPECT_EQ(media.RandomInt(-1), 0);
}

TEST(SdlMediaTest, AudioInitialisationSucceedsWithoutASoundDevice) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlMedia media;
    EXPECT_NE(media.InitAudio(), 0);
    EXPECT_FALSE(media.HasAudioDevice());
    TempFolder dir;
    const SoundHandle sound = media.LoadSoundFile(dir.Write("a.wav", mediatest::Wav8(10)));
    EXPECT_NE(sound, 0);
    media.PlaySoundHandle(sound, 0);
    EXPECT_EQ(media.LoadSoundFile(dir.PathOf("a.wav"), 9999), 9999);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

TEST(SdlMediaTest, AQuestionThatCannotBeShownIsPrintedWithTheAnswerTaken) {
    // Without a display X11's boxes cannot open; the offscreen driver has none.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    const char* display = std::getenv("DISPLAY");
    const std::string savedDisplay = display != nullptr ? display : "";
    unsetenv("DISPLAY");
    SdlMedia media;
    ASSERT_NE(media.InitGraphics(), 0) << SDL_GetError();
    testing::internal::CaptureStderr();
    const MessageResult answer =
        media.ShowMessage("Confirm", "Save before quitting?", MessageButtons::YesNo);
    const std::string printed = testing::internal::GetCapturedStderr();
    if (display != nullptr) {
        setenv("DISPLAY", savedDisplay.c_str(), 1);
    }
    EXPECT_EQ(answer, MessageResult::No);
    EXPECT_NE(printed.find("Confirm: Save before quitting?\n"), std::string::npos) << printed;
    EXPECT_NE(printed.find("answered No)"), std::string::npos) << printed;
}

}  // namespace
}  // namespace vorn

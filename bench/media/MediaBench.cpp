// media_bench: the cost of one frame of drawing (20 x 15 tiles of 32 x 32 in
// four layers, 50 colour-keyed 32 x 48 sprites, 4 lines of text), of
// presenting a frame in an SDL window by each present path, of presenting a
// 640 x 480 frame to a 1920 x 1080 fullscreen window (at integer scale 2 and
// at fit, 2.25) by each way there is, and of one INI lookup in a 100-line
// file. Presenting needs a display of that size:
//   xvfb-run -s "-screen 0 1920x1080x24" build/bench/bench/media/media_bench
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "common/IniFile.h"
#include "game/media/PixelScaler.h"
#include "game/media/SdlMedia.h"
#include "game/media/SoftwareScreen.h"

namespace vorn {
namespace {

constexpr int kTile = 32;
constexpr int kColumns = 20;
constexpr int kRows = 15;
constexpr uint32_t kKey = 0x00FFFF;

// A tile whose pixels are shown or keyed in blobs, like real tile art.
Picture MakeTile(int width, int height, uint32_t colour, int keyedPercent) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int cell = ((x / 4) * 7 + (y / 4) * 13) % 100;
            picture.pixels[static_cast<size_t>(y) * width + x] =
                kOpaqueAlpha | (cell < keyedPercent ? kKey : colour + x + y);
        }
    }
    return picture;
}

struct Scene {
    SoftwareScreen screen;
    int ground = 0;
    int layers[3] = {};
    int actor = 0;

    Scene() {
        screen.Open(kColumns * kTile, kRows * kTile);
        screen.SetTransparentColour(kKey);
        ground = screen.AddSprite(MakeTile(kTile, kTile, 0x306030, 0));
        layers[0] = screen.AddSprite(MakeTile(kTile, kTile, 0x605030, 60));
        layers[1] = screen.AddSprite(MakeTile(kTile, kTile, 0x104010, 50));
        layers[2] = screen.AddSprite(MakeTile(kTile, kTile, 0x808080, 80));
        actor = screen.AddSprite(MakeTile(kTile * 4, 48 * 6, 0xC02020, 40));
    }

    void DrawText() {
        screen.BeginText();
        TextState& text = screen.Text();
        text.opaque = false;
        const char* lines[] = {"Welcome to the village of Vorn.",
                               "You picked up: Sword (+2 damage)", "Status: the forest path",
                               "\x95\x95\x95\x95\x95\x95\x95\x95\x95\x95"};
        for (int line = 0; line < 4; ++line) {
            text.cursorX = 10;
            text.cursorY = 10 + line * 24;
            screen.DrawTextAtCursor(lines[line]);
        }
    }

    void DrawFrame(int frame) {
        screen.Clear(0x202020);
        for (int column = 0; column < kColumns; ++column) {
            for (int row = 0; row < kRows; ++row) {
                screen.DrawSprite(ground, column * kTile, row * kTile, false);
            }
        }
        for (int layer : layers) {
            for (int column = 0; column < kColumns; ++column) {
                for (int row = 0; row < kRows; ++row) {
                    screen.DrawSprite(layer, column * kTile, row * kTile, true);
                }
            }
        }
        for (int i = 0; i < 50; ++i) {
            screen.ClipSprite(actor, (i % 4) * kTile, (i % 6) * 48, kTile, 48);
            screen.DrawSprite(actor, (i * 37 + frame) % (kColumns * kTile) - 8,
                              (i * 53) % (kRows * kTile) - 8, true);
        }
        DrawText();
        screen.EndFrame();
    }
};

void BM_DrawFrame(benchmark::State& state) {
    Scene scene;
    int frame = 0;
    for (auto _ : state) {
        scene.DrawFrame(frame++);
        benchmark::DoNotOptimize(scene.screen.Pixels());
    }
}
BENCHMARK(BM_DrawFrame)->Unit(benchmark::kMillisecond);

// The four lines of text alone (rendered once, then blended from the cache).
void BM_TextLines(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.DrawText();
        scene.screen.EndFrame();
        benchmark::DoNotOptimize(scene.screen.Pixels());
    }
}
BENCHMARK(BM_TextLines)->Unit(benchmark::kMillisecond);

// One keyed 32 x 32 blit, the inner loop of the frame.
void BM_TransparentTile(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.screen.DrawSprite(scene.layers[1], 64, 64, true);
        benchmark::DoNotOptimize(scene.screen.Pixels());
    }
}
BENCHMARK(BM_TransparentTile);

// Presents in a real window; `scaled` doubles the window first, so every
// present goes through the letterboxing scaler.
void PresentBench(benchmark::State& state, PresentPath path, bool scaled) {
    SdlMedia media(path);
    if (!media.InitGraphics()) {
        state.SkipWithError("no display (run under xvfb-run)");
        return;
    }
    const int width = kColumns * kTile;
    const int height = kRows * kTile + 40;
    const int window = media.OpenGameWindow("bench", width, height);
    if (window == 0 || !media.OpenSpriteScreen(window, width, height)) {
        state.SkipWithError("no window");
        return;
    }
    if (scaled) {
        SDL_SetWindowSize(SDL_GetWindowFromID(window), width * 2 - 100, height * 2);
    }
    for (int i = 0; i < 20; ++i) {
        media.PollWindowEvent();
    }
    int frame = 0;
    for (auto _ : state) {
        media.FillBox(frame % width, 0, 10, 10, PackColour(255, 0, 0));
        media.PresentFrame();
        ++frame;
    }
}
BENCHMARK_CAPTURE(PresentBench, WindowSurface, PresentPath::WindowSurface, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PresentBench, StreamingTexture, PresentPath::StreamingTexture, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PresentBench, WindowSurfaceScaled, PresentPath::WindowSurface, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PresentBench, StreamingTextureScaled, PresentPath::StreamingTexture, true)
    ->Unit(benchmark::kMillisecond);

// --- A 640 x 480 frame in a 1920 x 1080 fullscreen window -----------------

constexpr int kFrameWidth = 640;
constexpr int kFrameHeight = 480;

// The game's own paths, as the player's options choose them.
void FullscreenPresent(benchmark::State& state, PresentPath path, ScalingRule scaling) {
    SdlMedia media(path);
    media.SetDisplayOptions({.fullscreen = true, .scaling = scaling});
    if (!media.InitGraphics() || !media.InitKeyboard()) {
        state.SkipWithError("no display (run under xvfb-run)");
        return;
    }
    const int window = media.OpenGameWindow("bench", kFrameWidth, kFrameHeight);
    if (window == 0 || !media.OpenSpriteScreen(window, kFrameWidth, kFrameHeight)) {
        state.SkipWithError("no window");
        return;
    }
    for (int i = 0; i < 50; ++i) {
        media.PollWindowEvent();
        SDL_Delay(2);
    }
    int frame = 0;
    for (auto _ : state) {
        media.FillBox(frame % kFrameWidth, 0, 10, 10, PackColour(255, 0, 0));
        media.PresentFrame();
        ++frame;
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(SDL_GetWindowFromID(window), &width, &height);
    state.counters["window_width"] = width;
    state.counters["window_height"] = height;
}
BENCHMARK_CAPTURE(FullscreenPresent, WindowSurfaceInteger, PresentPath::WindowSurface,
                  ScalingRule::Integer)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullscreenPresent, WindowSurfaceFit, PresentPath::WindowSurface, ScalingRule::Fit)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullscreenPresent, SoftwareTextureInteger, PresentPath::StreamingTexture,
                  ScalingRule::Integer)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullscreenPresent, SoftwareTextureFit, PresentPath::StreamingTexture,
                  ScalingRule::Fit)
    ->Unit(benchmark::kMillisecond);

// Ways the game does not take, for comparison: SDL's own scaler into the
// window surface (the whole window updated each time), and a streaming
// texture on SDL's default renderer, OpenGL (software OpenGL under Xvfb).
enum class OtherPath { SdlBlitScaled, OpenGlTexture };

void OtherPresent(benchmark::State& state, OtherPath path, ScalingRule scaling) {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        state.SkipWithError("no display (run under xvfb-run)");
        return;
    }
    SDL_Rect desktop{};
    SDL_GetDisplayBounds(0, &desktop);
    SDL_Window* window = SDL_CreateWindow("bench", 0, 0, desktop.w, desktop.h,
                                          SDL_WINDOW_SHOWN | SDL_WINDOW_BORDERLESS);
    std::vector<uint32_t> pixels(static_cast<size_t>(kFrameWidth) * kFrameHeight, 0x406080);
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        pixels.data(), kFrameWidth, kFrameHeight, 32, kFrameWidth * 4, SDL_PIXELFORMAT_RGB888);
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    if (path == OtherPath::OpenGlTexture) {
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
        renderer = SDL_CreateRenderer(window, -1, 0);
        texture = renderer == nullptr
                      ? nullptr
                      : SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB888,
                                          SDL_TEXTUREACCESS_STREAMING, kFrameWidth, kFrameHeight);
        if (texture == nullptr) {
            state.SkipWithError("no OpenGL renderer");
        } else {
            SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
        }
    }
    const PictureRect place =
        PlacePicture(scaling, kFrameWidth, kFrameHeight, desktop.w, desktop.h);
    SDL_Rect box{place.x, place.y, place.width, place.height};
    int frame = 0;
    for (auto _ : state) {
        pixels[static_cast<size_t>(frame++ % kFrameWidth)] = 0xFF0000;
        if (path == OtherPath::SdlBlitScaled) {
            SDL_Surface* target = SDL_GetWindowSurface(window);
            SDL_Rect scaledBox = box;
            SDL_BlitScaled(source, nullptr, target, &scaledBox);
            SDL_UpdateWindowSurface(window);
        } else if (texture != nullptr) {
            SDL_UpdateTexture(texture, nullptr, pixels.data(), kFrameWidth * 4);
            SDL_RenderClear(renderer);
            SDL_RenderCopy(renderer, texture, nullptr, &box);
            SDL_RenderPresent(renderer);
        }
    }
    if (texture != nullptr) {
        SDL_DestroyTexture(texture);
    }
    if (renderer != nullptr) {
        SDL_DestroyRenderer(renderer);
    }
    SDL_FreeSurface(source);
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
BENCHMARK_CAPTURE(OtherPresent, SdlBlitScaledInteger, OtherPath::SdlBlitScaled,
                  ScalingRule::Integer)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OtherPresent, SdlBlitScaledFit, OtherPath::SdlBlitScaled, ScalingRule::Fit)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OtherPresent, OpenGlTextureInteger, OtherPath::OpenGlTexture,
                  ScalingRule::Integer)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OtherPresent, OpenGlTextureFit, OtherPath::OpenGlTexture, ScalingRule::Fit)
    ->Unit(benchmark::kMillisecond);

// The scaler alone, into memory: the part of a present the game does itself.
void ScaleOnly(benchmark::State& state, ScalingRule scaling) {
    std::vector<uint32_t> screen(static_cast<size_t>(kFrameWidth) * kFrameHeight, 0x406080);
    std::vector<uint32_t> window(size_t{1920} * 1080);
    const PictureRect place = PlacePicture(scaling, kFrameWidth, kFrameHeight, 1920, 1080);
    for (auto _ : state) {
        ScalePixels(screen.data(), kFrameWidth, kFrameHeight, window.data(), 1920 * 4, place);
        benchmark::DoNotOptimize(window.data());
    }
}
BENCHMARK_CAPTURE(ScaleOnly, Integer, ScalingRule::Integer)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ScaleOnly, Fit, ScalingRule::Fit)->Unit(benchmark::kMillisecond);

void BM_ReadIniValue100Lines(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "vorn-media-bench.ini").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "[Settings]\r\n";
        for (int i = 1; i < 100; ++i) {
            out << "SettingNumber" << i << "=" << i * 7 << "\r\n";
        }
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadIniValue(path, "Settings", "SettingNumber99"));
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadIniValue100Lines)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vorn

BENCHMARK_MAIN();

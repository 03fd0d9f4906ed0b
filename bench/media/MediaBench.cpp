// media_bench: the cost of one frame of drawing (20 x 15 tiles of 32 x 32 in
// four layers, 50 colour-keyed 32 x 48 sprites, 4 lines of text), of
// presenting a frame in an SDL window by each present path, and of one INI
// lookup in a 100-line file. Presenting needs a display:
//   xvfb-run -s "-screen 0 1024x768x24" build/bench/bench/media/media_bench
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "common/IniFile.h"
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

// mediacheck: opens a real window through the SDL media layer and draws a
// small scene (tiles, colour-keyed sprites, text in both background modes,
// a status bar) so the layer can be checked by eye or by a screenshot.
//
//   mediacheck [seconds]   runs for that long (default 5), or until closed
//   mediacheck [seconds] ask   then asks a Yes/No question and prints the answer
//
// It prints every change of the game's keys ("down Space", "up Space"), each
// key release as KeyReleased reports it, and window events.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "game/media/ScreenPng.h"
#include "game/media/SdlMedia.h"

namespace {

constexpr uint32_t kCyan = 0x00FFFF;

// Writes a picture made by `colourAt(x, y)` as a PNG sprite file.
template <typename ColourAt>
std::string MakeSprite(const std::string& path, int width, int height, ColourAt colourAt) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels[static_cast<size_t>(y) * width + x] = colourAt(x, y);
        }
    }
    vorn::WriteScreenPng(path, pixels.data(), width, height);
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::string folder =
        (std::filesystem::temp_directory_path() / "vorn-mediacheck").string();
    std::filesystem::create_directories(folder);

    const std::string groundFile = MakeSprite(folder + "/ground.png", 32, 32, [](int x, int y) {
        return ((x / 4 + y / 4) % 2 == 0) ? 0x3C8C3Cu : 0x327832u;
    });
    // A round tree top on a cyan background: only the disc may show.
    const std::string treeFile = MakeSprite(folder + "/tree.png", 32, 32, [](int x, int y) {
        const double dx = x - 15.5;
        const double dy = y - 15.5;
        if (dx * dx + dy * dy > 15.0 * 15.0) {
            return kCyan;
        }
        return (x + y) % 7 == 0 ? 0x0A4A0Au : 0x146414u;
    });
    // A sheet of four 32 x 48 figures (one per facing) on cyan.
    const std::string heroFile = MakeSprite(folder + "/hero.png", 128, 48, [](int x, int y) {
        const int column = x / 32;
        const int fx = x % 32;
        if (fx < 8 || fx >= 24 || y < 4 || y >= 46) {
            return kCyan;
        }
        if (y < 16) {
            return 0xF0C8A0u;  // face
        }
        const uint32_t tunics[] = {0xC02020u, 0x2040C0u, 0xC0A020u, 0x8020A0u};
        return tunics[column];
    });

    vorn::SdlMedia media;
    if (!media.InitGraphics() || !media.InitAudio() || !media.InitKeyboard()) {
        std::fprintf(stderr, "mediacheck: SDL start-up failed\n");
        return 1;
    }
    media.EnablePngDecoding();
    const int width = 640;
    const int height = 480;
    const int window = media.OpenGameWindow("Media check - 2.03", width, height);
    if (window == 0 || !media.OpenSpriteScreen(window, width, height)) {
        std::fprintf(stderr, "mediacheck: no window\n");
        return 1;
    }
    media.SetTransparentColour(vorn::Colour{0, 255, 255});
    media.LoadFontSlot(0, "Arial", 20, true);
    media.LoadFontSlot(1, "Tahoma", 14, true);
    const vorn::SpriteHandle ground = media.LoadSpriteFile(groundFile);
    const vorn::SpriteHandle tree = media.LoadSpriteFile(treeFile);
    const vorn::SpriteHandle hero = media.LoadSpriteFile(heroFile);
    std::printf("sprites %d %d %d, sound device: %s\n", ground.Id(), tree.Id(), hero.Id(),
                media.HasAudioDevice() ? "yes" : "no (silent)");

    const struct {
        int key;
        const char* name;
    } gameKeys[] = {{vorn::keys::Up, "Up"},
                    {vorn::keys::Down, "Down"},
                    {vorn::keys::Left, "Left"},
                    {vorn::keys::Right, "Right"},
                    {vorn::keys::LeftCtrl, "LeftCtrl"},
                    {vorn::keys::RightCtrl, "RightCtrl"},
                    {vorn::keys::Return, "Return"},
                    {vorn::keys::S, "S"},
                    {vorn::keys::Tab, "Tab"},
                    {vorn::keys::L, "L"},
                    {vorn::keys::Space, "Space"}};
    bool wasDown[sizeof(gameKeys) / sizeof(gameKeys[0])] = {};

    const int32_t start = media.ElapsedMs();
    int frames = 0;
    while (media.ElapsedMs() - start < seconds * 1000) {
        const vorn::WindowEvent event = media.PollWindowEvent();
        if (event == vorn::WindowEvent::CloseRequested) {
            std::printf("close requested\n");
            break;
        }
        media.ReadKeyboard();
        for (size_t i = 0; i < sizeof(gameKeys) / sizeof(gameKeys[0]); ++i) {
            const bool down = media.KeyDown(gameKeys[i].key) != 0;
            if (down != wasDown[i]) {
                std::printf("%s %s\n", down ? "down" : "up", gameKeys[i].name);
                wasDown[i] = down;
            }
            if (media.KeyReleased(gameKeys[i].key)) {
                std::printf("released %s\n", gameKeys[i].name);
            }
        }
        std::fflush(stdout);
        media.PresentFrame();
        media.ClearFrame(vorn::Colour{20, 20, 40});
        for (int row = 0; row < 13; ++row) {
            for (int column = 0; column < 20; ++column) {
                media.DrawSprite(ground, column * 32, row * 32);
            }
        }
        for (int i = 0; i < 8; ++i) {
            media.DrawSpriteTransparent(tree, 40 + i * 70, 60 + (i % 3) * 90);
        }
        for (int facing = 0; facing < 4; ++facing) {
            media.ClipSprite(hero, facing * 32, 0, 32, 48);
            media.DrawSpriteTransparent(hero, 200 + facing * 60 + (frames % 40), 200);
        }
        // Half off the left edge and half off the bottom of the play area.
        media.ClipSprite(hero, -1, -1, -1, -1);
        media.DrawSpriteTransparent(hero, -64, 380);

        media.BeginText();
        media.SelectFont(0);
        media.SetTextBackgroundMode(vorn::TextBackground::Transparent);
        media.SetTextColour(vorn::Colour{0, 0, 0});
        media.MoveTextCursor(22, 12);
        media.DrawTextAtCursor("Transparent text with a shadow");
        media.SetTextColour(vorn::Colour{255, 230, 0});
        media.MoveTextCursor(20, 10);
        media.DrawTextAtCursor("Transparent text with a shadow");
        media.SetTextBackgroundMode(vorn::TextBackground::Opaque);
        media.SetTextColour(vorn::Colour{255, 255, 255});
        media.SetTextBackColour(vorn::Colour{0, 0, 160});
        media.MoveTextCursor(20, 300);
        media.DrawTextAtCursor("Opaque text: ");
        media.DrawTextAtCursor("cursor follows");
        media.FillBox(0, 416, width, 64, vorn::PackColour(60, 60, 60));
        media.SelectFont(1);
        media.SetTextBackColour(vorn::Colour{60, 60, 60});
        media.SetTextColour(vorn::Colour{220, 220, 220});
        media.MoveTextCursor(1, 420);
        media.DrawTextAtCursor("Status: default font below, hearts on the right");
        const std::string hearts(7, '\x95');  // a bullet in the Windows code page
        media.SetTextBackgroundMode(vorn::TextBackground::Transparent);
        media.SetTextColour(vorn::Colour{255, 0, 0});
        media.MoveTextCursor(width - media.MeasureText(hearts), 420);
        media.DrawTextAtCursor(hearts);
        media.SelectFont(-1);
        media.SetTextBackgroundMode(vorn::TextBackground::Opaque);
        media.SetTextColour(vorn::Colour{0, 0, 0});
        media.SetTextBackColour(vorn::Colour{255, 255, 255});
        media.MoveTextCursor(1, 450);
        media.DrawTextAtCursor("Press space to start a new game. Press L to load a game.");
        media.EndText();
        media.SleepMs(8);
        ++frames;
    }
    std::printf("frames %d\n", frames);
    std::fflush(stdout);
    if (argc > 2 && std::string(argv[2]) == "ask") {
        const vorn::MessageResult answer =
            media.ShowMessage("Confirm", "Would you like to save your game before quitting?",
                              vorn::MessageButtons::YesNo);
        std::printf("answer %s\n", answer == vorn::MessageResult::Yes ? "Yes" : "No");
    }
    return 0;
}

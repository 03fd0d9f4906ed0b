// The media layer: the shared software screen, the key snapshot and the
// random numbers, with the machine's part asked of the platform.
#include "game/media/MediaLayer.h"

#include <algorithm>
#include <random>
#include <unordered_map>

#include "common/FileStamp.h"
#include "game/media/InputTape.h"
#include "game/media/KeyboardState.h"
#include "game/media/PictureLoader.h"
#include "game/media/Platform.h"
#include "game/media/SoftwareScreen.h"
#include "game/media/WaveFile.h"

namespace vorn {

// The file a handle was loaded from, as it was then.
struct LoadedFile {
    std::string path;
    FileStamp stamp;
};

struct MediaLayer::State {
    SoftwareScreen screen;
    KeyboardState keyboard;
    std::mt19937 random;
    DrawObserver* observer = nullptr;
    bool pngEnabled = false;
    InputTape* tape = nullptr;
    bool gameKeysMuted = false;
    // By handle number, for ReloadChangedFiles.
    std::unordered_map<int, LoadedFile> spriteFiles;
    std::unordered_map<int, LoadedFile> soundFiles;
};

MediaLayer::MediaLayer(std::unique_ptr<Platform> platform)
    : platform_(std::move(platform)), state_(std::make_unique<State>()) {
    state_->random.seed(platform_->RandomSeed());
}

MediaLayer::~MediaLayer() = default;

const SoftwareScreen& MediaLayer::Screen() const {
    return state_->screen;
}

void MediaLayer::SeedRandom(uint32_t seed) {
    state_->random.seed(seed);
}

void MediaLayer::SetDrawObserver(DrawObserver* observer) {
    state_->observer = observer;
}

bool MediaLayer::PngDecodingWasEnabled() const {
    return state_->pngEnabled;
}

// --- Start-up --------------------------------------------------------------

bool MediaLayer::InitGraphics() {
    return platform_->InitVideo();
}

bool MediaLayer::InitAudio() {
    return platform_->InitAudio();
}

bool MediaLayer::InitKeyboard() {
    return platform_->InitKeyboard();
}

// libpng is linked in, so PNG files load either way; the call is recorded
// so that tests can see start-up made it.
void MediaLayer::EnablePngDecoding() {
    state_->pngEnabled = true;
}

void MediaLayer::SetDisplayOptions(const DisplayOptions& options) {
    platform_->SetDisplayOptions(options);
}

void MediaLayer::SetInputBindings(const InputBindings& bindings) {
    platform_->SetInputBindings(bindings);
}

int MediaLayer::OpenGameWindow(const std::string& title, int clientWidth, int clientHeight) {
    return platform_->OpenWindow(title, clientWidth, clientHeight);
}

bool MediaLayer::OpenSpriteScreen(int window, int width, int height) {
    return window != 0 && platform_->MayOpenScreen(window) && state_->screen.Open(width, height) &&
           platform_->OpenPresenter(width, height);
}

// --- Frames and sprites ----------------------------------------------------

WindowEvent MediaLayer::PollWindowEvent() {
    const WindowEvent event = platform_->PollWindowEvent();
    return state_->tape != nullptr ? state_->tape->Window(event) : event;
}

void MediaLayer::PresentFrame() {
    SoftwareScreen& screen = state_->screen;
    if (screen.IsOpen()) {
        platform_->Present(screen.Pixels(), screen.Width(), screen.Height());
    }
    screen.EndFrame();
    if (state_->observer != nullptr) {
        state_->observer->FramePresented();
    }
    if (state_->tape != nullptr) {
        state_->tape->FramePresented();
    }
}

void MediaLayer::ClearFrame(Colour colour) {
    state_->screen.Clear(ColourToRgb(colour));
}

void MediaLayer::SetTransparentColour(Colour colour) {
    state_->screen.SetTransparentColour(ColourToRgb(colour));
}

SpriteHandle MediaLayer::LoadSpriteFile(const std::string& path) {
    // Stamped before reading: a change made while the file is read shows as
    // a change next time.
    const FileStamp stamp = ReadFileStamp(path);
    Picture picture;
    if (!LoadPictureFile(path, picture)) {
        return {};
    }
    const int sprite = state_->screen.AddSprite(std::move(picture));
    if (sprite != 0) {
        state_->spriteFiles[sprite] = {path, stamp};
    }
    return sprite;
}

void MediaLayer::FreeSprite(SpriteHandle sprite) {
    state_->screen.FreeSprite(sprite.Id());
    state_->spriteFiles.erase(sprite.Id());
}

int MediaLayer::SpriteWidth(SpriteHandle sprite) const {
    const Sprite* found = state_->screen.FindSprite(sprite.Id());
    return found != nullptr ? found->picture.width : 0;
}

int MediaLayer::SpriteHeight(SpriteHandle sprite) const {
    const Sprite* found = state_->screen.FindSprite(sprite.Id());
    return found != nullptr ? found->picture.height : 0;
}

void MediaLayer::ClipSprite(SpriteHandle sprite, int x, int y, int width, int height) {
    state_->screen.ClipSprite(sprite.Id(), x, y, width, height);
}

namespace {

void DrawAndTell(SoftwareScreen& screen, DrawObserver* observer, SpriteHandle sprite, int x, int y,
                 bool transparent) {
    if (observer != nullptr) {
        const Sprite* found = screen.FindSprite(sprite.Id());
        if (found == nullptr) {
            return;
        }
        const ClipRect& clip = found->clip;
        observer->SpriteDrawn({sprite, x, y, transparent, clip.x, clip.y, clip.width, clip.height});
    }
    screen.DrawSprite(sprite.Id(), x, y, transparent);
}

}  // namespace

void MediaLayer::DrawSprite(SpriteHandle sprite, int x, int y) {
    DrawAndTell(state_->screen, state_->observer, sprite, x, y, false);
}

void MediaLayer::DrawSpriteTransparent(SpriteHandle sprite, int x, int y) {
    DrawAndTell(state_->screen, state_->observer, sprite, x, y, true);
}

// --- Text and boxes --------------------------------------------------------

void MediaLayer::BeginText() {
    state_->screen.BeginText();
}

void MediaLayer::SetTextBackgroundMode(TextBackground mode) {
    state_->screen.Text().opaque = mode == TextBackground::Opaque;
}

void MediaLayer::SetTextColour(Colour colour) {
    state_->screen.Text().colour = ColourToRgb(colour);
}

void MediaLayer::SetTextBackColour(Colour colour) {
    state_->screen.Text().backColour = ColourToRgb(colour);
}

void MediaLayer::SelectFont(int slot) {
    state_->screen.Text().font = slot;
}

void MediaLayer::MoveTextCursor(int x, int y) {
    state_->screen.Text().cursorX = x;
    state_->screen.Text().cursorY = y;
}

void MediaLayer::DrawTextAtCursor(const std::string& text) {
    SoftwareScreen& screen = state_->screen;
    if (state_->observer != nullptr && !text.empty()) {
        const TextState& now = screen.Text();
        state_->observer->TextDrawn(text, now.cursorX, now.cursorY, now.font, now.colour,
                                    now.opaque, now.backColour);
    }
    screen.DrawTextAtCursor(text);
}

int MediaLayer::MeasureText(const std::string& text) {
    return state_->screen.MeasureText(text);
}

void MediaLayer::FillBox(int x, int y, int width, int height, int32_t packedColour) {
    state_->screen.FillBox(x, y, width, height, PackedToRgb(packedColour));
}

bool MediaLayer::LoadFontSlot(int slot, const std::string& faceName, int size, bool bold) {
    return platform_->FontsAvailable() &&
           state_->screen.Fonts().LoadSlot(slot, faceName, size, bold);
}

bool MediaLayer::IsFontLoaded(int slot) const {
    return state_->screen.Fonts().SlotLoaded(slot);
}

// --- Sound -----------------------------------------------------------------

SoundHandle MediaLayer::LoadSoundFile(const std::string& path, SoundHandle fixed) {
    const FileStamp stamp = ReadFileStamp(path);
    const int sound = platform_->LoadSound(path, fixed.Id());
    if (sound != 0) {
        state_->soundFiles[sound] = {path, stamp};
    } else if (fixed) {
        state_->soundFiles.erase(fixed.Id());  // loading into it emptied it
    }
    return sound;
}

bool MediaLayer::SoundExists(SoundHandle sound) {
    return platform_->SoundExists(sound.Id());
}

void MediaLayer::PlaySoundHandle(SoundHandle sound, bool loop) {
    platform_->PlaySound(sound.Id(), loop);
}

void MediaLayer::StopSoundHandle(SoundHandle sound) {
    platform_->StopSound(sound.Id());
}

void MediaLayer::FreeSoundHandle(SoundHandle sound) {
    platform_->FreeSound(sound.Id());
    state_->soundFiles.erase(sound.Id());
}

// --- Keyboard, clock, chance, messages -------------------------------------

void MediaLayer::ReadKeyboard() {
    KeyboardState::Keys live{};
    platform_->ReadKeys(live);
    if (state_->gameKeysMuted) {
        live.fill(false);
    }
    if (state_->tape != nullptr) {
        state_->tape->Keys(live);
    }
    state_->keyboard.TakeSnapshot(live);
}

bool MediaLayer::KeyDown(int key) const {
    return state_->keyboard.Down(key) != 0;
}

bool MediaLayer::KeyReleased(int key) {
    return state_->keyboard.Released(key) != 0;
}

int32_t MediaLayer::ElapsedMs() {
    const int32_t now = platform_->ElapsedMs();
    return state_->tape != nullptr ? state_->tape->Clock(now) : now;
}

void MediaLayer::SleepMs(int ms) {
    if (ms > 0) {
        platform_->SleepMs(ms);
    }
}

int MediaLayer::RandomInt(int maximum) {
    if (maximum <= 0) {
        return 0;
    }
    const int drawn = std::uniform_int_distribution<int>(0, maximum)(state_->random);
    return state_->tape != nullptr ? state_->tape->Random(maximum, drawn) : drawn;
}

MessageResult MediaLayer::ShowMessage(const std::string& title, const std::string& text,
                                      MessageButtons buttons) {
    if (state_->tape == nullptr) {
        return platform_->ShowMessage(title, text, buttons);
    }
    return state_->tape->Message(title, text, buttons,
                                 [&] { return platform_->ShowMessage(title, text, buttons); });
}

// --- Around the game -------------------------------------------------------

void MediaLayer::SetInputTape(InputTape* tape) {
    state_->tape = tape;
}

void MediaLayer::SetPainting(bool painting) {
    state_->screen.SetPainting(painting);
}

void MediaLayer::MuteGameKeys(bool muted) {
    state_->gameKeysMuted = muted;
}

std::string MediaLayer::ReadShellKeyPresses() {
    return platform_->TakeShellKeyPresses();
}

void MediaLayer::BlendBox(int x, int y, int width, int height, Colour colour, int alpha) {
    state_->screen.BlendBox(x, y, width, height, ColourToRgb(colour), alpha);
}

int MediaLayer::TextLineHeight() {
    return state_->screen.Fonts().LineHeight(state_->screen.Text().font);
}

MediaLayer::ReloadReport MediaLayer::ReloadChangedFiles() {
    ReloadReport report;
    for (auto& [sprite, file] : state_->spriteFiles) {
        const FileStamp now = ReadFileStamp(file.path);
        if (now == file.stamp) {
            continue;
        }
        Picture picture;
        if (!now.exists) {
            report.errors.push_back(file.path + ": error: the file is gone; the old picture stays");
        } else if (!LoadPictureFile(file.path, picture)) {
            report.errors.push_back(file.path +
                                    ": error: not a PNG or BMP picture the game can read; the "
                                    "old picture stays");
        } else if (state_->screen.ReplaceSprite(sprite, std::move(picture))) {
            file.stamp = now;
            report.reloaded.push_back(file.path);
        }
    }
    std::vector<int> lost;
    for (auto& [sound, file] : state_->soundFiles) {
        const FileStamp now = ReadFileStamp(file.path);
        if (now == file.stamp) {
            continue;
        }
        // Checked before it is loaded: loading into the handle empties it
        // first, and a sound that does not load would be lost.
        std::string bytes;
        WaveInfo wave;
        if (!now.exists) {
            report.errors.push_back(file.path + ": error: the file is gone; the old sound stays");
        } else if (!ReadFileUpTo(file.path, kMaxSoundFileBytes, bytes) || !ParseWave(bytes, wave)) {
            report.errors.push_back(file.path +
                                    ": error: not a RIFF WAVE sound the game can play; the old "
                                    "sound stays");
        } else if (platform_->LoadSound(file.path, sound) == sound) {
            file.stamp = now;
            report.reloaded.push_back(file.path);
        } else {
            report.errors.push_back(file.path + ": error: the sound could not be loaded again");
            lost.push_back(sound);
        }
    }
    for (int sound : lost) {
        state_->soundFiles.erase(sound);
    }
    std::sort(report.reloaded.begin(), report.reloaded.end());
    std::sort(report.errors.begin(), report.errors.end());
    return report;
}

}  // namespace vorn

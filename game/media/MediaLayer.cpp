// The media layer: the shared software screen, the key snapshot and the
// random numbers, with the machine's part asked of the platform.
#include "game/media/MediaLayer.h"

#include <random>

#include "game/media/KeyboardState.h"
#include "game/media/PictureLoader.h"
#include "game/media/Platform.h"
#include "game/media/SoftwareScreen.h"

namespace vorn {

struct MediaLayer::State {
    SoftwareScreen screen;
    KeyboardState keyboard;
    std::mt19937 random;
    DrawObserver* observer = nullptr;
    bool pngEnabled = false;
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
    return platform_->PollWindowEvent();
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
}

void MediaLayer::ClearFrame(Colour colour) {
    state_->screen.Clear(ColourToRgb(colour));
}

void MediaLayer::SetTransparentColour(Colour colour) {
    state_->screen.SetTransparentColour(ColourToRgb(colour));
}

SpriteHandle MediaLayer::LoadSpriteFile(const std::string& path) {
    Picture picture;
    if (!LoadPictureFile(path, picture)) {
        return {};
    }
    return state_->screen.AddSprite(std::move(picture));
}

void MediaLayer::FreeSprite(SpriteHandle sprite) {
    state_->screen.FreeSprite(sprite.Id());
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
    return platform_->LoadSound(path, fixed.Id());
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
}

// --- Keyboard, clock, chance, messages -------------------------------------

void MediaLayer::ReadKeyboard() {
    KeyboardState::Keys live{};
    platform_->ReadKeys(live);
    state_->keyboard.TakeSnapshot(live);
}

bool MediaLayer::KeyDown(int key) const {
    return state_->keyboard.Down(key) != 0;
}

bool MediaLayer::KeyReleased(int key) {
    return state_->keyboard.Released(key) != 0;
}

int32_t MediaLayer::ElapsedMs() {
    return platform_->ElapsedMs();
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
    return std::uniform_int_distribution<int>(0, maximum)(state_->random);
}

MessageResult MediaLayer::ShowMessage(const std::string& title, const std::string& text,
                                      MessageButtons buttons) {
    return platform_->ShowMessage(title, text, buttons);
}

}  // namespace vorn

// The SDL2 media layer: the shared software screen shown in a window, with
// SDL's events, keyboard state, message boxes and timer around it.
#include "game/media/SdlMedia.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <random>

#include "game/media/KeyboardState.h"
#include "game/media/PictureLoader.h"
#include "game/media/SdlPresenter.h"
#include "game/media/SdlSound.h"
#include "game/media/SoftwareScreen.h"

namespace vorn {

namespace {

// The game's eleven keys by the scan codes it uses, and SDL's names for them.
struct KeyMapping {
    int gameKey;
    SDL_Scancode sdlKey;
};
constexpr KeyMapping kKeyMap[] = {
    {keys::Up, SDL_SCANCODE_UP},          {keys::Down, SDL_SCANCODE_DOWN},
    {keys::Left, SDL_SCANCODE_LEFT},      {keys::Right, SDL_SCANCODE_RIGHT},
    {keys::LeftCtrl, SDL_SCANCODE_LCTRL}, {keys::RightCtrl, SDL_SCANCODE_RCTRL},
    {keys::Return, SDL_SCANCODE_RETURN},  {keys::S, SDL_SCANCODE_S},
    {keys::Tab, SDL_SCANCODE_TAB},        {keys::L, SDL_SCANCODE_L},
    {keys::Space, SDL_SCANCODE_SPACE},
};

// The clock starts here rather than at 0, which the game reads as "never".
constexpr int64_t kClockStartMs = 1000;
// Largest window the layer opens; the screen has the same limit.
constexpr int kMaxWindowSide = kMaxPictureSide;

}  // namespace

struct SdlMedia::State {
    PresentPath path;
    bool videoReady = false;
    bool eventsReady = false;
    SDL_Window* window = nullptr;
    SoftwareScreen screen;
    SdlPresenter presenter;
    SdlSound sound;
    KeyboardState keyboard;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::mt19937 random{std::random_device{}()};
};

SdlMedia::SdlMedia(PresentPath path) : state_(std::make_unique<State>()) {
    state_->path = path;
}

SdlMedia::~SdlMedia() {
    SDL_Window* window = state_->window;
    const bool video = state_->videoReady;
    const bool events = state_->eventsReady;
    state_.reset();  // renderer, sounds and fonts go before the window and SDL
    if (window != nullptr) {
        SDL_DestroyWindow(window);
    }
    if (events) {
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
    }
    if (video) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    // The program has one SDL layer; SDL_Quit also releases what SDL set up
    // on its own (its D-Bus connection, for one).
    SDL_Quit();
}

bool SdlMedia::HasAudioDevice() const {
    return state_->sound.HasDevice();
}

int SdlMedia::InitGraphics() {
    if (!state_->videoReady) {
        // The window surface is the system's own (XShm on X11), not an OpenGL
        // texture behind SDL's back: under Xvfb that GL is a slow software
        // one, and the layer does its own scaling anyway.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        state_->videoReady = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    }
    return state_->videoReady ? 1 : 0;
}

int SdlMedia::InitAudio() {
    if (!state_->sound.OpenDevice()) {
        std::fprintf(stderr, "No sound device (%s); the game runs without sound.\n",
                     SDL_GetError());
    }
    return 1;
}

int SdlMedia::InitKeyboard() {
    if (!state_->eventsReady) {
        state_->eventsReady = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
    }
    return state_->eventsReady ? 1 : 0;
}

// libpng is linked in, so PNG is always available; nothing to switch on.
void SdlMedia::EnablePngDecoding() {}

int SdlMedia::OpenGameWindow(const std::string& title, int clientWidth, int clientHeight) {
    if (!state_->videoReady || state_->window != nullptr || clientWidth <= 0 || clientHeight <= 0 ||
        clientWidth > kMaxWindowSide || clientHeight > kMaxWindowSide) {
        return 0;
    }
    state_->window = SDL_CreateWindow(Cp1252ToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED,
                                      SDL_WINDOWPOS_CENTERED, clientWidth, clientHeight,
                                      SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
    if (state_->window == nullptr) {
        return 0;
    }
    // Keys are read as state, never as typed text: no text input events.
    SDL_StopTextInput();
    return static_cast<int>(SDL_GetWindowID(state_->window));
}

int SdlMedia::OpenSpriteScreen(int window, int width, int height) {
    State& s = *state_;
    if (s.window == nullptr || window == 0 ||
        static_cast<Uint32>(window) != SDL_GetWindowID(s.window) || s.screen.IsOpen() ||
        !s.screen.Open(width, height)) {
        return 0;
    }
    return s.presenter.Open(s.window, s.path, width, height) ? 1 : 0;
}

WindowEvent SdlMedia::PollWindowEvent() {
    if (!state_->eventsReady && !state_->videoReady) {
        return WindowEvent::None;
    }
    SDL_PumpEvents();
    // Key, mouse and other input events are not wanted (keys are read as
    // state); dropping them keeps the queue from filling up, which would
    // lose a close request.
    SDL_FlushEvents(SDL_KEYDOWN, SDL_LASTEVENT);
    SDL_Event event;
    if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_SYSWMEVENT) != 1) {
        return WindowEvent::None;
    }
    if (event.type == SDL_QUIT ||
        (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
        return WindowEvent::CloseRequested;
    }
    return WindowEvent::Other;
}

void SdlMedia::PresentFrame() {
    State& s = *state_;
    if (s.screen.IsOpen()) {
        s.presenter.Present(s.screen.Pixels());
    }
    s.screen.EndFrame();
}

void SdlMedia::ClearFrame(Colour colour) {
    state_->screen.Clear(ColourToRgb(colour));
}

void SdlMedia::SetTransparentColour(Colour colour) {
    state_->screen.SetTransparentColour(ColourToRgb(colour));
}

int SdlMedia::LoadSpriteFile(const std::string& path) {
    Picture picture;
    if (!LoadPictureFile(path, picture)) {
        return 0;
    }
    return state_->screen.AddSprite(std::move(picture));
}

void SdlMedia::FreeSprite(int sprite) {
    state_->screen.FreeSprite(sprite);
}

int SdlMedia::SpriteWidth(int sprite) {
    const Sprite* found = state_->screen.FindSprite(sprite);
    return found != nullptr ? found->picture.width : 0;
}

int SdlMedia::SpriteHeight(int sprite) {
    const Sprite* found = state_->screen.FindSprite(sprite);
    return found != nullptr ? found->picture.height : 0;
}

void SdlMedia::ClipSprite(int sprite, int x, int y, int width, int height) {
    state_->screen.ClipSprite(sprite, x, y, width, height);
}

void SdlMedia::DrawSprite(int sprite, int x, int y) {
    state_->screen.DrawSprite(sprite, x, y, false);
}

void SdlMedia::DrawSpriteTransparent(int sprite, int x, int y) {
    state_->screen.DrawSprite(sprite, x, y, true);
}

void SdlMedia::BeginText() {
    state_->screen.BeginText();
}
void SdlMedia::EndText() {}

void SdlMedia::SetTextBackgroundMode(TextBackground mode) {
    state_->screen.Text().opaque = mode == TextBackground::Opaque;
}

void SdlMedia::SetTextColour(Colour colour) {
    state_->screen.Text().colour = ColourToRgb(colour);
}

void SdlMedia::SetTextBackColour(Colour colour) {
    state_->screen.Text().backColour = ColourToRgb(colour);
}

void SdlMedia::SelectFont(int slot) {
    state_->screen.Text().font = slot;
}

void SdlMedia::MoveTextCursor(int x, int y) {
    state_->screen.Text().cursorX = x;
    state_->screen.Text().cursorY = y;
}

void SdlMedia::DrawTextAtCursor(const std::string& text) {
    state_->screen.DrawTextAtCursor(text);
}

int SdlMedia::MeasureText(const std::string& text) {
    return state_->screen.MeasureText(text);
}

void SdlMedia::FillBox(int x, int y, int width, int height, int32_t packedColour) {
    state_->screen.FillBox(x, y, width, height, PackedToRgb(packedColour));
}

int SdlMedia::LoadFontSlot(int slot, const std::string& faceName, int size, bool bold) {
    return state_->screen.Fonts().LoadSlot(slot, faceName, size, bold) ? 1 : 0;
}

int SdlMedia::IsFontLoaded(int slot) {
    return state_->screen.Fonts().SlotLoaded(slot) ? 1 : 0;
}

int SdlMedia::LoadSoundFile(const std::string& path, int fixedNumber) {
    return state_->sound.Load(path, fixedNumber);
}

int SdlMedia::SoundExists(int sound) {
    return state_->sound.Exists(sound) ? 1 : 0;
}

void SdlMedia::PlaySoundHandle(int sound, int loop) {
    state_->sound.Play(sound, loop != 0);
}

void SdlMedia::StopSoundHandle(int sound) {
    state_->sound.Stop(sound);
}

void SdlMedia::FreeSoundHandle(int sound) {
    state_->sound.Free(sound);
}

void SdlMedia::ReadKeyboard() {
    KeyboardState::Keys live{};
    if (state_->eventsReady || state_->videoReady) {
        SDL_PumpEvents();
        int count = 0;
        const Uint8* sdlKeys = SDL_GetKeyboardState(&count);
        for (const KeyMapping& mapping : kKeyMap) {
            live[mapping.gameKey] = mapping.sdlKey < count && sdlKeys[mapping.sdlKey] != 0;
        }
    }
    state_->keyboard.TakeSnapshot(live);
}

int SdlMedia::KeyDown(int key) {
    return state_->keyboard.Down(key);
}

int SdlMedia::KeyReleased(int key) {
    return state_->keyboard.Released(key);
}

int32_t SdlMedia::ElapsedMs() {
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - state_->start);
    // Stays positive for 24 days of play, which is 32-bit milliseconds' limit.
    return static_cast<int32_t>(std::min<int64_t>(kClockStartMs + elapsed.count(), INT32_MAX));
}

void SdlMedia::SleepMs(int ms) {
    if (ms > 0) {
        SDL_Delay(static_cast<Uint32>(ms));
    }
}

int SdlMedia::RandomInt(int maximum) {
    if (maximum <= 0) {
        return 0;
    }
    return std::uniform_int_distribution<int>(0, maximum)(state_->random);
}

MessageResult SdlMedia::ShowMessage(const std::string& title, const std::string& text,
                                    MessageButtons buttons) {
    const std::string utf8Title = Cp1252ToUtf8(title);
    const std::string utf8Text = Cp1252ToUtf8(text);
    const SDL_MessageBoxButtonData okButton[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 0,
         "OK"}};
    // Return answers Yes, Escape answers No.
    const SDL_MessageBoxButtonData yesNoButtons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, 1, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 2, "No"}};
    const bool yesNo = buttons == MessageButtons::YesNo;
    SDL_MessageBoxData box{};
    box.flags = title == "Error" ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    box.window = state_->window;
    box.title = utf8Title.c_str();
    box.message = utf8Text.c_str();
    box.numbuttons = yesNo ? 2 : 1;
    box.buttons = yesNo ? yesNoButtons : okButton;
    int pressed = -1;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) {
        // The box could not be shown (no display, or no fonts for X11's
        // boxes): the message and the answer taken still reach the user.
        std::fprintf(stderr, "%s: %s\n", utf8Title.c_str(), utf8Text.c_str());
        std::fprintf(stderr, "(the message box could not be shown: %s; answered %s)\n",
                     SDL_GetError(), yesNo ? "No" : "OK");
        return yesNo ? MessageResult::No : MessageResult::Ok;
    }
    if (!yesNo) {
        return MessageResult::Ok;
    }
    return pressed == 1 ? MessageResult::Yes : MessageResult::No;
}

}  // namespace vorn

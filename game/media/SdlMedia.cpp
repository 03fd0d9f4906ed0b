// The SDL2 platform under the media layer: the window the software screen is
// shown in, SDL's events, key states, sound, message boxes and timer.
#include "game/media/SdlMedia.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <random>
#include <utility>

#include "game/media/Picture.h"
#include "game/media/Platform.h"
#include "game/media/SdlInput.h"
#include "game/media/SdlPresenter.h"
#include "game/media/SdlSound.h"
#include "game/media/SdlWindowMode.h"
#include "game/media/TextRenderer.h"

namespace vorn {

namespace {

// The keys of the program around the game that are not typed characters,
// and whether holding them repeats them.
struct ShellKeyMapping {
    char code;
    SDL_Scancode sdlKey;
    bool repeats;
};
constexpr ShellKeyMapping kShellKeyMap[] = {
    {shellkeys::F3, SDL_SCANCODE_F3, false},
    {shellkeys::F4, SDL_SCANCODE_F4, false},
    {shellkeys::F5, SDL_SCANCODE_F5, false},
    {shellkeys::F6, SDL_SCANCODE_F6, false},
    {shellkeys::F12, SDL_SCANCODE_F12, false},
    {shellkeys::PageUp, SDL_SCANCODE_PAGEUP, true},
    {shellkeys::PageDown, SDL_SCANCODE_PAGEDOWN, true},
    {shellkeys::Backspace, SDL_SCANCODE_BACKSPACE, true},
    {shellkeys::Escape, SDL_SCANCODE_ESCAPE, false},
};

// The code of a pressed key, or 0 for a key (or a repeat) the program around
// the game does not take. Typed characters follow the keyboard's own layout:
// letters in upper case, digits, and '_' for the minus key (script names
// hold no '-').
char ShellKeyCode(const SDL_Keysym& key, bool repeat) {
    for (const ShellKeyMapping& mapping : kShellKeyMap) {
        if (mapping.sdlKey == key.scancode) {
            return !repeat || mapping.repeats ? mapping.code : 0;
        }
    }
    if (repeat) {
        return 0;
    }
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) {
        return static_cast<char>('A' + (key.sym - SDLK_a));
    }
    if (key.sym >= SDLK_0 && key.sym <= SDLK_9) {
        return static_cast<char>('0' + (key.sym - SDLK_0));
    }
    return key.sym == SDLK_MINUS || key.sym == SDLK_UNDERSCORE ? '_' : 0;
}

// The clock starts here rather than at 0, which the game reads as "never".
constexpr int64_t kClockStartMs = 1000;
// Largest window the layer opens; the screen has the same limit.
constexpr int kMaxWindowSide = kMaxPictureSide;

}  // namespace

class SdlPlatform : public Platform {
public:
    explicit SdlPlatform(PresentPath path) : path_(path) {}
    ~SdlPlatform() override {
        // The renderer, the sounds and the controllers go before the window
        // and SDL.
        presenter_.reset();
        sound_.reset();
        input_.reset();
        if (window_ != nullptr) {
            SDL_DestroyWindow(window_);
        }
        if (eventsReady_) {
            SDL_DelEventWatch(WatchShellKeys, this);
            SDL_QuitSubSystem(SDL_INIT_EVENTS);
        }
        if (videoReady_) {
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
        }
        // The program has one SDL layer; SDL_Quit also releases what SDL set
        // up on its own (its D-Bus connection, for one).
        SDL_Quit();
    }
    SdlPlatform(const SdlPlatform&) = delete;
    SdlPlatform& operator=(const SdlPlatform&) = delete;

    bool HasAudioDevice() const { return sound_->HasDevice(); }

    bool InitVideo() override {
        if (!videoReady_) {
            // The window surface is the system's own (XShm on X11), not an
            // OpenGL texture behind SDL's back: under Xvfb that GL is a slow
            // software one, and the layer does its own scaling anyway.
            SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
            videoReady_ = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
        }
        return videoReady_;
    }

    bool InitAudio() override {
        if (!sound_->OpenDevice()) {
            std::fprintf(stderr, "No sound device (%s); the game runs without sound.\n",
                         SDL_GetError());
        }
        return true;
    }

    bool InitKeyboard() override {
        if (!eventsReady_) {
            eventsReady_ = SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
            if (eventsReady_) {
                input_->Open();
                SDL_AddEventWatch(WatchShellKeys, this);
            }
        }
        return eventsReady_;
    }

    int OpenWindow(const std::string& title, int clientWidth, int clientHeight) override {
        if (!videoReady_ || window_ != nullptr || clientWidth <= 0 || clientHeight <= 0 ||
            clientWidth > kMaxWindowSide || clientHeight > kMaxWindowSide) {
            return 0;
        }
        SdlWindowMode::OpeningSize(display_, kMaxWindowSide, clientWidth, clientHeight);
        window_ = SDL_CreateWindow(Cp1252ToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED,
                                   SDL_WINDOWPOS_CENTERED, clientWidth, clientHeight,
                                   SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
        if (window_ == nullptr) {
            return 0;
        }
        windowMode_.Attach(window_);
        windowMode_.SetFullscreen(display_.fullscreen);
        // Keys are read as state, never as typed text: no text input events.
        SDL_StopTextInput();
        return static_cast<int>(SDL_GetWindowID(window_));
    }

    // One screen, in the window this platform opened; a second one is refused
    // once a screen was allocated.
    bool MayOpenScreen(int window) override {
        return window_ != nullptr && static_cast<Uint32>(window) == SDL_GetWindowID(window_) &&
               !presenterTried_;
    }

    bool OpenPresenter(int width, int height) override {
        presenterTried_ = true;
        return presenter_->Open(window_, path_, display_.scaling, width, height);
    }

    void Present(const uint32_t* pixels, int, int) override { presenter_->Present(pixels); }

    WindowEvent PollWindowEvent() override {
        if (!eventsReady_ && !videoReady_) {
            return WindowEvent::None;
        }
        SDL_PumpEvents();
        TakeInputEvents();
        SDL_Event event;
        if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_SYSWMEVENT) != 1) {
            return WindowEvent::None;
        }
        if (event.type == SDL_QUIT ||
            (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_CLOSE)) {
            return WindowEvent::CloseRequested;
        }
        if (event.type == SDL_WINDOWEVENT && (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                                              event.window.event == SDL_WINDOWEVENT_EXPOSED)) {
            // Shown at once: while a long script runs no frame comes.
            presenter_->Refresh();
        }
        return WindowEvent::Other;
    }

    void SetDisplayOptions(const DisplayOptions& options) override { display_ = options; }
    void SetInputBindings(const InputBindings& bindings) override { input_->SetBindings(bindings); }

    void ReadKeys(KeyboardState::Keys& live) override {
        if (!eventsReady_ && !videoReady_) {
            return;
        }
        input_->Read(live);
    }

    std::string TakeShellKeyPresses() override { return std::exchange(shellKeyPresses_, {}); }

    int32_t ElapsedMs() override {
        const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start_);
        // Stays positive for 24 days of play, which is 32-bit milliseconds'
        // limit.
        return static_cast<int32_t>(std::min<int64_t>(kClockStartMs + elapsed.count(), INT32_MAX));
    }

    void SleepMs(int ms) override { SDL_Delay(static_cast<Uint32>(ms)); }

    uint32_t RandomSeed() override { return std::random_device{}(); }

    int LoadSound(const std::string& path, int fixedNumber) override {
        return sound_->Load(path, fixedNumber);
    }
    bool SoundExists(int sound) override { return sound_->Exists(sound); }
    void PlaySound(int sound, bool loop) override { sound_->Play(sound, loop); }
    void StopSound(int sound) override { sound_->Stop(sound); }
    void FreeSound(int sound) override { sound_->Free(sound); }

    MessageResult ShowMessage(const std::string& title, const std::string& text,
                              MessageButtons buttons) override;

private:
    // Input events are read here for the window's own keys (fullscreen) and
    // for pads coming and going; the game reads keys as state, so the rest
    // are dropped, which keeps the queue from filling up and losing a close
    // request.
    void TakeInputEvents() {
        SDL_Event events[16];
        int count = 0;
        while ((count = SDL_PeepEvents(events, 16, SDL_GETEVENT, SDL_KEYDOWN, SDL_LASTEVENT)) > 0) {
            for (int i = 0; i < count; ++i) {
                windowMode_.HandleKey(events[i]);
                input_->HandleEvent(events[i]);
            }
        }
    }

    // Sees every event as SDL queues it (the loop drops key events unread),
    // and keeps the presses of the keys of the program around the game.
    static int WatchShellKeys(void* self, SDL_Event* event) {
        if (event->type == SDL_KEYDOWN) {
            const char code = ShellKeyCode(event->key.keysym, event->key.repeat != 0);
            if (code != 0) {
                static_cast<SdlPlatform*>(self)->shellKeyPresses_ += code;
            }
        }
        return 1;
    }

    PresentPath path_;
    DisplayOptions display_;
    std::string shellKeyPresses_;
    bool videoReady_ = false;
    bool eventsReady_ = false;
    bool presenterTried_ = false;  // the screen was opened
    SDL_Window* window_ = nullptr;
    std::unique_ptr<SdlPresenter> presenter_ = std::make_unique<SdlPresenter>();
    std::unique_ptr<SdlSound> sound_ = std::make_unique<SdlSound>();
    std::unique_ptr<SdlInput> input_ = std::make_unique<SdlInput>();
    SdlWindowMode windowMode_;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

MessageResult SdlPlatform::ShowMessage(const std::string& title, const std::string& text,
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
    box.window = window_;
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

SdlMedia::SdlMedia(PresentPath path) : SdlMedia(std::make_unique<SdlPlatform>(path)) {}

SdlMedia::SdlMedia(std::unique_ptr<SdlPlatform> platform)
    : MediaLayer(std::move(platform)), platform_(static_cast<SdlPlatform&>(GetPlatform())) {}

SdlMedia::~SdlMedia() = default;

bool SdlMedia::HasAudioDevice() const {
    return platform_.HasAudioDevice();
}

}  // namespace vorn

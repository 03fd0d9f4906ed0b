// The in-memory media layer: the shared software screen nobody sees, with a
// platform whose every input the test supplies and whose every output is
// recorded.
#include "game/media/HeadlessMedia.h"

#include <SDL_scancode.h>

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <utility>

#include "game/media/PictureLoader.h"
#include "game/media/Platform.h"
#include "game/media/ScreenPng.h"
#include "game/media/SoftwareScreen.h"
#include "game/media/WaveFile.h"

namespace vorn {

namespace {

constexpr int32_t kStartTimeMs = 1000;
// The seed the headless layer's random numbers start from, so that every
// test run draws the same numbers.
constexpr uint32_t kRandomSeed = 1;
// More pads than any test plugs in.
constexpr int kMaxPads = 8;

Colour RgbToColour(uint32_t rgb) {
    return Colour{static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF)};
}

}  // namespace

class HeadlessPlatform : public Platform, public DrawObserver {
public:
    bool Fails(const char* name) const { return failing.count(name) != 0; }

    // A sound stops by itself once its length has passed on the test clock.
    struct Sound {
        WaveInfo wave;
        bool playing = false;
        bool looping = false;
        int32_t startedAt = 0;
    };
    void Expire(Sound& sound) const {
        if (sound.playing && !sound.looping &&
            int64_t{now} - sound.startedAt >= sound.wave.DurationMs()) {
            sound.playing = false;
        }
    }

    // --- Platform -----------------------------------------------------------
    bool InitVideo() override { return !Fails("graphics"); }
    bool InitAudio() override { return !Fails("audio"); }
    bool InitKeyboard() override { return !Fails("keyboard"); }
    bool FontsAvailable() override { return !Fails("fonts"); }

    int OpenWindow(const std::string& title, int clientWidth, int clientHeight) override {
        if (Fails("window") || clientWidth <= 0 || clientHeight <= 0) {
            return 0;
        }
        windowTitle = title;
        return 1;
    }
    bool MayOpenScreen(int) override { return !Fails("screen"); }
    bool OpenPresenter(int width, int height) override {
        presented.assign(static_cast<size_t>(width) * height, 0);
        return true;
    }
    void Present(const uint32_t* pixels, int width, int height) override {
        const size_t count = static_cast<size_t>(width) * height;
        if (count == presented.size()) {
            std::copy(pixels, pixels + count, presented.begin());
        }
    }
    WindowEvent PollWindowEvent() override {
        if (windowEvents.empty()) {
            return WindowEvent::None;
        }
        const WindowEvent event = windowEvents.front();
        windowEvents.pop_front();
        return event;
    }

    void SetInputBindings(const InputBindings& newBindings) override { bindings = newBindings; }
    void ReadKeys(KeyboardState::Keys& live) override {
        live = liveKeys;
        PressBoundKeys(bindings, {scanCodes.data(), static_cast<int>(scanCodes.size()), pads},
                       live);
    }
    PadState& Pad(int pad) {
        if (static_cast<size_t>(pad) >= pads.size()) {
            pads.resize(static_cast<size_t>(pad) + 1);
        }
        return pads[static_cast<size_t>(pad)];
    }
    std::string TakeShellKeyPresses() override { return std::exchange(shellKeyPresses, {}); }
    int32_t ElapsedMs() override { return now; }
    void SleepMs(int ms) override { Advance(ms); }
    uint32_t RandomSeed() override { return kRandomSeed; }
    // The clock wraps like a 32-bit counter rather than overflowing.
    void Advance(int32_t ms) {
        now = static_cast<int32_t>(static_cast<uint32_t>(now) + static_cast<uint32_t>(ms));
    }

    int LoadSound(const std::string& path, int fixedNumber) override {
        if (fixedNumber != 0) {
            // Loading into a number replaces whatever sound it held.
            sounds.erase(fixedNumber);
        }
        std::string bytes;
        Sound sound;
        int handle = 0;
        if (ReadFileUpTo(path, kMaxSoundFileBytes, bytes) && ParseWave(bytes, sound.wave)) {
            if (fixedNumber != 0) {
                handle = fixedNumber;
            } else {
                while (sounds.count(nextSound) != 0 || nextSound == 0) {
                    ++nextSound;
                }
                handle = nextSound++;
            }
            sounds[handle] = sound;
        }
        soundLog.push_back({HeadlessMedia::SoundEvent::Kind::Load, handle, path, 0});
        return handle;
    }
    bool SoundExists(int sound) override { return sound != 0 && sounds.count(sound) != 0; }
    void PlaySound(int sound, bool loop) override {
        auto it = sounds.find(sound);
        if (sound == 0 || it == sounds.end()) {
            return;
        }
        it->second.playing = true;
        it->second.looping = loop;
        it->second.startedAt = now;
        soundLog.push_back({HeadlessMedia::SoundEvent::Kind::Play, sound, {}, loop ? 1 : 0});
    }
    void StopSound(int sound) override {
        auto it = sounds.find(sound);
        if (sound == 0 || it == sounds.end()) {
            return;
        }
        it->second.playing = false;
        soundLog.push_back({HeadlessMedia::SoundEvent::Kind::Stop, sound, {}, 0});
    }
    void FreeSound(int sound) override {
        if (sound == 0 || sounds.erase(sound) == 0) {
            return;
        }
        soundLog.push_back({HeadlessMedia::SoundEvent::Kind::Free, sound, {}, 0});
    }

    MessageResult ShowMessage(const std::string& title, const std::string& text,
                              MessageButtons buttons) override {
        messages.push_back({title, text, buttons});
        if (buttons == MessageButtons::Ok) {
            // An OK box can only answer OK; it takes a queued answer only when
            // that answer is OK, so Yes/No answers wait for the question they
            // were meant for.
            if (!answers.empty() && answers.front() == MessageResult::Ok) {
                answers.pop_front();
            }
            return MessageResult::Ok;
        }
        if (answers.empty()) {
            return MessageResult::No;
        }
        const MessageResult answer = answers.front();
        answers.pop_front();
        return answer == MessageResult::Yes ? MessageResult::Yes : MessageResult::No;
    }

    // --- DrawObserver -------------------------------------------------------
    void SpriteDrawn(const SpriteDraw& draw) override { drawLog.push_back(draw); }
    void TextDrawn(const std::string& text, int x, int y, int font, uint32_t colour, bool opaque,
                   uint32_t backColour) override {
        textLog.push_back({text, x, y, font, RgbToColour(colour), opaque, RgbToColour(backColour)});
    }
    void FramePresented() override {
        drawLog.clear();
        textLog.clear();
    }

    std::vector<uint32_t> presented;
    std::string windowTitle;
    std::set<std::string> failing;
    KeyboardState::Keys liveKeys{};
    InputBindings bindings = InputBindings::Defaults();
    std::array<uint8_t, SDL_NUM_SCANCODES> scanCodes{};
    std::vector<PadState> pads;
    std::string shellKeyPresses;
    int32_t now = kStartTimeMs;
    std::deque<MessageResult> answers;
    std::vector<HeadlessMedia::ShownMessage> messages;
    std::deque<WindowEvent> windowEvents;
    std::map<int, Sound> sounds;
    int nextSound = 1;
    std::vector<HeadlessMedia::SoundEvent> soundLog;
    std::vector<HeadlessMedia::DrawCall> drawLog;
    std::vector<HeadlessMedia::TextCall> textLog;
};

HeadlessMedia::HeadlessMedia() : HeadlessMedia(std::make_unique<HeadlessPlatform>()) {}

HeadlessMedia::HeadlessMedia(std::unique_ptr<HeadlessPlatform> platform)
    : MediaLayer(std::move(platform)), platform_(static_cast<HeadlessPlatform&>(GetPlatform())) {
    SetDrawObserver(&platform_);
}

HeadlessMedia::~HeadlessMedia() = default;

// --- Controls for tests ----------------------------------------------------

void HeadlessMedia::SetKeyDown(int key, bool down) {
    if (KeyboardState::Valid(key)) {
        platform_.liveKeys[key] = down;
    }
}

void HeadlessMedia::SetScanCodeDown(int scanCode, bool down) {
    if (scanCode >= 0 && static_cast<size_t>(scanCode) < platform_.scanCodes.size()) {
        platform_.scanCodes[static_cast<size_t>(scanCode)] = down ? 1 : 0;
    }
}

void HeadlessMedia::SetPadButton(int pad, int button, bool down) {
    if (pad >= 0 && pad < kMaxPads && button >= 0 &&
        static_cast<size_t>(button) < PadState{}.buttons.size()) {
        platform_.Pad(pad).buttons[static_cast<size_t>(button)] = down;
    }
}

void HeadlessMedia::SetPadStick(int pad, int x, int y) {
    if (pad >= 0 && pad < kMaxPads) {
        platform_.Pad(pad).leftX = x;
        platform_.Pad(pad).leftY = y;
    }
}

void HeadlessMedia::ReleaseAllKeys() {
    platform_.liveKeys.fill(false);
    platform_.scanCodes.fill(0);
    platform_.pads.clear();
}

void HeadlessMedia::PressShellKey(char code) {
    platform_.shellKeyPresses += code;
}

void HeadlessMedia::SetTimeMs(int32_t now) {
    platform_.now = now;
}

void HeadlessMedia::AdvanceTimeMs(int32_t ms) {
    platform_.Advance(ms);
}

void HeadlessMedia::SeedRandom(uint32_t seed) {
    MediaLayer::SeedRandom(seed);
}

void HeadlessMedia::QueueMessageAnswer(MessageResult answer) {
    platform_.answers.push_back(answer);
}

void HeadlessMedia::QueueWindowEvent(WindowEvent event) {
    platform_.windowEvents.push_back(event);
}

void HeadlessMedia::FailOperation(const std::string& name) {
    platform_.failing.insert(name);
}

// --- What happened ---------------------------------------------------------

const std::vector<HeadlessMedia::ShownMessage>& HeadlessMedia::Messages() const {
    return platform_.messages;
}

const std::vector<HeadlessMedia::SoundEvent>& HeadlessMedia::SoundLog() const {
    return platform_.soundLog;
}

void HeadlessMedia::ClearSoundLog() {
    platform_.soundLog.clear();
}

bool HeadlessMedia::IsSoundPlaying(SoundHandle sound) const {
    auto it = platform_.sounds.find(sound.Id());
    if (it == platform_.sounds.end()) {
        return false;
    }
    platform_.Expire(it->second);
    return it->second.playing;
}

const std::vector<HeadlessMedia::DrawCall>& HeadlessMedia::DrawLog() const {
    return platform_.drawLog;
}

const std::vector<HeadlessMedia::TextCall>& HeadlessMedia::TextLog() const {
    return platform_.textLog;
}

bool HeadlessMedia::PngDecodingEnabled() const {
    return PngDecodingWasEnabled();
}

std::string HeadlessMedia::WindowTitle() const {
    return platform_.windowTitle;
}

int HeadlessMedia::ScreenWidth() const {
    return Screen().Width();
}

int HeadlessMedia::ScreenHeight() const {
    return Screen().Height();
}

uint32_t HeadlessMedia::PixelAt(int x, int y) const {
    return Screen().PixelAt(x, y);
}

uint32_t HeadlessMedia::PresentedPixelAt(int x, int y) const {
    const int width = Screen().Width();
    if (x < 0 || y < 0 || x >= width || y >= Screen().Height() || platform_.presented.empty()) {
        return 0;
    }
    return platform_.presented[static_cast<size_t>(y) * width + x] & kRgbMask;
}

bool HeadlessMedia::SaveScreenPng(const std::string& path) const {
    const SoftwareScreen& screen = Screen();
    return screen.IsOpen() &&
           WriteScreenPng(path, screen.Pixels(), screen.Width(), screen.Height());
}

}  // namespace vorn

// The in-memory media layer: the shared drawing core on a screen nobody
// sees, with every input supplied and every output recorded for tests.
#include "game/media/HeadlessMedia.h"

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "game/media/KeyboardState.h"
#include "game/media/PictureLoader.h"
#include "game/media/ScreenPng.h"
#include "game/media/SoftwareScreen.h"
#include "game/media/WaveFile.h"

namespace vorn {

namespace {

constexpr int32_t kStartTimeMs = 1000;
bool ValidKey(int key) {
    return KeyboardState::Valid(key);
}

}  // namespace

struct HeadlessMedia::State {
    SoftwareScreen screen;
    std::vector<uint32_t> presented;
    std::string windowTitle;
    bool pngEnabled = false;
    std::set<std::string> failing;

    KeyboardState::Keys liveKeys{};
    KeyboardState keyboard;

    int32_t now = kStartTimeMs;
    std::mt19937 random{1};

    std::deque<MessageResult> answers;
    std::vector<ShownMessage> messages;
    std::deque<WindowEvent> windowEvents;

    struct Sound {
        WaveInfo wave;
        bool playing = false;
        bool looping = false;
        int32_t startedAt = 0;
    };
    std::map<int, Sound> sounds;
    int nextSound = 1;
    std::vector<SoundEvent> soundLog;

    std::vector<DrawCall> drawLog;
    std::vector<TextCall> textLog;

    bool Fails(const char* name) const { return failing.count(name) != 0; }

    // A sound stops by itself once its length has passed on the test clock.
    void Expire(Sound& sound) const {
        if (sound.playing && !sound.looping &&
            int64_t{now} - sound.startedAt >= sound.wave.DurationMs()) {
            sound.playing = false;
        }
    }
};

HeadlessMedia::HeadlessMedia() : state_(std::make_unique<State>()) {}
HeadlessMedia::~HeadlessMedia() = default;

// --- Controls for tests ----------------------------------------------------

void HeadlessMedia::SetKeyDown(int key, bool down) {
    if (ValidKey(key)) {
        state_->liveKeys[key] = down;
    }
}

void HeadlessMedia::ReleaseAllKeys() {
    state_->liveKeys.fill(false);
}

void HeadlessMedia::SetTimeMs(int32_t now) {
    state_->now = now;
}

// The clock wraps like a 32-bit counter rather than overflowing.
void HeadlessMedia::AdvanceTimeMs(int32_t ms) {
    state_->now =
        static_cast<int32_t>(static_cast<uint32_t>(state_->now) + static_cast<uint32_t>(ms));
}

void HeadlessMedia::SeedRandom(uint32_t seed) {
    state_->random.seed(seed);
}

void HeadlessMedia::QueueMessageAnswer(MessageResult answer) {
    state_->answers.push_back(answer);
}

void HeadlessMedia::QueueWindowEvent(WindowEvent event) {
    state_->windowEvents.push_back(event);
}

void HeadlessMedia::FailOperation(const std::string& name) {
    state_->failing.insert(name);
}

// --- What happened ---------------------------------------------------------

const std::vector<HeadlessMedia::ShownMessage>& HeadlessMedia::Messages() const {
    return state_->messages;
}

const std::vector<HeadlessMedia::SoundEvent>& HeadlessMedia::SoundLog() const {
    return state_->soundLog;
}

void HeadlessMedia::ClearSoundLog() {
    state_->soundLog.clear();
}

bool HeadlessMedia::IsSoundPlaying(int sound) const {
    auto it = state_->sounds.find(sound);
    if (it == state_->sounds.end()) {
        return false;
    }
    state_->Expire(it->second);
    return it->second.playing;
}

const std::vector<HeadlessMedia::DrawCall>& HeadlessMedia::DrawLog() const {
    return state_->drawLog;
}

const std::vector<HeadlessMedia::TextCall>& HeadlessMedia::TextLog() const {
    return state_->textLog;
}

bool HeadlessMedia::PngDecodingEnabled() const {
    return state_->pngEnabled;
}

std::string HeadlessMedia::WindowTitle() const {
    return state_->windowTitle;
}
int HeadlessMedia::ScreenWidth() const {
    return state_->screen.Width();
}
int HeadlessMedia::ScreenHeight() const {
    return state_->screen.Height();
}

uint32_t HeadlessMedia::PixelAt(int x, int y) const {
    return state_->screen.PixelAt(x, y);
}

uint32_t HeadlessMedia::PresentedPixelAt(int x, int y) const {
    const int width = state_->screen.Width();
    if (x < 0 || y < 0 || x >= width || y >= state_->screen.Height() || state_->presented.empty()) {
        return 0;
    }
    return state_->presented[static_cast<size_t>(y) * width + x] & kRgbMask;
}

bool HeadlessMedia::SaveScreenPng(const std::string& path) const {
    const SoftwareScreen& screen = state_->screen;
    return screen.IsOpen() &&
           WriteScreenPng(path, screen.Pixels(), screen.Width(), screen.Height());
}

// --- Start-up --------------------------------------------------------------

int HeadlessMedia::InitGraphics() {
    return state_->Fails("graphics") ? 0 : 1;
}
int HeadlessMedia::InitAudio() {
    return state_->Fails("audio") ? 0 : 1;
}
int HeadlessMedia::InitKeyboard() {
    return state_->Fails("keyboard") ? 0 : 1;
}
void HeadlessMedia::EnablePngDecoding() {
    state_->pngEnabled = true;
}

int HeadlessMedia::OpenGameWindow(const std::string& title, int clientWidth, int clientHeight) {
    if (state_->Fails("window") || clientWidth <= 0 || clientHeight <= 0) {
        return 0;
    }
    state_->windowTitle = title;
    return 1;
}

int HeadlessMedia::OpenSpriteScreen(int window, int width, int height) {
    if (state_->Fails("screen") || window == 0 || !state_->screen.Open(width, height)) {
        return 0;
    }
    state_->presented.assign(static_cast<size_t>(width) * height, 0);
    return 1;
}

// --- Frames and sprites ----------------------------------------------------

WindowEvent HeadlessMedia::PollWindowEvent() {
    if (state_->windowEvents.empty()) {
        return WindowEvent::None;
    }
    const WindowEvent event = state_->windowEvents.front();
    state_->windowEvents.pop_front();
    return event;
}

void HeadlessMedia::PresentFrame() {
    SoftwareScreen& screen = state_->screen;
    if (screen.IsOpen()) {
        std::copy(screen.Pixels(), screen.Pixels() + state_->presented.size(),
                  state_->presented.begin());
    }
    screen.EndFrame();
    state_->drawLog.clear();
    state_->textLog.clear();
}

void HeadlessMedia::ClearFrame(Colour colour) {
    state_->screen.Clear(ColourToRgb(colour));
}

void HeadlessMedia::SetTransparentColour(Colour colour) {
    state_->screen.SetTransparentColour(ColourToRgb(colour));
}

int HeadlessMedia::LoadSpriteFile(const std::string& path) {
    Picture picture;
    if (!LoadPictureFile(path, picture)) {
        return 0;
    }
    return state_->screen.AddSprite(std::move(picture));
}

void HeadlessMedia::FreeSprite(int sprite) {
    state_->screen.FreeSprite(sprite);
}

int HeadlessMedia::SpriteWidth(int sprite) {
    const Sprite* found = state_->screen.FindSprite(sprite);
    return found != nullptr ? found->picture.width : 0;
}

int HeadlessMedia::SpriteHeight(int sprite) {
    const Sprite* found = state_->screen.FindSprite(sprite);
    return found != nullptr ? found->picture.height : 0;
}

void HeadlessMedia::ClipSprite(int sprite, int x, int y, int width, int height) {
    state_->screen.ClipSprite(sprite, x, y, width, height);
}

void HeadlessMedia::DrawSprite(int sprite, int x, int y) {
    const Sprite* found = state_->screen.FindSprite(sprite);
    if (found == nullptr) {
        return;
    }
    const ClipRect& clip = found->clip;
    state_->drawLog.push_back(
        DrawCall{sprite, x, y, false, clip.x, clip.y, clip.width, clip.height});
    state_->screen.DrawSprite(sprite, x, y, false);
}

void HeadlessMedia::DrawSpriteTransparent(int sprite, int x, int y) {
    const Sprite* found = state_->screen.FindSprite(sprite);
    if (found == nullptr) {
        return;
    }
    const ClipRect& clip = found->clip;
    state_->drawLog.push_back(
        DrawCall{sprite, x, y, true, clip.x, clip.y, clip.width, clip.height});
    state_->screen.DrawSprite(sprite, x, y, true);
}

// --- Text and boxes --------------------------------------------------------

void HeadlessMedia::BeginText() {
    state_->screen.BeginText();
}
void HeadlessMedia::EndText() {}

void HeadlessMedia::SetTextBackgroundMode(TextBackground mode) {
    state_->screen.Text().opaque = mode == TextBackground::Opaque;
}

void HeadlessMedia::SetTextColour(Colour colour) {
    state_->screen.Text().colour = ColourToRgb(colour);
}

void HeadlessMedia::SetTextBackColour(Colour colour) {
    state_->screen.Text().backColour = ColourToRgb(colour);
}

void HeadlessMedia::SelectFont(int slot) {
    state_->screen.Text().font = slot;
}

void HeadlessMedia::MoveTextCursor(int x, int y) {
    state_->screen.Text().cursorX = x;
    state_->screen.Text().cursorY = y;
}

namespace {

Colour RgbToColour(uint32_t rgb) {
    return Colour{static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>(rgb & 0xFF)};
}

}  // namespace

void HeadlessMedia::DrawTextAtCursor(const std::string& text) {
    if (text.empty()) {
        return;
    }
    const TextState& now = state_->screen.Text();
    state_->textLog.push_back(TextCall{text, now.cursorX, now.cursorY, now.font,
                                       RgbToColour(now.colour), now.opaque,
                                       RgbToColour(now.backColour)});
    state_->screen.DrawTextAtCursor(text);
}

int HeadlessMedia::MeasureText(const std::string& text) {
    return state_->screen.MeasureText(text);
}

void HeadlessMedia::FillBox(int x, int y, int width, int height, int32_t packedColour) {
    state_->screen.FillBox(x, y, width, height, PackedToRgb(packedColour));
}

int HeadlessMedia::LoadFontSlot(int slot, const std::string& faceName, int size, bool bold) {
    if (state_->Fails("fonts")) {
        return 0;
    }
    return state_->screen.Fonts().LoadSlot(slot, faceName, size, bold) ? 1 : 0;
}

int HeadlessMedia::IsFontLoaded(int slot) {
    return state_->screen.Fonts().SlotLoaded(slot) ? 1 : 0;
}

// --- Sound -----------------------------------------------------------------

int HeadlessMedia::LoadSoundFile(const std::string& path, int fixedNumber) {
    State& s = *state_;
    if (fixedNumber != 0) {
        // Loading into a number replaces whatever sound it held.
        s.sounds.erase(fixedNumber);
    }
    std::string bytes;
    State::Sound sound;
    int handle = 0;
    if (ReadFileUpTo(path, kMaxSoundFileBytes, bytes) && ParseWave(bytes, sound.wave)) {
        if (fixedNumber != 0) {
            handle = fixedNumber;
        } else {
            while (s.sounds.count(s.nextSound) != 0 || s.nextSound == 0) {
                ++s.nextSound;
            }
            handle = s.nextSound++;
        }
        s.sounds[handle] = sound;
    }
    s.soundLog.push_back(SoundEvent{SoundEvent::Kind::Load, handle, path, 0});
    return handle;
}

int HeadlessMedia::SoundExists(int sound) {
    return sound != 0 && state_->sounds.count(sound) != 0 ? 1 : 0;
}

void HeadlessMedia::PlaySoundHandle(int sound, int loop) {
    auto it = state_->sounds.find(sound);
    if (sound == 0 || it == state_->sounds.end()) {
        return;
    }
    it->second.playing = true;
    it->second.looping = loop != 0;
    it->second.startedAt = state_->now;
    state_->soundLog.push_back(SoundEvent{SoundEvent::Kind::Play, sound, {}, loop});
}

void HeadlessMedia::StopSoundHandle(int sound) {
    auto it = state_->sounds.find(sound);
    if (sound == 0 || it == state_->sounds.end()) {
        return;
    }
    it->second.playing = false;
    state_->soundLog.push_back(SoundEvent{SoundEvent::Kind::Stop, sound, {}, 0});
}

void HeadlessMedia::FreeSoundHandle(int sound) {
    if (sound == 0 || state_->sounds.erase(sound) == 0) {
        return;
    }
    state_->soundLog.push_back(SoundEvent{SoundEvent::Kind::Free, sound, {}, 0});
}

// --- Keyboard, clock, chance, messages -------------------------------------

void HeadlessMedia::ReadKeyboard() {
    state_->keyboard.TakeSnapshot(state_->liveKeys);
}

int HeadlessMedia::KeyDown(int key) {
    return state_->keyboard.Down(key);
}

int HeadlessMedia::KeyReleased(int key) {
    return state_->keyboard.Released(key);
}

int32_t HeadlessMedia::ElapsedMs() {
    return state_->now;
}

void HeadlessMedia::SleepMs(int ms) {
    if (ms > 0) {
        AdvanceTimeMs(ms);
    }
}

int HeadlessMedia::RandomInt(int maximum) {
    if (maximum <= 0) {
        return 0;
    }
    std::uniform_int_distribution<int> pick(0, maximum);
    return pick(state_->random);
}

MessageResult HeadlessMedia::ShowMessage(const std::string& title, const std::string& text,
                                         MessageButtons buttons) {
    State& s = *state_;
    s.messages.push_back(ShownMessage{title, text, buttons});
    if (buttons == MessageButtons::Ok) {
        // An OK box can only answer OK; it takes a queued answer only when
        // that answer is OK, so Yes/No answers wait for the question they
        // were meant for.
        if (!s.answers.empty() && s.answers.front() == MessageResult::Ok) {
            s.answers.pop_front();
        }
        return MessageResult::Ok;
    }
    if (s.answers.empty()) {
        return MessageResult::No;
    }
    const MessageResult answer = s.answers.front();
    s.answers.pop_front();
    return answer == MessageResult::Yes ? MessageResult::Yes : MessageResult::No;
}

}  // namespace vorn

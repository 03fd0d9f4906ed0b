// What the media layer needs of the machine around its software screen: a
// window to show the screen in and its events, the state of the game's keys,
// a clock, the seed of its random numbers, sounds and message boxes.
//
// Everything from outside the program reaches the game through here, so a
// platform that records or replays these answers records or replays a whole
// session. SdlPlatform (SdlMedia.cpp) is the real one; the headless one
// (HeadlessMedia.cpp) is driven by tests.
#pragma once

#include <cstdint>
#include <string>

#include "game/media/DisplayOptions.h"
#include "game/media/InputBindings.h"
#include "game/media/KeyboardState.h"
#include "game/media/MediaTypes.h"
#include "game/media/ShellKeys.h"

namespace vorn {

class Platform {
public:
    virtual ~Platform() = default;

    // Start-up; false when the part cannot be had.
    virtual bool InitVideo() = 0;
    virtual bool InitAudio() = 0;
    virtual bool InitKeyboard() = 0;
    // Whether fonts can be loaded at all.
    virtual bool FontsAvailable() { return true; }

    // A visible window whose client area has the given size; its non-zero id,
    // or 0.
    virtual int OpenWindow(const std::string& title, int clientWidth, int clientHeight) = 0;
    // Whether a screen may be shown in window `window` (asked before the
    // screen is allocated), then the preparation of showing one of the given
    // size there.
    virtual bool MayOpenScreen(int window) = 0;
    virtual bool OpenPresenter(int width, int height) = 0;
    // Shows width x height pixels (0xXXRRGGBB words, row by row).
    virtual void Present(const uint32_t* pixels, int width, int height) = 0;
    // Takes at most one pending window event and never waits.
    virtual WindowEvent PollWindowEvent() = 0;

    // The player's preferences: the display's, asked for before OpenWindow
    // (a platform without a window has nothing to do with them), and the
    // controls that ReadKeys applies from then on (the defaults until then).
    virtual void SetDisplayOptions(const DisplayOptions&) {}
    virtual void SetInputBindings(const InputBindings& bindings) = 0;
    // The live down state of every key the game reads, the player's keys and
    // pads already turned into the game's keys.
    virtual void ReadKeys(KeyboardState::Keys& live) = 0;
    // The keys of the program around the game (ShellKeys.h) pressed since the
    // last call, as their codes, in order. Presses are kept as they happen,
    // so a tap shorter than a frame is not lost.
    virtual std::string TakeShellKeyPresses() { return {}; }
    // Monotonic milliseconds, always positive.
    virtual int32_t ElapsedMs() = 0;
    virtual void SleepMs(int ms) = 0;
    // The seed of the layer's random numbers.
    virtual uint32_t RandomSeed() = 0;

    // Sounds: RIFF WAVE files; handles as the media layer describes them.
    virtual int LoadSound(const std::string& path, int fixedNumber) = 0;
    virtual bool SoundExists(int sound) = 0;
    virtual void PlaySound(int sound, bool loop) = 0;
    virtual void StopSound(int sound) = 0;
    virtual void FreeSound(int sound) = 0;

    virtual MessageResult ShowMessage(const std::string& title, const std::string& text,
                                      MessageButtons buttons) = 0;
};

}  // namespace vorn

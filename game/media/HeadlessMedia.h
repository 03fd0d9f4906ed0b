// The media layer for tests and for machines without a display: the shared
// software screen in memory, a keyboard driven by the test, a clock the test
// advances, message-box answers from a queue and logs of boxes, sounds and
// draw calls.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/media/MediaLayer.h"

namespace vorn {

class HeadlessPlatform;

class HeadlessMedia : public MediaLayer {
public:
    HeadlessMedia();
    ~HeadlessMedia();

    // --- Controls for tests -------------------------------------------------
    // Key state seen by the next ReadKeyboard.
    void SetKeyDown(int key, bool down);
    // What the player presses, turned into the game's keys by the bindings
    // (the defaults until SetInputBindings): a key by SDL scan code, a
    // game-controller button by SDL number and the left stick (-32768 ..
    // 32767 on each axis) of pad number `pad` (pads come into being as named).
    void SetScanCodeDown(int scanCode, bool down);
    void SetPadButton(int pad, int button, bool down);
    void SetPadStick(int pad, int x, int y);
    // A press of a key of the program around the game (a code of
    // ShellKeys.h), told by the next ReadShellKeyPresses.
    void PressShellKey(char code);
    // Releases the game's keys, the scan codes and every pad.
    void ReleaseAllKeys();
    // The clock starts at 1000 ms; SleepMs advances it by the time slept.
    void SetTimeMs(int32_t now);
    void AdvanceTimeMs(int32_t ms);
    void SeedRandom(uint32_t seed);
    // Answer for the next ShowMessage; with an empty queue Ok / No is answered.
    // A box with only OK answers Ok and takes a queued answer only when it is
    // Ok, so a queued Yes or No waits for the next Yes/No question (an error
    // box shown before it does not eat it).
    void QueueMessageAnswer(MessageResult answer);
    void QueueWindowEvent(WindowEvent event);
    // Makes one of the start-up operations fail: "graphics", "audio",
    // "keyboard", "window", "screen", "fonts".
    void FailOperation(const std::string& name);

    // --- What happened ------------------------------------------------------
    struct ShownMessage {
        std::string title;
        std::string text;
        MessageButtons buttons;
    };
    const std::vector<ShownMessage>& Messages() const;

    struct SoundEvent {
        enum class Kind { Load, Play, Stop, Free } kind;
        SoundHandle sound;
        std::string path;  // for Load
        int loop = 0;      // for Play
    };
    const std::vector<SoundEvent>& SoundLog() const;
    void ClearSoundLog();
    // From PlaySoundHandle until stopped, freed or, unless looping, until the
    // sound's length has passed on the test clock.
    bool IsSoundPlaying(SoundHandle sound) const;

    // Sprite and text draws since the last PresentFrame, in order. Draws of
    // handle 0 (or a freed handle) and of empty text are not recorded; they
    // do nothing.
    using DrawCall = SpriteDraw;
    const std::vector<DrawCall>& DrawLog() const;
    struct TextCall {
        std::string text;
        int x = 0;
        int y = 0;
        int font = -1;  // -1: the default font
        Colour colour;
        bool opaque = false;
        Colour backColour;
    };
    const std::vector<TextCall>& TextLog() const;

    std::string WindowTitle() const;
    int ScreenWidth() const;
    int ScreenHeight() const;
    // 0xRRGGBB of the back buffer (what the frame being drawn looks like).
    uint32_t PixelAt(int x, int y) const;
    // 0xRRGGBB of the last presented frame.
    uint32_t PresentedPixelAt(int x, int y) const;
    // Saves the back buffer (the frame drawn so far).
    bool SaveScreenPng(const std::string& path) const;

    // Whether EnablePngDecoding was called (PNG files load either way: the
    // decoder is built in, so forgetting the call costs a user nothing).
    bool PngDecodingEnabled() const;

private:
    explicit HeadlessMedia(std::unique_ptr<HeadlessPlatform> platform);
    HeadlessPlatform& platform_;
};

}  // namespace vorn

// The only way the game draws, plays sound, reads keys, reads the clock and
// shows message boxes. Two implementations share the drawing code: the SDL2
// one users run (SdlMedia) and the in-memory one tests run (HeadlessMedia).
//
// Handles are integers; 0 means "nothing loaded" and every operation given 0
// does nothing (and returns 0), which the game relies on for missing files.
#pragma once

#include <cstdint>
#include <string>

namespace vorn {

struct Colour {
    int r = 0;
    int g = 0;
    int b = 0;
};

// Red in the low byte, green in the next, blue in the third.
constexpr int32_t PackColour(int r, int g, int b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

enum class WindowEvent { None, CloseRequested, Other };
enum class MessageButtons { Ok, YesNo };
enum class MessageResult { Ok, Yes, No };
enum class TextBackground { Transparent, Opaque };

// The eleven keys the game reads, by the scan codes the game uses.
namespace keys {
constexpr int Up = 0xC8;
constexpr int Down = 0xD0;
constexpr int Left = 0xCB;
constexpr int Right = 0xCD;
constexpr int LeftCtrl = 0x1D;
constexpr int RightCtrl = 0x9D;
constexpr int Return = 0x1C;
constexpr int S = 0x1F;
constexpr int Tab = 0x0F;
constexpr int L = 0x26;
constexpr int Space = 0x39;
}  // namespace keys

class MediaLayer {
public:
    virtual ~MediaLayer() = default;

    // Start-up; each returns non-zero on success.
    virtual int InitGraphics() = 0;
    virtual int InitAudio() = 0;
    virtual int InitKeyboard() = 0;
    virtual void EnablePngDecoding() = 0;
    // A visible, resizable window centred on the desktop whose client area has
    // exactly the given size; returns a non-zero window id.
    virtual int OpenGameWindow(const std::string& title, int clientWidth, int clientHeight) = 0;
    // The double-buffered drawing surface; all drawing goes to the back buffer.
    virtual int OpenSpriteScreen(int window, int width, int height) = 0;

    // Takes at most one pending window event and never waits.
    virtual WindowEvent PollWindowEvent() = 0;
    // Shows the back buffer drawn since the previous call.
    virtual void PresentFrame() = 0;
    virtual void ClearFrame(Colour colour) = 0;
    virtual void SetTransparentColour(Colour colour) = 0;

    // Sprites. A file starting with "BM" is a Windows bitmap, anything else PNG.
    virtual int LoadSpriteFile(const std::string& path) = 0;
    virtual void FreeSprite(int sprite) = 0;
    virtual int SpriteWidth(int sprite) = 0;
    virtual int SpriteHeight(int sprite) = 0;
    // Cut to the picture; (-1, -1, -1, -1) resets to the whole picture.
    virtual void ClipSprite(int sprite, int x, int y, int width, int height) = 0;
    virtual void DrawSprite(int sprite, int x, int y) = 0;
    virtual void DrawSpriteTransparent(int sprite, int x, int y) = 0;

    // Text and boxes, bracketed by BeginText / EndText. BeginText resets the
    // state: default font, black text, opaque background, white back colour.
    virtual void BeginText() = 0;
    virtual void EndText() = 0;
    virtual void SetTextBackgroundMode(TextBackground mode) = 0;
    virtual void SetTextColour(Colour colour) = 0;
    virtual void SetTextBackColour(Colour colour) = 0;
    virtual void SelectFont(int slot) = 0;
    virtual void MoveTextCursor(int x, int y) = 0;
    // Draws at the cursor and moves the cursor to the text's end.
    virtual void DrawTextAtCursor(const std::string& text) = 0;
    virtual int MeasureText(const std::string& text) = 0;
    virtual void FillBox(int x, int y, int width, int height, int32_t packedColour) = 0;
    // Resolves a face name ("Arial", "Tahoma") to the best installed font.
    virtual int LoadFontSlot(int slot, const std::string& faceName, int size, bool bold) = 0;
    virtual int IsFontLoaded(int slot) = 0;

    // Sounds: RIFF WAVE files. A non-zero `fixedNumber` is used as the handle.
    virtual int LoadSoundFile(const std::string& path, int fixedNumber = 0) = 0;
    virtual int SoundExists(int sound) = 0;
    // Stops, rewinds and plays once (loop 0) or endlessly; returns at once.
    virtual void PlaySoundHandle(int sound, int loop) = 0;
    virtual void StopSoundHandle(int sound) = 0;
    virtual void FreeSoundHandle(int sound) = 0;

    // Keyboard: one snapshot per frame, read before any key test.
    virtual void ReadKeyboard() = 0;
    virtual int KeyDown(int key) = 0;
    // Non-zero once, at the first call after the key went up, for a key an
    // earlier KeyReleased call of the same key saw down.
    virtual int KeyReleased(int key) = 0;

    // Monotonic milliseconds, always positive.
    virtual int32_t ElapsedMs() = 0;
    virtual void SleepMs(int ms) = 0;
    // Uniform integer from 0 to maximum inclusive (0 for a negative maximum).
    virtual int RandomInt(int maximum) = 0;
    virtual MessageResult ShowMessage(const std::string& title, const std::string& text,
                                      MessageButtons buttons) = 0;
};

}  // namespace vorn

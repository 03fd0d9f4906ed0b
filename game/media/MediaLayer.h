// The only way the game draws, plays sound, reads keys, reads the clock and
// shows message boxes. It draws on one software screen of its own; whatever
// depends on the machine (the window, sound, keys, clock, boxes) goes through
// its Platform. SdlMedia runs it in an SDL2 window, HeadlessMedia in memory
// for tests.
//
// Handles are integers; 0 means "nothing loaded" and every operation given 0
// does nothing (and returns 0), which the game relies on for missing files.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/media/MediaTypes.h"

namespace vorn {

struct DisplayOptions;
struct InputBindings;
class InputTape;
class Platform;
class SoftwareScreen;

// One sprite draw as it reached the screen, with the sprite's clip
// rectangle at the time.
struct SpriteDraw {
    SpriteHandle sprite;
    int x = 0;
    int y = 0;
    bool transparent = false;
    int clipX = 0, clipY = 0, clipWidth = 0, clipHeight = 0;
};

// Told of every sprite and text that reaches the screen and of every
// presented frame (the headless layer keeps its draw logs this way).
class DrawObserver {
public:
    virtual ~DrawObserver() = default;
    virtual void SpriteDrawn(const SpriteDraw& draw) = 0;
    // Colours are 0xRRGGBB; font -1 is the default font.
    virtual void TextDrawn(const std::string& text, int x, int y, int font, uint32_t colour,
                           bool opaque, uint32_t backColour) = 0;
    virtual void FramePresented() = 0;
};

class MediaLayer {
public:
    explicit MediaLayer(std::unique_ptr<Platform> platform);
    ~MediaLayer();
    MediaLayer(const MediaLayer&) = delete;
    MediaLayer& operator=(const MediaLayer&) = delete;

    // Start-up.
    bool InitGraphics();
    bool InitAudio();
    bool InitKeyboard();
    void EnablePngDecoding();
    // The player's preferences: the display's before OpenGameWindow, the
    // controls at any time (the defaults until then).
    void SetDisplayOptions(const DisplayOptions& options);
    void SetInputBindings(const InputBindings& bindings);
    // A visible, resizable window centred on the desktop whose client area has
    // exactly the given size; returns a non-zero window id.
    int OpenGameWindow(const std::string& title, int clientWidth, int clientHeight);
    // The double-buffered drawing surface; all drawing goes to the back buffer.
    bool OpenSpriteScreen(int window, int width, int height);

    // Takes at most one pending window event and never waits.
    WindowEvent PollWindowEvent();
    // Shows the back buffer drawn since the previous call.
    void PresentFrame();
    void ClearFrame(Colour colour);
    void SetTransparentColour(Colour colour);

    // Sprites. A file starting with "BM" is a Windows bitmap, anything else PNG.
    SpriteHandle LoadSpriteFile(const std::string& path);
    void FreeSprite(SpriteHandle sprite);
    int SpriteWidth(SpriteHandle sprite) const;
    int SpriteHeight(SpriteHandle sprite) const;
    // Cut to the picture; (-1, -1, -1, -1) resets to the whole picture.
    void ClipSprite(SpriteHandle sprite, int x, int y, int width, int height);
    void DrawSprite(SpriteHandle sprite, int x, int y);
    void DrawSpriteTransparent(SpriteHandle sprite, int x, int y);

    // Text and boxes, bracketed by BeginText / EndText. BeginText resets the
    // state: default font, black text, opaque background, white back colour.
    void BeginText();
    void EndText() {}
    void SetTextBackgroundMode(TextBackground mode);
    void SetTextColour(Colour colour);
    void SetTextBackColour(Colour colour);
    void SelectFont(int slot);
    void MoveTextCursor(int x, int y);
    // Draws at the cursor and moves the cursor to the text's end.
    void DrawTextAtCursor(const std::string& text);
    int MeasureText(const std::string& text);
    void FillBox(int x, int y, int width, int height, int32_t packedColour);
    // Resolves a face name ("Arial", "Tahoma") to the best installed font.
    bool LoadFontSlot(int slot, const std::string& faceName, int size, bool bold);
    bool IsFontLoaded(int slot) const;

    // Sounds: RIFF WAVE files. A non-empty `fixed` handle is the one used.
    SoundHandle LoadSoundFile(const std::string& path, SoundHandle fixed = {});
    bool SoundExists(SoundHandle sound);
    // Stops, rewinds and plays once or endlessly; returns at once.
    void PlaySoundHandle(SoundHandle sound, bool loop);
    void StopSoundHandle(SoundHandle sound);
    void FreeSoundHandle(SoundHandle sound);

    // Keyboard: one snapshot per frame, read before any key test.
    void ReadKeyboard();
    bool KeyDown(int key) const;
    // True once, at the first call after the key went up, for a key an
    // earlier KeyReleased call of the same key saw down.
    bool KeyReleased(int key);

    // Monotonic milliseconds, always positive.
    int32_t ElapsedMs();
    void SleepMs(int ms);
    // Uniform integer from 0 to maximum inclusive (0 for a negative maximum).
    int RandomInt(int maximum);
    MessageResult ShowMessage(const std::string& title, const std::string& text,
                              MessageButtons buttons);

    // The back buffer and the sprites (what the frame being drawn looks like).
    const SoftwareScreen& Screen() const;

    // --- Around the game: the developer mode and recorded sessions ----------
    // Every answer from outside the program passes through `tape` (null for
    // none) before the game gets it.
    void SetInputTape(InputTape* tape);
    // Off, drawing writes no pixel (every draw call keeps its other effects):
    // for a replay no one watches.
    void SetPainting(bool painting);
    // While muted the game reads every one of its keys as up.
    void MuteGameKeys(bool muted);
    // The keys of ShellKeys.h pressed since the previous call, as their codes
    // in order.
    std::string ReadShellKeyPresses();
    // Mixes `colour` into the rectangle: alpha 255 covers it, 0 leaves it.
    void BlendBox(int x, int y, int width, int height, Colour colour, int alpha);
    // The height of a line of text in the selected font.
    int TextLineHeight();

    // What ReloadChangedFiles did: one line per file, the errors in the form
    // "PATH: error: TEXT".
    struct ReloadReport {
        std::vector<std::string> reloaded;
        std::vector<std::string> errors;
    };
    // Loads every picture and sound whose file changed on disk (modification
    // time or size) since it was loaded, into the handle it already has, so
    // whatever holds the handle shows or plays the new content. A file that
    // cannot be read now keeps the old content and is tried again next time.
    ReloadReport ReloadChangedFiles();

protected:
    Platform& GetPlatform() { return *platform_; }
    void SeedRandom(uint32_t seed);
    void SetDrawObserver(DrawObserver* observer);
    bool PngDecodingWasEnabled() const;

private:
    struct State;
    // Declared first so that it goes last: the screen's fonts are closed
    // before the platform shuts its libraries down.
    std::unique_ptr<Platform> platform_;
    std::unique_ptr<State> state_;
};

}  // namespace vorn

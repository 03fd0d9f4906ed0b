// The media layer the game program runs on: an SDL2 window showing the
// shared software screen, sound through SDL2_mixer, keyboard snapshots from
// SDL's key state, real message boxes and the system's monotonic clock.
#pragma once

#include <memory>
#include <string>

#include "game/media/MediaLayer.h"

namespace vorn {

// How a finished frame reaches the window. Both letterbox the screen into a
// resized window, keeping its aspect.
enum class PresentPath {
    // Copy into the window's own surface (scaled with SDL_BlitScaled when the
    // window is not the screen's size) and update it.
    WindowSurface,
    // Upload into a streaming texture of SDL's software renderer and render.
    StreamingTexture,
};

// Measured under Xvfb (see the media benchmark): the window surface path is
// the faster one there, and it needs no renderer.
constexpr PresentPath kDefaultPresentPath = PresentPath::WindowSurface;

class SdlMedia : public MediaLayer {
public:
    explicit SdlMedia(PresentPath path = kDefaultPresentPath);
    ~SdlMedia() override;
    SdlMedia(const SdlMedia&) = delete;
    SdlMedia& operator=(const SdlMedia&) = delete;

    // False when InitAudio found no sound device: sounds then load and
    // "play" in silence.
    bool HasAudioDevice() const;

    int InitGraphics() override;
    // Succeeds on a machine without a sound device too (silent sound): the
    // game must stay playable there.
    int InitAudio() override;
    int InitKeyboard() override;
    void EnablePngDecoding() override;
    int OpenGameWindow(const std::string& title, int clientWidth, int clientHeight) override;
    int OpenSpriteScreen(int window, int width, int height) override;
    WindowEvent PollWindowEvent() override;
    void PresentFrame() override;
    void ClearFrame(Colour colour) override;
    void SetTransparentColour(Colour colour) override;
    int LoadSpriteFile(const std::string& path) override;
    void FreeSprite(int sprite) override;
    int SpriteWidth(int sprite) override;
    int SpriteHeight(int sprite) override;
    void ClipSprite(int sprite, int x, int y, int width, int height) override;
    void DrawSprite(int sprite, int x, int y) override;
    void DrawSpriteTransparent(int sprite, int x, int y) override;
    void BeginText() override;
    void EndText() override;
    void SetTextBackgroundMode(TextBackground mode) override;
    void SetTextColour(Colour colour) override;
    void SetTextBackColour(Colour colour) override;
    void SelectFont(int slot) override;
    void MoveTextCursor(int x, int y) override;
    void DrawTextAtCursor(const std::string& text) override;
    int MeasureText(const std::string& text) override;
    void FillBox(int x, int y, int width, int height, int32_t packedColour) override;
    int LoadFontSlot(int slot, const std::string& faceName, int size, bool bold) override;
    int IsFontLoaded(int slot) override;
    int LoadSoundFile(const std::string& path, int fixedNumber = 0) override;
    int SoundExists(int sound) override;
    void PlaySoundHandle(int sound, int loop) override;
    void StopSoundHandle(int sound) override;
    void FreeSoundHandle(int sound) override;
    void ReadKeyboard() override;
    int KeyDown(int key) override;
    int KeyReleased(int key) override;
    int32_t ElapsedMs() override;
    void SleepMs(int ms) override;
    int RandomInt(int maximum) override;
    MessageResult ShowMessage(const std::string& title, const std::string& text,
                              MessageButtons buttons) override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace vorn

// The game window's size and fullscreen state, as the player wants them: the
// multiple of the screen's size it opens at, desktop fullscreen at start,
// F11 and Alt+Enter, and the windowed size and place that leaving
// fullscreen goes back to (without a window manager SDL keeps the
// fullscreen size).
#pragma once

#include <SDL.h>

#include "game/media/DisplayOptions.h"

namespace vorn {

class SdlWindowMode {
public:
    // The client size to open the window at for a screen of the given size:
    // the player's multiple of it, or the largest multiple the desktop holds,
    // never beyond `maxSide`.
    static void OpeningSize(const DisplayOptions& options, int maxSide, int& width, int& height);

    void Attach(SDL_Window* window) { window_ = window; }
    // Switches on F11 and Alt+Enter (a held key does not repeat it); true when
    // the event was one of them.
    bool HandleKey(const SDL_Event& event);
    void SetFullscreen(bool fullscreen);
    bool IsFullscreen() const { return fullscreen_; }

private:
    SDL_Window* window_ = nullptr;
    bool fullscreen_ = false;
    SDL_Rect windowed_{};  // where and how large the window was before fullscreen
};

}  // namespace vorn

#include "game/media/SdlWindowMode.h"

#include <algorithm>

namespace vorn {

void SdlWindowMode::OpeningSize(const DisplayOptions& options, int maxSide, int& width,
                                int& height) {
    int scale = std::max(options.windowScale, 1);
    SDL_Rect desktop{};
    if (scale > 1 && SDL_GetDisplayUsableBounds(0, &desktop) == 0) {
        scale = std::min({scale, desktop.w / width, desktop.h / height});
    }
    scale = std::max(std::min({scale, maxSide / width, maxSide / height}), 1);
    width *= scale;
    height *= scale;
}

bool SdlWindowMode::HandleKey(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN || event.key.repeat != 0) {
        return false;
    }
    const SDL_Scancode key = event.key.keysym.scancode;
    const bool altEnter = (key == SDL_SCANCODE_RETURN || key == SDL_SCANCODE_KP_ENTER) &&
                          (event.key.keysym.mod & KMOD_ALT) != 0;
    if (key != SDL_SCANCODE_F11 && !altEnter) {
        return false;
    }
    SetFullscreen(!fullscreen_);
    return true;
}

void SdlWindowMode::SetFullscreen(bool fullscreen) {
    if (window_ == nullptr || fullscreen == fullscreen_) {
        return;
    }
    if (fullscreen) {
        SDL_GetWindowPosition(window_, &windowed_.x, &windowed_.y);
        SDL_GetWindowSize(window_, &windowed_.w, &windowed_.h);
        // Fullscreen is asked of the window manager; without one nobody
        // answers and the window would keep its size, so it first covers the
        // display itself (a window manager then takes over).
        SDL_Rect display{};
        if (SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(window_), 0), &display) == 0) {
            SDL_SetWindowPosition(window_, display.x, display.y);
            SDL_SetWindowSize(window_, display.w, display.h);
        }
        if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) {
            fullscreen_ = true;
        }
        return;
    }
    if (SDL_SetWindowFullscreen(window_, 0) == 0) {
        fullscreen_ = false;
        if (windowed_.w > 0 && windowed_.h > 0) {
            SDL_SetWindowSize(window_, windowed_.w, windowed_.h);
            SDL_SetWindowPosition(window_, windowed_.x, windowed_.y);
        }
    }
}

}  // namespace vorn

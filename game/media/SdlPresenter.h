// Shows the software screen in an SDL window, by either present path, and
// letterboxes it (aspect kept, black bars) when the window has been resized.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "game/media/SdlMedia.h"

namespace vorn {

// The largest rectangle of the screen's aspect that fits the window,
// centred; the whole window when the sizes match.
SDL_Rect LetterboxRect(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

class SdlPresenter {
public:
    SdlPresenter() = default;
    ~SdlPresenter();
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    bool Open(SDL_Window* window, PresentPath path, int width, int height);
    // `pixels` are width x height 0xXXRRGGBB words.
    void Present(const uint32_t* pixels);

private:
    void PresentToWindowSurface(const uint32_t* pixels);
    void PresentThroughTexture(const uint32_t* pixels);

    SDL_Window* window_ = nullptr;
    PresentPath path_ = PresentPath::WindowSurface;
    int width_ = 0;
    int height_ = 0;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
};

}  // namespace vorn

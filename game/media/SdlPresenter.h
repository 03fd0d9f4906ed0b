// Shows the software screen in an SDL window, by either present path,
// enlarged by the player's scaling rule (nearest-neighbour, centred, black
// bars around) whenever the window is larger than the screen.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "game/media/DisplayOptions.h"
#include "game/media/SdlMedia.h"

namespace vorn {

class SdlPresenter {
public:
    SdlPresenter() = default;
    ~SdlPresenter();
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    bool Open(SDL_Window* window, PresentPath path, ScalingRule scaling, int width, int height);
    // `pixels` are width x height 0xXXRRGGBB words that stay readable until
    // the next call (the software screen's own buffer), for Refresh.
    void Present(const uint32_t* pixels);
    // Shows the last presented pixels again, bars and all: the window changed
    // size or was uncovered, and no frame may come soon (a script is running).
    void Refresh();

private:
    void PresentToWindowSurface(const uint32_t* pixels);
    void PresentThroughTexture(const uint32_t* pixels);

    SDL_Window* window_ = nullptr;
    PresentPath path_ = PresentPath::WindowSurface;
    ScalingRule scaling_ = ScalingRule::Integer;
    int width_ = 0;
    int height_ = 0;
    const uint32_t* lastPixels_ = nullptr;
    // The window surface the bars were last drawn on, and its size: the bars
    // are drawn, and the whole window updated, only when these change.
    SDL_Surface* barsSurface_ = nullptr;
    int barsWidth_ = 0;
    int barsHeight_ = 0;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
};

}  // namespace vorn

// Present paths. The window surface path copies rows straight into the
// window's pixels when nothing needs scaling, which is the common case.
#include "game/media/SdlPresenter.h"

#include <algorithm>
#include <cstring>

namespace vorn {

SDL_Rect LetterboxRect(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    if (screenWidth <= 0 || screenHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) {
        return SDL_Rect{0, 0, 0, 0};
    }
    // Compare windowWidth / windowHeight with screenWidth / screenHeight
    // without division.
    const int64_t wide = int64_t{windowWidth} * screenHeight;
    const int64_t tall = int64_t{windowHeight} * screenWidth;
    int width = windowWidth;
    int height = windowHeight;
    if (wide > tall) {  // bars left and right
        width = static_cast<int>(int64_t{windowHeight} * screenWidth / screenHeight);
    } else if (tall > wide) {  // bars above and below
        height = static_cast<int>(int64_t{windowWidth} * screenHeight / screenWidth);
    }
    width = std::max(width, 1);
    height = std::max(height, 1);
    return SDL_Rect{(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

SdlPresenter::~SdlPresenter() {
    if (texture_ != nullptr) {
        SDL_DestroyTexture(texture_);
    }
    if (renderer_ != nullptr) {
        SDL_DestroyRenderer(renderer_);
    }
}

bool SdlPresenter::Open(SDL_Window* window, PresentPath path, int width, int height) {
    window_ = window;
    path_ = path;
    width_ = width;
    height_ = height;
    if (path == PresentPath::WindowSurface) {
        return SDL_GetWindowSurface(window) != nullptr;
    }
    // No PRESENTVSYNC: presenting must never wait for the retrace.
    renderer_ = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (renderer_ == nullptr) {
        return false;
    }
    // RGB888 is 0xXXRRGGBB, the screen's own words; the top byte is ignored.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                 width, height);
    return texture_ != nullptr && SDL_RenderSetLogicalSize(renderer_, width, height) == 0;
}

void SdlPresenter::Present(const uint32_t* pixels) {
    if (window_ == nullptr || pixels == nullptr) {
        return;
    }
    if (path_ == PresentPath::WindowSurface) {
        PresentToWindowSurface(pixels);
    } else {
        PresentThroughTexture(pixels);
    }
}

void SdlPresenter::PresentToWindowSurface(const uint32_t* pixels) {
    // The surface is replaced by SDL after a resize; asking each time is cheap.
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (target == nullptr) {
        return;
    }
    const bool sameSize = target->w == width_ && target->h == height_;
    const bool sameFormat = target->format->BytesPerPixel == 4 &&
                            target->format->Rmask == 0xFF0000 &&
                            target->format->Gmask == 0x00FF00 && target->format->Bmask == 0x0000FF;
    if (sameSize && sameFormat) {
        if (SDL_LockSurface(target) == 0) {
            for (int row = 0; row < height_; ++row) {
                std::memcpy(static_cast<uint8_t*>(target->pixels) +
                                static_cast<size_t>(row) * target->pitch,
                            pixels + static_cast<size_t>(row) * width_,
                            static_cast<size_t>(width_) * 4);
            }
            SDL_UnlockSurface(target);
        }
    } else {
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(pixels), width_, height_, 32, width_ * 4, SDL_PIXELFORMAT_RGB888);
        if (source == nullptr) {
            return;
        }
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_Rect box = LetterboxRect(width_, height_, target->w, target->h);
        // Black bars around the picture.
        const Uint32 black = SDL_MapRGB(target->format, 0, 0, 0);
        const SDL_Rect bars[] = {{0, 0, target->w, box.y},
                                 {0, box.y + box.h, target->w, target->h - box.y - box.h},
                                 {0, box.y, box.x, box.h},
                                 {box.x + box.w, box.y, target->w - box.x - box.w, box.h}};
        for (const SDL_Rect& bar : bars) {
            if (bar.w > 0 && bar.h > 0) {
                SDL_FillRect(target, &bar, black);
            }
        }
        if (sameSize) {
            SDL_BlitSurface(source, nullptr, target, &box);
        } else {
            SDL_BlitScaled(source, nullptr, target, &box);
        }
        SDL_FreeSurface(source);
    }
    SDL_UpdateWindowSurface(window_);
}

void SdlPresenter::PresentThroughTexture(const uint32_t* pixels) {
    if (renderer_ == nullptr || texture_ == nullptr) {
        return;
    }
    SDL_UpdateTexture(texture_, nullptr, pixels, width_ * 4);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

}  // namespace vorn

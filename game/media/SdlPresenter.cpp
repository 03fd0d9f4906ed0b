// Present paths. The window surface path enlarges the screen straight into
// the window's pixels with the layer's own scaler and, once the bars around
// the picture are drawn, sends only the picture to the display.
#include "game/media/SdlPresenter.h"

#include "game/media/PixelScaler.h"

namespace vorn {

namespace {

SDL_Rect ToSdlRect(const PictureRect& rect) {
    return SDL_Rect{rect.x, rect.y, rect.width, rect.height};
}

// Whether the surface holds 0xXXRRGGBB words like the screen.
bool SameFormatAsScreen(const SDL_Surface& surface) {
    const SDL_PixelFormat& format = *surface.format;
    return format.BytesPerPixel == 4 && format.Rmask == 0xFF0000 && format.Gmask == 0x00FF00 &&
           format.Bmask == 0x0000FF;
}

void FillBars(SDL_Surface* target, const SDL_Rect& box) {
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
}

}  // namespace

SdlPresenter::~SdlPresenter() {
    if (texture_ != nullptr) {
        SDL_DestroyTexture(texture_);
    }
    if (renderer_ != nullptr) {
        SDL_DestroyRenderer(renderer_);
    }
}

bool SdlPresenter::Open(SDL_Window* window, PresentPath path, ScalingRule scaling, int width,
                        int height) {
    window_ = window;
    path_ = path;
    scaling_ = scaling;
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
    return texture_ != nullptr && SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest) == 0;
}

void SdlPresenter::Present(const uint32_t* pixels) {
    if (window_ == nullptr || pixels == nullptr) {
        return;
    }
    lastPixels_ = pixels;
    if (path_ == PresentPath::WindowSurface) {
        PresentToWindowSurface(pixels);
    } else {
        PresentThroughTexture(pixels);
    }
}

void SdlPresenter::Refresh() {
    barsSurface_ = nullptr;
    if (lastPixels_ != nullptr) {
        Present(lastPixels_);
    }
}

void SdlPresenter::PresentToWindowSurface(const uint32_t* pixels) {
    // The surface is replaced by SDL after a resize; asking each time is cheap.
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (target == nullptr) {
        return;
    }
    const SDL_Rect box = ToSdlRect(PlacePicture(scaling_, width_, height_, target->w, target->h));
    const bool barsDrawn =
        target == barsSurface_ && target->w == barsWidth_ && target->h == barsHeight_;
    if (!barsDrawn) {
        FillBars(target, box);
    }
    if (SameFormatAsScreen(*target)) {
        if (SDL_LockSurface(target) != 0) {
            return;
        }
        ScalePixels(pixels, width_, height_, static_cast<uint32_t*>(target->pixels), target->pitch,
                    {box.x, box.y, box.w, box.h});
        SDL_UnlockSurface(target);
    } else {
        // Another pixel format (a display of another depth): SDL converts
        // while it scales.
        SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(pixels), width_, height_, 32, width_ * 4, SDL_PIXELFORMAT_RGB888);
        if (source == nullptr) {
            return;
        }
        SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
        SDL_Rect scaledBox = box;
        SDL_BlitScaled(source, nullptr, target, &scaledBox);
        SDL_FreeSurface(source);
    }
    if (barsDrawn) {
        SDL_UpdateWindowSurfaceRects(window_, &box, 1);
    } else {
        SDL_UpdateWindowSurface(window_);
        barsSurface_ = target;
        barsWidth_ = target->w;
        barsHeight_ = target->h;
    }
}

void SdlPresenter::PresentThroughTexture(const uint32_t* pixels) {
    if (renderer_ == nullptr || texture_ == nullptr) {
        return;
    }
    int outputWidth = 0;
    int outputHeight = 0;
    if (SDL_GetRendererOutputSize(renderer_, &outputWidth, &outputHeight) != 0) {
        return;
    }
    const SDL_Rect box =
        ToSdlRect(PlacePicture(scaling_, width_, height_, outputWidth, outputHeight));
    SDL_UpdateTexture(texture_, nullptr, pixels, width_ * 4);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, &box);
    SDL_RenderPresent(renderer_);
}

}  // namespace vorn

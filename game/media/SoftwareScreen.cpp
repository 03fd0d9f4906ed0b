// Blitting, filling and text blending on the back buffer. Every operation
// cuts its rectangle to the buffer first (in 64 bits, so no coordinate can
// overflow), so nothing is ever written outside it and nothing wraps.
#include "game/media/SoftwareScreen.h"

#include <algorithm>
#include <cstring>

namespace vorn {

namespace {

uint32_t Component(int value) {
    return static_cast<uint32_t>(std::clamp(value, 0, 255));
}

// The part of [start, start + length) inside [0, limit), as first and end.
bool CutSpan(int64_t start, int64_t length, int64_t limit, int64_t& first, int64_t& end) {
    first = std::max<int64_t>(start, 0);
    end = std::min<int64_t>(start + length, limit);
    return first < end;
}

// Alpha bytes of sprite pixels on the screen: the top bit says whether
// transparent display shows the pixel, so the inner loop needs one test.
constexpr uint32_t kShown = 0xFF000000u;
constexpr uint32_t kHiddenByKey = 0x00000000u;
constexpr uint32_t kHiddenByPicture = 0x01000000u;
constexpr uint32_t kAlphaMask = 0xFF000000u;

// Written as a select without branches so the compiler vectorises it; the
// AVX2 clone does eight pixels a step where the processor has it.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
__attribute__((target_clones("avx2", "default")))
#endif
void CopyShownPixels(const uint32_t* from, uint32_t* to, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const uint32_t pixel = from[i];
        to[i] = pixel >= kShown ? pixel : to[i];
    }
}

// Marks whether each pixel is shown by transparent display under `key`.
void MarkShownPixels(Picture& picture, uint32_t key) {
    for (uint32_t& pixel : picture.pixels) {
        if ((pixel & kAlphaMask) == kHiddenByPicture) {
            continue;
        }
        pixel = (pixel & kRgbMask) | ((pixel & kRgbMask) == key ? kHiddenByKey : kShown);
    }
}

}  // namespace

uint32_t ColourToRgb(Colour colour) {
    return (Component(colour.r) << 16) | (Component(colour.g) << 8) | Component(colour.b);
}

uint32_t PackedToRgb(int32_t packedColour) {
    const auto packed = static_cast<uint32_t>(packedColour);
    return ((packed & 0xFF) << 16) | (packed & 0xFF00) | ((packed >> 16) & 0xFF);
}

bool SoftwareScreen::Open(int width, int height) {
    if (!PictureSizeAllowed(width, height)) {
        return false;
    }
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * height, 0);
    return true;
}

uint32_t SoftwareScreen::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return 0;
    }
    return pixels_[static_cast<size_t>(y) * width_ + x] & kRgbMask;
}

void SoftwareScreen::Clear(uint32_t rgb) {
    if (!painting_) {
        return;
    }
    std::fill(pixels_.begin(), pixels_.end(), rgb);
}

void SoftwareScreen::FillBox(int x, int y, int width, int height, uint32_t rgb) {
    int64_t left, right, top, bottom;
    if (!painting_ || width <= 0 || height <= 0 || !CutSpan(x, width, width_, left, right) ||
        !CutSpan(y, height, height_, top, bottom)) {
        return;
    }
    for (int64_t row = top; row < bottom; ++row) {
        uint32_t* target = pixels_.data() + row * width_;
        std::fill(target + left, target + right, rgb);
    }
}

void SoftwareScreen::BlendBox(int x, int y, int width, int height, uint32_t rgb, int alpha) {
    int64_t left, right, top, bottom;
    const auto a = static_cast<uint32_t>(std::clamp(alpha, 0, 255));
    if (!painting_ || a == 0 || width <= 0 || height <= 0 ||
        !CutSpan(x, width, width_, left, right) || !CutSpan(y, height, height_, top, bottom)) {
        return;
    }
    // The colour's share of every result is the same, so it is taken once.
    const uint32_t red = ((rgb >> 16) & 0xFF) * a;
    const uint32_t green = ((rgb >> 8) & 0xFF) * a;
    const uint32_t blue = (rgb & 0xFF) * a;
    const uint32_t keep = 255 - a;
    for (int64_t row = top; row < bottom; ++row) {
        uint32_t* to = pixels_.data() + row * width_;
        for (int64_t column = left; column < right; ++column) {
            const uint32_t old = to[column];
            to[column] = ((((old >> 16) & 0xFF) * keep + red + 127) / 255 << 16) |
                         ((((old >> 8) & 0xFF) * keep + green + 127) / 255 << 8) |
                         (((old & 0xFF) * keep + blue + 127) / 255);
        }
    }
}

void SoftwareScreen::SetTransparentColour(uint32_t rgb) {
    transparentRgb_ = rgb & kRgbMask;
    for (const auto& sprite : sprites_) {
        if (sprite != nullptr) {
            MarkShownPixels(sprite->picture, transparentRgb_);
        }
    }
}

// Loaders mark see-through pixels with alpha 0; keep that apart from the
// key, which may change later.
void SoftwareScreen::PrepareSpritePixels(Picture& picture) const {
    for (uint32_t& pixel : picture.pixels) {
        if ((pixel & kAlphaMask) != kOpaqueAlpha) {
            pixel = (pixel & kRgbMask) | kHiddenByPicture;
        }
    }
    MarkShownPixels(picture, transparentRgb_);
}

int SoftwareScreen::AddSprite(Picture picture) {
    if (picture.Empty()) {
        return 0;
    }
    PrepareSpritePixels(picture);
    auto sprite = std::make_unique<Sprite>();
    sprite->clip = ClipRect{0, 0, picture.width, picture.height};
    sprite->picture = std::move(picture);
    sprites_.push_back(std::move(sprite));
    return static_cast<int>(sprites_.size());
}

bool SoftwareScreen::ReplaceSprite(int sprite, Picture picture) {
    if (FindSprite(sprite) == nullptr || picture.Empty()) {
        return false;
    }
    PrepareSpritePixels(picture);
    Sprite& target = *sprites_[sprite - 1];
    target.picture = std::move(picture);
    ClipRect& clip = target.clip;
    clip.x = std::min(clip.x, target.picture.width);
    clip.y = std::min(clip.y, target.picture.height);
    clip.width = std::min(clip.width, target.picture.width - clip.x);
    clip.height = std::min(clip.height, target.picture.height - clip.y);
    return true;
}

void SoftwareScreen::FreeSprite(int sprite) {
    if (FindSprite(sprite) != nullptr) {
        sprites_[sprite - 1].reset();
    }
}

const Sprite* SoftwareScreen::FindSprite(int sprite) const {
    if (sprite < 1 || static_cast<size_t>(sprite) > sprites_.size()) {
        return nullptr;
    }
    return sprites_[sprite - 1].get();
}

void SoftwareScreen::ClipSprite(int sprite, int x, int y, int width, int height) {
    if (FindSprite(sprite) == nullptr) {
        return;
    }
    Sprite& target = *sprites_[sprite - 1];
    const Picture& picture = target.picture;
    if (x == -1 && y == -1 && width == -1 && height == -1) {
        target.clip = ClipRect{0, 0, picture.width, picture.height};
        return;
    }
    int64_t left, right, top, bottom;
    if (width <= 0 || height <= 0 || !CutSpan(x, width, picture.width, left, right) ||
        !CutSpan(y, height, picture.height, top, bottom)) {
        target.clip = ClipRect{0, 0, 0, 0};  // nothing of the picture is shown
        return;
    }
    target.clip = ClipRect{static_cast<int>(left), static_cast<int>(top),
                           static_cast<int>(right - left), static_cast<int>(bottom - top)};
}

void SoftwareScreen::DrawSprite(int sprite, int x, int y, bool transparent) {
    const Sprite* source = FindSprite(sprite);
    if (source == nullptr || !painting_) {
        return;
    }
    const ClipRect& clip = source->clip;
    int64_t left, right, top, bottom;
    if (!CutSpan(x, clip.width, width_, left, right) ||
        !CutSpan(y, clip.height, height_, top, bottom)) {
        return;
    }
    const int pictureWidth = source->picture.width;
    const size_t count = static_cast<size_t>(right - left);
    for (int64_t row = top; row < bottom; ++row) {
        const uint32_t* from = source->picture.pixels.data() + (clip.y + (row - y)) * pictureWidth +
                               clip.x + (left - x);
        uint32_t* to = pixels_.data() + row * width_ + left;
        if (!transparent) {
            std::memcpy(to, from, count * sizeof(uint32_t));
            continue;
        }
        CopyShownPixels(from, to, count);
    }
}

void SoftwareScreen::BeginText() {
    text_ = TextState{};
}

void SoftwareScreen::BlendMask(int x, int y, const TextMask& mask, uint32_t rgb) {
    int64_t left, right, top, bottom;
    if (!CutSpan(x, mask.width, width_, left, right) ||
        !CutSpan(y, mask.height, height_, top, bottom)) {
        return;
    }
    const uint32_t red = (rgb >> 16) & 0xFF;
    const uint32_t green = (rgb >> 8) & 0xFF;
    const uint32_t blue = rgb & 0xFF;
    for (int64_t row = top; row < bottom; ++row) {
        const uint8_t* coverage = mask.coverage.data() + (row - y) * mask.width + (left - x);
        uint32_t* to = pixels_.data() + row * width_;
        for (int64_t column = left; column < right; ++column, ++coverage) {
            const uint32_t a = *coverage;
            if (a == 0) {
                continue;
            }
            const uint32_t old = to[column];
            const auto mix = [a](uint32_t from, uint32_t toward) {
                return (from * (255 - a) + toward * a + 127) / 255;
            };
            to[column] = (mix((old >> 16) & 0xFF, red) << 16) |
                         (mix((old >> 8) & 0xFF, green) << 8) | mix(old & 0xFF, blue);
        }
    }
}

void SoftwareScreen::DrawTextAtCursor(std::string_view text) {
    if (text.empty()) {
        return;
    }
    const int x = text_.cursorX;
    const int y = text_.cursorY;
    const uint32_t colour = text_.colour;
    const int width =
        !painting_
            ? fonts_.Measure(text_.font, text)
            : fonts_.Render(text_.font, text, x, 0, width_, [&](int offset, const TextMask& mask) {
                  if (text_.opaque) {
                      FillBox(x + offset, y, mask.width, mask.height, text_.backColour);
                  }
                  BlendMask(x + offset, y, mask, colour);
              });
    text_.cursorX = static_cast<int>(std::clamp<int64_t>(int64_t{x} + width, INT32_MIN, INT32_MAX));
}

}  // namespace vorn

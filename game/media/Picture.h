// A picture held in the screen's own pixel format, the format every sprite is
// converted to once at load so that drawing is a plain copy.
#pragma once

#include <cstdint>
#include <vector>

namespace vorn {

// Pictures larger than this are refused at load: no mod needs them and a
// forged header must not make us allocate gigabytes.
constexpr int kMaxPictureSide = 16384;
constexpr int64_t kMaxPictureBytes = int64_t{256} * 1024 * 1024;

// Pixels are 0xAARRGGBB words, rows top to bottom without padding. The alpha
// byte is 0xFF for a visible pixel and 0 for one the picture itself marks as
// see-through (a PNG pixel with alpha below one half); transparent display
// skips those as well as pixels of the transparent colour.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    bool Empty() const { return width <= 0 || height <= 0; }
};

constexpr uint32_t kOpaqueAlpha = 0xFF000000u;
constexpr uint32_t kRgbMask = 0x00FFFFFFu;

// True when a picture of this size passes the limits above.
constexpr bool PictureSizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height * 4 <= kMaxPictureBytes;
}

}  // namespace vorn

// The scaler works row by row: a target row is either a copy of the one
// above it (the same screen row enlarged again, a plain memcpy) or one screen
// row widened, by repeating each pixel when the width is a whole multiple
// and through a table of source columns otherwise.
#include "game/media/PixelScaler.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vorn {

namespace {

// The largest rectangle of the screen's aspect inside the window.
void FitSize(int screenWidth, int screenHeight, int windowWidth, int windowHeight, int& width,
             int& height) {
    // Compare windowWidth / windowHeight with screenWidth / screenHeight
    // without division.
    const int64_t wide = int64_t{windowWidth} * screenHeight;
    const int64_t tall = int64_t{windowHeight} * screenWidth;
    width = windowWidth;
    height = windowHeight;
    if (wide > tall) {  // bars left and right
        width = static_cast<int>(int64_t{windowHeight} * screenWidth / screenHeight);
    } else if (tall > wide) {  // bars above and below
        height = static_cast<int>(int64_t{windowWidth} * screenHeight / screenWidth);
    }
    width = std::max(width, 1);
    height = std::max(height, 1);
}

// The screen coordinate under the centre of target coordinate `at` when
// `from` pixels are spread over `to`.
int SourceOf(int at, int from, int to) {
    return static_cast<int>((int64_t{2} * at + 1) * from / (int64_t{2} * to));
}

// One screen row widened `factor` times.
void RepeatPixels(const uint32_t* in, int count, int factor, uint32_t* out) {
    switch (factor) {
        case 1:
            std::memcpy(out, in, static_cast<size_t>(count) * 4);
            return;
        case 2:
            for (int x = 0; x < count; ++x) {
                out[0] = out[1] = in[x];
                out += 2;
            }
            return;
        case 3:
            for (int x = 0; x < count; ++x) {
                out[0] = out[1] = out[2] = in[x];
                out += 3;
            }
            return;
        default:
            for (int x = 0; x < count; ++x) {
                std::fill_n(out, factor, in[x]);
                out += factor;
            }
    }
}

}  // namespace

PictureRect PlacePicture(ScalingRule rule, int screenWidth, int screenHeight, int windowWidth,
                         int windowHeight) {
    if (screenWidth <= 0 || screenHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) {
        return {};
    }
    int width = 0;
    int height = 0;
    const int wholeMultiple = std::min(windowWidth / screenWidth, windowHeight / screenHeight);
    if (rule == ScalingRule::Integer && wholeMultiple >= 1) {
        width = screenWidth * wholeMultiple;
        height = screenHeight * wholeMultiple;
    } else {
        FitSize(screenWidth, screenHeight, windowWidth, windowHeight, width, height);
    }
    return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

void ScalePixels(const uint32_t* screen, int screenWidth, int screenHeight, uint32_t* target,
                 int targetPitch, const PictureRect& picture) {
    if (screenWidth <= 0 || screenHeight <= 0 || picture.width <= 0 || picture.height <= 0) {
        return;
    }
    const int factor = picture.width % screenWidth == 0 ? picture.width / screenWidth : 0;
    std::vector<int> columns;
    if (factor == 0) {
        columns.resize(static_cast<size_t>(picture.width));
        for (int x = 0; x < picture.width; ++x) {
            columns[static_cast<size_t>(x)] = SourceOf(x, screenWidth, picture.width);
        }
    }
    const size_t rowBytes = static_cast<size_t>(picture.width) * 4;
    auto* first = reinterpret_cast<uint8_t*>(target) +
                  static_cast<size_t>(picture.y) * static_cast<size_t>(targetPitch) +
                  static_cast<size_t>(picture.x) * 4;
    const uint32_t* previousRow = nullptr;
    int previousSource = -1;
    for (int y = 0; y < picture.height; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(first + static_cast<size_t>(y) * targetPitch);
        const int source = SourceOf(y, screenHeight, picture.height);
        if (source == previousSource) {
            std::memcpy(out, previousRow, rowBytes);
            continue;
        }
        const uint32_t* in = screen + static_cast<size_t>(source) * screenWidth;
        if (factor != 0) {
            RepeatPixels(in, screenWidth, factor, out);
        } else {
            for (int x = 0; x < picture.width; ++x) {
                out[x] = in[columns[static_cast<size_t>(x)]];
            }
        }
        previousRow = out;
        previousSource = source;
    }
}

}  // namespace vorn

#include "tests/game/media/MediaTestFiles.h"

#include <png.h>

#include "common/PngEncoder.h"

namespace vorn::mediatest {

std::string RgbaPng(int width, int height, const std::vector<uint32_t>& argb) {
    PngImage spec;
    spec.width = width;
    spec.height = height;
    spec.colourType = PNG_COLOR_TYPE_RGBA;
    for (uint32_t pixel : argb) {
        spec.rows.push_back(static_cast<uint8_t>(pixel >> 16));
        spec.rows.push_back(static_cast<uint8_t>(pixel >> 8));
        spec.rows.push_back(static_cast<uint8_t>(pixel));
        spec.rows.push_back(static_cast<uint8_t>(pixel >> 24));
    }
    return EncodePng(spec);
}

std::string RgbPng(int width, int height, const std::vector<uint32_t>& rgb) {
    if (rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
        return {};
    }
    return EncodeRgbPng(width, height, rgb.data());
}

std::string Le32(uint32_t value) {
    std::string bytes(4, '\0');
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return bytes;
}

std::string Le16(uint16_t value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string Bmp24(int width, int height, const std::vector<uint32_t>& rgb) {
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const uint32_t imageSize = static_cast<uint32_t>(rowBytes * height);
    std::string bmp = "BM" + Le32(54 + imageSize) + Le32(0) + Le32(54);
    bmp += Le32(40) + Le32(width) + Le32(height) + Le16(1) + Le16(24) + Le32(0) + Le32(imageSize) +
           Le32(2835) + Le32(2835) + Le32(0) + Le32(0);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const uint32_t pixel = rgb[y * width + x];
            row += static_cast<char>(pixel & 0xFF);
            row += static_cast<char>((pixel >> 8) & 0xFF);
            row += static_cast<char>((pixel >> 16) & 0xFF);
        }
        row.resize(rowBytes, '\0');
        bmp += row;
    }
    return bmp;
}

std::string Wav8(int samples, int rate) {
    const auto size = static_cast<uint32_t>(samples);
    std::string wav = "RIFF" + Le32(36 + size) + "WAVE";
    wav += "fmt " + Le32(16) + Le16(1) + Le16(1) + Le32(rate) + Le32(rate) + Le16(1) + Le16(8);
    wav += "data" + Le32(size) + std::string(size, static_cast<char>(0x80));
    return wav;
}

}  // namespace vorn::mediatest

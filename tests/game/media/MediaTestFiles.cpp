#include "tests/game/media/MediaTestFiles.h"

#include <png.h>
#include <stdlib.h>

#include <csetjmp>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace vorn::mediatest {

namespace fs = std::filesystem;

ScratchDir::ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "vorn-media-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        std::perror("mkdtemp");
        std::abort();
    }
    path_ = buffer.data();
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

std::string ScratchDir::Write(const std::string& name, const std::string& bytes) const {
    const std::string path = PathOf(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

namespace {

void Append(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void NoFlush(png_structp) {}

bool Encode(png_structp png, png_infop info, const PngSpec& spec, std::string& out,
            std::vector<png_bytep>& rows, std::vector<png_color>& palette) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, &out, Append, NoFlush);
    png_set_IHDR(png, info, spec.width, spec.height, spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) {
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    if (!spec.paletteAlpha.empty()) {
        png_set_tRNS(png, info, spec.paletteAlpha.data(),
                     static_cast<int>(spec.paletteAlpha.size()), nullptr);
    }
    if (spec.idatChunkBytes != 0) {
        png_set_compression_buffer_size(png, spec.idatChunkBytes);
    }
    png_write_info(png, info);
    if (spec.bitDepth == 16) {
        png_set_swap(png);  // rows are given little-endian, like the machine
    }
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

std::string EncodePng(const PngSpec& spec) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    const size_t rowBytes = spec.rows.size() / spec.height;
    std::vector<png_bytep> rows(spec.height);
    for (int y = 0; y < spec.height; ++y) {
        rows[y] = const_cast<png_bytep>(spec.rows.data() + y * rowBytes);
    }
    std::vector<png_color> palette;
    for (uint32_t entry : spec.palette) {
        palette.push_back(png_color{static_cast<png_byte>(entry >> 16),
                                    static_cast<png_byte>(entry >> 8),
                                    static_cast<png_byte>(entry)});
    }
    std::string out;
    const bool ok = Encode(png, info, spec, out, rows, palette);
    png_destroy_write_struct(&png, &info);
    return ok ? out : std::string();
}

std::string RgbaPng(int width, int height, const std::vector<uint32_t>& argb) {
    PngSpec spec;
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
    PngSpec spec;
    spec.width = width;
    spec.height = height;
    spec.colourType = PNG_COLOR_TYPE_RGB;
    for (uint32_t pixel : rgb) {
        spec.rows.push_back(static_cast<uint8_t>(pixel >> 16));
        spec.rows.push_back(static_cast<uint8_t>(pixel >> 8));
        spec.rows.push_back(static_cast<uint8_t>(pixel));
    }
    return EncodePng(spec);
}

namespace {

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

}  // namespace

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

// PNG encoding through libpng into a string. Errors and warnings are silent:
// a failed encoding answers "" and the caller decides what to say.
#include "common/PngEncoder.h"

#include <png.h>

#include <csetjmp>

namespace vorn {

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void NoFlush(png_structp) {}

void SilentError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void SilentWarning(png_structp, png_const_charp) {}

// Runs under setjmp; everything it points into lives in the caller's frame.
bool Encode(png_structp png, png_infop info, const PngImage& image,
            const std::vector<png_bytep>& rows, const std::vector<png_color>& palette,
            std::string& out) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, &out, AppendBytes, NoFlush);
    if (image.compressionLevel != kDefaultPngCompression) {
        png_set_compression_level(png, image.compressionLevel);
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), image.bitDepth, image.colourType,
                 image.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) {
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    if (!image.paletteAlpha.empty()) {
        png_set_tRNS(png, info, image.paletteAlpha.data(),
                     static_cast<int>(image.paletteAlpha.size()), nullptr);
    }
    if (image.dataChunkBytes != 0) {
        png_set_compression_buffer_size(png, image.dataChunkBytes);
    }
    png_write_info(png, info);
    if (image.bitDepth == 16 && image.littleEndianSamples) {
        png_set_swap(png);
    }
    png_write_image(png, const_cast<png_bytepp>(rows.data()));
    png_write_end(png, nullptr);
    return true;
}

// Bytes of one packed row, or 0 for a colour type PNG does not have.
size_t RowBytes(const PngImage& image) {
    int channels = 0;
    switch (image.colourType) {
        case PNG_COLOR_TYPE_GRAY:
        case PNG_COLOR_TYPE_PALETTE:
            channels = 1;
            break;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            channels = 2;
            break;
        case PNG_COLOR_TYPE_RGB:
            channels = 3;
            break;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            channels = 4;
            break;
        default:
            return 0;
    }
    const size_t bits = static_cast<size_t>(image.width) * channels * image.bitDepth;
    return (bits + 7) / 8;
}

}  // namespace

std::string EncodePng(const PngImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.bitDepth <= 0) {
        return {};
    }
    const size_t rowBytes = RowBytes(image);
    if (rowBytes == 0 || image.rows.size() != rowBytes * static_cast<size_t>(image.height)) {
        return {};
    }
    std::vector<png_bytep> rows(static_cast<size_t>(image.height));
    for (size_t y = 0; y < rows.size(); ++y) {
        rows[y] = const_cast<png_bytep>(image.rows.data() + y * rowBytes);
    }
    std::vector<png_color> palette;
    for (uint32_t entry : image.palette) {
        palette.push_back(png_color{static_cast<png_byte>(entry >> 16),
                                    static_cast<png_byte>(entry >> 8),
                                    static_cast<png_byte>(entry)});
    }
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, SilentError, SilentWarning);
    if (png == nullptr) {
        return {};
    }
    png_infop info = png_create_info_struct(png);
    std::string out;
    const bool encoded = info != nullptr && Encode(png, info, image, rows, palette, out);
    png_destroy_write_struct(&png, &info);
    return encoded ? out : std::string();
}

std::string EncodeRgbPng(int width, int height, const uint32_t* pixels, int compressionLevel) {
    if (pixels == nullptr || width <= 0 || height <= 0) {
        return {};
    }
    PngImage image;
    image.width = width;
    image.height = height;
    image.compressionLevel = compressionLevel;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    image.rows.resize(count * 3);
    for (size_t i = 0; i < count; ++i) {
        image.rows[i * 3 + 0] = static_cast<uint8_t>(pixels[i] >> 16);
        image.rows[i * 3 + 1] = static_cast<uint8_t>(pixels[i] >> 8);
        image.rows[i * 3 + 2] = static_cast<uint8_t>(pixels[i]);
    }
    return EncodePng(image);
}

}  // namespace vorn

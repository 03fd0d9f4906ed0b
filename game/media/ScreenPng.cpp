// PNG encoding with libpng into memory, then one atomic file write.
#include "game/media/ScreenPng.h"

#include <png.h>

#include <csetjmp>
#include <vector>

#include "common/FileIO.h"

namespace vorn {

namespace {

void AppendPngBytes(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<char*>(data), length);
}

void NoFlush(png_structp) {}

void SilentError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void SilentWarning(png_structp, png_const_charp) {}

// Runs under setjmp; the row buffer and output live in the caller's frame.
bool EncodeRows(png_structp png, png_infop info, std::string& out, const uint32_t* pixels,
                int width, int height, png_bytep row) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_write_fn(png, &out, AppendPngBytes, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const uint32_t* source = pixels + static_cast<size_t>(y) * width;
        for (int x = 0; x < width; ++x) {
            row[x * 3 + 0] = static_cast<png_byte>(source[x] >> 16);
            row[x * 3 + 1] = static_cast<png_byte>(source[x] >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(source[x]);
        }
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

}  // namespace

bool WriteScreenPng(const std::string& path, const uint32_t* pixels, int width, int height) {
    if (pixels == nullptr || width <= 0 || height <= 0) {
        return false;
    }
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, SilentError, SilentWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    std::string out;
    std::vector<png_byte> row(static_cast<size_t>(width) * 3);
    const bool encoded =
        info != nullptr && EncodeRows(png, info, out, pixels, width, height, row.data());
    png_destroy_write_struct(&png, &info);
    return encoded && WriteFileAtomically(path, out);
}

}  // namespace vorn

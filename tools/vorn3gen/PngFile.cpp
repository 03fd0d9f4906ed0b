// PNG writing through libpng into memory, and the output folder.
#include "tools/vorn3gen/PngFile.h"

#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

namespace vorn3gen {

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::string*>(png_get_io_ptr(png));
    out->append(reinterpret_cast<const char*>(data), length);
}

void NoFlush(png_structp) {}

}  // namespace

std::string EncodePng(const Canvas& canvas, bool transparentAsAlpha) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return {};
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return {};
    }
    const int channels = transparentAsAlpha ? 4 : 3;
    std::vector<png_byte> rows(static_cast<size_t>(canvas.Width()) * canvas.Height() * channels);
    for (int y = 0; y < canvas.Height(); ++y)
        for (int x = 0; x < canvas.Width(); ++x) {
            const Colour c = canvas.Get(x, y);
            png_byte* p = &rows[(static_cast<size_t>(y) * canvas.Width() + x) * channels];
            p[0] = static_cast<png_byte>(c >> 16);
            p[1] = static_cast<png_byte>(c >> 8);
            p[2] = static_cast<png_byte>(c);
            if (transparentAsAlpha)
                p[3] = c == kTransparent ? 0 : 255;
        }
    std::vector<png_bytep> rowPointers(static_cast<size_t>(canvas.Height()));
    for (int y = 0; y < canvas.Height(); ++y)
        rowPointers[static_cast<size_t>(y)] =
            &rows[static_cast<size_t>(y) * canvas.Width() * channels];

    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendBytes, NoFlush);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(canvas.Width()),
                 static_cast<png_uint_32>(canvas.Height()), 8,
                 transparentAsAlpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_rows(png, info, rowPointers.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

bool Output::Write(const std::string& relativePath, const std::string& bytes) {
    namespace fs = std::filesystem;
    const fs::path target = fs::path(root_) / relativePath;
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    if (bytes.empty() || !file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        std::fprintf(stderr, "vorn3gen: cannot write %s\n", target.string().c_str());
        ++failures_;
        return false;
    }
    ++written_;
    return true;
}

}  // namespace vorn3gen

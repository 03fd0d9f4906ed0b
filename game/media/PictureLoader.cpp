// PNG decoding calls libpng directly (errors come back through setjmp);
// Windows bitmaps go through SDL's reader after a header check of our own.
#include "game/media/PictureLoader.h"

#include <SDL.h>
#include <png.h>

#include <csetjmp>
#include <cstring>
#include <filesystem>

#include "common/FileIO.h"

namespace vorn {

namespace {

constexpr png_uint_32 kMaxAncillaryChunks = 128;
constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1024 * 1024;

// The PNG bytes being decoded and how far libpng has read.
struct PngSource {
    const unsigned char* data;
    size_t size;
    size_t position;
};

void ReadPngBytes(png_structp png, png_bytep target, png_size_t length) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (length > source->size - source->position) {
        png_error(png, "truncated");
    }
    std::memcpy(target, source->data + source->position, length);
    source->position += length;
}

// libpng prints to stderr by default; a corrupt mod picture is not worth a
// console message, it simply does not load.
void SilentPngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void SilentPngWarning(png_structp, png_const_charp) {}

// The two steps below are the only code that runs under libpng's setjmp.
// They own no C++ object with a destructor, so the longjmp of an error skips
// nothing; the buffers live in the caller's frame.

// Reads the header and sets up the conversion of every colour type to 8-bit
// RGBA. False when the header is corrupt or the picture too large.
bool ReadPngHeader(png_structp png, png_infop info, PngSource& source, png_uint_32& width,
                   png_uint_32& height) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_read_fn(png, &source, ReadPngBytes);
    png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
    // Text and profile chunks can be compressed bombs; a sprite needs none.
    png_set_chunk_cache_max(png, kMaxAncillaryChunks);
    png_set_chunk_malloc_max(png, kMaxChunkBytes);
    png_read_info(png, info);

    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    if (!PictureSizeAllowed(width, height)) {
        return false;
    }
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_set_tRNS_to_alpha(png);
    }
    if (bitDepth == 16) {
        png_set_strip_16(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == static_cast<size_t>(width) * 4;
}

bool ReadPngImage(png_structp png, png_bytepp rows) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_image(png, rows);
    png_read_end(png, nullptr);
    return true;
}

}  // namespace

bool DecodePng(std::string_view bytes, Picture& out) {
    if (bytes.size() < 8 || png_sig_cmp(reinterpret_cast<png_const_bytep>(bytes.data()), 0, 8)) {
        return false;
    }
    png_structp png =
        png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, SilentPngError, SilentPngWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return false;
    }
    PngSource source{reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), 0};
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    std::vector<uint32_t> rgba;
    std::vector<png_bytep> rows;
    bool decoded = ReadPngHeader(png, info, source, width, height);
    if (decoded) {
        rgba.resize(static_cast<size_t>(width) * height);
        rows.resize(height);
        for (png_uint_32 y = 0; y < height; ++y) {
            rows[y] = reinterpret_cast<png_bytep>(rgba.data() + static_cast<size_t>(y) * width);
        }
        decoded = ReadPngImage(png, rows.data());
    }
    png_destroy_read_struct(&png, &info, nullptr);
    if (!decoded) {
        return false;
    }

    // libpng wrote bytes R, G, B, A; the screen wants 0xAARRGGBB words.
    for (uint32_t& pixel : rgba) {
        const auto* p = reinterpret_cast<const unsigned char*>(&pixel);
        const uint32_t alpha = p[3] >= 128 ? kOpaqueAlpha : 0;
        pixel = alpha | (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    }
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(height);
    out.pixels = std::move(rgba);
    return true;
}

namespace {

uint32_t ReadLe32(std::string_view bytes, size_t at) {
    return uint32_t{static_cast<unsigned char>(bytes[at])} |
           (uint32_t{static_cast<unsigned char>(bytes[at + 1])} << 8) |
           (uint32_t{static_cast<unsigned char>(bytes[at + 2])} << 16) |
           (uint32_t{static_cast<unsigned char>(bytes[at + 3])} << 24);
}

uint32_t ReadLe16(std::string_view bytes, size_t at) {
    return uint32_t{static_cast<unsigned char>(bytes[at])} |
           (uint32_t{static_cast<unsigned char>(bytes[at + 1])} << 8);
}

// The picture size from the bitmap's own header, checked before SDL sees the
// file so that a forged size cannot make it allocate a huge surface.
bool BmpSizeAllowed(std::string_view bytes) {
    constexpr size_t kFileHeaderSize = 14;
    if (bytes.size() < kFileHeaderSize + 12) {
        return false;
    }
    const uint32_t infoSize = ReadLe32(bytes, kFileHeaderSize);
    int64_t width = 0;
    int64_t height = 0;
    if (infoSize == 12) {  // the old OS/2 header with 16-bit sizes
        width = ReadLe16(bytes, 18);
        height = ReadLe16(bytes, 20);
    } else if (infoSize >= 16 && bytes.size() >= kFileHeaderSize + 16) {
        width = static_cast<int32_t>(ReadLe32(bytes, 18));
        height = static_cast<int32_t>(ReadLe32(bytes, 22));
        if (height < 0) {  // a negative height means rows stored top-down
            height = -height;
        }
    } else {
        return false;
    }
    return PictureSizeAllowed(width, height);
}

}  // namespace

bool DecodeBmp(std::string_view bytes, Picture& out) {
    if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M' || !BmpSizeAllowed(bytes)) {
        return false;
    }
    SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (stream == nullptr) {
        return false;
    }
    SDL_Surface* loaded = SDL_LoadBMP_RW(stream, 1);
    if (loaded == nullptr) {
        return false;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (converted == nullptr) {
        return false;
    }
    bool ok = PictureSizeAllowed(converted->w, converted->h) && SDL_LockSurface(converted) == 0;
    if (ok) {
        out.width = converted->w;
        out.height = converted->h;
        out.pixels.resize(static_cast<size_t>(out.width) * out.height);
        for (int y = 0; y < out.height; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const unsigned char*>(converted->pixels) +
                static_cast<size_t>(y) * converted->pitch);
            uint32_t* target = out.pixels.data() + static_cast<size_t>(y) * out.width;
            // Bitmaps have no see-through pixels of their own: every pixel is visible.
            for (int x = 0; x < out.width; ++x) {
                target[x] = row[x] | kOpaqueAlpha;
            }
        }
        SDL_UnlockSurface(converted);
    }
    SDL_FreeSurface(converted);
    return ok;
}

bool ReadFileUpTo(const std::string& path, size_t maxBytes, std::string& bytes) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > maxBytes) {
        return false;
    }
    return ReadWholeFile(path, bytes) && bytes.size() <= maxBytes;
}

bool LoadPictureFile(const std::string& path, Picture& out) {
    std::string bytes;
    if (!ReadFileUpTo(path, kMaxSpriteFileBytes, bytes)) {
        return false;
    }
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        return DecodeBmp(bytes, out);
    }
    return DecodePng(bytes, out);
}

}  // namespace vorn

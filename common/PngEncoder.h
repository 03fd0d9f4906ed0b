// Encoding pictures as PNG files in memory: the one encoder behind every PNG
// the programs and tests write (screenshots, the bundled game's pictures,
// test pictures of every colour type).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vorn {

// zlib's own default compression level.
constexpr int kDefaultPngCompression = -1;

// A picture in libpng's input layout for its colour type and bit depth: rows
// packed one after another, no filter byte. The colour type and bit depth are
// PNG's own numbers (2 and 8 is 8-bit RGB).
struct PngImage {
    int width = 1;
    int height = 1;
    int colourType = 2;
    int bitDepth = 8;
    bool interlaced = false;
    std::vector<uint8_t> rows;
    std::vector<uint32_t> palette;      // 0xRRGGBB entries, for palette pictures
    std::vector<uint8_t> paletteAlpha;  // the tRNS chunk of a palette picture
    // 16-bit samples are given least significant byte first, as the machine
    // stores them, and swapped on writing.
    bool littleEndianSamples = false;
    size_t dataChunkBytes = 0;  // 0: libpng's usual 8 KB image data chunks
    int compressionLevel = kDefaultPngCompression;
};

// The file's bytes; "" when the picture does not fit its description (rows
// of the wrong length, a size of 0) or libpng refuses it.
std::string EncodePng(const PngImage& image);

// An 8-bit RGB picture of `width` x `height` words 0xXXRRGGBB, row by row
// (the top byte is ignored).
std::string EncodeRgbPng(int width, int height, const uint32_t* pixels,
                         int compressionLevel = kDefaultPngCompression);

}  // namespace vorn

// Test files for the media layer tests, all made here: PNG files (through the
// shared encoder), Windows bitmaps and WAVE files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace vorn::mediatest {

// An 8-bit RGBA PNG from 0xAARRGGBB pixels, row by row.
std::string RgbaPng(int width, int height, const std::vector<uint32_t>& argb);
// An opaque RGB PNG from 0xRRGGBB pixels.
std::string RgbPng(int width, int height, const std::vector<uint32_t>& rgb);

// A bottom-up 24-bit Windows bitmap from 0xRRGGBB pixels.
std::string Bmp24(int width, int height, const std::vector<uint32_t>& rgb);

// Little-endian bytes of a number, as RIFF and bitmap headers store them.
std::string Le32(uint32_t value);
std::string Le16(uint16_t value);

// A PCM WAVE file: `samples` frames of 8-bit mono at `rate` samples a second.
std::string Wav8(int samples, int rate = 22050);

}  // namespace vorn::mediatest

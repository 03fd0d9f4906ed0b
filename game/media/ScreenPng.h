// Saving a screen as a PNG file, for tests and screenshots.
#pragma once

#include <cstdint>
#include <string>

namespace vorn {

// Writes `width` x `height` pixels of 0xXXRRGGBB words as an RGB PNG; false
// when encoding or writing failed (no partial file is left behind).
bool WriteScreenPng(const std::string& path, const uint32_t* pixels, int width, int height);

}  // namespace vorn

// Decoding of sprite files into pictures: Windows bitmaps (files starting
// with "BM") and PNG (everything else). Every file is untrusted: a missing,
// empty, truncated or corrupt file, or one whose picture exceeds the size
// limits, gives false and never reads outside the file's bytes.
#pragma once

#include <string>
#include <string_view>

#include "game/media/Picture.h"

namespace vorn {

// Files above this size are not even read.
constexpr size_t kMaxSpriteFileBytes = size_t{256} * 1024 * 1024;

// Reads a whole file of at most `maxBytes`; false when it is missing, not a
// regular file or larger (a larger file is not read at all).
bool ReadFileUpTo(const std::string& path, size_t maxBytes, std::string& bytes);

bool LoadPictureFile(const std::string& path, Picture& out);

bool DecodePng(std::string_view bytes, Picture& out);
bool DecodeBmp(std::string_view bytes, Picture& out);

}  // namespace vorn

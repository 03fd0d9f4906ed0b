// One fuzz target body shared by the mod files read at start-up: the input
// replaces one file of a copy of the bundled mod, the game starts up, begins
// a new game and plays a few frames.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vorn::fuzz {

// The input is "<file bytes>|||<key bytes>": the file replaces
// `relativePath` of the mod copy; each key byte chooses the keys of a frame.
int FuzzOneModFile(const char* relativePath, const uint8_t* data, size_t size);

}  // namespace vorn::fuzz

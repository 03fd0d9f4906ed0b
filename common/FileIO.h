// Whole-file reading and crash-safe writing, shared by the game's saved games
// and the tools' definition files.
#pragma once

#include <string>

namespace vorn {

// Reads the file's bytes into `bytes`; false when it cannot be opened or is
// not a regular file.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// Writes `bytes` to a temporary file beside `path` and renames it over `path`
// only once it was written and flushed completely, so a failed write leaves
// the previous file whole. False when anything failed (the temporary file is
// removed again).
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace vorn

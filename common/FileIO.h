// Whole-file reading and crash-safe writing, shared by the game's saved games
// and the tools' definition files.
#pragma once

#include <string>

namespace vorn {

// Reads the file's bytes into `bytes`; false when it cannot be opened or is
// not a regular file.
bool ReadWholeFile(const std::string& path, std::string& bytes);

// What a write that replaces a file's bytes did.
struct FileWriteResult {
    // 0 when every byte reached the file, else the errno of the step that
    // failed (for strerror).
    int error = 0;
    // Where a copy of the old bytes was left because the file could neither
    // take the new bytes nor get the old ones back; empty otherwise.
    std::string keptCopy;

    bool Ok() const { return error == 0; }
};

// Writes `bytes` to a temporary file beside `path` and renames it over `path`
// only once it was written and flushed completely, so a failed write leaves
// the previous file whole. The temporary file is removed after a failure.
FileWriteResult ReplaceFileAtomically(const std::string& path, const std::string& bytes);

// ReplaceFileAtomically, reduced to whether it succeeded.
bool WriteFileAtomically(const std::string& path, const std::string& bytes);

// Overwrites the existing regular file `path` itself, for a folder that
// takes no new files. A copy of the old bytes goes to the temporary folder
// first (where it can be made), so a program stopped half-way leaves them
// somewhere; a write that fails half-way puts the old bytes back. The copy
// is removed unless it is the only place the old bytes are left.
FileWriteResult ReplaceFileInPlace(const std::string& path, const std::string& bytes);

}  // namespace vorn

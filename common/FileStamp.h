// What a file looked like on disk the last time a program read it: enough to
// tell, cheaply and without reading it, whether it has been changed since.
#pragma once

#include <cstdint>
#include <string>

namespace vorn {

struct FileStamp {
    // False for a missing file or anything that is not a regular file.
    bool exists = false;
    int64_t modified = 0;  // the file system's modification time, in its own ticks
    uint64_t size = 0;

    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Never throws: a file that cannot be looked at reads as missing.
FileStamp ReadFileStamp(const std::string& path);

}  // namespace vorn

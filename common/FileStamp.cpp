// A file's modification time and size, through std::filesystem.
#include "common/FileStamp.h"

#include <filesystem>
#include <system_error>

namespace vorn {

FileStamp ReadFileStamp(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    FileStamp stamp;
    if (!fs::is_regular_file(path, error) || error) {
        return stamp;
    }
    const auto modified = fs::last_write_time(path, error);
    if (error) {
        return stamp;
    }
    const auto size = fs::file_size(path, error);
    if (error) {
        return stamp;
    }
    stamp.exists = true;
    stamp.modified = static_cast<int64_t>(modified.time_since_epoch().count());
    stamp.size = size;
    return stamp;
}

}  // namespace vorn

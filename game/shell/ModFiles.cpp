// Listing and hashing the files of a mod folder.
#include "game/shell/ModFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/ContentHash.h"
#include "common/FileIO.h"

namespace vorn {

namespace {

namespace fs = std::filesystem;

// Folders at the top of a mod that the game writes into.
bool IsGameOutput(const std::string& relative) {
    return relative.rfind("saves/", 0) == 0 || relative.rfind("screenshots/", 0) == 0;
}

}  // namespace

std::optional<std::vector<std::string>> ListModFiles(const std::string& folder) {
    std::error_code error;
    fs::recursive_directory_iterator it(folder, error);
    if (error) {
        return std::nullopt;
    }
    std::vector<std::string> files;
    for (; it != fs::recursive_directory_iterator(); it.increment(error)) {
        if (error) {
            return std::nullopt;
        }
        if (!it->is_regular_file(error)) {
            continue;
        }
        std::string relative = it->path().lexically_relative(folder).generic_string();
        if (!IsGameOutput(relative)) {
            files.push_back(std::move(relative));
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string HashModFolder(const std::string& folder, const std::string& recording) {
    const std::optional<std::vector<std::string>> files = ListModFiles(folder);
    if (!files) {
        return {};
    }
    std::error_code error;
    const std::string leftOut = recording.empty()
                                    ? std::string()
                                    : fs::weakly_canonical(recording, error)
                                          .lexically_relative(fs::weakly_canonical(folder, error))
                                          .generic_string();
    ContentHash hash;
    for (const std::string& relative : *files) {
        if (relative == leftOut) {
            continue;
        }
        std::string bytes;
        ReadWholeFile((fs::path(folder) / relative).string(), bytes);
        // Lengths keep one file's path or bytes from running into the next.
        hash.Add(std::to_string(relative.size()) + ":" + relative);
        hash.Add(std::to_string(bytes.size()) + ":");
        hash.Add(bytes);
    }
    return hash.Hex();
}

}  // namespace vorn

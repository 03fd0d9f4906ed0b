// The files of a mod folder as the developer mode and recordings see them:
// everything below the folder except what the game itself writes there.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vorn {

// The relative paths ('/' between folders, sorted) of every regular file
// below `folder`, leaving out "saves/" and "screenshots/"; nothing when the
// folder cannot be listed.
std::optional<std::vector<std::string>> ListModFiles(const std::string& folder);

// The fingerprint a recording carries: a hash over the paths and contents of
// ListModFiles (a file that cannot be read counts by its path alone), as 16
// hexadecimal digits; "" when the folder cannot be listed. The file
// `recording`, when it lies in the folder, does not count.
std::string HashModFolder(const std::string& folder, const std::string& recording = "");

}  // namespace vorn

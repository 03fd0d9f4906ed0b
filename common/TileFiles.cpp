// The tile pictures of a folder and their names.
#include "common/TileFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/TextPrimitives.h"

namespace vorn {

namespace {

// The "*.png" pattern ignores case, as the directory listing it comes from
// does on the platform the mod files were made on.
bool HasPngExtension(const std::string& fileName) {
    if (fileName.size() < 4)
        return false;
    const std::string ending = UpperCaseText(fileName.substr(fileName.size() - 4));
    return ending == ".PNG";
}

}  // namespace

std::string TileNameFromFile(const std::string& fileName) {
    std::string name;
    size_t from = 0;
    for (size_t at = fileName.find(".png"); at != std::string::npos;
         at = fileName.find(".png", from)) {
        name.append(fileName, from, at - from);
        from = at + 4;
    }
    name.append(fileName, from, std::string::npos);
    return std::string(TrimSpaces(name));
}

std::vector<std::string> ListTilePictureFiles(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return names;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        if (error)
            break;
        std::error_code typeError;
        if (!it->is_regular_file(typeError))
            continue;
        std::string name = it->path().filename().string();
        if (HasPngExtension(name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace vorn

#include "tests/support/TempFolder.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vorn::test {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "vorn-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        // Without its folder no test that writes files can run at all.
        std::perror("mkdtemp");
        std::abort();
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string TempFolder::PathOf(const std::string& relativePath) const {
    return path_ + "/" + relativePath;
}

std::string TempFolder::Write(const std::string& relativePath, const std::string& bytes) const {
    const fs::path target = PathOf(relativePath);
    std::error_code ignored;
    fs::create_directories(target.parent_path(), ignored);
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return target.string();
}

std::string TempFolder::Read(const std::string& relativePath) const {
    std::ifstream in(PathOf(relativePath), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool TempFolder::Exists(const std::string& relativePath) const {
    return fs::exists(PathOf(relativePath));
}

}  // namespace vorn::test

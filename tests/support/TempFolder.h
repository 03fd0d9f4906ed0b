// The temporary folder every test that writes files works in.
#pragma once

#include <string>

namespace vorn::test {

// A fresh folder under the system's temporary directory, removed with
// everything in it when the object goes away (write permission is given
// back first, for tests that take it away).
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Path() + "/" + relativePath.
    std::string PathOf(const std::string& relativePath) const;
    // Writes `bytes` to PathOf(relativePath), creating folders, and returns
    // that path.
    std::string Write(const std::string& relativePath, const std::string& bytes) const;
    // The file's bytes, "" when it cannot be read.
    std::string Read(const std::string& relativePath) const;
    bool Exists(const std::string& relativePath) const;

private:
    std::string path_;
};

}  // namespace vorn::test

#include "common/FileIO.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

namespace vorn {

bool ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.append(buffer, got);
    }
    const bool ok = std::ferror(file) == 0;
    std::fclose(file);
    if (!ok) {
        bytes.clear();
    }
    return ok;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    ok = fsync(fileno(file)) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (ok) {
        ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    }
    if (!ok) {
        std::remove(temporary.c_str());
    }
    return ok;
}

}  // namespace vorn

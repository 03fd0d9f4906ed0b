#include "common/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace vorn {

namespace {

// The errno of a step that failed; EIO where the step failed without one.
int LastError() {
    return errno != 0 ? errno : EIO;
}

// Writes every byte at the start of the open file and cuts it to that
// length; 0 or the errno of the failing call.
int OverwriteFile(int file, const std::string& bytes) {
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t step = pwrite(file, bytes.data() + written, bytes.size() - written,
                                    static_cast<off_t>(written));
        if (step < 0 && errno == EINTR) {
            continue;
        }
        if (step <= 0) {
            return step < 0 ? LastError() : EIO;
        }
        written += static_cast<size_t>(step);
    }
    if (ftruncate(file, static_cast<off_t>(bytes.size())) != 0 || fsync(file) != 0) {
        return LastError();
    }
    return 0;
}

// A new file in the temporary folder holding `bytes`; "" when none could be
// written.
std::string CopyToTemporaryFolder(const std::string& path, const std::string& bytes) {
    std::error_code noFolder;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(noFolder);
    if (noFolder) {
        return "";
    }
    std::string copy =
        (folder / (std::filesystem::path(path).filename().string() + ".backup-XXXXXX")).string();
    const int file = mkstemp(copy.data());
    if (file < 0) {
        return "";
    }
    const bool written = OverwriteFile(file, bytes) == 0;
    if (close(file) != 0 || !written) {
        std::remove(copy.c_str());
        return "";
    }
    return copy;
}

}  // namespace

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

FileWriteResult ReplaceFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".tmp" + std::to_string(getpid());
    errno = 0;
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        return {LastError(), ""};
    }
    int error = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fflush(file) != 0 || fsync(fileno(file)) != 0) {
        error = LastError();
    }
    if (std::fclose(file) != 0 && error == 0) {
        error = LastError();
    }
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = LastError();
    }
    if (error != 0) {
        std::remove(temporary.c_str());
    }
    return {error, ""};
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    return ReplaceFileAtomically(path, bytes).Ok();
}

FileWriteResult ReplaceFileInPlace(const std::string& path, const std::string& bytes) {
    std::string oldBytes;
    errno = 0;
    if (!ReadWholeFile(path, oldBytes)) {
        return {LastError(), ""};
    }
    const int file = open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (file < 0) {
        return {LastError(), ""};
    }
    const std::string copy = CopyToTemporaryFolder(path, oldBytes);
    FileWriteResult result{OverwriteFile(file, bytes), ""};
    const bool restored = result.Ok() || OverwriteFile(file, oldBytes) == 0;
    close(file);
    if (!restored) {
        result.keptCopy = copy;
    } else if (!copy.empty()) {
        std::remove(copy.c_str());
    }
    return result;
}

}  // namespace vorn

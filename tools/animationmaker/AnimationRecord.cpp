// Building the animations.ini record and appending it to the file.
#include "tools/animationmaker/AnimationRecord.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/TextPrimitives.h"

namespace vorn::animationmaker {

int32_t DrawStageFromPosition(int position) {
    return position < 0 ? 0 : position + 1;
}

std::string ImageFileName(std::string_view path) {
    const size_t separator = path.rfind('/');
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string FormatAnimationRecord(const AnimationRecord& record) {
    return record.name + "," + record.imageFile + "," + IntToText(record.frameCount) + "," +
           IntToText(record.frameWidth) + "," + IntToText(record.framesPerSecond) + "," +
           IntToText(record.drawStage);
}

AppendResult AppendAnimationRecord(const std::string& path, const AnimationRecord& record) {
    // Append mode writes at the end even if something else grew the file.
    // Opening does not wait (a named pipe in the mod folder would block a
    // plain open forever), and only a regular file is written.
    const int file =
        open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (file < 0) {
        return {AppendStatus::kOpenFailed, errno};
    }
    struct stat info {};
    if (fstat(file, &info) != 0 || !S_ISREG(info.st_mode)) {
        // A pipe or a device would swallow the record.
        close(file);
        return {AppendStatus::kOpenFailed, EINVAL};
    }
    const std::string bytes = "\r\n" + FormatAnimationRecord(record);
    size_t written = 0;
    int error = 0;
    while (written < bytes.size() && error == 0) {
        const ssize_t step = write(file, bytes.data() + written, bytes.size() - written);
        if (step < 0 && errno == EINTR) {
            continue;
        }
        if (step <= 0) {
            error = step < 0 ? errno : EIO;
        } else {
            written += static_cast<size_t>(step);
        }
    }
    if (close(file) != 0 && error == 0) {
        error = errno;
    }
    return error == 0 ? AppendResult{} : AppendResult{AppendStatus::kWriteFailed, error};
}

}  // namespace vorn::animationmaker

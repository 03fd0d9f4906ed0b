// Building the animations.ini record and appending it to the file.
#include "tools/animationmaker/AnimationRecord.h"

#include <cstdio>

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
    FILE* file = std::fopen(path.c_str(), "ab");
    if (file == nullptr) {
        return AppendResult::kOpenFailed;
    }
    const std::string bytes = "\r\n" + FormatAnimationRecord(record);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fclose(file) == 0 && ok;
    return ok ? AppendResult::kAppended : AppendResult::kWriteFailed;
}

}  // namespace vorn::animationmaker

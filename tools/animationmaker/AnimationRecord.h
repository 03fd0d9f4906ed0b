// One animations.ini definition as the animation creator builds it, and the
// append that adds it to a mod folder's file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn::animationmaker {

struct AnimationRecord {
    // In the game's code page, as .ani files and scripts name it.
    std::string name;
    std::string imageFile;
    int32_t frameCount = 0;
    int32_t frameWidth = 0;
    int32_t framesPerSecond = 0;
    int32_t drawStage = 0;
};

// The draw stage written for a position of the stage list; no choice (-1)
// gives 0.
int32_t DrawStageFromPosition(int position);

// The file part of a path: everything after the last "/".
std::string ImageFileName(std::string_view path);

// The six fields joined by "," without blanks and without a line end. Nothing
// is checked: a comma in the name is written as it is.
std::string FormatAnimationRecord(const AnimationRecord& record);

enum class AppendStatus {
    kAppended,
    kOpenFailed,   // the file could neither be opened nor created
    kWriteFailed,  // opened, but the bytes did not all reach it
};

struct AppendResult {
    AppendStatus status = AppendStatus::kAppended;
    // The errno of the step that failed (for strerror); 0 when appended.
    int error = 0;
};

// Adds CR LF and then the record, without a line end after it, at the end of
// `path`, creating the file when it does not exist. The file is never read,
// so a file that does not end with a line end still gets the record on a new
// line, and a new file starts with an empty line.
AppendResult AppendAnimationRecord(const std::string& path, const AnimationRecord& record);

}  // namespace vorn::animationmaker

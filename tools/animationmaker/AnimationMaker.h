// The animation creator's run from start to end: which questions it asks, in
// which order, and what it appends. The questions themselves are asked
// through AnimationQuestions, so the run can be tested without a window.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "tools/animationmaker/AnimationRecord.h"

namespace vorn::animationmaker {

inline constexpr char kQuestionTitle[] = "Create Animation";
inline constexpr char kFolderPrompt[] = "Choose the folder of the VornEngine mod...";
inline constexpr char kInitialFolder[] = "./vorn3";
inline constexpr char kImagePrompt[] = "Choose the animation image...";
inline constexpr char kNamePrompt[] = "Enter the name for this animation:";
inline constexpr char kFrameCountPrompt[] = "Enter the number of frames:";
inline constexpr char kFrameWidthPrompt[] = "Enter the frame width:";
inline constexpr char kRatePrompt[] = "Enter the frames per second:";
inline constexpr char kDrawStageTitle[] = "Choose Draw Stage";
// The first line of the message when the record was not appended; the file's
// path and the reason follow on the next line.
inline constexpr char kOpenFailedText[] = "Couldn't open animations.ini";
inline constexpr char kWriteFailedText[] = "Couldn't write animations.ini";

// The stage list's items; position n writes stage n + 1.
inline constexpr std::array<const char*, 4> kDrawStageItems = {
    "After Ground (1)",
    "After BG Tiles and Items (2)",
    "After FG1 Tiles and Monsters/Player (3)",
    "After FG2 Tiles (4)",
};

class AnimationQuestions {
public:
    virtual ~AnimationQuestions() = default;
    // A folder; "" when the user cancelled.
    virtual std::string ChooseFolder(const std::string& prompt, const std::string& initial) = 0;
    // An existing file; "" when the user cancelled.
    virtual std::string ChooseImage(const std::string& prompt, const std::string& initialPath) = 0;
    // One line of text, the initial text already in the box.
    virtual std::string AskText(const std::string& title, const std::string& prompt,
                                const std::string& initial) = 0;
    // The chosen position of the stage list once its window is closed; -1
    // when nothing was chosen.
    virtual int ChooseDrawStage() = 0;
    virtual void ShowMessage(const std::string& title, const std::string& text) = 0;
};

enum class MakerOutcome {
    kCancelled,  // no folder or no image: nothing was touched
    kAppended,
    kNotWritten,  // the file could not be opened or written; the user was told why
};

// `arguments` are the command-line parameters after the program name; only
// the first two are read (mod folder, image path), and empty ones count as
// missing.
MakerOutcome RunAnimationMaker(const std::vector<std::string>& arguments,
                               AnimationQuestions& questions);

}  // namespace vorn::animationmaker

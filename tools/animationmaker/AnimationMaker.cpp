// The animation creator's questions in order and the append at the end.
#include "tools/animationmaker/AnimationMaker.h"

#include <cstring>

#include "common/CodePage1252.h"
#include "common/TextPrimitives.h"

namespace vorn::animationmaker {

namespace {

std::string Argument(const std::vector<std::string>& arguments, size_t index) {
    return index < arguments.size() ? arguments[index] : std::string();
}

}  // namespace

MakerOutcome RunAnimationMaker(const std::vector<std::string>& arguments,
                               AnimationQuestions& questions) {
    std::string modFolder = Argument(arguments, 0);
    if (modFolder.empty()) {
        modFolder = questions.ChooseFolder(kFolderPrompt, kInitialFolder);
        if (modFolder.empty()) {
            return MakerOutcome::kCancelled;
        }
    }
    std::string imagePath = Argument(arguments, 1);
    if (imagePath.empty()) {
        imagePath = questions.ChooseImage(kImagePrompt, modFolder);
        if (imagePath.empty()) {
            return MakerOutcome::kCancelled;
        }
    }

    AnimationRecord record;
    record.imageFile = ImageFileName(imagePath);
    // Typed as UTF-8; stored in the game's code page, as the monster editor
    // stores names, so .ani files and scripts that name it match.
    record.name = LenientUtf8TextToCp1252(questions.AskText(kQuestionTitle, kNamePrompt, ""));
    record.frameCount = TextToInt(questions.AskText(kQuestionTitle, kFrameCountPrompt, "0"));
    record.frameWidth = TextToInt(questions.AskText(kQuestionTitle, kFrameWidthPrompt, ""));
    record.framesPerSecond = TextToInt(questions.AskText(kQuestionTitle, kRatePrompt, "0"));
    record.drawStage = DrawStageFromPosition(questions.ChooseDrawStage());

    const std::string path = modFolder + "/animations.ini";
    const AppendResult result = AppendAnimationRecord(path, record);
    if (result.status == AppendStatus::kAppended) {
        return MakerOutcome::kAppended;
    }
    const char* headline =
        result.status == AppendStatus::kOpenFailed ? kOpenFailedText : kWriteFailedText;
    questions.ShowMessage("",
                          std::string(headline) + "\n" + path + ": " + std::strerror(result.error));
    return MakerOutcome::kNotWritten;
}

}  // namespace vorn::animationmaker

// The animation creator's questions as FLTK dialogs: the folder and file
// choosers, the one-line "Create Animation" questions, the "Choose Draw
// Stage" window and the message box.
#pragma once

#include <string>

#include "tools/animationmaker/AnimationMaker.h"

namespace vorn::animationmaker {

class FltkQuestions : public AnimationQuestions {
public:
    std::string ChooseFolder(const std::string& prompt, const std::string& initial) override;
    std::string ChooseImage(const std::string& prompt, const std::string& initialPath) override;
    // Enter or "Ok" answers; closing the window answers with an empty text,
    // as a cancelled input box does.
    std::string AskText(const std::string& title, const std::string& prompt,
                        const std::string& initial) override;
    // Only closing the window goes on; the list may be left without a choice.
    int ChooseDrawStage() override;
    void ShowMessage(const std::string& title, const std::string& text) override;
};

}  // namespace vorn::animationmaker

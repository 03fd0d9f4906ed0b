// The animation creator's run: which questions are asked, in which order and
// with which texts, what the answers become, and when nothing is written.
#include "tools/animationmaker/AnimationMaker.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <deque>

#include "tests/tools/monstereditor/ScratchFolder.h"

namespace vorn::animationmaker {
namespace {

using tooltest::ScratchFolder;

// Answers from prepared lists and a log of every question as it was asked.
class ScriptedQuestions : public AnimationQuestions {
public:
    std::string ChooseFolder(const std::string& prompt, const std::string& initial) override {
        asked.push_back("folder: " + prompt + " | " + initial);
        return folder;
    }
    std::string ChooseImage(const std::string& prompt, const std::string& initialPath) override {
        asked.push_back("image: " + prompt + " | " + initialPath);
        return image;
    }
    std::string AskText(const std::string& title, const std::string& prompt,
                        const std::string& initial) override {
        asked.push_back("text: " + title + " | " + prompt + " | " + initial);
        if (texts.empty()) {
            return "";
        }
        std::string answer = texts.front();
        texts.pop_front();
        return answer;
    }
    int ChooseDrawStage() override {
        asked.push_back("stage");
        return stagePosition;
    }
    void ShowMessage(const std::string& title, const std::string& text) override {
        asked.push_back("message: " + title + " | " + text);
    }

    std::string folder;
    std::string image;
    std::deque<std::string> texts;
    int stagePosition = -1;
    std::vector<std::string> asked;
};

const std::vector<std::string> kTextAndStageQuestions = {
    "text: Create Animation | Enter the name for this animation: | ",
    "text: Create Animation | Enter the number of frames: | 0",
    "text: Create Animation | Enter the frame width: | ",
    "text: Create Animation | Enter the frames per second: | 0",
    "stage",
};

TEST(AnimationMakerTest, WithBothParametersOnlyTheRecordQuestionsAreAsked) {
    ScratchFolder folder;
    ScriptedQuestions questions;
    questions.texts = {"Torch", "4", "32", "8"};
    questions.stagePosition = 2;
    EXPECT_EQ(RunAnimationMaker({folder.Path(), "/art/fire/torch.png"}, questions),
              MakerOutcome::kAppended);
    EXPECT_EQ(questions.asked, kTextAndStageQuestions);
    EXPECT_EQ(folder.Read("animations.ini"), "\r\nTorch,torch.png,4,32,8,3");
}

TEST(AnimationMakerTest, MissingParametersAreAskedForFirst) {
    ScratchFolder folder;
    ScriptedQuestions questions;
    questions.folder = folder.Path();
    questions.image = folder.File("animations/water.png");
    questions.texts = {"Water", "8", "16", "12"};
    questions.stagePosition = 0;
    EXPECT_EQ(RunAnimationMaker({}, questions), MakerOutcome::kAppended);
    std::vector<std::string> expected = {
        "folder: Choose the folder of the VornEngine mod... | ./vorn3",
        "image: Choose the animation image... | " + folder.Path(),
    };
    expected.insert(expected.end(), kTextAndStageQuestions.begin(), kTextAndStageQuestions.end());
    EXPECT_EQ(questions.asked, expected);
    EXPECT_EQ(folder.Read("animations.ini"), "\r\nWater,water.png,8,16,12,1");
}

TEST(AnimationMakerTest, EmptyParametersCountAsMissingAndLaterOnesAreIgnored) {
    ScratchFolder folder;
    ScriptedQuestions questions;
    questions.folder = folder.Path();
    questions.image = "smoke.png";
    EXPECT_EQ(RunAnimationMaker({"", "", "extra", "more"}, questions), MakerOutcome::kAppended);
    ASSERT_GE(questions.asked.size(), 2u);
    EXPECT_EQ(questions.asked[0].rfind("folder: ", 0), 0u);
    EXPECT_EQ(questions.asked[1].rfind("image: ", 0), 0u);
}

TEST(AnimationMakerTest, CancelledFolderEndsWithoutAnotherQuestion) {
    ScriptedQuestions questions;
    EXPECT_EQ(RunAnimationMaker({}, questions), MakerOutcome::kCancelled);
    const std::vector<std::string> expected = {
        "folder: Choose the folder of the VornEngine mod... | ./vorn3"};
    EXPECT_EQ(questions.asked, expected);
}

TEST(AnimationMakerTest, CancelledImageEndsWithoutTouchingTheFile) {
    ScratchFolder folder;
    ScriptedQuestions questions;
    EXPECT_EQ(RunAnimationMaker({folder.Path()}, questions), MakerOutcome::kCancelled);
    EXPECT_EQ(questions.asked.size(), 1u);
    EXPECT_EQ(folder.Read("animations.ini"), "<missing>");
}

TEST(AnimationMakerTest, AnswersAreConvertedLenientlyAndNeverValidated) {
    ScratchFolder folder;
    ScriptedQuestions questions;
    questions.texts = {"Big, fire ", "12px", "", "-5"};
    EXPECT_EQ(RunAnimationMaker({folder.Path(), "fire.png"}, questions), MakerOutcome::kAppended);
    // No stage chosen writes stage 0.
    EXPECT_EQ(folder.Read("animations.ini"), "\r\nBig, fire ,fire.png,12,0,-5,0");
}

TEST(AnimationMakerTest, TypedNameIsStoredInTheGameCodePageAndTheImageKeepsItsBytes) {
    ScratchFolder folder;
    ScriptedQuestions questions;
    questions.texts = {"Caf\xC3\xA9 \xE2\x82\xAC", "1", "1", "1"};
    // The image is named by the bytes of its path, as the game opens it.
    EXPECT_EQ(RunAnimationMaker({folder.Path(), "/art/f\xC3\xA9u.png"}, questions),
              MakerOutcome::kAppended);
    EXPECT_EQ(folder.Read("animations.ini"), "\r\nCaf\xE9 \x80,f\xC3\xA9u.png,1,1,1,0");
}

TEST(AnimationMakerTest, TwoRunsOnANewFolder) {
    ScratchFolder folder;
    ScriptedQuestions first;
    first.texts = {"Torch", "4", "32", "8"};
    first.stagePosition = 2;
    ASSERT_EQ(RunAnimationMaker({folder.Path(), "torch.png"}, first), MakerOutcome::kAppended);
    ScriptedQuestions second;
    second.texts = {"Smoke", "6", "16", "12"};
    second.stagePosition = 3;
    ASSERT_EQ(RunAnimationMaker({folder.Path(), "smoke.png"}, second), MakerOutcome::kAppended);
    EXPECT_EQ(folder.Read("animations.ini"),
              "\r\nTorch,torch.png,4,32,8,3\r\nSmoke,smoke.png,6,16,12,4");
}

TEST(AnimationMakerTest, FileThatCannotBeOpenedGivesTheMessageWithPathAndReason) {
    ScratchFolder folder;
    ASSERT_EQ(mkdir(folder.File("animations.ini").c_str(), 0755), 0);
    ScriptedQuestions questions;
    EXPECT_EQ(RunAnimationMaker({folder.Path(), "torch.png"}, questions),
              MakerOutcome::kNotWritten);
    ASSERT_FALSE(questions.asked.empty());
    EXPECT_EQ(questions.asked.back(), "message:  | Couldn't open animations.ini\n" +
                                          folder.File("animations.ini") + ": Is a directory");
    EXPECT_EQ(questions.asked.size(), kTextAndStageQuestions.size() + 1);
}

}  // namespace
}  // namespace vorn::animationmaker

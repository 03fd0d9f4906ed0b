// The animations.ini record: its fields, the draw stage, the image's file
// name and the bytes the append adds to new, existing and broken files.
#include "tools/animationmaker/AnimationRecord.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/tools/monstereditor/ScratchFolder.h"

namespace vorn::animationmaker {
namespace {

using tooltest::FileSizeLimit;
using tooltest::RunUnprivileged;
using tooltest::ScratchFolder;

AnimationRecord Torch() {
    return {"Torch", "torch.png", 4, 32, 8, 3};
}

TEST(DrawStageTest, PositionPlusOneOrZeroWithoutAChoice) {
    EXPECT_EQ(DrawStageFromPosition(-1), 0);
    EXPECT_EQ(DrawStageFromPosition(0), 1);
    EXPECT_EQ(DrawStageFromPosition(3), 4);
}

TEST(ImageFileNameTest, KeepsOnlyTheFilePart) {
    EXPECT_EQ(ImageFileName("/home/me/art/torch.png"), "torch.png");
    EXPECT_EQ(ImageFileName("./vorn3/animations/water.PNG"), "water.PNG");
    EXPECT_EQ(ImageFileName("smoke.png"), "smoke.png");
    EXPECT_EQ(ImageFileName("folder/"), "");
    EXPECT_EQ(ImageFileName(""), "");
}

TEST(AnimationRecordTest, FieldsAreJoinedByCommasWithoutBlanksOrValidation) {
    EXPECT_EQ(FormatAnimationRecord(Torch()), "Torch,torch.png,4,32,8,3");
    EXPECT_EQ(FormatAnimationRecord({"Big, fire", "f.png", 0, 0, 0, 0}), "Big, fire,f.png,0,0,0,0");
    EXPECT_EQ(FormatAnimationRecord({" pad ", "", -3, -2147483647 - 1, 2147483647, 0}),
              " pad ,,-3,-2147483648,2147483647,0");
}

TEST(AppendAnimationTest, NewFileStartsWithALineEndAndHasNoneAtItsEnd) {
    ScratchFolder folder;
    ASSERT_EQ(AppendAnimationRecord(folder.File("animations.ini"), Torch()),
              AppendResult::kAppended);
    EXPECT_EQ(folder.Read("animations.ini"), "\r\nTorch,torch.png,4,32,8,3");
}

TEST(AppendAnimationTest, TwoRunsGiveLineEndRecordLineEndRecord) {
    ScratchFolder folder;
    ASSERT_EQ(AppendAnimationRecord(folder.File("animations.ini"), Torch()),
              AppendResult::kAppended);
    ASSERT_EQ(
        AppendAnimationRecord(folder.File("animations.ini"), {"Smoke", "s.png", 6, 16, 12, 0}),
        AppendResult::kAppended);
    EXPECT_EQ(folder.Read("animations.ini"),
              "\r\nTorch,torch.png,4,32,8,3\r\nSmoke,s.png,6,16,12,0");
}

TEST(AppendAnimationTest, ExistingBytesAreKeptWhateverTheyAre) {
    ScratchFolder folder;
    std::string existing = "Water,water.png,4,32,12.5,1";  // no final line end
    existing += std::string("\0\xff\x01", 3);
    existing += std::string(200000, 'x');
    folder.Write("animations.ini", existing);
    ASSERT_EQ(AppendAnimationRecord(folder.File("animations.ini"), Torch()),
              AppendResult::kAppended);
    EXPECT_EQ(folder.Read("animations.ini"), existing + "\r\nTorch,torch.png,4,32,8,3");
}

TEST(AppendAnimationTest, FileThatCannotBeOpenedIsReported) {
    ScratchFolder folder;
    ASSERT_EQ(mkdir(folder.File("animations.ini").c_str(), 0755), 0);
    EXPECT_EQ(AppendAnimationRecord(folder.File("animations.ini"), Torch()),
              AppendResult::kOpenFailed);
    EXPECT_EQ(AppendAnimationRecord(folder.File("missing/animations.ini"), Torch()),
              AppendResult::kOpenFailed);
}

TEST(AppendAnimationTest, NamedPipeIsRefusedWithoutWaitingForAReader) {
    ScratchFolder folder;
    ASSERT_EQ(mkfifo(folder.File("animations.ini").c_str(), 0644), 0);
    EXPECT_EQ(AppendAnimationRecord(folder.File("animations.ini"), Torch()),
              AppendResult::kOpenFailed);
}

TEST(AppendAnimationTest, ReadOnlyFileIsReportedAndKept) {
    ScratchFolder folder;
    folder.OpenToEveryone();
    folder.Write("animations.ini", "\r\nOld,o.png,1,1,1,1");
    ASSERT_EQ(chmod(folder.File("animations.ini").c_str(), 0444), 0);
    EXPECT_TRUE(RunUnprivileged([&] {
        return AppendAnimationRecord(folder.File("animations.ini"), Torch()) ==
               AppendResult::kOpenFailed;
    }));
    EXPECT_EQ(folder.Read("animations.ini"), "\r\nOld,o.png,1,1,1,1");
}

TEST(AppendAnimationTest, WriteThatDoesNotFitIsNotReportedAsDone) {
    ScratchFolder folder;
    folder.Write("animations.ini", std::string(4096, 'x'));
    const FileSizeLimit limit(4096);
    EXPECT_EQ(AppendAnimationRecord(folder.File("animations.ini"), Torch()),
              AppendResult::kWriteFailed);
}

}  // namespace
}  // namespace vorn::animationmaker

// The animations.ini record: its fields, the draw stage, the image's file
// name and the bytes the append adds to new, existing and broken files.
#include "tools/animationmaker/AnimationRecord.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "tests/tools/monstereditor/ScratchFolder.h"

namespace vorn::animationmaker {
namespace {

using tooltest::FileSizeLimit;
using tooltest::RunUnprivileged;
using tooltest::ScratchFolder;

AnimationRecord Torch() {
    return {"Torch", "torch.png", 4, 32, 8, 3};
}

AppendStatus Append(const std::string& path, const AnimationRecord& record) {
    return AppendAnimationRecord(path, record).status;
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
    ASSERT_EQ(Append(folder.File("animations.ini"), Torch()), AppendStatus::kAppended);
    EXPECT_EQ(folder.Read("animations.ini"), "\r\nTorch,torch.png,4,32,8,3");
}

TEST(AppendAnimationTest, TwoRunsGiveLineEndRecordLineEndRecord) {
    ScratchFolder folder;
    ASSERT_EQ(Append(folder.File("animations.ini"), Torch()), AppendStatus::kAppended);
    ASSERT_EQ(Append(folder.File("animations.ini"), {"Smoke", "s.png", 6, 16, 12, 0}),
              AppendStatus::kAppended);
    EXPECT_EQ(folder.Read("animations.ini"),
              "\r\nTorch,torch.png,4,32,8,3\r\nSmoke,s.png,6,16,12,0");
}

TEST(AppendAnimationTest, ExistingBytesAreKeptWhateverTheyAre) {
    ScratchFolder folder;
    std::string existing = "Water,water.png,4,32,12.5,1";  // no final line end
    existing += std::string("\0\xff\x01", 3);
    existing += std::string(200000, 'x');
    folder.Write("animations.ini", existing);
    ASSERT_EQ(Append(folder.File("animations.ini"), Torch()), AppendStatus::kAppended);
    EXPECT_EQ(folder.Read("animations.ini"), existing + "\r\nTorch,torch.png,4,32,8,3");
}

TEST(AppendAnimationTest, FileThatCannotBeOpenedIsReported) {
    ScratchFolder folder;
    ASSERT_EQ(mkdir(folder.File("animations.ini").c_str(), 0755), 0);
    EXPECT_EQ(Append(folder.File("animations.ini"), Torch()), AppendStatus::kOpenFailed);
    EXPECT_EQ(Append(folder.File("missing/animations.ini"), Torch()), AppendStatus::kOpenFailed);
}

TEST(AppendAnimationTest, NamedPipeIsRefusedWithoutWaitingForAReader) {
    ScratchFolder folder;
    ASSERT_EQ(mkfifo(folder.File("animations.ini").c_str(), 0644), 0);
    EXPECT_EQ(Append(folder.File("animations.ini"), Torch()), AppendStatus::kOpenFailed);
}

TEST(AppendAnimationTest, ReadOnlyFileIsReportedAndKept) {
    ScratchFolder folder;
    folder.OpenToEveryone();
    folder.Write("animations.ini", "\r\nOld,o.png,1,1,1,1");
    ASSERT_EQ(chmod(folder.File("animations.ini").c_str(), 0444), 0);
    EXPECT_TRUE(RunUnprivileged([&] {
        const AppendResult result = AppendAnimationRecord(folder.File("animations.ini"), Torch());
        return result.status == AppendStatus::kOpenFailed && result.error == EACCES;
    }));
    EXPECT_EQ(folder.Read("animations.ini"), "\r\nOld,o.png,1,1,1,1");
}

TEST(AppendAnimationTest, WriteThatDoesNotFitIsNotReportedAsDone) {
    ScratchFolder folder;
    folder.Write("animations.ini", std::string(4096, 'x'));
    const FileSizeLimit limit(4096);
    const AppendResult result = AppendAnimationRecord(folder.File("animations.ini"), Torch());
    EXPECT_EQ(result.status, AppendStatus::kWriteFailed);
    EXPECT_EQ(result.error, EFBIG);
}

}  // namespace
}  // namespace vorn::animationmaker

#include "common/FileIO.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <cstdio>
#include <filesystem>
#include <string>

namespace vorn {
namespace {

TEST(FileIO, WritesAtomicallyAndReadsBack) {
    const std::string path = testing::TempDir() + "vorn_fileio.txt";
    ASSERT_TRUE(WriteFileAtomically(path, std::string("a\0b", 3)));
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    ASSERT_TRUE(WriteFileAtomically(path, "second"));
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "second");
    std::remove(path.c_str());
}

TEST(FileIO, FailedWriteLeavesTheOldFileWhole) {
    const std::string folder = testing::TempDir() + "vorn_fileio_full";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/data.ini";
    ASSERT_TRUE(WriteFileAtomically(path, "old"));

    // A file-size limit makes the write fail part-way, as a full disk would
    // (and unlike permissions, it also holds for root).
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool wrote = WriteFileAtomically(path, std::string(100000, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(wrote);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, "old");
    // The temporary file is gone again.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1);
    std::filesystem::remove_all(folder);
}

TEST(FileIO, FolderOrMissingPathIsNotAFile) {
    std::string bytes = "x";
    EXPECT_FALSE(ReadWholeFile(testing::TempDir(), bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(ReadWholeFile("/nonexistent/vorn", bytes));
    EXPECT_FALSE(WriteFileAtomically("/nonexistent/dir/file", "x"));
}

}  // namespace
}  // namespace vorn

// The committed pictures, sounds and map layers of vorn3/, and the desktop
// icons in packaging/icons, are exactly what vorn3gen draws: run it into a
// fresh folder and compare byte for byte.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

#include "tests/vorn3/ModFolder.h"

namespace vorn3test {
namespace {

namespace fs = std::filesystem;

class Vorn3GeneratedMod : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // A folder of this process's own: CTest may run the cases in parallel.
        std::string pattern = (fs::temp_directory_path() / "vorn3gen-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            return;
        folder_ = new std::string(pattern);
        const std::string command =
            std::string("\"") + VORN3GEN_PATH + "\" \"" + *folder_ + "\" > /dev/null";
        status_ = std::system(command.c_str());
    }
    static void TearDownTestSuite() {
        if (folder_ == nullptr)
            return;
        fs::remove_all(*folder_);
        delete folder_;
        folder_ = nullptr;
    }
    static std::string* folder_;
    static int status_;
};

std::string* Vorn3GeneratedMod::folder_ = nullptr;
int Vorn3GeneratedMod::status_ = -1;

TEST_F(Vorn3GeneratedMod, GeneratorSucceedsAndWritesEveryKind) {
    ASSERT_EQ(status_, 0);
    for (const char* folder : {"tiles", "sprites", "objects", "animations", "sounds", "maps"}) {
        EXPECT_FALSE(ListFiles(*folder_ + "/" + folder).empty()) << folder;
    }
}

TEST_F(Vorn3GeneratedMod, CommittedFilesAreTheGeneratedOnes) {
    ASSERT_EQ(status_, 0);
    const std::vector<std::string> generated = ListFiles(*folder_);
    ASSERT_GT(generated.size(), 100u);
    for (const std::string& file : generated) {
        const std::string committed = ReadBytes(ModPath() + "/" + file);
        ASSERT_FALSE(committed.empty()) << file << " is not committed";
        EXPECT_TRUE(committed == ReadBytes(*folder_ + "/" + file)) << file << " differs";
    }
    // No stale drawing or layer file is left over from an older generator.
    const std::set<std::string> made(generated.begin(), generated.end());
    for (const char* folder : {"tiles", "sprites", "objects", "animations", "sounds"})
        for (const std::string& file : ListFiles(ModPath() + "/" + folder)) {
            EXPECT_TRUE(made.count(std::string(folder) + "/" + file)) << folder << "/" << file;
        }
    for (const std::string& file : ListFiles(ModPath() + "/maps"))
        for (const char* ext : {".gtl", ".btl", ".ftl", ".atl", ".obl", ".wpl", ".ani"})
            if (file.size() > 4 && file.substr(file.size() - 4) == ext) {
                EXPECT_TRUE(made.count("maps/" + file)) << file;
            }
}

TEST_F(Vorn3GeneratedMod, SecondRunGivesTheSameBytes) {
    ASSERT_EQ(status_, 0);
    const std::string again = *folder_ + "-again";
    fs::remove_all(again);
    ASSERT_EQ(std::system(
                  (std::string("\"") + VORN3GEN_PATH + "\" \"" + again + "\" > /dev/null").c_str()),
              0);
    for (const std::string& file : ListFiles(*folder_)) {
        EXPECT_TRUE(ReadBytes(again + "/" + file) == ReadBytes(*folder_ + "/" + file)) << file;
    }
    fs::remove_all(again);
}

TEST_F(Vorn3GeneratedMod, CommittedIconsAreTheGeneratedOnes) {
    ASSERT_EQ(status_, 0);
    const std::string icons = *folder_ + "-icons";
    ASSERT_EQ(
        std::system((std::string("\"") + VORN3GEN_PATH + "\" --icons \"" + icons + "\" > /dev/null")
                        .c_str()),
        0);
    const std::string committed = std::string(VORN_SOURCE_DIR) + "/packaging/icons";
    EXPECT_EQ(ListFiles(icons), ListFiles(committed));
    for (const std::string& file : ListFiles(icons)) {
        EXPECT_TRUE(ReadBytes(committed + "/" + file) == ReadBytes(icons + "/" + file)) << file;
    }
    fs::remove_all(icons);
}

TEST(Vorn3Generator, RefusesAMissingArgument) {
    EXPECT_NE(std::system((std::string("\"") + VORN3GEN_PATH + "\" 2> /dev/null").c_str()), 0);
}

}  // namespace
}  // namespace vorn3test

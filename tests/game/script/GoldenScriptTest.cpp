// Runs every golden script (tests/game/script/golden/<group>/NAME.ds with
// NAME.out beside it) and compares its report with the expected one. A
// script without an .out file is a helper (an included file) and is skipped.
#include <gtest/gtest.h>

#include <filesystem>

#include "common/FileIO.h"
#include "tests/game/script/ScriptFixtures.h"

namespace vorn::test {
namespace {

const std::string kGoldenRoot = std::string(VORN_SOURCE_DIR) + "/tests/game/script/golden";

std::vector<std::string> GoldenScripts(const std::string& group) {
    std::vector<std::string> scripts;
    for (const auto& entry : std::filesystem::directory_iterator(kGoldenRoot + "/" + group)) {
        const auto& path = entry.path();
        if (path.extension() == ".ds" &&
            std::filesystem::exists(std::filesystem::path(path).replace_extension(".out"))) {
            scripts.push_back(path.string());
        }
    }
    std::sort(scripts.begin(), scripts.end());
    return scripts;
}

void CheckGroup(const std::string& group, size_t minimumCount) {
    const std::vector<std::string> scripts = GoldenScripts(group);
    EXPECT_GE(scripts.size(), minimumCount) << "golden scripts missing in " << group;
    for (const std::string& script : scripts) {
        std::string expected;
        ASSERT_TRUE(ReadWholeFile(std::filesystem::path(script).replace_extension(".out").string(),
                                  expected));
        EXPECT_EQ(GoldenReport(script), expected) << "golden script " << script;
    }
}

TEST(GoldenScripts, ValuesAndRegistries) {
    CheckGroup("values", 3);
}
TEST(GoldenScripts, Expressions) {
    CheckGroup("expressions", 3);
}
TEST(GoldenScripts, Loading) {
    CheckGroup("loading", 3);
}
TEST(GoldenScripts, BuiltinFunctions) {
    CheckGroup("builtins", 3);
}
TEST(GoldenScripts, SubstitutionAndCalls) {
    CheckGroup("substitution", 3);
}
TEST(GoldenScripts, Statements) {
    CheckGroup("statements", 5);
}

}  // namespace
}  // namespace vorn::test

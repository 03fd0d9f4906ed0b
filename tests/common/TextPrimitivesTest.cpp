#include "common/TextPrimitives.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vorn {
namespace {

std::vector<std::string> AllLines(std::string text) {
    TextReader reader(std::move(text));
    std::vector<std::string> lines;
    std::string line;
    while (reader.ReadTextLine(line)) {
        lines.push_back(line);
    }
    return lines;
}

TEST(ReadTextLine, AcceptsEveryLineEndAndNoFinalEmptyLine) {
    const std::vector<std::string> expected = {"a", "b", "c"};
    EXPECT_EQ(AllLines("a\r\nb\r\nc\r\n"), expected);
    EXPECT_EQ(AllLines("a\nb\nc\n"), expected);
    EXPECT_EQ(AllLines("a\rb\rc"), expected);
    EXPECT_EQ(AllLines(std::string("a\0b\0c", 5)), expected);
}

TEST(ReadTextLine, KeepsEmptyLinesBetweenEndsAndSplitsLfCr) {
    // LF then CR is two line ends, CR then LF one.
    EXPECT_EQ(AllLines("a\n\rb"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(AllLines("a\n\nb\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(AllLines(""), std::vector<std::string>{});
    EXPECT_EQ(AllLines("\n"), std::vector<std::string>{""});
}

TEST(ReadTextLine, ReadsVeryLongLinesWhole) {
    const std::string longLine(200000, 'x');
    const auto lines = AllLines(longLine + "\r\nend");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), longLine.size());
}

TEST(TextField, CountsFromOneAndGivesEmptyPastTheEnd) {
    EXPECT_EQ(TextField("a,,b", 2, ','), "");
    EXPECT_EQ(TextField("a,,b", 3, ','), "b");
    EXPECT_EQ(TextField("a,b", 3, ','), "");
    EXPECT_EQ(TextField("a,b", 0, ','), "a");
    EXPECT_EQ(TextField("a,b", -4, ','), "a");
    EXPECT_EQ(TextField("", 1, ','), "");
    EXPECT_EQ(TextField("grass  wall", 2, ' '), "");
    EXPECT_EQ(TextField("grass  wall", 3, ' '), "wall");
}

TEST(TrimSpaces, RemovesSpacesOnlyNotTabs) {
    EXPECT_EQ(TrimSpaces("  wall  "), "wall");
    EXPECT_EQ(TrimSpaces("\twall\t"), "\twall\t");
    EXPECT_EQ(TrimSpaces("    "), "");
    EXPECT_EQ(TrimSpaces(""), "");
}

TEST(TextToInt, IsLenientAndWrapsAt32Bits) {
    EXPECT_EQ(TextToInt("3.9"), 3);
    EXPECT_EQ(TextToInt("12px"), 12);
    EXPECT_EQ(TextToInt(""), 0);
    EXPECT_EQ(TextToInt("0x10"), 0);
    EXPECT_EQ(TextToInt("-7abc"), -7);
    EXPECT_EQ(TextToInt("+5"), 5);
    EXPECT_EQ(TextToInt(" 42"), 42);
    EXPECT_EQ(TextToInt("4 2"), 4);
    EXPECT_EQ(TextToInt("\t5"), 0);  // only spaces are skipped
    EXPECT_EQ(TextToInt("-"), 0);
    EXPECT_EQ(TextToInt("2147483647"), 2147483647);
    EXPECT_EQ(TextToInt("2147483648"), INT32_MIN);
    EXPECT_EQ(TextToInt("4294967297"), 1);
    EXPECT_EQ(TextToInt("99999999999999999999999"), TextToInt("99999999999999999999999"));
}

TEST(TextToFloat, ReadsTheDecimalPrefixOnly) {
    EXPECT_FLOAT_EQ(TextToFloat("12.5"), 12.5f);
    EXPECT_FLOAT_EQ(TextToFloat("  -2.5x"), -2.5f);
    EXPECT_FLOAT_EQ(TextToFloat("1e3"), 1000.0f);
    EXPECT_FLOAT_EQ(TextToFloat("1e"), 1.0f);
    EXPECT_FLOAT_EQ(TextToFloat(".5"), 0.5f);
    EXPECT_FLOAT_EQ(TextToFloat("abc"), 0.0f);
    EXPECT_FLOAT_EQ(TextToFloat("inf"), 0.0f);
    EXPECT_FLOAT_EQ(TextToFloat("0x10"), 0.0f);
    EXPECT_FLOAT_EQ(TextToFloat("-"), 0.0f);
}

TEST(UpperCaseText, ShiftsLettersAndTheHighLatinBlock) {
    EXPECT_EQ(UpperCaseText("abcXYZ09_"), "ABCXYZ09_");
    EXPECT_EQ(UpperCaseText("\xE0\xFF\xDF"), "\xC0\xDF\xDF");
}

TEST(RoundHalfEven, RoundsHalvesToEvenAndSaturates) {
    EXPECT_EQ(RoundHalfEven(10.5), 10);
    EXPECT_EQ(RoundHalfEven(11.5), 12);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(1e20), INT32_MAX);
    EXPECT_EQ(RoundHalfEven(-1e20), INT32_MIN);
}

}  // namespace
}  // namespace vorn

#include "common/IniFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vorn {
namespace {

std::string Lookup(const std::string& text, const std::string& group, const std::string& key) {
    return ReadIniValueFromText(text, group, key);
}

TEST(ReadIniValue, SkipsTheCharacterAfterTheKeyAndTrims) {
    EXPECT_EQ(Lookup("[Properties]\nMusic = theme.wav\n", "Properties", "Music"), "= theme.wav");
    EXPECT_EQ(Lookup("[Properties]\nMusic=  theme.wav  \n", "Properties", "Music"), "theme.wav");
    EXPECT_EQ(Lookup("[S]\nTitle=A=B\n", "S", "Title"), "A=B");
    EXPECT_EQ(Lookup("[S]\nTitle=[x]\n", "S", "Title"), "[x]");
}

TEST(ReadIniValue, MatchesKeysAsPrefixesFirstLineWins) {
    const std::string text = "[Properties]\r\nSpeechTextY=40\r\nSpeechText=Hello\r\n";
    EXPECT_EQ(Lookup(text, "Properties", "SpeechText"), "=40");
    EXPECT_EQ(Lookup(text, "Properties", "SpeechTextY"), "40");
    const std::string ordered = "[Properties]\r\nSpeechText=Hello\r\nSpeechTextY=40\r\n";
    EXPECT_EQ(Lookup(ordered, "Properties", "SpeechText"), "Hello");
}

TEST(ReadIniValue, HeaderIsASubstringTestAndOnlyTheFirstGroupIsSearched) {
    EXPECT_EQ(Lookup("; [Properties]\nMusic=x\n", "Properties", "Music"), "x");
    EXPECT_EQ(Lookup("[A]\nK=1\n[B]\nX=2\n[A]\nL=3\n", "A", "L"), "");
    EXPECT_EQ(Lookup("[A]\n [B]\nK=1\n", "A", "K"), "1");  // a blank before "[" does not end it
    EXPECT_EQ(Lookup("[A]\n[B]\nK=1\n", "A", "K"), "");
}

TEST(ReadIniValue, KeysAndGroupsAreCaseSensitiveAndExact) {
    EXPECT_EQ(Lookup("[S]\nmusic=x\n", "S", "Music"), "");
    EXPECT_EQ(Lookup("[s]\nMusic=x\n", "S", "Music"), "");
    EXPECT_EQ(Lookup("[S]\n Music=x\n", "S", "Music"), "");
    EXPECT_EQ(Lookup("[S]\nMusic\n", "S", "Music"), "");
    EXPECT_EQ(Lookup("[S]\nMus\n", "S", "Music"), "");
}

TEST(ReadIniValue, ReadsEveryLineEndAndNulBytes) {
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string text = std::string("[S]") + end + "A=1" + end + "B=2" + end;
        EXPECT_EQ(Lookup(text, "S", "B"), "2") << "line end " << int(end[0]);
    }
    EXPECT_EQ(Lookup(std::string("[S]\0B=2\0", 8), "S", "B"), "2");
}

TEST(ReadIniValue, MissingFileGroupOrKeyGivesEmptyText) {
    EXPECT_EQ(ReadIniValue("/nonexistent/file.ini", "S", "K"), "");
    EXPECT_EQ(Lookup("", "S", "K"), "");
    EXPECT_EQ(Lookup("[S]\n", "S", "K"), "");
    EXPECT_EQ(Lookup("[T]\nK=1", "S", "K"), "");
    const std::string huge = "[S]\n" + std::string(1 << 20, 'x') + "\nK=ok";
    EXPECT_EQ(Lookup(huge, "S", "K"), "ok");
}

TEST(ReadIniValue, ReadsFromAFile) {
    const std::string path = testing::TempDir() + "vorn_ini_test.ini";
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("[Settings]\r\nGameTitle=My Game\r\n", file);
    std::fclose(file);
    EXPECT_EQ(ReadIniValue(path, "Settings", "GameTitle"), "My Game");
    std::remove(path.c_str());
}

TEST(IniFile, NamesTheLineOfTheValueAndGroupLinesStopAtTheNextGroup) {
    const std::string text = "; notes\r\n[S]\r\nA=1\r\n\r\nB= 2 \r\n[T]\r\nC=3\r\n";
    IniFile file;
    file.LoadText(text);
    const IniAnswer b = file.Peek("S", "B");
    EXPECT_EQ(b.value, "2");
    EXPECT_EQ(b.line, 5);
    EXPECT_EQ(file.Peek("S", "C").line, 0);
    EXPECT_EQ(file.Peek("T", "C").line, 7);
    std::vector<int> numbers;
    EXPECT_TRUE(ForEachIniGroupLine(text, "S", [&](std::string_view, int number) {
        numbers.push_back(number);
        return true;
    }));
    EXPECT_EQ(numbers, (std::vector<int>{3, 4, 5}));
    EXPECT_FALSE(ForEachIniGroupLine(text, "U", [](std::string_view, int) { return true; }));
}

TEST(IniWriter, WritesHeaderAndEntriesWithCrLf) {
    IniWriter writer("Save0");
    writer.Entry("PlayerX", -12);
    writer.Entry("CurrentMap", " town ");
    EXPECT_EQ(writer.Text(), "[Save0]\r\nPlayerX=-12\r\nCurrentMap=town\r\n");
    EXPECT_EQ(ReadIniValueFromText(writer.Text(), "Save0", "PlayerX"), "-12");
}

}  // namespace
}  // namespace vorn

// Box text to the game's code page: typed characters become their single
// byte, bytes read from the file stay as they were.
#include "tools/monstereditor/CodePageText.h"

#include <gtest/gtest.h>

#include "tools/monstereditor/MonsterFile.h"

namespace vorn::monstereditor {
namespace {

TEST(CodePageTextTest, TypedCharactersBecomeTheirSingleByte) {
    EXPECT_EQ(BoxTextToCodePage("Zo\xC3\xAB"), "Zo\xEB");  // U+00EB
    EXPECT_EQ(BoxTextToCodePage("\xE2\x82\xAC"
                                "5"),
              "\x80"
              "5");                                    // the euro sign
    EXPECT_EQ(BoxTextToCodePage("\xC5\xB8"), "\x9F");  // U+0178
    EXPECT_EQ(BoxTextToCodePage("plain, ASCII 123"), "plain, ASCII 123");
}

TEST(CodePageTextTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(BoxTextToCodePage("\xCE\xA9mega"), "?mega");    // U+03A9
    EXPECT_EQ(BoxTextToCodePage("\xF0\x9F\x90\x89!"), "?!");  // four bytes
}

TEST(CodePageTextTest, BytesThatAreNotUtf8StayAsTheyAre) {
    // Names read from the file arrive in the box as single bytes.
    EXPECT_EQ(BoxTextToCodePage("Zo\xEB caf\xE9 \x80"), "Zo\xEB caf\xE9 \x80");
    // A lead byte without its continuation, an overlong form, a surrogate.
    EXPECT_EQ(BoxTextToCodePage("\xC3"), "\xC3");
    EXPECT_EQ(BoxTextToCodePage("\xC3 x"), "\xC3 x");
    EXPECT_EQ(BoxTextToCodePage("\xC0\xAF"), "\xC0\xAF");
    EXPECT_EQ(BoxTextToCodePage("\xED\xA0\x80"), "\xED\xA0\x80");
    EXPECT_EQ(BoxTextToCodePage("\xE2\x82"), "\xE2\x82");
}

TEST(CodePageTextTest, OnlyTheNameIsConvertedWhenAFormIsSaved) {
    MonsterFormTexts typed{};
    typed[0] = "Zo\xC3\xAB";
    typed[1] = "zo\xC3\xAB.png";
    const MonsterEntry entry = FormTextsToEntry(typed);
    EXPECT_EQ(entry.name, "Zo\xEB");
    EXPECT_EQ(entry.graphicFile, "zo\xC3\xAB.png");
}

}  // namespace
}  // namespace vorn::monstereditor

// Text between the game's code page and the tools' boxes: file bytes shown as
// the game shows them and given back unchanged, typed characters stored as
// their single byte.
#include <gtest/gtest.h>

#include "common/CodePage1252.h"
#include "tools/monstereditor/MonsterFile.h"

namespace vorn::monstereditor {
namespace {

TEST(CodePageTextTest, EveryByteShownInABoxComesBackUnchanged) {
    std::string bytes;
    for (int byte = 1; byte < 256; ++byte) {
        bytes += static_cast<char>(byte);
    }
    EXPECT_EQ(LenientUtf8TextToCp1252(Cp1252TextToUtf8(bytes)), bytes);
    EXPECT_EQ(Cp1252TextToUtf8("Caf\xC3\xA9 \x80"), "Caf\xC3\x83\xC2\xA9 \xE2\x82\xAC");
}

TEST(CodePageTextTest, TypedCharactersBecomeTheirSingleByte) {
    EXPECT_EQ(LenientUtf8TextToCp1252("Zo\xC3\xAB"), "Zo\xEB");  // U+00EB
    EXPECT_EQ(LenientUtf8TextToCp1252("\xE2\x82\xAC"
                                      "5"),
              "\x80"
              "5");                                          // the euro sign
    EXPECT_EQ(LenientUtf8TextToCp1252("\xC5\xB8"), "\x9F");  // U+0178
    EXPECT_EQ(LenientUtf8TextToCp1252("plain, ASCII 123"), "plain, ASCII 123");
}

TEST(CodePageTextTest, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    EXPECT_EQ(LenientUtf8TextToCp1252("\xCE\xA9mega"), "?mega");    // U+03A9
    EXPECT_EQ(LenientUtf8TextToCp1252("\xF0\x9F\x90\x89!"), "?!");  // four bytes
}

TEST(CodePageTextTest, BytesThatAreNotUtf8StayAsTheyAre) {
    // A box shows such a byte as its Windows-1252 character.
    EXPECT_EQ(LenientUtf8TextToCp1252("Zo\xEB caf\xE9 \x80"), "Zo\xEB caf\xE9 \x80");
    // A lead byte without its continuation, an overlong form, a surrogate.
    EXPECT_EQ(LenientUtf8TextToCp1252("\xC3"), "\xC3");
    EXPECT_EQ(LenientUtf8TextToCp1252("\xC3 x"), "\xC3 x");
    EXPECT_EQ(LenientUtf8TextToCp1252("\xC0\xAF"), "\xC0\xAF");
    EXPECT_EQ(LenientUtf8TextToCp1252("\xED\xA0\x80"), "\xED\xA0\x80");
    EXPECT_EQ(LenientUtf8TextToCp1252("\xE2\x82"), "\xE2\x82");
}

TEST(CodePageTextTest, OnlyTheNameIsConvertedBetweenFormAndFile) {
    MonsterFormTexts typed{};
    typed[0] = "Zo\xC3\xAB";
    typed[1] = "zo\xC3\xAB.png";
    const MonsterEntry entry = FormTextsToEntry(typed);
    EXPECT_EQ(entry.name, "Zo\xEB");
    EXPECT_EQ(entry.graphicFile, "zo\xC3\xAB.png");
    EXPECT_EQ(EntryToFormTexts(entry)[0], "Zo\xC3\xAB");
    EXPECT_EQ(EntryToFormTexts(entry)[1], "zo\xC3\xAB.png");
}

}  // namespace
}  // namespace vorn::monstereditor

#include "common/CodePage1252.h"

#include <gtest/gtest.h>

namespace vorn {
namespace {

TEST(CodePage1252, EveryByteComesBackFromItsCharacter) {
    for (int byte = 0; byte < 256; ++byte) {
        const char32_t character = Cp1252Character(static_cast<unsigned char>(byte));
        EXPECT_EQ(static_cast<unsigned char>(Cp1252Byte(character)), byte) << byte;
    }
}

TEST(CodePage1252, HighBytesAreTheWindowsCharacters) {
    EXPECT_EQ(Cp1252Character(0x80), U'\u20AC');  // euro sign
    EXPECT_EQ(Cp1252Character(0x9F), U'\u0178');  // Y with diaeresis
    EXPECT_EQ(Cp1252Character(0x81), U'\u0081');  // unassigned: the control code
    EXPECT_EQ(Cp1252Character(0xE9), U'\u00E9');  // Latin-1 half as it is
    EXPECT_EQ(Cp1252Byte(U'\u2122'), '\x99');     // trade mark
}

TEST(CodePage1252, CharactersOutsideThePageBecomeQuestionMarks) {
    EXPECT_EQ(Cp1252Byte(U'\u0100'), '?');
    EXPECT_EQ(Cp1252Byte(U'\u4E00'), '?');
    EXPECT_EQ(Cp1252Byte(U'\U0001F600'), '?');
}

TEST(CodePage1252, TextGoesToUtf8AndBackUnchanged) {
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    const std::string utf8 = Cp1252TextToUtf8(everyByte);
    EXPECT_EQ(Cp1252TextToUtf8("Caf\xE9 \x80"), "Caf\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(Utf8TextToCp1252(utf8), everyByte);
    // Not UTF-8, or a character the code page lacks (an arrow, an emoji).
    EXPECT_EQ(Utf8TextToCp1252("a\xE9"), std::nullopt);
    EXPECT_EQ(Utf8TextToCp1252("\xE2\x86\x92"), std::nullopt);
    EXPECT_EQ(Utf8TextToCp1252("\xF0\x9F\x98\x80"), std::nullopt);
}

}  // namespace
}  // namespace vorn

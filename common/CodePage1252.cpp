// The Windows-1252 code page in both directions.
#include "common/CodePage1252.h"

namespace vorn {

namespace {

// The characters of bytes 0x80-0x9F; every other byte is its own character.
constexpr char32_t kHighCharacters[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char32_t Cp1252Character(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? kHighCharacters[byte - 0x80] : byte;
}

char Cp1252Byte(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<char>(character);
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighCharacters[i] == character) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

std::string Cp1252TextToUtf8(std::string_view text) {
    std::string utf8;
    utf8.reserve(text.size());
    for (const char byte : text) {
        const char32_t code = Cp1252Character(static_cast<unsigned char>(byte));
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

std::optional<std::string> Utf8TextToCp1252(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        // Every character of the code page is below U+10000: one to three bytes.
        const size_t length = lead < 0x80                      ? 1
                              : (lead >= 0xC2 && lead <= 0xDF) ? 2
                              : (lead >= 0xE0 && lead <= 0xEF) ? 3
                                                               : 0;
        if (length == 0 || at + length > text.size())
            return std::nullopt;
        char32_t character = length == 1 ? lead : lead & (length == 2 ? 0x1F : 0x0F);
        for (size_t i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(text[at + i]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            character = (character << 6) | (next & 0x3F);
        }
        const char byte = Cp1252Byte(character);
        if (byte == '?' && character != '?')
            return std::nullopt;
        bytes += byte;
        at += length;
    }
    return bytes;
}

}  // namespace vorn

// The Windows-1252 code page in both directions, for single characters and
// for whole texts in UTF-8.
#include "common/CodePage1252.h"

#include <cstdint>

namespace vorn {

namespace {

// The characters of bytes 0x80-0x9F; every other byte is its own character.
constexpr char32_t kHighCharacters[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// Length of the valid UTF-8 sequence at the start of `text` (1 to 4 bytes)
// and its character, or 0 when the bytes there are no such sequence
// (overlong forms and surrogates included).
int DecodeSequence(std::string_view text, char32_t& character) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(0);
    int length = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        character = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        lowest = 0x80;
        character = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        lowest = 0x800;
        character = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        lowest = 0x10000;
        character = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < static_cast<size_t>(length)) {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        character = (character << 6) | (byte(i) & 0x3F);
    }
    const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
    if (character < lowest || character > 0x10FFFF || surrogate) {
        return 0;
    }
    return length;
}

// UTF-8 text to Windows-1252. A strict conversion gives nullopt at the first
// byte that starts no valid sequence and at the first character the code
// page lacks; a lenient one keeps such a byte and writes "?" for such a
// character.
std::optional<std::string> ConvertUtf8(std::string_view text, bool strict) {
    std::string bytes;
    bytes.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        char32_t character = 0;
        const int length = DecodeSequence(text.substr(at), character);
        if (length == 0) {
            if (strict) {
                return std::nullopt;
            }
            bytes += text[at];
            ++at;
            continue;
        }
        const char byte = Cp1252Byte(character);
        if (strict && byte == '?' && character != '?') {
            return std::nullopt;
        }
        bytes += byte;
        at += static_cast<size_t>(length);
    }
    return bytes;
}

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
    return ConvertUtf8(text, true);
}

std::string LenientUtf8TextToCp1252(std::string_view text) {
    return *ConvertUtf8(text, false);
}

}  // namespace vorn

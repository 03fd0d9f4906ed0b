// Converting box text (UTF-8 with stray single bytes) to Windows-1252.
#include "tools/monstereditor/CodePageText.h"

#include <cstdint>

#include "common/CodePage1252.h"

namespace vorn::monstereditor {

namespace {

// Length of the valid UTF-8 sequence at the start of `text` (2 to 4 bytes)
// and its character, or 0 when the bytes there are no such sequence.
int DecodeSequence(std::string_view text, char32_t& character) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(0);
    int length = 0;
    char32_t lowest = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
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

}  // namespace

std::string BoxTextToCodePage(std::string_view text) {
    std::string converted;
    converted.reserve(text.size());
    size_t at = 0;
    while (at < text.size()) {
        char32_t character = 0;
        const int length = DecodeSequence(text.substr(at), character);
        if (length == 0) {
            converted += text[at];
            ++at;
        } else {
            converted += Cp1252Byte(character);
            at += static_cast<size_t>(length);
        }
    }
    return converted;
}

}  // namespace vorn::monstereditor

// Mods store their texts as single-byte Windows-1252: the game draws them
// with fonts that take Unicode, and the tools' boxes hold UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorn {

// The Unicode character of a Windows-1252 byte. The five bytes the code page
// leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control
// characters of the same number, so every byte has a character.
char32_t Cp1252Character(unsigned char byte);

// The Windows-1252 byte of `character`, or '?' where the code page has none.
char Cp1252Byte(char32_t character);

// The UTF-8 form of Windows-1252 text, for files in UTF-8 such as XML and for
// the tools' boxes, which then show what the game shows.
std::string Cp1252TextToUtf8(std::string_view text);

// The Windows-1252 text of UTF-8 text; nullopt when `text` is not valid UTF-8
// or holds a character the code page has no byte for.
std::optional<std::string> Utf8TextToCp1252(std::string_view text);

// The Windows-1252 text of a tool's box: every valid UTF-8 sequence becomes
// its byte ("?" where the code page has none), and every other byte is kept,
// as a box shows such a byte as its Windows-1252 character. So the UTF-8 form
// of any text comes back as the same bytes.
std::string LenientUtf8TextToCp1252(std::string_view text);

}  // namespace vorn

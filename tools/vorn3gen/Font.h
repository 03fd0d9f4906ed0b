// A 5 x 7 pixel font for lettering drawn into generated pictures: the title
// of vorn3 and the labelled tiles of tiledmap.
#pragma once

#include <cstdint>

namespace vorn3gen {

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;

// The seven rows of `ch`, one byte each with the leftmost pixel in bit 4, for
// letters (lower case drawn as capitals), digits and common punctuation;
// nullptr for a space and for every character the font lacks.
const uint8_t* Glyph(char ch);

}  // namespace vorn3gen

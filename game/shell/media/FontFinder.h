// Turns a font face name as a mod names it ("Arial", "Tahoma") into the file
// of the best matching installed font, through fontconfig.
#pragma once

#include <string>

namespace vorn {

// The file of the closest installed scalable font for the face (fontconfig
// substitutes a similar face when the named one is missing; an empty name
// asks for the usual sans-serif face). Sets `isBold` when that file's own
// weight is bold, so the caller knows whether to embolden. "" when no font
// is installed at all.
std::string FindFontFile(const std::string& faceName, bool bold, bool& isBold);

}  // namespace vorn

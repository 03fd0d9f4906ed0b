// Turns a font face name as a mod names it ("Arial", "Tahoma") into the file
// of the best matching installed font, through fontconfig.
#pragma once

#include <string>

struct _FcConfig;

namespace vorn {

// Holds its own fontconfig configuration, loaded at the first lookup and
// released with the object (the library's process-wide one is never freed).
class FontFinder {
public:
    FontFinder() = default;
    ~FontFinder();
    FontFinder(const FontFinder&) = delete;
    FontFinder& operator=(const FontFinder&) = delete;

    // The file of the closest installed scalable font for the face
    // (fontconfig substitutes a similar face when the named one is missing;
    // an empty name asks for the usual sans-serif face). Sets `isBold` when
    // that file's own weight is bold, so the caller knows whether to
    // embolden. "" when no font is installed at all.
    std::string Find(const std::string& faceName, bool bold, bool& isBold);
    // The family of the font Find gives for the face: the face itself when
    // it is installed, else what fontconfig put in its place; "" when no
    // font is installed.
    std::string MatchedFamily(const std::string& faceName);

private:
    _FcConfig* config_ = nullptr;
    bool loadTried_ = false;
};

}  // namespace vorn

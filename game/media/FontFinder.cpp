// Fontconfig matching: the face name goes in as a family (never parsed as a
// fontconfig pattern string, so names with ':' or '-' stay names).
#include "game/media/FontFinder.h"

#include <fontconfig/fontconfig.h>

namespace vorn {

FontFinder::~FontFinder() {
    if (config_ != nullptr) {
        FcConfigDestroy(config_);
    }
}

namespace {

// The pattern a face name asks for: the family, bold or regular, upright,
// scalable, completed with the configuration's substitutions.
FcPattern* FacePattern(FcConfig* config, const std::string& faceName, bool bold) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) {
        return nullptr;
    }
    const std::string family = faceName.empty() ? std::string("sans-serif") : faceName;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    return pattern;
}

}  // namespace

std::string FontFinder::Find(const std::string& faceName, bool bold, bool& isBold) {
    isBold = false;
    if (!loadTried_) {
        loadTried_ = true;
        config_ = FcInitLoadConfigAndFonts();
    }
    if (config_ == nullptr) {
        return {};
    }
    FcPattern* pattern = FacePattern(config_, faceName, bold);
    if (pattern == nullptr) {
        return {};
    }

    std::string file;
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config_, pattern, &result);
    if (match != nullptr) {
        FcChar8* path = nullptr;
        FcBool scalable = FcFalse;
        int weight = FC_WEIGHT_REGULAR;
        // Bitmap-only fonts cannot be drawn at an arbitrary pixel size.
        if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch &&
            (FcPatternGetBool(match, FC_SCALABLE, 0, &scalable) != FcResultMatch || scalable)) {
            file = reinterpret_cast<const char*>(path);
            if (FcPatternGetInteger(match, FC_WEIGHT, 0, &weight) == FcResultMatch) {
                isBold = weight >= FC_WEIGHT_DEMIBOLD;
            }
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

std::string FontFinder::MatchedFamily(const std::string& faceName) {
    bool isBold = false;
    if (Find(faceName, true, isBold).empty()) {
        return {};
    }
    FcPattern* pattern = FacePattern(config_, faceName, true);
    if (pattern == nullptr) {
        return {};
    }
    std::string family;
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config_, pattern, &result);
    FcChar8* name = nullptr;
    if (match != nullptr && FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch) {
        family = reinterpret_cast<const char*>(name);
    }
    if (match != nullptr) {
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return family;
}

}  // namespace vorn

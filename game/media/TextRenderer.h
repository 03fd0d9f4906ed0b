// Fonts in numbered slots and text rendered with SDL2_ttf into coverage
// masks, cached while the same text is drawn frame after frame. The colour is
// applied when a mask is blended onto the screen, so one mask serves every
// colour (the black shadow and the coloured text above it).
#pragma once

#include <SDL_ttf.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "game/media/FontFinder.h"

namespace vorn {

constexpr int kFontSlotCount = 16;
// The font drawn before a slot is selected: bold sans-serif 16 pixels high,
// like the system font of the platform the game was designed on.
constexpr int kDefaultFontSize = 16;
// Sizes are clamped to this; larger text is of no use on a game screen.
constexpr int kMaxFontSize = 512;
// Texts are laid out in pieces of at most this many characters, so a very
// long text (a health bar of thousands of hearts) never needs one huge
// surface and only pieces that reach the screen are rendered.
constexpr size_t kTextPieceChars = 128;
// Characters beyond this are neither measured nor drawn.
constexpr size_t kMaxTextChars = 16384;

// Coverage (0 to 255) of one rendered piece, rows top to bottom.
struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> coverage;
};

// Text bytes in the Windows-1252 code page, as UTF-8 for SDL_ttf.
std::string Cp1252ToUtf8(std::string_view text);

class TextRenderer {
public:
    TextRenderer();
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // `size` > 0 is the height of a text line in pixels, < 0 the height of
    // the letters alone (the em size), 0 the default size. False (and the
    // slot emptied) when the slot number is out of range or no font loads.
    bool LoadSlot(int slot, const std::string& faceName, int size, bool bold);
    bool SlotLoaded(int slot) const;

    // A slot of -1, out of range or empty means the default font. The
    // default font fails only on a machine with no fonts at all; then text
    // measures 0 and draws nothing.
    int Measure(int slot, std::string_view text);
    int LineHeight(int slot);

    // Calls `draw(offsetX, mask)` for every piece of the text that overlaps
    // the columns [left, right) when the text starts at column `x`. Returns
    // the width of the whole text (what Measure returns).
    int Render(int slot, std::string_view text, int x, int left, int right,
               const std::function<void(int, const TextMask&)>& draw);

    // Called once per presented frame: forgets rendered texts that were not
    // used recently once the cache has grown.
    void EndFrame();
    size_t CachedTexts() const { return cache_.size(); }

private:
    struct Font {
        TTF_Font* font = nullptr;
        uint32_t id = 0;
    };
    struct CacheEntry {
        int advance = 0;
        bool rendered = false;
        TextMask mask;
        uint64_t lastUsedFrame = 0;
    };

    const Font* FontFor(int slot);
    CacheEntry& Entry(const Font& font, std::string_view piece);
    TTF_Font* OpenSized(const std::string& file, int size, bool embolden);

    FontFinder finder_;
    bool ttfReady_ = false;
    std::vector<Font> slots_;
    Font defaultFont_;
    bool defaultTried_ = false;
    uint32_t nextFontId_ = 1;
    std::unordered_map<std::string, CacheEntry> cache_;
    uint64_t frame_ = 0;
};

}  // namespace vorn

// The drawing core both media layers share: the back buffer, the sprites with
// their clip rectangles, opaque and colour-keyed display, boxes and text. It
// knows nothing of windows; a layer shows Pixels() however it likes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/media/MediaTypes.h"
#include "game/media/Picture.h"
#include "game/media/TextRenderer.h"

namespace vorn {

// 0xRRGGBB of a colour, components cut to 0-255.
uint32_t ColourToRgb(Colour colour);
// 0xRRGGBB of a colour packed with red in the low byte.
uint32_t PackedToRgb(int32_t packedColour);

struct ClipRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct Sprite {
    Picture picture;  // alpha bytes: see AddSprite
    ClipRect clip;    // always inside the picture; may be empty
};

// What the text operations draw with; BeginText resets it.
struct TextState {
    int font = -1;  // -1: the default font
    uint32_t colour = 0x000000;
    bool opaque = true;
    uint32_t backColour = 0xFFFFFF;
    int cursorX = 0;
    int cursorY = 0;
};

class SoftwareScreen {
public:
    // Allocates a black back buffer; false when the size is not allowed.
    bool Open(int width, int height);
    bool IsOpen() const { return width_ > 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // 0xXXRRGGBB words, Width() per row; the top byte is not meaningful.
    const uint32_t* Pixels() const { return pixels_.data(); }
    uint32_t PixelAt(int x, int y) const;

    // Off, every draw keeps its effect on the screen's state (the text
    // cursor) but writes no pixel: for running a game no one watches.
    void SetPainting(bool painting) { painting_ = painting; }

    void Clear(uint32_t rgb);
    void FillBox(int x, int y, int width, int height, uint32_t rgb);
    // Mixes `rgb` into the rectangle with `alpha` (0 to 255).
    void BlendBox(int x, int y, int width, int height, uint32_t rgb, int alpha);
    // Applies to every sprite, loaded or not yet loaded.
    void SetTransparentColour(uint32_t rgb);

    // Sprites: handles count up from 1 and are never reused. The sprite's
    // alpha bytes are rewritten to say whether transparent display shows
    // each pixel (the colour bytes are kept).
    int AddSprite(Picture picture);
    // Puts `picture` in place of a sprite's picture; the clip rectangle is
    // cut to the new size. False for an unknown sprite or an empty picture.
    bool ReplaceSprite(int sprite, Picture picture);
    void FreeSprite(int sprite);
    const Sprite* FindSprite(int sprite) const;
    void ClipSprite(int sprite, int x, int y, int width, int height);
    void DrawSprite(int sprite, int x, int y, bool transparent);

    void BeginText();
    TextState& Text() { return text_; }
    // Draws at the cursor and moves the cursor to the end of the text.
    void DrawTextAtCursor(std::string_view text);
    int MeasureText(std::string_view text) { return fonts_.Measure(text_.font, text); }
    TextRenderer& Fonts() { return fonts_; }

    // Once per presented frame.
    void EndFrame() { fonts_.EndFrame(); }

private:
    void PrepareSpritePixels(Picture& picture) const;
    void BlendMask(int x, int y, const TextMask& mask, uint32_t rgb);

    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
    // No pixel matches the key until one is set.
    uint32_t transparentRgb_ = 0xFFFFFFFFu;
    std::vector<std::unique_ptr<Sprite>> sprites_;  // index = handle - 1
    TextState text_;
    TextRenderer fonts_;
    bool painting_ = true;
};

}  // namespace vorn

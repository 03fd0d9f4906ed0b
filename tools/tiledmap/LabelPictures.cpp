// Drawing the label pictures with the pixel font of vorn3gen.
#include "tools/tiledmap/LabelPictures.h"

#include <algorithm>

#include "common/TextPrimitives.h"
#include "tools/vorn3gen/Canvas.h"
#include "tools/vorn3gen/Font.h"
#include "tools/vorn3gen/PngFile.h"

namespace vorn::tiledmap {

namespace {

using vorn3gen::Canvas;
using vorn3gen::Colour;

Colour LabelColour(const std::string& text, LabelKind kind) {
    if (kind == LabelKind::MissingPicture)
        return 0xD02020;
    if (text == "X")
        return 0xE03030;
    if (text == "M")
        return 0xE08020;
    if (text == "W")
        return 0x3060F0;
    if (text == "S")
        return 0xA040E0;
    if (TextToInt(text) > 0)
        return 0x20A040;
    return 0x707070;
}

void DrawText(Canvas& canvas, const std::string& text, int scale, Colour colour) {
    constexpr int kAdvance = vorn3gen::kGlyphWidth + 1;
    const int fitting = std::max(1, (canvas.Width() - 4) / (kAdvance * scale));
    const int shown = std::min<int>(fitting, static_cast<int>(text.size()));
    const int width = shown * kAdvance * scale - scale;
    int x = (canvas.Width() - width) / 2;
    const int y = (canvas.Height() - vorn3gen::kGlyphHeight * scale) / 2;
    for (int i = 0; i < shown; ++i, x += kAdvance * scale) {
        const char ch = text[static_cast<size_t>(i)];
        const uint8_t* rows = vorn3gen::Glyph(ch == ' ' ? '_' : ch);
        if (rows == nullptr)
            rows = vorn3gen::Glyph('?');
        for (int r = 0; r < vorn3gen::kGlyphHeight; ++r) {
            for (int b = 0; b < vorn3gen::kGlyphWidth; ++b) {
                if (rows[r] & (16 >> b))
                    canvas.FillRect(x + b * scale, y + r * scale, scale, scale, colour);
            }
        }
    }
}

}  // namespace

std::string LabelPicture(const std::string& text, LabelKind kind, int width, int height) {
    const Colour colour = LabelColour(text, kind);
    Canvas canvas(width, height, vorn3gen::kTransparent);
    const int border = std::max(1, std::min(width, height) / 16);
    for (int i = 0; i < border; ++i)
        canvas.Outline(i, i, width - 2 * i, height - 2 * i, colour);
    const std::string shown = text.empty() ? std::string("\"\"") : text;
    const int glyphs = static_cast<int>(shown.size());
    const int scale = (glyphs * 6 * 2 <= width - 6 && 7 * 2 <= height - 6) ? 2 : 1;
    // A dark plate behind the text keeps it readable over any tile.
    const int plateWidth = std::min(width - 2 * border, glyphs * 6 * scale + 3);
    const int plateHeight = std::min(height - 2 * border, 7 * scale + 4);
    canvas.FillRect((width - plateWidth) / 2, (height - plateHeight) / 2, plateWidth, plateHeight,
                    0x101018);
    DrawText(canvas, shown, scale, kind == LabelKind::MissingPicture ? 0xFF8080 : 0xFFFFFF);
    return vorn3gen::EncodePng(canvas, true);
}

}  // namespace vorn::tiledmap

// The desktop icon of the bundled game: the relic on its chalice under the
// night sky of the title picture, on a rounded square. Every size is drawn
// from the same 64-unit design, so small icons stay sharp instead of being
// scaled down.
#include <algorithm>
#include <string>

#include "tools/vorn3gen/Art.h"

namespace vorn3gen {

namespace {

constexpr double kDesignSize = 64.0;
constexpr double kCornerRadius = 12.0;
constexpr Colour kSkyTop = 0x0C1030;
constexpr Colour kSkyBottom = 0x5A3A6A;
constexpr Colour kGold = 0xE8B838;
constexpr Colour kOrb = 0x40A0F0;

bool InsideRoundedSquare(double x, double y) {
    const double low = 2.0 + kCornerRadius, high = kDesignSize - 2.0 - kCornerRadius;
    const double dx = x < low ? low - x : (x > high ? x - high : 0.0);
    const double dy = y < low ? low - y : (y > high ? y - high : 0.0);
    return x >= 2.0 && y >= 2.0 && x <= kDesignSize - 2.0 && y <= kDesignSize - 2.0 &&
           dx * dx + dy * dy <= kCornerRadius * kCornerRadius;
}

Canvas Chalice(int size, double s) {
    Canvas c(size, size);
    c.FillRect(static_cast<int>(20 * s), static_cast<int>(50 * s), static_cast<int>(24 * s),
               static_cast<int>(5 * s), Shade(kGold, 0.8));  // foot
    c.FillRect(static_cast<int>(29 * s), static_cast<int>(40 * s), static_cast<int>(6 * s),
               static_cast<int>(11 * s), Shade(kGold, 0.9));  // stem
    c.FillEllipse(32 * s, 31 * s, 16 * s, 12 * s, kGold);     // bowl
    c.FillEllipse(27 * s, 35 * s, 5 * s, 4 * s, Shade(kGold, 1.2));
    c.FillRect(0, 0, size, static_cast<int>(31 * s), kTransparent);  // open at the top
    c.FillCircle(32 * s, 23 * s, 9 * s, kOrb);
    c.FillCircle(29 * s, 20 * s, 3 * s, 0xC0E8FF);
    c.OutlineShapes(0x3A2808);
    return c;
}

Canvas Icon(int size) {
    const double s = size / kDesignSize;
    Canvas c(size, size);
    for (int y = 0; y < size; ++y)
        c.FillRect(0, y, size, 1, Mix(kSkyTop, kSkyBottom, y / static_cast<double>(size)));
    constexpr int kStars[][2] = {{12, 14}, {50, 10}, {44, 20}, {9, 30}, {56, 34}, {20, 8}};
    const int starSize = std::max(1, static_cast<int>(s));
    for (const auto& star : kStars)
        c.FillRect(static_cast<int>(star[0] * s), static_cast<int>(star[1] * s), starSize, starSize,
                   0xE8E8F0);
    c.FillEllipse(32 * s, 70 * s, 44 * s, 18 * s, 0x18301E);  // the hill
    for (int ring = 0; ring < 4; ++ring)                      // the relic's glow
        c.FillCircle(32 * s, 23 * s, (19 - ring * 2.5) * s, Mix(kSkyTop, kOrb, 0.2 + ring * 0.12));
    c.Blit(Chalice(size, s), 0, 0);

    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (!InsideRoundedSquare((x + 0.5) / s, (y + 0.5) / s))
                c.Set(x, y, kTransparent);
    c.OutlineShapes(0x06081A);
    return c;
}

}  // namespace

void WriteIcons(Output& out) {
    // A desktop knows no colour key: the corners are see-through by alpha.
    for (int size : {48, 64, 128, 256})
        out.Write("vorn3-" + std::to_string(size) + ".png", EncodePng(Icon(size), true));
}

}  // namespace vorn3gen

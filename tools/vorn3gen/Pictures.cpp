// Item pictures, animation strips and the shared screens of vorn3: the title
// picture, the night overlay tile and the death mark.
#include <cmath>
#include <cstring>
#include <string>

#include "tools/vorn3gen/Art.h"
#include "tools/vorn3gen/Font.h"

namespace vorn3gen {

namespace {

constexpr int kTile = 32;

// --- items ---------------------------------------------------------------

Canvas Heart(int size) {
    Canvas c(size, size);
    const double s = size / 16.0;
    c.FillCircle(5 * s, 6 * s, 3.6 * s, 0xD82838);
    c.FillCircle(11 * s, 6 * s, 3.6 * s, 0xD82838);
    for (int y = 0; y < static_cast<int>(8 * s); ++y) {
        const double half = 7.2 * s * (1.0 - y / (8.0 * s));
        c.FillRect(static_cast<int>(8 * s - half), static_cast<int>(7 * s) + y,
                   static_cast<int>(2 * half), 1, 0xD82838);
    }
    c.FillCircle(4.5 * s, 5 * s, 1.4 * s, 0xF8A0A8);
    c.OutlineShapes(0x400810);
    return c;
}

Canvas Sword() {
    Canvas c(kTile, kTile);
    for (int i = 0; i < 16; ++i) {  // blade along the diagonal
        c.FillRect(9 + i, 22 - i, 2, 2, 0xD8DCE8);
        c.Set(9 + i, 22 - i, 0xF8F8FF);
    }
    c.Line(5, 20, 12, 27, 0xC8A030);  // cross guard
    c.Line(6, 20, 13, 27, 0xC8A030);
    c.FillRect(5, 25, 3, 3, 0x6B4423);
    c.FillRect(3, 27, 3, 3, 0xC8A030);
    c.OutlineShapes(0x1A1820);
    return c;
}

Canvas Boots() {
    Canvas c(kTile, kTile);
    for (int x : {6, 17}) {
        c.FillRect(x, 8, 7, 14, 0x8A4A20);
        c.FillRect(x, 20, 11, 6, 0x8A4A20);
        c.FillRect(x, 8, 7, 3, 0xB06A30);
        c.FillRect(x, 25, 11, 2, 0x3A2010);
        c.FillRect(x - 2, 12, 3, 4, 0xF0F0F0);  // little wings
    }
    c.OutlineShapes(0x1E1008);
    return c;
}

Canvas Crystal() {
    Canvas c(kTile, kTile);
    c.Blit(Heart(24), 4, 4);
    c.FillRect(14, 2, 4, 4, 0xF8E060);
    c.FillRect(6, 24, 20, 4, 0xC8A030);
    c.OutlineShapes(0x301008);
    return c;
}

Canvas Key() {
    Canvas c(kTile, kTile);
    c.FillCircle(10, 16, 6, 0xB0B0B8);
    c.FillCircle(10, 16, 3, kTransparent);
    c.FillRect(15, 15, 13, 3, 0xB0B0B8);
    c.FillRect(23, 18, 2, 5, 0xB0B0B8);
    c.FillRect(27, 18, 2, 4, 0xB0B0B8);
    c.FillRect(16, 15, 11, 1, 0xE0E0E8);
    c.OutlineShapes(0x202028);
    return c;
}

Canvas Relic() {
    Canvas c(kTile, kTile);
    c.FillRect(10, 24, 12, 4, 0xC89020);  // chalice foot and stem
    c.FillRect(14, 18, 4, 6, 0xD8A030);
    c.FillEllipse(16, 12, 9, 8, 0xE8B838);
    c.FillRect(7, 4, 18, 8, kTransparent);
    c.FillEllipse(16, 7, 6, 6, 0x40A0F0);  // the blue orb it holds
    c.FillCircle(14, 5, 2, 0xC0E8FF);
    c.OutlineShapes(0x3A2808);
    return c;
}

// --- animations ----------------------------------------------------------

Canvas Strip(int frames, int width, int height) {
    return Canvas(frames * width, height);
}

Canvas WaterRipples() {
    Canvas c = Strip(4, kTile, kTile);
    Rng rng(51);
    int xs[6], ys[6];
    for (int i = 0; i < 6; ++i) {
        xs[i] = rng.Below(24);
        ys[i] = 3 + rng.Below(26);
    }
    for (int f = 0; f < 4; ++f)
        for (int i = 0; i < 6; ++i) {
            const int x = f * kTile + (xs[i] + f * 2) % 26, y = ys[i];
            const Colour light = (i + f) % 2 ? 0x8AB8F0 : 0x6A9EE6;
            c.Line(x, y, x + 2 + (f % 2), y, light);
            c.Set(x + 3 + (f % 2), y + 1, 0x4A7ECC);
        }
    return c;
}

Canvas Torch() {
    Canvas c = Strip(4, kTile, kTile);
    const int heights[] = {9, 11, 8, 12};
    for (int f = 0; f < 4; ++f) {
        const int x = f * kTile;
        c.FillRect(x + 14, 16, 4, 12, 0x5A3A1C);  // handle and bracket
        c.FillRect(x + 12, 26, 8, 2, 0x3A3A40);
        c.FillRect(x + 13, 14, 6, 3, 0x3A3A40);
        const int h = heights[f];
        c.FillEllipse(x + 16 + (f % 2 ? 1 : -1) * 0.5, 14 - h / 2.0, 4.5, h / 2.0 + 1, 0xE85A18);
        c.FillEllipse(x + 16, 14 - h / 2.0 + 1, 3, h / 2.0 - 1, 0xF8B030);
        c.FillEllipse(x + 16, 13, 1.5, 2, 0xFFF0A0);
        c.Set(x + 13 + f, 2 + f % 3, 0xF8B030);  // embers
    }
    return c;
}

Canvas Campfire() {
    Canvas c = Strip(4, kTile, kTile);
    for (int f = 0; f < 4; ++f) {
        const int x = f * kTile;
        c.FillRect(x + 5, 25, 22, 4, 0x6B4423);  // logs
        c.Line(x + 6, 29, x + 26, 23, 0x5A3418);
        c.Line(x + 6, 23, x + 26, 29, 0x7A4A24);
        for (int i = 0; i < 3; ++i) {
            const double h = 8 + ((f + i) % 4) * 2.5;
            c.FillEllipse(x + 10 + i * 6, 24 - h / 2, 3.5, h / 2, 0xE85A18);
            c.FillEllipse(x + 10 + i * 6, 25 - h / 3, 2, h / 3, 0xF8C040);
        }
    }
    return c;
}

Canvas Smoke() {
    Canvas c = Strip(6, kTile, kTile);
    for (int f = 0; f < 6; ++f)
        for (int i = 0; i < 3; ++i) {
            const int age = (f + i * 2) % 6;
            const double y = 28 - age * 4.5, r = 2 + age * 0.8;
            const double x = f * kTile + 16 + std::sin(age * 1.3) * 3;
            c.FillCircle(x, y, r, Mix(0xB0B0B8, 0xE8E8F0, age / 6.0));
        }
    return c;
}

Canvas Sparkle() {
    Canvas c = Strip(4, kTile, kTile);
    const int px[] = {8, 22, 14, 25, 6};
    const int py[] = {6, 10, 20, 24, 16};
    for (int f = 0; f < 4; ++f)
        for (int i = 0; i < 5; ++i) {
            if ((i + f) % 3 == 0)
                continue;
            const int x = f * kTile + px[i], y = py[i];
            const int r = (i + f) % 2 + 1;
            c.FillRect(x - r, y, 2 * r + 1, 1, 0xFFF8C0);
            c.FillRect(x, y - r, 1, 2 * r + 1, 0xFFF8C0);
            c.Set(x, y, 0xFFFFFF);
        }
    return c;
}

// The gate in the village fence standing open: path ground with the two
// wings swung back against the posts. Drawn over the closed gate.
Canvas GateOpen() {
    Canvas c(2 * kTile, kTile, 0xB08A58);
    Rng rng(5);
    c.Speckle(rng, 0, 0, 2 * kTile, kTile, 120, 0x9A764A);
    c.Speckle(rng, 0, 0, 2 * kTile, kTile, 60, 0xC49C68);
    c.FillRect(0, 2, 6, 30, 0x5A3A1C);
    c.FillRect(58, 2, 6, 30, 0x5A3A1C);
    c.FillRect(1, 8, 4, 3, 0x3A3A40);
    c.FillRect(59, 24, 4, 3, 0x3A3A40);
    return c;
}

Canvas Poof() {
    Canvas c = Strip(5, kTile, kTile);
    for (int f = 0; f < 5; ++f) {
        const double r = 3 + f * 2.6;
        for (int i = 0; i < 8; ++i) {
            const double a = i * 0.785 + f * 0.3;
            c.FillCircle(f * kTile + 16 + std::cos(a) * r, 18 + std::sin(a) * r * 0.8, 4 - f * 0.6,
                         Mix(0xF0F0F0, 0x9090A0, f / 5.0));
        }
    }
    return c;
}

Canvas Flash() {
    Canvas c = Strip(5, kTile, kTile);
    for (int f = 0; f < 5; ++f) {
        const double r = f < 3 ? 4 + f * 5 : 14 - (f - 3) * 5;
        c.FillEllipse(f * kTile + 16, 16, r * 0.6, r, 0x60E0F0);
        c.FillEllipse(f * kTile + 16, 16, r * 0.3, r * 0.7, 0xE8FCFF);
    }
    return c;
}

// --- shared screens --------------------------------------------------------

void Lettering(Canvas& c, const char* text, int y, int scale, Colour face, Colour shadow) {
    const int width = static_cast<int>(std::strlen(text)) * 6 * scale - scale;
    int x = (c.Width() - width) / 2;
    for (const char* p = text; *p != '\0'; ++p, x += 6 * scale) {
        const uint8_t* rows = Glyph(*p);
        if (rows == nullptr)
            continue;
        for (int r = 0; r < 7; ++r)
            for (int b = 0; b < 5; ++b)
                if (rows[r] & (16 >> b)) {
                    c.FillRect(x + b * scale + scale / 3 + 1, y + r * scale + scale / 3 + 1, scale,
                               scale, shadow);
                    c.FillRect(x + b * scale, y + r * scale, scale, scale, face);
                }
    }
}

Canvas Title() {
    Canvas c(640, 480);
    Rng rng(77);
    for (int y = 0; y < 480; ++y)
        c.FillRect(0, y, 640, 1, Mix(0x0C1030, 0x5A3A6A, y / 480.0));
    for (int i = 0; i < 140; ++i) {  // stars
        const int x = rng.Below(640);
        const int y = rng.Below(300);
        c.Set(x, y, i % 7 ? 0xC8C8E0 : 0xFFFFFF);
    }
    c.FillCircle(540, 230, 30, 0xF0E8C0);  // moon, below the lettering
    c.FillCircle(530, 221, 5, 0xD8D0A8);
    c.FillCircle(550, 242, 4, 0xD8D0A8);
    for (int x = 0; x < 640; ++x) {  // far mountains, then hills
        const int far = 250 + static_cast<int>(40 * std::sin(x / 70.0) + 20 * std::sin(x / 23.0));
        c.FillRect(x, far, 1, 480 - far, 0x2A2448);
        const int near = 330 + static_cast<int>(18 * std::sin(x / 45.0 + 1.0));
        c.FillRect(x, near, 1, 480 - near, 0x18301E);
    }
    // The ruined tower on the hill, holding the relic's glow.
    c.FillRect(120, 200, 50, 140, 0x1A1A24);
    for (int x = 120; x < 170; x += 12)
        c.FillRect(x, 190, 7, 10, 0x1A1A24);
    c.FillRect(138, 240, 12, 18, 0xF0C860);
    c.FillCircle(144, 180, 10, 0x40A0F0);
    c.FillCircle(144, 180, 5, 0xC0E8FF);
    for (int i = 0; i < 9; ++i) {  // trees in the foreground
        const int x = 20 + i * 75 + rng.Below(30), base = 420 + rng.Below(20);
        c.FillRect(x - 3, base - 20, 6, 24, 0x0C140C);
        for (int j = 0; j < 5; ++j)
            c.FillRect(x - 6 - j * 4, base - 70 + j * 11, 12 + j * 8, 11, 0x0E2212);
    }
    c.FillRect(0, 450, 640, 30, 0x0C180E);
    Lettering(c, "THE RELIC", 40, 8, 0xF0C848, 0x3A1A08);
    Lettering(c, "OF VORN", 110, 8, 0xF0C848, 0x3A1A08);
    Lettering(c, "A SMALL ADVENTURE", 400, 3, 0xE8E8F0, 0x101018);
    return c;
}

// Every other pixel dark, the rest transparent: half the play area darkens.
Canvas NightTile(Colour dark) {
    Canvas c(kTile, kTile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x)
            if ((x + y) % 2 == 0)
                c.Set(x, y, dark);
    return c;
}

Canvas DeathMark() {
    Canvas c(16, 16);
    for (int i = 0; i < 8; ++i) {
        const double a = i * 0.785;
        c.Line(8, 8, 8 + static_cast<int>(std::lround(std::cos(a) * 7)),
               8 + static_cast<int>(std::lround(std::sin(a) * 7)), i % 2 ? 0xF8E060 : 0xF04020);
    }
    c.FillCircle(8, 8, 2.5, 0xFFFFFF);
    return c;
}

}  // namespace

void WritePictures(Output& out) {
    out.WritePng("objects/heart.png", Heart(16));
    out.WritePng("objects/sword.png", Sword());
    out.WritePng("objects/boots.png", Boots());
    out.WritePng("objects/crystal.png", Crystal());
    out.WritePng("objects/key.png", Key());
    out.WritePng("objects/relic.png", Relic());

    out.WritePng("animations/water.png", WaterRipples());
    out.WritePng("animations/torch.png", Torch());
    out.WritePng("animations/campfire.png", Campfire());
    out.WritePng("animations/smoke.png", Smoke());
    out.WritePng("animations/sparkle.png", Sparkle());
    out.WritePng("animations/gateopen.png", GateOpen());
    out.WritePng("animations/poof.png", Poof());
    out.WritePng("animations/flash.png", Flash());

    out.WritePng("sprites/title.png", Title());
    out.WritePng("sprites/night.png", NightTile(0x080C24));
    out.WritePng("sprites/death.png", DeathMark());
}

}  // namespace vorn3gen

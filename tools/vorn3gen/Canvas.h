// A small RGB picture with the drawing operations the pixel art of vorn3 is
// made of, and a seeded random generator whose sequence is the same on every
// machine, so the generated files never change between runs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vorn3gen {

// 0xRRGGBB. Pixels of kTransparent are not drawn by the game.
using Colour = uint32_t;
constexpr Colour kTransparent = 0x00FFFF;

// Mixes two colours; amount 0 gives a, 1 gives b.
Colour Mix(Colour a, Colour b, double amount);
// Brighter (factor above 1) or darker (below 1), clamped.
Colour Shade(Colour c, double factor);

class Rng {
public:
    explicit Rng(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    uint32_t Next();
    // 0 .. max - 1 (0 when max is 0 or less).
    int Below(int max);
    // -1.0 .. 1.0
    double Signed();

private:
    uint32_t state_;
};

class Canvas {
public:
    Canvas(int width, int height, Colour fill = kTransparent);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Colour Get(int x, int y) const;
    // Points outside the picture are ignored.
    void Set(int x, int y, Colour c);

    void Fill(Colour c) { FillRect(0, 0, width_, height_, c); }
    void FillRect(int x, int y, int w, int h, Colour c);
    void Outline(int x, int y, int w, int h, Colour c);
    void FillEllipse(double cx, double cy, double rx, double ry, Colour c);
    void FillCircle(double cx, double cy, double r, Colour c) { FillEllipse(cx, cy, r, r, c); }
    void Line(int x0, int y0, int x1, int y1, Colour c);
    // Sprinkles `count` single pixels of `c` over the rectangle.
    void Speckle(Rng& rng, int x, int y, int w, int h, int count, Colour c);
    // Copies `source` with its top-left at (x, y), skipping transparent pixels.
    void Blit(const Canvas& source, int x, int y);
    // Copies the rectangle (sx, sy, w, h) of this picture into a new one.
    Canvas Cut(int sx, int sy, int w, int h) const;
    // Mirrors left to right.
    Canvas Mirrored() const;
    // Draws a dark one-pixel border around every non-transparent shape.
    void OutlineShapes(Colour c);

    const std::vector<Colour>& Pixels() const { return pixels_; }

private:
    int width_;
    int height_;
    std::vector<Colour> pixels_;
};

}  // namespace vorn3gen

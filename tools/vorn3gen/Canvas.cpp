// Drawing operations of the generator's pictures.
#include "tools/vorn3gen/Canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vorn3gen {

namespace {

int Channel(Colour c, int shift) {
    return static_cast<int>((c >> shift) & 0xFF);
}

Colour Pack(int r, int g, int b) {
    r = std::clamp(r, 0, 255);
    g = std::clamp(g, 0, 255);
    b = std::clamp(b, 0, 255);
    Colour c =
        (static_cast<Colour>(r) << 16) | (static_cast<Colour>(g) << 8) | static_cast<Colour>(b);
    // Art must never hit the transparent colour by accident.
    return c == kTransparent ? 0x00F0F8 : c;
}

}  // namespace

Colour Mix(Colour a, Colour b, double amount) {
    auto mix = [&](int shift) {
        return static_cast<int>(
            std::lround(Channel(a, shift) * (1.0 - amount) + Channel(b, shift) * amount));
    };
    return Pack(mix(16), mix(8), mix(0));
}

Colour Shade(Colour c, double factor) {
    auto shade = [&](int shift) {
        return static_cast<int>(std::lround(Channel(c, shift) * factor));
    };
    return Pack(shade(16), shade(8), shade(0));
}

uint32_t Rng::Next() {
    // xorshift32: fixed arithmetic, identical everywhere.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

int Rng::Below(int max) {
    return max <= 0 ? 0 : static_cast<int>(Next() % static_cast<uint32_t>(max));
}

double Rng::Signed() {
    return (Next() % 20001) / 10000.0 - 1.0;
}

Canvas::Canvas(int width, int height, Colour fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

Colour Canvas::Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return kTransparent;
    return pixels_[static_cast<size_t>(y) * width_ + x];
}

void Canvas::Set(int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return;
    pixels_[static_cast<size_t>(y) * width_ + x] = c;
}

void Canvas::FillRect(int x, int y, int w, int h, Colour c) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx)
            Set(xx, yy, c);
}

void Canvas::Outline(int x, int y, int w, int h, Colour c) {
    FillRect(x, y, w, 1, c);
    FillRect(x, y + h - 1, w, 1, c);
    FillRect(x, y, 1, h, c);
    FillRect(x + w - 1, y, 1, h, c);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, Colour c) {
    if (rx <= 0 || ry <= 0)
        return;
    const int x0 = static_cast<int>(std::floor(cx - rx)), x1 = static_cast<int>(std::ceil(cx + rx));
    const int y0 = static_cast<int>(std::floor(cy - ry)), y1 = static_cast<int>(std::ceil(cy + ry));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0)
                Set(x, y, c);
        }
    }
}

void Canvas::Line(int x0, int y0, int x1, int y1, Colour c) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (true) {
        Set(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::Speckle(Rng& rng, int x, int y, int w, int h, int count, Colour c) {
    for (int i = 0; i < count; ++i) {
        // One random draw per statement: the order in which a call's
        // arguments are evaluated differs between compilers.
        const int px = x + rng.Below(w);
        const int py = y + rng.Below(h);
        Set(px, py, c);
    }
}

void Canvas::Blit(const Canvas& source, int x, int y) {
    for (int sy = 0; sy < source.Height(); ++sy)
        for (int sx = 0; sx < source.Width(); ++sx) {
            const Colour c = source.Get(sx, sy);
            if (c != kTransparent)
                Set(x + sx, y + sy, c);
        }
}

Canvas Canvas::Cut(int sx, int sy, int w, int h) const {
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.Set(x, y, Get(sx + x, sy + y));
    return out;
}

Canvas Canvas::Mirrored() const {
    Canvas out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.Set(width_ - 1 - x, y, Get(x, y));
    return out;
}

void Canvas::OutlineShapes(Colour c) {
    const Canvas before = *this;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            if (before.Get(x, y) != kTransparent)
                continue;
            const bool edge = (x > 0 && before.Get(x - 1, y) != kTransparent) ||
                              (x + 1 < width_ && before.Get(x + 1, y) != kTransparent) ||
                              (y > 0 && before.Get(x, y - 1) != kTransparent) ||
                              (y + 1 < height_ && before.Get(x, y + 1) != kTransparent);
            if (edge)
                Set(x, y, c);
        }
}

}  // namespace vorn3gen

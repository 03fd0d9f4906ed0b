// Rectangles in map or screen pixels and the one overlap test that every
// collision, pick-up, warp, vision and hit test uses.
#pragma once

#include <cstdint>

namespace vorn {

// 64-bit, so that sums of the untrusted values rectangles are made of (a
// monster far out, a tile at a huge column) never wrap.
struct Rect {
    int64_t left = 0;
    int64_t top = 0;
    int64_t width = 0;
    int64_t height = 0;
};

// Inclusive: rectangles that only touch overlap.
constexpr bool Overlaps(const Rect& a, const Rect& b) {
    return !(a.top + a.height < b.top || b.top + b.height < a.top || a.left + a.width < b.left ||
             b.left + b.width < a.left);
}

}  // namespace vorn

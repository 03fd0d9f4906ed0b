// Integer helpers shared by collision and drawing: which grid cells a pixel
// box can touch, and overflow-free tile rectangles. Positions read from mod
// files and scripts can be any 32-bit value, so products and sums are formed
// in 64 bits and saturated back.
#pragma once

#include <algorithm>
#include <cstdint>
#include <limits>

#include "game/world/Game.h"

namespace vorn {

inline int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

inline int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) {
        --q;
    }
    return q;
}

inline int64_t CeilDiv(int64_t a, int64_t b) {
    return -FloorDiv(-a, b);
}

// A half-open run of cell indices [first, last).
struct IndexRange {
    int32_t first = 0;
    int32_t last = 0;
    bool Empty() const { return first >= last; }
};

// The cells c in [0, count) whose span [c * size, c * size + size] overlaps
// the inclusive span [start, start + length] (touching counts, as in
// Overlaps). A size of 0 or less has no such simple form: then every cell
// is returned and the caller's own per-cell test decides.
inline IndexRange CellsTouching(int64_t start, int64_t length, int32_t size, int32_t count) {
    if (count <= 0) {
        return {};
    }
    if (size <= 0) {
        return {0, count};
    }
    // c * size + size >= start  and  c * size <= start + length
    const int64_t first = std::max<int64_t>(0, CeilDiv(start - size, size));
    const int64_t last = std::min<int64_t>(count, FloorDiv(start + length, size) + 1);
    if (first >= last) {
        return {};
    }
    return {static_cast<int32_t>(first), static_cast<int32_t>(last)};
}

// The grid's columns and rows that the map's settings cover: cells outside
// the allocated grid do not exist and can neither block nor be drawn.
inline int32_t MapColumns(const Game& game) {
    return std::clamp(game.settings.MapWidth, 0, game.map->grid.Width());
}
inline int32_t MapRows(const Game& game) {
    return std::clamp(game.settings.MapHeight, 0, game.map->grid.Height());
}

}  // namespace vorn

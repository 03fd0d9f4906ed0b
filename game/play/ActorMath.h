// Small arithmetic helpers of the monster, combat and item steps. Values from
// monsters.ini, map files and scripts are untrusted, so sums of them wrap at
// 32 bits instead of overflowing, and a float position becomes a pixel by
// rounding halves to even.
#pragma once

#include <cstdint>

#include "common/TextPrimitives.h"
#include "game/world/GameTypes.h"

namespace vorn::actor {

inline int32_t WrapAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

inline int32_t WrapSub(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

inline int32_t Nearest(double value) {
    return RoundHalfEven(value);
}

// The walking speed of an actor on a diagonal, per axis.
constexpr double kDiagonalFactor = 0.75;

// The vertical (and sideways) speed of a walk up or down: three quarters,
// rounded, on a diagonal.
inline int32_t AxisSpeed(int32_t speed, Diagonal diagonal) {
    return diagonal != Diagonal::None ? Nearest(speed * kDiagonalFactor) : speed;
}

// Pixels travelled in this frame at `speed` pixels per second.
inline double FrameStep(int32_t frameTime, int32_t previousFrameTime, double speed) {
    return static_cast<double>(WrapSub(frameTime, previousFrameTime)) / 1000.0 * speed;
}

}  // namespace vorn::actor

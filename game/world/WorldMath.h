// Integer helpers for values read from data files: mod files may hold any
// 32-bit number, so products wrap like the 32-bit arithmetic they describe
// instead of overflowing (which C++ leaves undefined).
#pragma once

#include <cstdint>

namespace vorn {

constexpr int32_t WrappingMultiply(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

}  // namespace vorn

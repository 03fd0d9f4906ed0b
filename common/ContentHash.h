// A 64-bit FNV-1a hash of bytes fed in pieces: stable across machines and
// runs, for telling whether two sets of files or values are the same (not
// for security).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

class ContentHash {
public:
    void Add(std::string_view bytes) {
        for (const char c : bytes) {
            value_ = (value_ ^ static_cast<unsigned char>(c)) * kPrime;
        }
    }
    uint64_t Value() const { return value_; }
    // 16 lower-case hexadecimal digits.
    std::string Hex() const;

private:
    static constexpr uint64_t kOffsetBasis = 0xcbf29ce484222325ull;
    static constexpr uint64_t kPrime = 0x100000001b3ull;
    uint64_t value_ = kOffsetBasis;
};

}  // namespace vorn

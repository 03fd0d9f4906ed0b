// The hash's text form.
#include "common/ContentHash.h"

namespace vorn {

std::string ContentHash::Hex() const {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    uint64_t rest = value_;
    for (int i = 15; i >= 0; --i) {
        text[static_cast<size_t>(i)] = kDigits[rest & 0xF];
        rest >>= 4;
    }
    return text;
}

}  // namespace vorn

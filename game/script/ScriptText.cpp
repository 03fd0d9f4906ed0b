// Shared helpers of the script engine stages.
#include "game/script/ScriptText.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "common/TextPrimitives.h"

namespace vorn::script_detail {

bool InsideQuotes(std::string_view text, size_t pos) {
    bool inside = false;
    const size_t end = pos < text.size() ? pos : text.size();
    for (size_t i = 0; i < end; ++i) {
        if (text[i] == '\'') {
            inside = !inside;
        }
    }
    return inside;
}

std::string RemoveChar(std::string_view text, char c) {
    std::string result;
    result.reserve(text.size());
    for (char ch : text) {
        if (ch != c) {
            result.push_back(ch);
        }
    }
    return result;
}

float NumberValue(std::string_view text) {
    // Up to 15 digits the digits form an integer a double holds exactly, and
    // dividing it by an exact power of ten rounds once, exactly as the
    // decimal conversion does.
    static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t digits = 0;
    int count = 0;
    int decimals = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            if (++count > 15) {
                return TextToFloat(text);
            }
            digits = digits * 10 + (c - '0');
            decimals += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (count == 0 || (i < text.size() && (text[i] == 'e' || text[i] == 'E'))) {
        return TextToFloat(text);
    }
    const double value = static_cast<double>(digits) / kPowers[decimals];
    return static_cast<float>(negative ? -value : value);
}

namespace {

// "%f" of a float whose magnitude is below 2^43, without printf: the value
// is m * 2^e exactly, so m * 10^6 * 2^e is computed exactly in 64 bits and
// rounded to an integer the way printf rounds (to nearest, ties to even).
bool FormatRealExactly(float value, std::string& out) {
    if (!std::isfinite(value) || std::fabs(value) >= 8796093022208.0f) {
        return false;
    }
    int exponent = 0;
    const float fraction = std::frexp(std::fabs(value), &exponent);  // value = f * 2^exponent
    // 24 significant bits: mantissa * 2^(exponent - 24).
    const uint64_t mantissa = static_cast<uint64_t>(std::ldexp(fraction, 24));
    const int shift = exponent - 24;
    uint64_t scaled = 0;  // round(|value| * 10^6)
    if (shift >= 0) {
        scaled = (mantissa << shift) * 1000000u;  // below 2^43 * 10^6 < 2^63
    } else if (shift > -64) {
        const uint64_t product = mantissa * 1000000u;  // below 2^44
        const int down = -shift;
        const uint64_t quotient = down >= 64 ? 0 : product >> down;
        const uint64_t remainder = product - (quotient << down);
        const uint64_t half = uint64_t{1} << (down - 1);
        scaled = quotient;
        if (remainder > half || (remainder == half && (quotient & 1u) != 0)) {
            ++scaled;
        }
    }
    char digits[32];
    int length = 0;
    uint64_t whole = scaled / 1000000u;
    uint64_t part = scaled % 1000000u;
    for (int i = 0; i < 6; ++i) {
        digits[length++] = static_cast<char>('0' + part % 10u);
        part /= 10u;
    }
    digits[length++] = '.';
    do {
        digits[length++] = static_cast<char>('0' + whole % 10u);
        whole /= 10u;
    } while (whole != 0);
    if (std::signbit(value)) {
        digits[length++] = '-';
    }
    out.assign(std::make_reverse_iterator(digits + length), std::make_reverse_iterator(digits));
    return true;
}

}  // namespace

std::string FormatReal(float value) {
    std::string text;
    if (FormatRealExactly(value, text)) {
        return text;
    }
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    if (length < 0) {
        return "0.000000";
    }
    return std::string(buffer, static_cast<size_t>(length) < sizeof buffer
                                   ? static_cast<size_t>(length)
                                   : sizeof buffer - 1);
}

std::string FormatRealWithPrintf(float value) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    return length < 0 ? std::string() : std::string(buffer, static_cast<size_t>(length));
}

}  // namespace vorn::script_detail

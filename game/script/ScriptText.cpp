// Shared helpers of the script engine stages.
#include "game/script/ScriptText.h"

#include <cstdio>

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
    // Up to 18 digits an int64 holds the value exactly, and converting it to
    // double rounds exactly like the decimal conversion does.
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    const size_t digitsStart = i;
    int64_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && i - digitsStart < 18) {
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    const bool plainEnd = i == text.size() || (text[i] != '.' && text[i] != 'e' &&
                                               text[i] != 'E' && (text[i] < '0' || text[i] > '9'));
    if (i > digitsStart && plainEnd) {
        return static_cast<float>(static_cast<double>(negative ? -value : value));
    }
    return TextToFloat(text);
}

std::string FormatReal(float value) {
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, "%f", static_cast<double>(value));
    if (length < 0) {
        return "0.000000";
    }
    return std::string(buffer, static_cast<size_t>(length) < sizeof buffer
                                   ? static_cast<size_t>(length)
                                   : sizeof buffer - 1);
}

}  // namespace vorn::script_detail

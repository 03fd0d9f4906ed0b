#include "common/TextPrimitives.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "common/FileIO.h"

namespace vorn {

bool TextReader::Open(const std::string& path) {
    text_.clear();
    pos_ = 0;
    return ReadWholeFile(path, text_);
}

bool TextReader::ReadTextLine(std::string& line) {
    line.clear();
    if (AtEnd()) {
        return false;
    }
    size_t end = pos_;
    while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n' && text_[end] != '\0') {
        ++end;
    }
    line.assign(text_, pos_, end - pos_);
    pos_ = end;
    if (pos_ < text_.size()) {
        const char terminator = text_[pos_++];
        if (terminator == '\r' && pos_ < text_.size() && text_[pos_] == '\n') {
            ++pos_;
        }
    }
    return true;
}

std::string_view TextField(std::string_view text, int n, char separator) {
    if (n < 1) {
        n = 1;
    }
    size_t start = 0;
    for (int field = 1; field < n; ++field) {
        const size_t next = text.find(separator, start);
        if (next == std::string_view::npos) {
            return {};
        }
        start = next + 1;
    }
    const size_t end = text.find(separator, start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::string_view TrimSpaces(std::string_view text) {
    size_t first = 0;
    while (first < text.size() && text[first] == ' ') {
        ++first;
    }
    size_t last = text.size();
    while (last > first && text[last - 1] == ' ') {
        --last;
    }
    return text.substr(first, last - first);
}

int32_t TextToInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps without undefined behaviour.
    uint32_t value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
        ++i;
    }
    if (negative) {
        value = 0u - value;
    }
    return static_cast<int32_t>(value);
}

float TextToFloat(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    const size_t start = i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        ++i;
    }
    size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0.0f;
    }
    // The exponent counts only when digits follow it ("1e" reads as 1).
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) {
            ++j;
        }
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
                ++j;
            }
            i = j;
        }
    }
    // Only the validated decimal prefix reaches strtod, so "inf", "nan" and
    // hexadecimal forms never count as numbers.
    const std::string prefix(text.substr(start, i - start));
    return static_cast<float>(std::strtod(prefix.c_str(), nullptr));
}

std::string UpperCaseText(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if ((byte >= 'a' && byte <= 'z') || byte >= 0xE0) {
            c = static_cast<char>(byte - 32);
        }
    }
    return result;
}

int32_t RoundHalfEven(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    const double rounded = std::nearbyint(value);  // default rounding mode: halves to even
    if (rounded >= 2147483647.0) {
        return INT32_MAX;
    }
    if (rounded <= -2147483648.0) {
        return INT32_MIN;
    }
    return static_cast<int32_t>(rounded);
}

std::string IntToText(int32_t value) {
    return std::to_string(value);
}

std::string DoubledCharacters(std::string_view text, std::string_view special) {
    std::string doubled;
    doubled.reserve(text.size());
    for (const char c : text) {
        if (special.find(c) != std::string_view::npos) {
            doubled += c;
        }
        doubled += c;
    }
    return doubled;
}

}  // namespace vorn

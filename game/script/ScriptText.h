// Character classes and number texts shared by the stages of the script
// engine: where a name stands on its own, quote parity, the number test and
// the "%ld" / "%f" forms numbers are written in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn::script_detail {

// Upper-casing as script names see it: a-z and the bytes E0-FF move down 32.
inline char UpperChar(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || byte >= 0xE0) {
        return static_cast<char>(byte - 32);
    }
    return c;
}

// The character before a variable or call name.
inline bool IsLeftBoundary(char c) {
    switch (c) {
        case '=':
        case '>':
        case '<':
        case '+':
        case '-':
        case '/':
        case '*':
        case '^':
        case ' ':
        case ',':
        case '(':
            return true;
        default:
            return false;
    }
}

// The character after a variable name.
inline bool IsVariableRightBoundary(char c) {
    switch (c) {
        case '=':
        case '>':
        case '<':
        case '+':
        case '-':
        case '/':
        case '*':
        case '^':
        case ' ':
        case ',':
        case ')':
            return true;
        default:
            return false;
    }
}

// The character after a call name.
inline bool IsCallRightBoundary(char c) {
    return c == ' ' || c == '(';
}

// True when an odd number of "'" stands in text before `pos`.
bool InsideQuotes(std::string_view text, size_t pos);

// Text with every occurrence of `c` removed.
std::string RemoveChar(std::string_view text, char c);

// Real value of a text, as TextToFloat reads it; plain integers are read
// without the general conversion (same result, much cheaper).
float NumberValue(std::string_view text);

// "%f" of a single-precision value.
std::string FormatReal(float value);
// The same through printf, for checking FormatReal.
std::string FormatRealWithPrintf(float value);

}  // namespace vorn::script_detail

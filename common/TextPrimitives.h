// Text primitives shared by every reader of the game and the tools: line
// reading with CR / LF / CRLF / NUL line ends, field splitting, blank trimming
// and the lenient number conversions that data files rely on.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

// Reads lines from text held in memory. A line ends at CR, LF or NUL (a CR
// directly followed by LF counts as one end); the end is consumed and not
// returned. A final line end does not produce an extra empty line.
class TextReader {
public:
    TextReader() = default;
    explicit TextReader(std::string text) : text_(std::move(text)) {}

    // Loads the whole file; false (and an empty reader) when it cannot be read.
    bool Open(const std::string& path);

    bool AtEnd() const { return pos_ >= text_.size(); }
    // False when nothing is left to read; `line` is then empty.
    bool ReadTextLine(std::string& line);

private:
    std::string text_;
    size_t pos_ = 0;
};

// The n-th field (from 1; below 1 counts as 1) of `text` cut at every
// `separator`. Fields past the last one, and every field of "", are "".
std::string_view TextField(std::string_view text, int n, char separator);

// Removes leading and trailing spaces (code 32 only; tabs stay).
std::string_view TrimSpaces(std::string_view text);

// Leading spaces, one optional sign, then decimal digits up to the first
// other character; 0 without digits. Computed in 32 bits with wrap-around.
int32_t TextToInt(std::string_view text);

// Decimal floating-point prefix (white space, sign, digits, fraction,
// exponent) converted in double precision and stored as float; 0 when
// nothing fits.
float TextToFloat(std::string_view text);

// Upper-casing of the single-byte code page as scripts see it: a-z to A-Z
// and bytes E0-FF to C0-DF; other bytes unchanged.
std::string UpperCaseText(std::string_view text);

// Nearest integer with halves to even, the rounding used wherever a float
// position becomes a pixel. Values outside 32 bits saturate.
int32_t RoundHalfEven(double value);

// Decimal text of a 32-bit integer ("%ld" style).
std::string IntToText(int32_t value);

// `text` with every character found in `special` written twice: how the
// tools' widget labels show a character that would otherwise mean something.
std::string DoubledCharacters(std::string_view text, std::string_view special);

// Calls use(line) for every line of the file that is not blank after
// trimming; nothing when the file cannot be read.
template <typename Use>
void ForEachFilledLine(const std::string& path, Use&& use) {
    TextReader reader;
    if (!reader.Open(path))
        return;
    std::string line;
    while (reader.ReadTextLine(line)) {
        if (!TrimSpaces(line).empty())
            use(line);
    }
}

}  // namespace vorn

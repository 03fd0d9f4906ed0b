// The INI lookup and the text primitives every file reader is built on. The
// input is "group|||key|||text"; besides memory errors it checks properties
// readers rely on: a value is trimmed and never longer than the text, a value
// written by IniWriter is read back unchanged, and the line reader gives back
// every byte of the text except line ends.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/IniFile.h"
#include "common/TextPrimitives.h"
#include "fuzz/mod/FuzzSupport.h"

namespace {

void Check(bool condition) {
    if (!condition)
        abort();
}

// The line reader ends a line at CR, LF and NUL.
bool HasLineEnd(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != text.npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto pieces = vorn::fuzz::SplitInput(input, 3);
    const std::string_view group = pieces[0];
    const std::string_view key = pieces[1];
    const std::string_view text = pieces[2];

    const std::string value = vorn::ReadIniValueFromText(text, group, key);
    Check(value.size() <= text.size());
    Check(vorn::TrimSpaces(value) == value);

    // What the game writes it reads back, for keys and values a line can hold.
    if (!group.empty() && !key.empty() && !HasLineEnd(group) && !HasLineEnd(key) &&
        !HasLineEnd(text) && group.find_first_of("[]") == group.npos &&
        key.find_first_of("[=") == key.npos && key[0] != ' ' && key.back() != ' ') {
        vorn::IniWriter writer(group);
        const std::string trimmed(vorn::TrimSpaces(text));
        writer.Entry(key, trimmed);
        Check(vorn::ReadIniValueFromText(writer.Text(), group, key) == trimmed);
    }

    vorn::TextReader reader{std::string(text)};
    std::string line;
    size_t lineBytes = 0;
    size_t lines = 0;
    while (reader.ReadTextLine(line)) {
        Check(!HasLineEnd(line));
        lineBytes += line.size();
        Check(++lines <= text.size());
    }
    Check(reader.AtEnd());
    size_t other = 0;
    for (char c : text)
        other += (c != '\r' && c != '\n');
    Check(lineBytes <= other);

    for (int n = -1; n < 5; ++n) {
        const std::string_view field = vorn::TextField(text, n, ',');
        Check(field.empty() || (field.data() >= text.data() &&
                                field.data() + field.size() <= text.data() + text.size()));
    }
    (void)vorn::TextToInt(text);
    const float number = vorn::TextToFloat(text);
    (void)vorn::RoundHalfEven(number);
    Check(vorn::UpperCaseText(text).size() == text.size());
    Check(vorn::TextToInt(vorn::IntToText(vorn::TextToInt(text))) == vorn::TextToInt(text));
    return 0;
}

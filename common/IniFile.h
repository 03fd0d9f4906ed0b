// The INI lookup used for settings.ini, map property files and saved games,
// and the writer for the one INI file the game produces.
//
// Lookup rules mod files depend on: the first line containing "[group]"
// anywhere starts the group; a line starting with "[" ends it; a key matches
// any line that starts with it (so list a key before any longer key that
// begins with it), and the value is the rest after the key and one more
// character, trimmed.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vorn {

// "" when the file, the group or the key is missing.
std::string ReadIniValue(const std::string& file, std::string_view group, std::string_view key);

// Same lookup on text already in memory.
std::string ReadIniValueFromText(std::string_view text, std::string_view group,
                                 std::string_view key);

// The lines of `group` by the rules above: those after the first line
// containing "[group]", up to the next line starting with "[". `visit` gets
// each line with its number in the text (from 1) and returns false to stop.
// False when the group is missing.
bool ForEachIniGroupLine(std::string_view text, std::string_view group,
                         const std::function<bool(std::string_view line, int number)>& visit);

// A value found by the lookup and the number (from 1) of its line, for
// messages in the PATH:LINE form; line 0 when the group or key is missing.
struct IniEntry {
    std::string value;
    int line = 0;
};
IniEntry FindIniEntry(std::string_view text, std::string_view group, std::string_view key);

// Builds INI text: a header line then key=value lines, every line ended by
// CR LF, values without surrounding blanks.
class IniWriter {
public:
    explicit IniWriter(std::string_view group);
    void Entry(std::string_view key, std::string_view value);
    void Entry(std::string_view key, int32_t value);
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

}  // namespace vorn

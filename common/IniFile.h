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
#include <vector>

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

// What a lookup found: the value and the line (from 1) it was read from; line
// 0 when nothing answered (the value is then "").
struct IniAnswer {
    std::string value;
    int line = 0;
};

// How the caller reads a value: as text, or as a number through TextToInt.
enum class IniValueKind { Text, Number };

struct IniLookup {
    std::string group;
    std::string key;
    IniValueKind kind = IniValueKind::Text;
    int line = 0;  // the answering line, 0 for none
};

// One INI file held in memory and looked up with the rules above. It
// remembers every lookup, so that CheckIniFile (IniCheck.h) can tell the
// author which lines no lookup reads and which answer a lookup they were not
// written for.
class IniFile {
public:
    // False when the file cannot be read; every lookup then answers "".
    bool Load(const std::string& path);
    void LoadText(std::string_view text, std::string path = {});

    bool Loaded() const { return loaded_; }
    const std::string& Path() const { return path_; }
    // The file's lines as ReadTextLine splits them; Lines()[n - 1] is line n.
    const std::vector<std::string>& Lines() const { return lines_; }

    IniAnswer Find(std::string_view group, std::string_view key,
                   IniValueKind kind = IniValueKind::Text);
    std::string Text(std::string_view group, std::string_view key) {
        return Find(group, key).value;
    }
    int32_t Number(std::string_view group, std::string_view key);
    const std::vector<IniLookup>& Lookups() const { return lookups_; }

    // The index in Lines() of the group's header line, or -1 when no line
    // holds "[group]".
    int HeaderIndex(std::string_view group) const;
    // The answer of a lookup, without remembering it.
    IniAnswer Peek(std::string_view group, std::string_view key) const;

private:
    std::string path_;
    std::vector<std::string> lines_;
    std::vector<IniLookup> lookups_;
    bool loaded_ = false;
};

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

// Reading player.ini: each group's lines are walked with the INI reader's
// group rules, but a key must match exactly (the file is the player's, not a
// mod's, and "Up" must not take the line of a mistyped "Upp"). The first line
// of a key counts; text after a blank and ";" is a comment.
#include "game/shell/PlayerOptions.h"

#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <ostream>
#include <vector>

#include "common/FileIO.h"
#include "common/IniFile.h"

namespace vorn {

namespace {

constexpr int kMaxWindowScale = 16;

std::string_view Trim(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string_view WithoutComment(std::string_view value) {
    for (size_t i = 1; i < value.size(); ++i) {
        if (value[i] == ';' && (value[i - 1] == ' ' || value[i - 1] == '\t')) {
            return Trim(value.substr(0, i));
        }
    }
    return Trim(value);
}

bool SameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// One group's entries, each handed to the handler of its key; unknown keys
// and lines that are no entries are reported.
class GroupReader {
public:
    using Handler = std::function<void(std::string_view value, int line)>;
    struct Key {
        std::string name;
        Handler handle;
    };

    GroupReader(const std::string& path, std::ostream& warnings)
        : path_(path), warnings_(warnings) {}

    void Warn(int line, const std::string& text) const {
        warnings_ << path_ << ':' << line << ": warning: " << text << '\n';
    }

    void Read(std::string_view text, const std::string& group, const std::vector<Key>& keys) {
        std::vector<bool> seen(keys.size(), false);
        ForEachIniGroupLine(text, group, [&](std::string_view line, int number) {
            const std::string_view entry = Trim(line);
            if (entry.empty() || entry[0] == ';' || entry[0] == '#') {
                return true;
            }
            const size_t equals = entry.find('=');
            const std::string_view name = Trim(entry.substr(0, equals));
            for (size_t i = 0; i < keys.size(); ++i) {
                if (equals != std::string_view::npos && name == keys[i].name) {
                    if (!seen[i]) {
                        seen[i] = true;
                        keys[i].handle(WithoutComment(entry.substr(equals + 1)), number);
                    }
                    return true;
                }
            }
            std::string known;
            for (const Key& key : keys) {
                known += (known.empty() ? "" : ", ") + key.name;
            }
            Warn(number, "'" + std::string(entry) + "' is not an entry of [" + group +
                             "] (its keys: " + known + ")");
            return true;
        });
    }

private:
    const std::string& path_;
    std::ostream& warnings_;
};

// Names separated by commas, each known to `parse`; false at the first one
// that is not (named in `bad`).
bool ParseNames(std::string_view value, int (*parse)(std::string_view), std::vector<int>& codes,
                std::string& bad) {
    codes.clear();
    size_t start = 0;
    while (true) {
        const size_t comma = value.find(',', start);
        const std::string_view name = Trim(value.substr(start, comma - start));
        const int code = parse(name);
        if (code < 0) {
            bad = std::string(name);
            return false;
        }
        codes.push_back(code);
        if (comma == std::string_view::npos) {
            return true;
        }
        start = comma + 1;
    }
}

std::string NamesOf(const std::vector<int>& codes, std::string (*name)(int)) {
    std::string names;
    for (int code : codes) {
        names += (names.empty() ? "" : ",") + name(code);
    }
    return names.empty() ? "(none)" : names;
}

// The [Keys] or [Pad] group into one of the binding tables.
std::vector<GroupReader::Key> BindingKeys(const GroupReader& reader,
                                          std::array<std::vector<int>, kActionCount>& table,
                                          bool pad) {
    std::vector<GroupReader::Key> keys;
    for (const ActionInfo& info : kActions) {
        std::vector<int>& codes = table[static_cast<size_t>(info.action)];
        keys.push_back(
            {info.name, [&reader, &codes, pad, name = info.name](std::string_view value, int line) {
                 std::vector<int> parsed;
                 std::string bad;
                 if (ParseNames(value, pad ? PadButtonFromName : KeyFromName, parsed, bad)) {
                     codes = parsed;
                     return;
                 }
                 reader.Warn(line, "'" + bad + "' in " + name + "=" + std::string(value) +
                                       " is not " +
                                       (pad ? "a game-controller button (a, b, x, y, back, start, "
                                              "leftshoulder, rightshoulder, leftstick, dpup ...)"
                                            : "a key name SDL knows (Up, Left Ctrl, Return, "
                                              "Space, S, F1, Keypad 8 ...)") +
                                       "; the default " +
                                       NamesOf(codes, pad ? PadButtonName : KeyName) + " is kept");
             }});
    }
    return keys;
}

std::vector<GroupReader::Key> DisplayKeys(const GroupReader& reader, DisplayOptions& display) {
    return {
        {"Fullscreen",
         [&reader, &display](std::string_view value, int line) {
             if (value == "0" || value == "1") {
                 display.fullscreen = value == "1";
             } else {
                 reader.Warn(line, "Fullscreen=" + std::string(value) +
                                       " is neither 0 (a window) nor 1 (desktop fullscreen); "
                                       "the default 0 is kept");
             }
         }},
        {"Scaling",
         [&reader, &display](std::string_view value, int line) {
             if (SameLetters(value, "integer")) {
                 display.scaling = ScalingRule::Integer;
             } else if (SameLetters(value, "fit")) {
                 display.scaling = ScalingRule::Fit;
             } else {
                 reader.Warn(line, "Scaling=" + std::string(value) +
                                       " is neither integer nor fit; the default integer is kept");
             }
         }},
        {"WindowScale",
         [&reader, &display](std::string_view value, int line) {
             const bool digits = !value.empty() && value.size() <= 2 &&
                                 value.find_first_not_of("0123456789") == std::string_view::npos;
             const int scale = digits ? std::atoi(std::string(value).c_str()) : -1;
             if (scale >= 0 && scale <= kMaxWindowScale) {
                 display.windowScale = scale;
             } else {
                 reader.Warn(line, "WindowScale=" + std::string(value) +
                                       " is not a whole number from 0 to " +
                                       std::to_string(kMaxWindowScale) + "; the default 0 is kept");
             }
         }},
    };
}

}  // namespace

std::string PlayerOptionsPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        return std::string(config) + "/vornengine/player.ini";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.config/vornengine/player.ini";
    }
    return {};
}

PlayerOptions ReadPlayerOptionsText(std::string_view text, const std::string& path,
                                    std::ostream& warnings) {
    PlayerOptions options;
    GroupReader reader(path, warnings);
    reader.Read(text, "Display", DisplayKeys(reader, options.display));
    reader.Read(text, "Keys", BindingKeys(reader, options.bindings.keys, false));
    reader.Read(text, "Pad", BindingKeys(reader, options.bindings.padButtons, true));
    return options;
}

PlayerOptions ReadPlayerOptions(const std::string& path, std::ostream& warnings) {
    std::string text;
    if (path.empty() || !ReadWholeFile(path, text)) {
        return PlayerOptions{};
    }
    return ReadPlayerOptionsText(text, path, warnings);
}

std::string DefaultPlayerOptionsText() {
    return "; The player's preferences for every VornEngine game: read at start, never\n"
           "; written by the game. A missing key keeps its default; a bad one is\n"
           "; reported and keeps it too. Text after a blank and ';' is a comment.\n"
           "[Display]\n"
           "Fullscreen=0          ; 1 = start in desktop fullscreen (F11 or Alt+Enter switch)\n"
           "Scaling=integer       ; integer = largest whole multiple that fits, letterboxed;"
           " fit = largest size that keeps the aspect\n"
           "WindowScale=0         ; 0 = as the mod says; 2, 3 ... = open the window at that"
           " multiple of the mod's size\n"
           "[Keys]                ; SDL key names, several separated by commas\n"
           "Up=Up                 ; walk up (the arrows of a pad's d-pad and its left stick"
           " walk too)\n"
           "Down=Down             ; walk down\n"
           "Left=Left             ; walk left\n"
           "Right=Right           ; walk right\n"
           "Attack=Left Ctrl,Right Ctrl ; attack while held\n"
           "PickUp=Return         ; pick up what you stand on\n"
           "Save=S                ; save the game (on release)\n"
           "Stats=Tab             ; the stats screen while held\n"
           "NewGame=Space         ; title screen: a new game\n"
           "LoadGame=L            ; title screen: load the saved game\n"
           "[Pad]                 ; SDL game-controller button names, for any of the keys"
           " above\n"
           "Attack=a              ; attack while held\n"
           "PickUp=b              ; pick up\n"
           "Stats=back            ; the stats screen while held\n"
           "Save=start            ; save the game\n";
}

std::string WriteDefaultPlayerOptions(const std::string& path) {
    if (path.empty()) {
        return "neither XDG_CONFIG_HOME nor HOME is set";
    }
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        return path + ": error: the file exists; remove or rename it to write the defaults";
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error) {
        return path + ": error: cannot make its folder (" + error.message() + ")";
    }
    const FileWriteResult written = ReplaceFileAtomically(path, DefaultPlayerOptionsText());
    if (!written.Ok()) {
        return path + ": error: cannot write it (" +
               std::error_code(written.error, std::generic_category()).message() + ")";
    }
    return {};
}

}  // namespace vorn

// A small working mod folder for tests that run the game from start-up:
// settings.ini, two tiles, the shared sprites and two maps ("start" and
// "second", 10 x 8 tiles of 32 px, no walls). Tests change single keys or
// write extra scripts and maps on top of it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "game/media/HeadlessMedia.h"
#include "game/world/Game.h"
#include "tests/game/support/TestGame.h"

namespace vorn::test {

// The settings.ini text of the minimal mod, with `overrides` ("Key=Value"
// lines) replacing the lines of the same keys or, for new keys, appended
// to the Settings group.
std::string MinimalSettings(const std::vector<std::string>& overrides = {});

// `height` rows of `width` copies of `cell` separated by single spaces.
std::vector<std::string> UniformRows(int width, int height, const std::string& cell);

// Writes maps/<name>.ini, .gtl (all "grass") and .atl from `attributeRows`
// (one line per row). `properties` are extra "Key=Value" lines of the map's
// [Properties] group; Title defaults to the map's name.
void WriteMap(const TempFolder& folder, const std::string& name,
              const std::vector<std::string>& attributeRows,
              const std::vector<std::string>& properties = {});

// settings.ini, tiles, sprites and the maps "start" and "second".
void WriteMinimalMod(const TempFolder& folder,
                     const std::vector<std::string>& settingOverrides = {});

// The command-line argument naming `path` relative to the working directory
// (the game prefixes its argument with "./").
std::string ModArgument(const std::string& path);

// A game on a fresh headless media layer whose mod folder is a minimal mod.
// Nothing has run yet: tests call StartUp() (or not) themselves.
struct ShellGame {
    explicit ShellGame(const std::vector<std::string>& settingOverrides = {});
    // Runs StartUp with the mod folder as the program's argument.
    bool StartUp();
    // StartUp, then the title screen with Space held: a new game on "start".
    // Space is released again afterwards.
    bool StartNewGame();
    // Writes `text` to the mod folder's `relativePath` (a script, a map file).
    void Write(const std::string& relativePath, const std::string& text) const {
        folder.Write(relativePath, text);
    }
    // The value text of script variable `name`, or "<unset>".
    std::string Variable(const std::string& name);

    TempFolder folder;
    HeadlessMedia media;
    Game game{media};
};

// What a script sees after calling command `name` with `arguments` (the text
// inside the parentheses): the result code and the RET variable.
struct CallResult {
    ScriptResult code = ScriptResult::Ok;
    std::string ret;
    std::optional<ValueType> retType;  // none: no RET variable
};
CallResult CallCommand(Game& game, const std::string& name, const std::string& arguments);

// A text of every piece of game state a command may change (player, map
// properties, objects, monsters, attributes, texts, clock, debug mode), for
// tests that check that a refused call changed nothing.
std::string StateSnapshot(const Game& game);

}  // namespace vorn::test

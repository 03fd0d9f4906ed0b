// Helpers for the world tests: settings.ini text, map files written into a
// test mod folder, and a small prepared world to load maps into.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/game/support/TestGame.h"

namespace vorn::test {

// "[group]" then one "key=value" line per pair, CR LF line ends.
std::string IniText(const std::string& group,
                    const std::vector<std::pair<std::string, std::string>>& entries);

// `rows` lines of `columns` copies of `name` separated by single blanks.
std::string LayerText(int columns, int rows, const std::string& name);

// The files of one map; a file left empty (nullopt) is not written.
struct MapFiles {
    std::optional<std::string> ini{}, gtl{}, btl{}, ftl{}, atl{}, ani{}, obl{}, wpl{};
};
void WriteMap(const TempFolder& folder, const std::string& name, const MapFiles& files);

// Settings for a columns x rows map of 32 x 32 tiles, the grid created, and a
// tile picture for each of the names given (tiles/<name>.png).
void PrepareWorld(TestGame& test, int columns, int rows,
                  const std::vector<std::string>& tiles = {});

}  // namespace vorn::test

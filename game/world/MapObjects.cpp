// Per-map animation, object and warp lists: one entry per line, names
// trimmed, numbers read leniently.
//
// A blank line makes no entry. Taken as an entry it would be an invisible
// object at tile (0, 0), or a warp there to the map "" whose load ends the
// game the moment the player reaches that corner.
#include "game/world/MapObjects.h"

#include <algorithm>

#include "common/TextPrimitives.h"

namespace vorn {

namespace {

std::string TextAt(const std::string& line, int n) {
    return std::string(TrimSpaces(TextField(line, n, ',')));
}

int32_t NumberAt(const std::string& line, int n) {
    return TextToInt(TextField(line, n, ','));
}

// One entry per filled line of the file, in file order; a line of another
// field count than `fields` is told (with the fields' names).
template <typename Entry, typename Parse>
std::vector<Entry> ReadEntries(const std::string& path, int fields, const char* fieldNames,
                               Diagnostics& diagnostics, Parse parse) {
    std::vector<Entry> entries;
    TextReader reader;
    if (!reader.Open(path))
        return entries;
    std::string line;
    int number = 0;
    while (reader.ReadTextLine(line)) {
        ++number;
        if (TrimSpaces(line).empty())
            continue;
        const int found = static_cast<int>(std::count(line.begin(), line.end(), ',')) + 1;
        if (found != fields) {
            diagnostics.Error(path, number,
                              std::to_string(found) + " fields where a line has " +
                                  std::to_string(fields) + ": " + fieldNames);
        }
        entries.push_back(parse(line, number));
    }
    return entries;
}

}  // namespace

std::vector<AnimationPlacement> ReadMapAnimations(const std::string& base,
                                                  Diagnostics& diagnostics) {
    return ReadEntries<AnimationPlacement>(
        base + ".ani", 4, "animation name, x, y (map pixels), play once (0 or 1)", diagnostics,
        [](const std::string& line, int number) {
            return AnimationPlacement{TextAt(line, 1), NumberAt(line, 2), NumberAt(line, 3),
                                      NumberAt(line, 4), number};
        });
}

std::vector<ObjectPlacement> ReadMapObjects(const std::string& base, Diagnostics& diagnostics) {
    return ReadEntries<ObjectPlacement>(
        base + ".obl", 8, "name, picture, column, row, damage, health, speed, heal amount",
        diagnostics, [](const std::string& line, int number) {
            return ObjectPlacement{TextAt(line, 1),   TextAt(line, 2),   NumberAt(line, 3),
                                   NumberAt(line, 4), NumberAt(line, 5), NumberAt(line, 6),
                                   NumberAt(line, 7), NumberAt(line, 8), number};
        });
}

std::vector<Warp> ReadMapWarps(const std::string& base, Diagnostics& diagnostics) {
    return ReadEntries<Warp>(base + ".wpl", 5, "column, row, target map, target column, target row",
                             diagnostics, [](const std::string& line, int number) {
                                 return Warp{NumberAt(line, 1), NumberAt(line, 2), TextAt(line, 3),
                                             NumberAt(line, 4), NumberAt(line, 5), number};
                             });
}

}  // namespace vorn

// Per-map animation, object and warp lists: one entry per line, names
// trimmed, numbers read leniently.
//
// A blank line makes no entry. Taken as an entry it would be an invisible
// object at tile (0, 0), or a warp there to the map "" whose load ends the
// game the moment the player reaches that corner.
#include "game/world/MapObjects.h"

#include "common/TextPrimitives.h"

namespace vorn {

namespace {

std::string TextAt(const std::string& line, int n) {
    return std::string(TrimSpaces(TextField(line, n, ',')));
}

int32_t NumberAt(const std::string& line, int n) {
    return TextToInt(TextField(line, n, ','));
}

// One entry per filled line of the file, in file order.
template <typename Entry, typename Parse>
std::vector<Entry> ReadEntries(const std::string& path, Parse parse) {
    std::vector<Entry> entries;
    ForEachFilledLine(path, [&](const std::string& line) { entries.push_back(parse(line)); });
    return entries;
}

}  // namespace

std::vector<AnimationPlacement> ReadMapAnimations(const std::string& base) {
    return ReadEntries<AnimationPlacement>(base + ".ani", [](const std::string& line) {
        return AnimationPlacement{TextAt(line, 1), NumberAt(line, 2), NumberAt(line, 3),
                                  NumberAt(line, 4)};
    });
}

std::vector<ObjectPlacement> ReadMapObjects(const std::string& base) {
    return ReadEntries<ObjectPlacement>(base + ".obl", [](const std::string& line) {
        return ObjectPlacement{TextAt(line, 1),   TextAt(line, 2),   NumberAt(line, 3),
                               NumberAt(line, 4), NumberAt(line, 5), NumberAt(line, 6),
                               NumberAt(line, 7), NumberAt(line, 8)};
    });
}

std::vector<Warp> ReadMapWarps(const std::string& base) {
    return ReadEntries<Warp>(base + ".wpl", [](const std::string& line) {
        return Warp{NumberAt(line, 1), NumberAt(line, 2), TextAt(line, 3), NumberAt(line, 4),
                    NumberAt(line, 5)};
    });
}

}  // namespace vorn

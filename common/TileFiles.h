// Which files of a mod's "tiles" folder are tile pictures, in which order,
// and the tile name each one gives; shared by the game and tiledmap so that
// both see the same tiles.
#pragma once

#include <string>
#include <vector>

namespace vorn {

// The names of the regular files of `folder` that match "*.png" (ignoring
// case), sorted by name, so that the tile list (and so which of two equal
// names wins) is the same everywhere. Empty when the folder is missing.
std::vector<std::string> ListTilePictureFiles(const std::string& folder);

// The tile name of a picture file: every ".png" removed (case-sensitive),
// left to right in one pass, then blanks trimmed.
std::string TileNameFromFile(const std::string& fileName);

}  // namespace vorn

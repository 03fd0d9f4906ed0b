// Writing one map of a mod as a Tiled map (TMX): its tile layers as CSV
// data over a tileset of the mod's tile pictures, its attributes over a
// generated tileset of labels, its objects, warps and animations as object
// layers and its .ini entries as map properties. Paths in the TMX are
// relative to the TMX file.
#pragma once

#include <string>

#include "common/Diagnostics.h"

namespace vorn::tiledmap {

// Writes `tmxPath` and, in the folder "<name of the TMX>_labels" beside it,
// the pictures of the generated tilesets. False when an error was reported.
bool ExportMap(const std::string& modFolder, const std::string& map, const std::string& tmxPath,
               Diagnostics& diagnostics);

}  // namespace vorn::tiledmap

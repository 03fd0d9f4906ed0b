// Reading a Tiled map (TMX) back into the files of one map: the layers,
// objects and properties that export writes, in any form Tiled saves them
// (CSV or base64 data, zlib or gzip compressed, tilesets embedded or in
// .tsx files). Nothing is written when the TMX has an error.
#pragma once

#include <string>

#include "common/Diagnostics.h"

namespace vorn::tiledmap {

// Writes the files of `map` in `modFolder` from `tmxPath`. A layer the TMX
// lacks leaves its file as it is; a layer we do not know is ignored with a
// warning. False when an error was reported.
bool ImportMap(const std::string& tmxPath, const std::string& modFolder, const std::string& map,
               Diagnostics& diagnostics);

}  // namespace vorn::tiledmap

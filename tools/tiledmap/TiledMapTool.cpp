// tiledmap: export a map of a mod to a Tiled map, import it back.
#include "tools/tiledmap/TiledMapTool.h"

#include "common/Diagnostics.h"
#include "tools/tiledmap/TmxExport.h"
#include "tools/tiledmap/TmxImport.h"

namespace vorn::tiledmap {

namespace {

constexpr const char* kUsage =
    "usage: tiledmap export MODFOLDER MAP OUT.tmx\n"
    "       tiledmap import IN.tmx MODFOLDER MAP\n"
    "export writes the map MAP of the mod folder MODFOLDER (its files MODFOLDER/maps/MAP.*)\n"
    "as a Tiled map, with the label pictures of its generated tilesets in the folder\n"
    "OUT_labels beside it. import writes the map's files from a Tiled map; a layer the\n"
    "Tiled map lacks leaves its file as it is. Exit status 0 on success, else 1.\n";

// A map name is one file name: no folder part.
bool IsMapName(const std::string& map) {
    return !map.empty() && map != "." && map != ".." && map.find('/') == std::string::npos;
}

}  // namespace

int RunTiledMapTool(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err) {
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    const bool isExport = arguments.size() == 4 && arguments[0] == "export";
    const bool isImport = arguments.size() == 4 && arguments[0] == "import";
    if (!isExport && !isImport) {
        err << kUsage;
        return 1;
    }
    const std::string& map = isExport ? arguments[2] : arguments[3];
    if (!IsMapName(map)) {
        err << "tiledmap: error: \"" << map << "\" is not a map name (the name of the map's "
            << "files in MODFOLDER/maps, without a folder or an extension)\n";
        return 1;
    }
    Diagnostics diagnostics;
    const bool done = isExport ? ExportMap(arguments[1], map, arguments[3], diagnostics)
                               : ImportMap(arguments[1], arguments[2], map, diagnostics);
    for (const std::string& message : diagnostics.Messages())
        err << message << "\n";
    return done ? 0 : 1;
}

}  // namespace vorn::tiledmap

// Entry of the tiledmap program.
#include <iostream>

#include "tools/tiledmap/TiledMapTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return vorn::tiledmap::RunTiledMapTool(arguments, std::cout, std::cerr);
}

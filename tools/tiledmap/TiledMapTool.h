// The tiledmap program as a function of its arguments and output streams, so
// tests run it without a process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vorn::tiledmap {

// `arguments` excludes the program name. Returns the exit status: 0 on
// success, 1 on an error or bad usage.
int RunTiledMapTool(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err);

}  // namespace vorn::tiledmap

// The scriptrun tool as a function of its arguments and output streams, so
// tests run it without a process.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace vorn {

// `arguments` excludes the program name. Returns the exit status: 0 when the
// script's result is 1, 1 when it is another result (or for bad usage), 2
// when the script file or the mod cannot be read.
int RunScriptTool(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace vorn

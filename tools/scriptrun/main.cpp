// Entry of the scriptrun program.
#include <iostream>

#include "tools/scriptrun/ScriptRun.h"

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return vorn::RunScriptTool(arguments, std::cout, std::cerr);
}

// Entry of the modcheck program.
#include <iostream>

#include "tools/modcheck/ModCheck.h"

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return vorn::modcheck::RunModCheck(arguments, std::cout, std::cerr);
}

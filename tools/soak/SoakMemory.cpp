// Reads VmRSS and VmHWM from /proc/self/status.
#include "tools/soak/SoakMemory.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace vorn::soak {

MemoryFigures ReadMemoryFigures() {
    MemoryFigures figures;
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        // Lines read "VmRSS:\t   12345 kB"; strtoll skips the tab and blanks.
        if (line.rfind("VmRSS:", 0) == 0)
            figures.residentKb = std::strtoll(line.c_str() + 6, nullptr, 10);
        if (line.rfind("VmHWM:", 0) == 0)
            figures.peakKb = std::strtoll(line.c_str() + 6, nullptr, 10);
    }
    return figures;
}

}  // namespace vorn::soak

// Memory figures of the running process, for the soak run's reports.
#pragma once

#include <cstdint>

namespace vorn::soak {

struct MemoryFigures {
    int64_t residentKb = -1;  // VmRSS: what the process holds now
    int64_t peakKb = -1;      // VmHWM: the most it has ever held
};

// From /proc/self/status; -1 for a figure the system does not report.
MemoryFigures ReadMemoryFigures();

}  // namespace vorn::soak

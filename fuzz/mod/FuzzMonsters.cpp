// monsters.ini as a mod would ship it: read at start-up, then used by a new game on
// the bundled maps for a few frames with fuzzed keys.
#include <cstddef>
#include <cstdint>

#include "fuzz/mod/FuzzModFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return vorn::fuzz::FuzzOneModFile("monsters.ini", data, size);
}

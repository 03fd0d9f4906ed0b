// Feeds arbitrary bytes (after a RIFF WAVE header) to the WAVE checker.
#include <cstddef>
#include <cstdint>
#include <string>

#include "game/media/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes = std::string("RIFF\0\0\0\0WAVE", 12) +
                              std::string(reinterpret_cast<const char*>(data), size);
    vorn::WaveInfo info;
    if (vorn::ParseWave(bytes, info) && info.dataBytes > bytes.size()) {
        __builtin_trap();  // the data can never be longer than the file
    }
    return 0;
}

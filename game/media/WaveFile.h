// Checking of RIFF WAVE files before anything plays them: the chunk layout,
// the format record and the sound's length. Both media layers accept exactly
// the files this check accepts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vorn {

constexpr size_t kMaxSoundFileBytes = size_t{256} * 1024 * 1024;

struct WaveInfo {
    int formatTag = 0;  // 1 integer PCM, 3 floating point, others compressed
    int channels = 0;
    int sampleRate = 0;
    int bitsPerSample = 0;
    int blockAlign = 0;
    // Bytes of sound data actually present (a data chunk cut short by the end
    // of the file counts up to the end).
    uint32_t dataBytes = 0;

    // Play time of the data, in milliseconds.
    int64_t DurationMs() const;
};

// False for anything that is not a well-formed RIFF WAVE file with a "fmt "
// chunk before a "data" chunk.
bool ParseWave(std::string_view bytes, WaveInfo& info);

}  // namespace vorn

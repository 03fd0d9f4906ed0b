// RIFF is a list of chunks (four-letter id, 32-bit little-endian size, data
// padded to an even size); every size is checked against the bytes present.
#include "game/media/WaveFile.h"

#include <algorithm>

namespace vorn {

namespace {

uint32_t Le32(std::string_view bytes, size_t at) {
    return uint32_t{static_cast<unsigned char>(bytes[at])} |
           (uint32_t{static_cast<unsigned char>(bytes[at + 1])} << 8) |
           (uint32_t{static_cast<unsigned char>(bytes[at + 2])} << 16) |
           (uint32_t{static_cast<unsigned char>(bytes[at + 3])} << 24);
}

uint32_t Le16(std::string_view bytes, size_t at) {
    return uint32_t{static_cast<unsigned char>(bytes[at])} |
           (uint32_t{static_cast<unsigned char>(bytes[at + 1])} << 8);
}

constexpr size_t kChunkHeaderSize = 8;
constexpr uint32_t kFormatFloat = 3;
constexpr uint32_t kFormatExtensible = 0xFFFE;

bool FormatAcceptable(const WaveInfo& info) {
    if (info.channels < 1 || info.channels > 8 || info.sampleRate < 1000 ||
        info.sampleRate > 384000 || info.blockAlign < 1) {
        return false;
    }
    if (info.formatTag == 1 || info.formatTag == kFormatExtensible) {
        return info.bitsPerSample == 8 || info.bitsPerSample == 16 || info.bitsPerSample == 24 ||
               info.bitsPerSample == 32;
    }
    if (info.formatTag == kFormatFloat) {
        return info.bitsPerSample == 32 || info.bitsPerSample == 64;
    }
    // Compressed formats (ADPCM, mu-law, ...): accepted, decoded by the player.
    return info.formatTag == 2 || info.formatTag == 6 || info.formatTag == 7 ||
           info.formatTag == 0x11;
}

}  // namespace

int64_t WaveInfo::DurationMs() const {
    if (blockAlign <= 0 || sampleRate <= 0) {
        return 0;
    }
    const int64_t frames = dataBytes / static_cast<uint32_t>(blockAlign);
    if (formatTag == 2 || formatTag == 0x11) {
        // ADPCM blocks hold many frames; the length is only approximate.
        return static_cast<int64_t>(dataBytes) * 8 * 1000 / (int64_t{4} * channels * sampleRate);
    }
    return frames * 1000 / sampleRate;
}

bool ParseWave(std::string_view bytes, WaveInfo& info) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
        return false;
    }
    // The RIFF size is often wrong (0 from streaming writers, too large in a
    // cut-off file); the chunks are walked up to the real end of the bytes.
    const size_t end = bytes.size();
    bool haveFormat = false;
    size_t at = 12;
    while (at + kChunkHeaderSize <= end) {
        const std::string_view id = bytes.substr(at, 4);
        const size_t size = Le32(bytes, at + 4);
        const size_t body = at + kChunkHeaderSize;
        const size_t available = end - body;
        if (id == "fmt ") {
            if (size < 16 || size > available) {
                return false;
            }
            info.formatTag = static_cast<int>(Le16(bytes, body));
            info.channels = static_cast<int>(Le16(bytes, body + 2));
            info.sampleRate = static_cast<int>(std::min<uint32_t>(Le32(bytes, body + 4), 1u << 30));
            info.blockAlign = static_cast<int>(Le16(bytes, body + 12));
            info.bitsPerSample = static_cast<int>(Le16(bytes, body + 14));
            if (!FormatAcceptable(info)) {
                return false;
            }
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) {
                return false;
            }
            info.dataBytes = static_cast<uint32_t>(std::min(size, available));
            return true;
        }
        if (size > available) {
            return false;
        }
        at = body + size + (size & 1);
    }
    return false;
}

}  // namespace vorn

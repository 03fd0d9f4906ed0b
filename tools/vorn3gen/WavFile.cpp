// Synthesis voices and 8-bit PCM WAVE encoding.
#include "tools/vorn3gen/WavFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vorn3gen {

namespace {

constexpr double kPi = 3.14159265358979323846;

void PutLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

double SemitoneHz(int semitone) {
    return 440.0 * std::pow(2.0, semitone / 12.0);
}

Sound::Sound(double seconds)
    // An even count keeps the data chunk free of a RIFF pad byte.
    : samples_((static_cast<size_t>(std::max(2.0, seconds * kSampleRate)) + 1) / 2 * 2, 0.0) {}

void Sound::Tone(Wave wave, double start, double seconds, double fromHz, double toHz, double volume,
                 Rng& rng) {
    const int first = static_cast<int>(start * kSampleRate);
    const int count = static_cast<int>(seconds * kSampleRate);
    const int attack = std::max(1, std::min(count / 8, kSampleRate / 200));
    double phase = 0.0;
    double noiseValue = 0.0;
    for (int i = 0; i < count; ++i) {
        const int index = first + i;
        if (index < 0 || index >= Length())
            continue;
        const double t = static_cast<double>(i) / count;
        const double hz = fromHz + (toHz - fromHz) * t;
        const double previous = phase;
        phase += hz / kSampleRate;
        phase -= std::floor(phase);
        double value = 0.0;
        switch (wave) {
            case Wave::Square:
                value = phase < 0.5 ? 1.0 : -1.0;
                break;
            case Wave::Triangle:
                value = phase < 0.5 ? 4 * phase - 1 : 3 - 4 * phase;
                break;
            case Wave::Saw:
                value = 2 * phase - 1;
                break;
            case Wave::Sine:
                value = std::sin(2 * kPi * phase);
                break;
            case Wave::Noise:
                // A new random level once per period gives pitched noise.
                if (phase < previous)
                    noiseValue = rng.Signed();
                value = noiseValue;
                break;
        }
        const double envelope = (i < attack ? static_cast<double>(i) / attack : 1.0) * (1.0 - t);
        samples_[static_cast<size_t>(index)] += value * volume * envelope;
    }
}

void Sound::Note(Wave wave, double start, double seconds, int semitone, double volume, Rng& rng) {
    const double hz = SemitoneHz(semitone);
    Tone(wave, start, seconds, hz, hz, volume, rng);
}

std::string Sound::Encode() const {
    std::string out = "RIFF";
    const uint32_t dataBytes = static_cast<uint32_t>(samples_.size());
    PutLe(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLe(out, 16, 4);           // format chunk size
    PutLe(out, 1, 2);            // PCM
    PutLe(out, 1, 2);            // mono
    PutLe(out, kSampleRate, 4);  // sample rate
    PutLe(out, kSampleRate, 4);  // bytes per second
    PutLe(out, 1, 2);            // block align
    PutLe(out, 8, 2);            // bits per sample
    out += "data";
    PutLe(out, dataBytes, 4);
    for (double sample : samples_) {
        const double clipped = std::clamp(sample, -1.0, 1.0);
        out.push_back(static_cast<char>(static_cast<uint8_t>(std::lround(128 + clipped * 127))));
    }
    return out;
}

}  // namespace vorn3gen

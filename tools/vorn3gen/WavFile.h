// Sound synthesis for vorn3: a mono sample buffer, the chip-tune voices the
// effects and music are made of, and 8-bit WAVE encoding.
#pragma once

#include <string>
#include <vector>

#include "tools/vorn3gen/Canvas.h"

namespace vorn3gen {

// Every sound of vorn3 is 8-bit mono at this rate (small files).
constexpr int kSampleRate = 11025;

enum class Wave { Square, Triangle, Saw, Noise, Sine };

class Sound {
public:
    explicit Sound(double seconds);
    int Length() const { return static_cast<int>(samples_.size()); }
    // Adds a tone from `start` for `seconds`, its frequency sliding from
    // `fromHz` to `toHz`, with a short attack and a linear fade to `release`.
    void Tone(Wave wave, double start, double seconds, double fromHz, double toHz, double volume,
              Rng& rng);
    // A note of the equal-tempered scale: 0 is A4 (440 Hz), 12 one octave up.
    void Note(Wave wave, double start, double seconds, int semitone, double volume, Rng& rng);
    // The RIFF WAVE bytes, samples clipped to -1 .. 1.
    std::string Encode() const;

private:
    std::vector<double> samples_;
};

double SemitoneHz(int semitone);

}  // namespace vorn3gen

// The sound effects and the four music loops of vorn3, synthesised from
// square, triangle, saw and noise voices. Music is written as note strings:
// one token per eighth note, "C5" or "F#4" a note, "_" holds the note before,
// "." is a rest.
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "tools/vorn3gen/Art.h"
#include "tools/vorn3gen/WavFile.h"

namespace vorn3gen {

namespace {

void Put(Output& out, const std::string& name, const Sound& sound) {
    out.Write("sounds/" + name, sound.Encode());
}

// "C5" -> semitones from A4; false for anything else.
bool ParseNote(const std::string& token, int& semitone) {
    static const int kOffsets[] = {0, 2, -9, -7, -5, -4, -2};  // A B C D E F G
    if (token.size() < 2 || token[0] < 'A' || token[0] > 'G')
        return false;
    int value = kOffsets[token[0] - 'A'];
    size_t pos = 1;
    if (token[pos] == '#') {
        ++value;
        ++pos;
    }
    if (pos >= token.size() || token[pos] < '0' || token[pos] > '9')
        return false;
    semitone = value + (token[pos] - '4') * 12;
    return true;
}

void Voice(Sound& sound, Wave wave, double volume, double step, const std::string& notes,
           Rng& rng) {
    std::istringstream in(notes);
    std::vector<std::string> tokens;
    for (std::string token; in >> token;)
        tokens.push_back(token);
    for (size_t i = 0; i < tokens.size(); ++i) {
        int semitone = 0;
        if (!ParseNote(tokens[i], semitone))
            continue;
        size_t length = 1;
        while (i + length < tokens.size() && tokens[i + length] == "_")
            ++length;
        // Slightly shorter than the full length, so repeated notes separate.
        sound.Note(wave, i * step, length * step * 0.92, semitone, volume, rng);
    }
}

struct Song {
    double step;  // seconds per eighth note
    std::string melody, harmony, bass;
    bool drums;
};

Sound Music(const Song& song, uint32_t seed) {
    Rng rng(seed);
    std::istringstream in(song.melody);
    int steps = 0;
    for (std::string token; in >> token;)
        ++steps;
    Sound sound(steps * song.step);
    Voice(sound, Wave::Square, 0.16, song.step, song.melody, rng);
    Voice(sound, Wave::Saw, 0.07, song.step, song.harmony, rng);
    Voice(sound, Wave::Triangle, 0.32, song.step, song.bass, rng);
    if (song.drums)
        for (int i = 0; i < steps; i += 2)
            sound.Tone(Wave::Noise, i * song.step, 0.05, i % 8 == 0 ? 900 : 4000, 600, 0.12, rng);
    return sound;
}

// One voice of an effect: a tone sliding from `from` to `to` Hz.
struct Part {
    Wave wave;
    double start, length, from, to, volume;
};

Sound Effect(double seconds, uint32_t seed, std::initializer_list<Part> parts) {
    Sound sound(seconds);
    Rng rng(seed);
    for (const Part& part : parts)
        sound.Tone(part.wave, part.start, part.length, part.from, part.to, part.volume, rng);
    return sound;
}

}  // namespace

void WriteSounds(Output& out) {
    using W = Wave;
    // The hero.
    Put(out, "swing.wav", Effect(0.14, 1, {{W::Noise, 0, 0.14, 3000, 600, 0.5}}));
    Put(out, "step.wav", Effect(0.05, 2, {{W::Noise, 0, 0.05, 500, 200, 0.25}}));
    Put(out, "playerhit.wav",
        Effect(0.22, 3,
               {{W::Square, 0, 0.22, 420, 140, 0.45}, {W::Noise, 0, 0.08, 2000, 800, 0.3}}));
    Put(out, "playerdie.wav",
        Effect(0.9, 4,
               {{W::Square, 0, 0.25, 392, 392, 0.4},
                {W::Square, 0.25, 0.25, 330, 330, 0.4},
                {W::Square, 0.5, 0.4, 262, 180, 0.4}}));
    Put(out, "warp.wav",
        Effect(0.5, 5,
               {{W::Sine, 0, 0.5, 300, 1400, 0.55}, {W::Square, 0.1, 0.4, 600, 2000, 0.12}}));
    Put(out, "pickup.wav",
        Effect(0.25, 6,
               {{W::Square, 0, 0.1, 880, 880, 0.35}, {W::Square, 0.1, 0.15, 1320, 1320, 0.35}}));
    Put(out, "talk.wav",
        Effect(0.12, 7,
               {{W::Square, 0, 0.05, 620, 620, 0.25}, {W::Square, 0.06, 0.06, 740, 740, 0.25}}));
    Put(out, "gate.wav",
        Effect(0.7, 8, {{W::Saw, 0, 0.7, 90, 60, 0.45}, {W::Noise, 0.5, 0.2, 300, 100, 0.3}}));
    Put(out, "trap.wav",
        Effect(0.3, 9,
               {{W::Noise, 0, 0.1, 6000, 3000, 0.45}, {W::Square, 0, 0.3, 1800, 1700, 0.15}}));
    Put(out, "teleport.wav",
        Effect(0.6, 10,
               {{W::Sine, 0, 0.6, 1600, 200, 0.5}, {W::Triangle, 0, 0.6, 800, 1600, 0.2}}));
    Put(out, "victory.wav",
        Effect(1.6, 11,
               {{W::Square, 0, 0.2, 523, 523, 0.35},
                {W::Square, 0.2, 0.2, 659, 659, 0.35},
                {W::Square, 0.4, 0.2, 784, 784, 0.35},
                {W::Square, 0.6, 1.0, 1047, 1047, 0.35},
                {W::Triangle, 0.6, 1.0, 262, 262, 0.4}}));
    Put(out, "cave_enter.wav",
        Effect(0.8, 12, {{W::Noise, 0, 0.8, 200, 60, 0.35}, {W::Sine, 0, 0.8, 110, 70, 0.4}}));
    Put(out, "gong.wav",
        Effect(1.5, 13, {{W::Sine, 0, 1.5, 147, 145, 0.6}, {W::Sine, 0, 1.2, 296, 292, 0.25}}));
    // Monsters: attack, hit and death of each kind.
    Put(out, "slime_attack.wav", Effect(0.18, 20, {{W::Triangle, 0, 0.18, 240, 110, 0.6}}));
    Put(out, "slime_hit.wav", Effect(0.12, 21, {{W::Triangle, 0, 0.12, 420, 200, 0.6}}));
    Put(out, "slime_die.wav",
        Effect(0.4, 22, {{W::Triangle, 0, 0.4, 300, 60, 0.6}, {W::Noise, 0, 0.2, 400, 100, 0.2}}));
    Put(out, "bat_attack.wav", Effect(0.12, 23, {{W::Square, 0, 0.12, 1800, 1100, 0.3}}));
    Put(out, "bat_hit.wav", Effect(0.1, 24, {{W::Square, 0, 0.1, 2200, 1600, 0.3}}));
    Put(out, "bat_die.wav", Effect(0.3, 25, {{W::Square, 0, 0.3, 2000, 400, 0.3}}));
    Put(out, "bone_attack.wav", Effect(0.15, 26, {{W::Noise, 0, 0.15, 2500, 900, 0.45}}));
    Put(out, "bone_hit.wav",
        Effect(0.1, 27,
               {{W::Noise, 0, 0.04, 5000, 5000, 0.5}, {W::Noise, 0.05, 0.04, 4000, 4000, 0.4}}));
    Put(out, "bone_die.wav",
        Effect(0.5, 28,
               {{W::Noise, 0, 0.1, 5000, 4000, 0.45},
                {W::Noise, 0.12, 0.1, 4000, 3000, 0.4},
                {W::Noise, 0.24, 0.26, 3000, 800, 0.35}}));
    Put(out, "wisp.wav",
        Effect(0.35, 29,
               {{W::Sine, 0, 0.35, 900, 1300, 0.4}, {W::Sine, 0, 0.35, 1350, 1950, 0.2}}));
    Put(out, "villager.wav", Effect(0.15, 30, {{W::Square, 0, 0.15, 300, 240, 0.3}}));

    // Music, one loop per area.
    Put(out, "meadow.wav",
        Music({0.18,
               "E5 _ G5 C6 _ B5 A5 G5 A5 _ F5 A5 G5 _ E5 . "
               "F5 _ A5 D6 _ C6 B5 A5 G5 _ E5 G5 C5 _ _ . ",
               "C5 _ _ _ E5 _ _ _ C5 _ _ _ E5 _ _ _ D5 _ _ _ F5 _ _ _ E5 _ _ _ G4 _ _ _ ",
               "C3 _ G3 _ C3 _ G3 _ F3 _ C4 _ C3 _ G3 _ D3 _ A3 _ G2 _ D3 _ C3 _ G3 _ C3 _ _ _ ",
               true},
              40));
    Put(out, "village.wav",
        Music({0.2,
               "D5 _ G5 _ B5 _ A5 G5 F#5 G5 A5 _ B5 _ A5 _ G5 _ "
               "E5 _ C6 _ B5 A5 G5 _ A5 _ D5 _ G5 _ _ _ . . ",
               "B4 _ _ _ _ _ D5 _ _ _ _ _ G4 _ _ _ _ _ C5 _ _ _ _ _ B4 _ _ _ _ _ F#4 _ _ _ _ _ ",
               "G2 _ D3 _ D3 _ G2 _ D3 _ D3 _ E3 _ B3 _ B3 _ C3 _ G3 _ G3 _ G2 _ D3 _ D3 _ D3 _ "
               "A3 _ D3 _ ",
               false},
              41));
    Put(out, "cave.wav",
        Music({0.26,
               "A4 _ _ C5 B4 _ _ . E4 _ _ G4 F4 _ _ . "
               "A4 _ _ C5 D5 _ C5 B4 G#4 _ _ _ . . . . ",
               "E4 _ _ _ _ _ _ _ C4 _ _ _ _ _ _ _ E4 _ _ _ _ _ _ _ E4 _ _ _ _ _ _ _ ",
               "A2 _ _ _ A2 _ _ _ F2 _ _ _ F2 _ _ _ D2 _ _ _ D2 _ _ _ E2 _ _ _ E2 _ _ _ ", false},
              42));
    Put(out, "ruins.wav",
        Music({0.22,
               "D5 _ F5 _ A5 _ G5 F5 E5 _ C5 _ D5 _ _ . "
               "A4 _ D5 _ F5 _ E5 D5 C#5 _ E5 _ D5 _ _ . ",
               "F4 _ _ _ A4 _ _ _ G4 _ _ _ F4 _ _ _ E4 _ _ _ F4 _ _ _ E4 _ _ _ F4 _ _ _ ",
               "D3 _ A2 _ D3 _ A2 _ C3 _ G2 _ D3 _ A2 _ A2 _ E3 _ A2 _ E3 _ D3 _ A2 _ D3 _ _ _ ",
               true},
              43));
}

}  // namespace vorn3gen

// Sounds through SDL2_mixer: one chunk per handle, each remembering the
// channel it last played on so that playing it again restarts it. Without a
// sound device every operation still keeps its handles, in silence.
#pragma once

#include <map>
#include <string>

struct Mix_Chunk;

namespace vorn {

class SdlSound {
public:
    SdlSound() = default;
    ~SdlSound();
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    // Opens the audio device; false (and silent sound) when there is none.
    bool OpenDevice();
    bool HasDevice() const { return deviceOpen_; }

    // A handle (or `fixedNumber`, which first loses any sound it held); 0
    // when the file is not a RIFF WAVE file the mixer can decode.
    int Load(const std::string& path, int fixedNumber);
    bool Exists(int sound) const;
    void Play(int sound, bool loop);
    void Stop(int sound);
    void Free(int sound);
    // Whether the sound is audible now (never in silence).
    bool IsPlaying(int sound) const;

private:
    struct Sound {
        Mix_Chunk* chunk = nullptr;  // null in silence
        int channel = -1;
    };
    bool IsPlayingOn(const Sound& sound) const;
    void Release(Sound& sound);

    bool deviceOpen_ = false;
    bool audioSubsystem_ = false;
    std::map<int, Sound> sounds_;
    int nextSound_ = 1;
};

}  // namespace vorn

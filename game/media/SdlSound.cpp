// Mixer channels are shared by all sounds; a sound's remembered channel
// counts as its own only while that channel still plays the sound's chunk.
#include "game/media/SdlSound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>

#include "game/media/PictureLoader.h"
#include "game/media/WaveFile.h"

namespace vorn {

namespace {

constexpr int kMixRate = 44100;
constexpr int kMixChunkFrames = 1024;  // about 23 ms of latency
constexpr int kFirstChannels = 16;
// More simultaneous sounds than this are dropped rather than mixed.
constexpr int kMaxChannels = 256;

}  // namespace

SdlSound::~SdlSound() {
    for (auto& [number, sound] : sounds_) {
        Release(sound);
    }
    if (deviceOpen_) {
        Mix_CloseAudio();
    }
    if (audioSubsystem_) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool SdlSound::OpenDevice() {
    if (deviceOpen_) {
        return true;
    }
    if (!audioSubsystem_) {
        audioSubsystem_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    }
    if (!audioSubsystem_ || Mix_OpenAudio(kMixRate, MIX_DEFAULT_FORMAT, 2, kMixChunkFrames) != 0) {
        return false;
    }
    deviceOpen_ = true;
    Mix_AllocateChannels(kFirstChannels);
    return true;
}

void SdlSound::Release(Sound& sound) {
    if (sound.chunk != nullptr) {
        Mix_FreeChunk(sound.chunk);  // halts every channel playing it
        sound.chunk = nullptr;
    }
}

int SdlSound::Load(const std::string& path, int fixedNumber) {
    if (fixedNumber != 0) {
        Free(fixedNumber);
    }
    std::string bytes;
    WaveInfo wave;
    if (!ReadFileUpTo(path, kMaxSoundFileBytes, bytes) || !ParseWave(bytes, wave)) {
        return 0;
    }
    Sound sound;
    if (deviceOpen_) {
        SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        sound.chunk = stream != nullptr ? Mix_LoadWAV_RW(stream, 1) : nullptr;
        if (sound.chunk == nullptr) {
            return 0;
        }
    }
    int handle = fixedNumber;
    if (handle == 0) {
        while (nextSound_ == 0 || sounds_.count(nextSound_) != 0) {
            ++nextSound_;
        }
        handle = nextSound_++;
    }
    sounds_[handle] = sound;
    return handle;
}

bool SdlSound::Exists(int sound) const {
    return sound != 0 && sounds_.count(sound) != 0;
}

bool SdlSound::IsPlayingOn(const Sound& sound) const {
    return sound.chunk != nullptr && sound.channel >= 0 && Mix_Playing(sound.channel) &&
           Mix_GetChunk(sound.channel) == sound.chunk;
}

void SdlSound::Play(int number, bool loop) {
    auto it = sounds_.find(number);
    if (number == 0 || it == sounds_.end() || it->second.chunk == nullptr) {
        return;
    }
    Sound& sound = it->second;
    if (IsPlayingOn(sound)) {
        Mix_HaltChannel(sound.channel);  // restart from the beginning
    }
    const int loops = loop ? -1 : 0;
    int channel = Mix_PlayChannel(-1, sound.chunk, loops);
    if (channel < 0) {
        const int channels = Mix_AllocateChannels(-1);
        if (channels < kMaxChannels) {
            Mix_AllocateChannels(std::min(channels * 2, kMaxChannels));
            channel = Mix_PlayChannel(-1, sound.chunk, loops);
        }
    }
    sound.channel = channel;
}

bool SdlSound::IsPlaying(int number) const {
    auto it = sounds_.find(number);
    return number != 0 && it != sounds_.end() && IsPlayingOn(it->second);
}

void SdlSound::Stop(int number) {
    auto it = sounds_.find(number);
    if (number != 0 && it != sounds_.end() && IsPlayingOn(it->second)) {
        Mix_HaltChannel(it->second.channel);
    }
}

void SdlSound::Free(int number) {
    auto it = sounds_.find(number);
    if (number == 0 || it == sounds_.end()) {
        return;
    }
    Release(it->second);
    sounds_.erase(it);
}

}  // namespace vorn

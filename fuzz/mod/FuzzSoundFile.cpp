// Sound files through the media layer as the game uses them: written to a
// .wav file, loaded (also under the fixed number the PlaySound command uses),
// played looping and once while the clock runs, stopped and freed twice.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/mod/FuzzSupport.h"
#include "game/media/HeadlessMedia.h"
#include "game/world/Game.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = vorn::fuzz::ScratchFolder("sound") + "/sound.wav";
    vorn::fuzz::WriteBytes(path, std::string_view(reinterpret_cast<const char*>(data), size));

    vorn::HeadlessMedia media;
    media.InitAudio();
    const vorn::SoundHandle sound = media.LoadSoundFile(path);
    const vorn::SoundHandle fixed = media.LoadSoundFile(path, vorn::kScriptSoundNumber);
    for (const vorn::SoundHandle handle : {sound, fixed}) {
        (void)media.SoundExists(handle);
        media.PlaySoundHandle(handle, true);
        media.AdvanceTimeMs(100000);
        (void)media.IsSoundPlaying(handle);
        media.PlaySoundHandle(handle, false);
        media.AdvanceTimeMs(600000);
        (void)media.IsSoundPlaying(handle);
        media.StopSoundHandle(handle);
        media.FreeSoundHandle(handle);
        media.FreeSoundHandle(handle);
        media.PlaySoundHandle(handle, false);
    }
    return 0;
}

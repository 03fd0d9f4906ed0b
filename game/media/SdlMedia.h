// The media layer the game program runs on: an SDL2 window showing the
// software screen, sound through SDL2_mixer, key states from SDL, real
// message boxes and the system's monotonic clock.
#pragma once

#include <memory>
#include <string>

#include "game/media/MediaLayer.h"

namespace vorn {

// How a finished frame reaches the window. Both enlarge the screen into a
// larger window by the player's scaling rule, nearest-neighbour and centred.
enum class PresentPath {
    // Copy into the window's own surface (enlarged by the layer's own
    // scaler, PixelScaler.h) and send the picture's part to the display.
    WindowSurface,
    // Upload into a streaming texture of SDL's software renderer and render.
    StreamingTexture,
};

// Measured under Xvfb (see the media benchmark): the window surface path is
// the faster one there, at the window's size and enlarged to fullscreen, and
// it needs no renderer. A 640 x 480 frame presented to a 1920 x 1080
// fullscreen window costs it about 0.3 ms of the program's time and 0.5 ms
// of the X server's at integer scale 2 (0.55 and 0.75 ms at fit), against
// 1.6 and 1.6 ms through the software renderer's texture; SDL's OpenGL
// renderer is software OpenGL there and takes about 10 ms. With a GPU that
// renderer's streaming texture would scale for free and send a quarter of
// the bytes, but the window surface path is within its budget anyway.
constexpr PresentPath kDefaultPresentPath = PresentPath::WindowSurface;

class SdlPlatform;

class SdlMedia : public MediaLayer {
public:
    explicit SdlMedia(PresentPath path = kDefaultPresentPath);
    ~SdlMedia();

    // False when InitAudio found no sound device: sounds then load and
    // "play" in silence. InitAudio succeeds on such a machine too: the game
    // must stay playable there.
    bool HasAudioDevice() const;

private:
    explicit SdlMedia(std::unique_ptr<SdlPlatform> platform);
    SdlPlatform& platform_;
};

}  // namespace vorn

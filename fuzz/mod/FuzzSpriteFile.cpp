// Sprite files through the media layer as the game uses them: written to a
// file with a .png or .bmp name, loaded, measured, clipped with arbitrary
// boxes and drawn at arbitrary places on a small screen, plain and colour
// keyed, then freed and drawn again (which must do nothing).
// Input: one byte choosing the name's extension, eight 16-bit numbers (clip
// box and position), then the file's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/mod/FuzzSupport.h"
#include "game/media/HeadlessMedia.h"

namespace {

constexpr size_t kHeaderBytes = 1 + 8 * 2;

int16_t Number(const uint8_t* data, int index) {
    return static_cast<int16_t>(data[1 + 2 * index] | (data[2 + 2 * index] << 8));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < kHeaderBytes)
        return 0;
    const std::string path =
        vorn::fuzz::ScratchFolder("sprite") + ((data[0] & 1) ? "/picture.bmp" : "/picture.png");
    vorn::fuzz::WriteBytes(
        path,
        std::string_view(reinterpret_cast<const char*>(data) + kHeaderBytes, size - kHeaderBytes));

    vorn::HeadlessMedia media;
    media.InitGraphics();
    const int window = media.OpenGameWindow("fuzz", 64, 48);
    media.OpenSpriteScreen(window, 64, 48);
    media.SetTransparentColour({0, 255, 255});
    const vorn::SpriteHandle sprite = media.LoadSpriteFile(path);
    if (sprite != 0 && (media.SpriteWidth(sprite) <= 0 || media.SpriteHeight(sprite) <= 0)) {
        abort();  // a loaded sprite has a size
    }
    media.DrawSprite(sprite, Number(data, 0), Number(data, 1));
    media.ClipSprite(sprite, Number(data, 2), Number(data, 3), Number(data, 4), Number(data, 5));
    media.DrawSprite(sprite, Number(data, 6), Number(data, 7));
    media.DrawSpriteTransparent(sprite, Number(data, 7), Number(data, 6));
    media.ClipSprite(sprite, -Number(data, 2), Number(data, 3) * 3, 65536, -1);
    media.DrawSpriteTransparent(sprite, Number(data, 1), Number(data, 0));
    media.PresentFrame();
    media.FreeSprite(sprite);
    media.DrawSprite(sprite, 0, 0);
    media.FreeSprite(sprite);
    return 0;
}

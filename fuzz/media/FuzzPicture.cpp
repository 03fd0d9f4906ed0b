// Feeds arbitrary bytes to the sprite decoders: the first byte picks PNG or
// bitmap so that both get inputs past their signature checks.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/media/PictureLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    vorn::Picture picture;
    bool decoded = false;
    if (data[0] & 1) {
        std::string bmp = "BM" + std::string(bytes);
        decoded = vorn::DecodeBmp(bmp, picture);
    } else {
        std::string png = "\x89PNG\r\n\x1a\n" + std::string(bytes);
        decoded = vorn::DecodePng(png, picture);
    }
    if (decoded && picture.pixels.size() !=
                       static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height)) {
        __builtin_trap();  // a picture must hold exactly its stated pixels
    }
    return 0;
}

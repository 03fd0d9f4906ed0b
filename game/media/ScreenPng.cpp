// The screen's pixels through the shared PNG encoder, then one atomic file
// write.
#include "game/media/ScreenPng.h"

#include "common/FileIO.h"
#include "common/PngEncoder.h"

namespace vorn {

bool WriteScreenPng(const std::string& path, const uint32_t* pixels, int width, int height) {
    const std::string bytes = EncodeRgbPng(width, height, pixels);
    return !bytes.empty() && WriteFileAtomically(path, bytes);
}

}  // namespace vorn

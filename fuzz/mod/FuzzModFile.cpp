// Replace one file of the bundled mod, start up, play a few frames.
#include "fuzz/mod/FuzzModFile.h"

#include <string_view>

#include "fuzz/mod/FuzzSupport.h"

namespace vorn::fuzz {

namespace {
constexpr int kFrames = 16;
}

int FuzzOneModFile(const char* relativePath, const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto pieces = SplitInput(input, 2);
    const std::string& mod = BundledModCopy();
    WriteBytes(mod + "/" + relativePath, pieces[0]);
    HeadlessGame run(mod);
    LeaveTitleScreen(run, false);
    RunFrames(run, kFrames, pieces[1]);
    return 0;
}

}  // namespace vorn::fuzz

// A map as a mod would ship it: the input is cut at each "|||" into the
// map's .ini, .gtl, .btl, .ftl, .atl, .ani, .obl and .wpl files and the key
// bytes of the frames. The game starts up on the bundled mod, loads the map
// (twice, so the second load replaces a map built from the same files) and
// plays a few frames on it, walking, attacking, picking up and saving.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/mod/FuzzSupport.h"
#include "game/play/MapEntry.h"

namespace {
constexpr const char* kExtensions[] = {".ini", ".gtl", ".btl", ".ftl",
                                       ".atl", ".ani", ".obl", ".wpl"};
constexpr size_t kFiles = std::size(kExtensions);
constexpr int kFrames = 16;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorn::fuzz;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto pieces = SplitInput(input, kFiles + 1);
    const std::string& mod = BundledModCopy();
    for (size_t i = 0; i < kFiles; ++i) {
        WriteBytes(mod + "/maps/fuzzed" + kExtensions[i], pieces[i]);
    }
    HeadlessGame run(mod);
    if (!run.started)
        return 0;
    vorn::EnterMap(run.game, "fuzzed");
    if (run.game.ended)
        return 0;
    vorn::EnterMap(run.game, "fuzzed");
    RunFrames(run, kFrames, pieces[kFiles]);
    return 0;
}

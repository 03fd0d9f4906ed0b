// animations.ini as a mod would ship it: read at start-up, every definition
// placed on the map as a looping and a play-once instance, advanced over a
// long stretch of clock time, then drawn by a few frames of a new game.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/mod/FuzzSupport.h"
#include "game/world/Animations.h"

namespace {
// More definitions than this are placed only by the maps, to keep runs short.
constexpr size_t kPlacedDefinitions = 16;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorn::fuzz;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto pieces = SplitInput(input, 2);
    const std::string& mod = BundledModCopy();
    WriteBytes(mod + "/animations.ini", pieces[0]);
    HeadlessGame run(mod);
    LeaveTitleScreen(run, false);
    if (!run.started || run.game.ended)
        return 0;

    vorn::Game& game = run.game;
    std::vector<std::string> names;
    for (const vorn::Animation& definition : game.assets.animationDefinitions) {
        if (names.size() == kPlacedDefinitions)
            break;
        names.push_back(definition.Name);
    }
    int32_t position = 0;
    for (const std::string& name : names) {
        vorn::CreateAnimationInstance(game, name, position, position / 2, 0);
        vorn::CreateAnimationInstance(game, name, -position, position, 1);
        position += 37;
    }
    // Clock values far apart and out of order, as a wrapped clock gives them.
    for (int32_t now : {0, 1, 1000, 999, 65536, 2147483647, -2147483647 - 1, 5000}) {
        vorn::AdvanceAnimations(game, now);
    }
    RunFrames(run, 20, pieces[1]);
    return 0;
}

// A saved game as a stranger might hand it over: the input is cut at each
// "|||" into save0.ini, save0.sol, save0.sst and the key bytes of the frames.
// The game starts up on the bundled mod, loads the save from the title screen
// and plays a few frames; then it saves into slot 1 and loads that again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/mod/FuzzSupport.h"
#include "game/play/MapEntry.h"
#include "game/world/SavedGames.h"

namespace {
constexpr const char* kExtensions[] = {".ini", ".sol", ".sst"};
constexpr size_t kFiles = std::size(kExtensions);
constexpr int kFrames = 16;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorn::fuzz;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto pieces = SplitInput(input, kFiles + 1);
    const std::string& mod = BundledModCopy();
    for (size_t i = 0; i < kFiles; ++i) {
        WriteBytes(mod + "/saves/save0" + kExtensions[i], pieces[i]);
    }
    HeadlessGame run(mod);
    LeaveTitleScreen(run, true);
    RunFrames(run, kFrames, pieces[kFiles]);
    if (!run.started || run.game.ended)
        return 0;
    vorn::SaveGame(run.game, 1);
    vorn::LoadGame(run.game, 1);
    RunFrames(run, 2, "");
    return 0;
}

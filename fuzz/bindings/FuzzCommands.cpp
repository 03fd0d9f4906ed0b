// Fuzzes the host commands with whole scripts: the input becomes the global
// tick script of a new game on a copy of the bundled mod, and three frames
// run (so the script runs, with whatever maps, monsters and texts it made).
// Commands get any argument text a script can produce: wrong types, huge
// and negative numbers, map names that do not exist, unknown monster IDs.
// Run with -dict=fuzz/bindings/commands.dict.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/mod/FuzzSupport.h"
#include "game/shell/GameShell.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string script(reinterpret_cast<const char*>(data), size);
    vorn::fuzz::HeadlessGame run(vorn::fuzz::BundledModCopy());
    if (!run.started)
        return 0;
    run.game.settings.TickMs = 1;
    vorn::fuzz::LeaveTitleScreen(run, false);
    run.game.script.ParseScript(script, vorn::slots::kGlobalTick);
    vorn::fuzz::RunFrames(run, 3, "");
    return 0;
}

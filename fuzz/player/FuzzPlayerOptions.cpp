// Reads the input as player.ini. Besides memory errors it checks what the
// game relies on: every option stays in its range, every action keeps at
// least one key, and every warning is one line in the PATH:LINE form.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "game/shell/PlayerOptions.h"

namespace {

void Check(bool condition) {
    if (!condition)
        abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::ostringstream warnings;
    const vorn::PlayerOptions options = vorn::ReadPlayerOptionsText(text, "p.ini", warnings);
    Check(options.display.windowScale >= 0 && options.display.windowScale <= 16);
    for (const auto& keys : options.bindings.keys) {
        Check(!keys.empty());
        for (int key : keys)
            Check(key > 0 && key < 512);
    }
    for (const auto& buttons : options.bindings.padButtons) {
        for (int button : buttons)
            Check(button >= 0 && button < 32);
    }
    std::istringstream lines(warnings.str());
    std::string line;
    while (std::getline(lines, line)) {
        Check(line.rfind("p.ini:", 0) == 0);
        const size_t number = line.find_first_not_of("0123456789", 6);
        Check(number > 6 && line.compare(number, 11, ": warning: ") == 0);
    }
    return 0;
}

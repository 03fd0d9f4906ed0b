#include "game/shell/CommandLine.h"

#include <cstring>

namespace vorn {

namespace {

constexpr CommandLineOption kOptions[] = {
    {"--write-player-config",
     "write the player's preferences file (player.ini) with its defaults and exit",
     [](CommandLine& commandLine) { commandLine.writePlayerConfig = true; }},
};

}  // namespace

std::span<const CommandLineOption> CommandLineOptions() {
    return kOptions;
}

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine commandLine;
    for (int i = 0; i < argc && argv != nullptr && argv[i] != nullptr; ++i) {
        const CommandLineOption* option = nullptr;
        for (const CommandLineOption& candidate : kOptions) {
            if (i > 0 && std::strcmp(argv[i], candidate.name) == 0) {
                option = &candidate;
            }
        }
        if (option != nullptr) {
            option->apply(commandLine);
        } else {
            commandLine.arguments.push_back(argv[i]);
        }
    }
    return commandLine;
}

}  // namespace vorn

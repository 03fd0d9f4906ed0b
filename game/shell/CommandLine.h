// The game program's command line: the options of one table, each with the
// line `game --help` shows for it, and the plain arguments (the mod folder),
// which the options may come before or after.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace vorn {

struct CommandLine {
    // The program's name and the plain arguments, in order, as the game's
    // start-up reads them (argv without the options).
    std::vector<const char*> arguments;
    bool writePlayerConfig = false;

    int ArgumentCount() const { return static_cast<int>(arguments.size()); }
    const char* const* Arguments() const { return arguments.data(); }
};

struct CommandLineOption {
    const char* name;  // "--write-player-config"
    const char* help;  // one line for --help
    void (*apply)(CommandLine& commandLine);
};

// Every option, in the order --help lists them.
std::span<const CommandLineOption> CommandLineOptions();

// Options are taken out wherever they stand; everything else stays an
// argument.
CommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace vorn

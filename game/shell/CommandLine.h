// The game program's command line: the options of one table, each with the
// line the option list shows for it, and one plain argument (the mod
// folder), which the options may come before or after.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace vorn {

struct CommandLine {
    // The program's name and the plain arguments, in order, as the game's
    // start-up reads them (argv without the options).
    std::vector<const char*> arguments;
    // The folder as given (the game puts "./" before it); empty for the
    // default folder.
    std::string modFolder;
    bool writePlayerConfig = false;
    // --help or -h: the help text is printed and the game does not start.
    bool help = false;
    // --dev: the developer mode (overlay, variables, live reload).
    bool developerMode = false;
    // --record FILE: the session is written to FILE.
    std::string recordFile;
    // --replay FILE: the session recorded in FILE is played back.
    std::string replayFile;
    // --headless: a replay runs without a window, as fast as it can.
    bool headless = false;

    // Why the command line could not be understood; empty when it could.
    std::string error;

    const std::string& ModFolderArgument() const { return modFolder; }
    int ArgumentCount() const { return static_cast<int>(arguments.size()); }
    const char* const* Arguments() const { return arguments.data(); }
};

struct CommandLineOption {
    const char* name;       // "--record"
    const char* valueName;  // "FILE"; null when the option takes no value
    const char* help;       // one line for the option list
    void (*apply)(CommandLine& commandLine, const char* value);
};

// Every option, in the order the option list shows them.
std::span<const CommandLineOption> CommandLineOptions();

// Options are taken out wherever they stand; everything else is the mod
// folder (one at the most).
CommandLine ParseCommandLine(int argc, const char* const* argv);

// One line per option: its name, its value and what it does.
void WriteOptionList(std::ostream& out);

// What `game --help` prints: the arguments, every option, the keys and
// where the game reports what it cannot use.
std::string CommandLineHelp();

}  // namespace vorn

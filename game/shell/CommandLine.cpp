// The options of the game program, one table: each entry names the option,
// its value (if it takes one) and what it sets.
#include "game/shell/CommandLine.h"

#include <iomanip>
#include <sstream>
#include <string_view>

namespace vorn {

namespace {

constexpr CommandLineOption kOptions[] = {
    {"--help", nullptr, "print this text and end",
     [](CommandLine& line, const char*) { line.help = true; }},
    {"--write-player-config", nullptr,
     "write the player's preferences file (player.ini) with its defaults and exit",
     [](CommandLine& line, const char*) { line.writePlayerConfig = true; }},
    {"--dev", nullptr, "developer mode: F3 overlay, F4 variables, F5/F6 live reload",
     [](CommandLine& line, const char*) { line.developerMode = true; }},
    {"--record", "FILE", "write what the game reads (keys, clock, chance) to FILE",
     [](CommandLine& line, const char* value) { line.recordFile = value; }},
    {"--replay", "FILE", "play the session recorded in FILE back",
     [](CommandLine& line, const char* value) { line.replayFile = value; }},
    {"--headless", nullptr, "with --replay: no window, as fast as possible",
     [](CommandLine& line, const char*) { line.headless = true; }},
};

const CommandLineOption* FindOption(std::string_view name) {
    for (const CommandLineOption& option : kOptions) {
        if (name == option.name) {
            return &option;
        }
    }
    return nullptr;
}

// The rules between options, once all are read.
std::string CheckCombination(const CommandLine& line) {
    if (!line.recordFile.empty() && !line.replayFile.empty()) {
        return "--record and --replay cannot be used together";
    }
    if (line.headless && line.replayFile.empty()) {
        return "--headless plays a recording: use it with --replay FILE";
    }
    return {};
}

}  // namespace

std::span<const CommandLineOption> CommandLineOptions() {
    return kOptions;
}

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    CommandLine line;
    line.arguments.push_back(argc > 0 && argv != nullptr && argv[0] != nullptr ? argv[0] : "game");
    for (int i = 1; i < argc && argv != nullptr && argv[i] != nullptr; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h") {
            line.help = true;
            continue;
        }
        if (argument.size() < 2 || argument.substr(0, 2) != "--") {
            if (!line.modFolder.empty()) {
                line.error =
                    "two mod folders given: " + line.modFolder + " and " + std::string(argument);
                return line;
            }
            line.modFolder = argument;
            line.arguments.push_back(argv[i]);
            continue;
        }
        const CommandLineOption* option = FindOption(argument);
        if (option == nullptr) {
            line.error = "unknown option " + std::string(argument);
            return line;
        }
        const char* value = nullptr;
        if (option->valueName != nullptr) {
            if (i + 1 >= argc || argv[i + 1] == nullptr) {
                line.error = std::string(option->name) + " needs a " + option->valueName;
                return line;
            }
            value = argv[++i];
        }
        option->apply(line, value);
    }
    line.error = CheckCombination(line);
    return line;
}

void WriteOptionList(std::ostream& out) {
    for (const CommandLineOption& option : kOptions) {
        std::string shown = option.name;
        if (option.valueName != nullptr) {
            shown += std::string(" ") + option.valueName;
        }
        out << "  " << std::left << std::setw(24) << shown << option.help << '\n';
    }
}

std::string CommandLineHelp() {
    std::ostringstream text;
    text << "usage: game [OPTION ...] [MODFOLDER]\n"
            "Runs the game in MODFOLDER, a folder of the folder the game is started in\n"
            "(\"game mygame\" reads ./mygame; without it ./vorn3). A game ends with exit\n"
            "status 0 on every path, fatal errors too (a command line it cannot read: 2);\n"
            "it writes what it cannot use of the mod's files to standard error, one line\n"
            "each, as PATH:LINE: error|warning: TEXT.\n"
            "Check a mod before playing it with: modcheck MODFOLDER\n"
            "\n"
            "Options:\n";
    WriteOptionList(text);
    text << "\n"
            "Keys (by default): arrow keys walk, Ctrl attacks, Return picks up, S saves, Tab\n"
            "shows the stats while held; on the title screen Space starts a new game and L\n"
            "loads the saved one; F11 or Alt+Enter switches fullscreen; F12 writes a\n"
            "screenshot to MODFOLDER/screenshots/. Closing the window asks whether to save\n"
            "first. The player's own keys, pad buttons and window are set in player.ini\n"
            "(see --write-player-config and docs/playing.md).\n";
    return text.str();
}

}  // namespace vorn

// The game program: runs the mod folder named by the first argument (or
// "./vorn3") in an SDL2 window, with the player's preferences from
// player.ini. Every way out of a game, fatal errors included, ends with exit
// code 0; --write-player-config ends with 1 when it cannot write the file.
#include <cstdio>
#include <exception>
#include <iostream>

#include "game/media/SdlMedia.h"
#include "game/shell/CommandLine.h"
#include "game/shell/GameShell.h"
#include "game/shell/PlayerOptions.h"

namespace {

int WritePlayerConfig() {
    const std::string path = vorn::PlayerOptionsPath();
    const std::string error = vorn::WriteDefaultPlayerOptions(path);
    if (!error.empty()) {
        std::fprintf(stderr, "game: %s\n", error.c_str());
        return 1;
    }
    std::printf("Wrote the player's preferences with their defaults to %s\n", path.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const vorn::CommandLine commandLine = vorn::ParseCommandLine(argc, argv);
    if (commandLine.writePlayerConfig) {
        return WritePlayerConfig();
    }
    // The game reports its errors as values; only running out of memory (a
    // script that builds an endless text) can still throw, and even then the
    // program ends the way every other path does.
    try {
        const vorn::PlayerOptions options =
            vorn::ReadPlayerOptions(vorn::PlayerOptionsPath(), std::cerr);
        vorn::SdlMedia media;
        media.SetDisplayOptions(options.display);
        media.SetInputBindings(options.bindings);
        vorn::RunGame(media, commandLine.ArgumentCount(), commandLine.Arguments());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "game: %s\n", error.what());
    }
    return 0;
}

// The game program: runs the mod folder named on the command line (or
// "./vorn3") in an SDL2 window with the player's preferences from
// player.ini, records a session to a file or replays one, with or without a
// window. Playing ends with exit code 0 whatever happens; a command line
// that cannot be understood ends with 2; a replay ends with 1 when the game
// did not do what was recorded, and --write-player-config when it cannot
// write the file.
#include <cstdio>
#include <exception>
#include <iostream>

#include "game/media/HeadlessMedia.h"
#include "game/media/SdlMedia.h"
#include "game/shell/CommandLine.h"
#include "game/shell/PlayerOptions.h"
#include "game/shell/Session.h"

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

// A window as the player wants it: display and key preferences. A replay
// reads the keys from its recording, so the key map does not change it.
void ApplyPlayerOptions(vorn::SdlMedia& media) {
    const vorn::PlayerOptions options =
        vorn::ReadPlayerOptions(vorn::PlayerOptionsPath(), std::cerr);
    media.SetDisplayOptions(options.display);
    media.SetInputBindings(options.bindings);
}

int Run(int argc, char** argv) {
    const vorn::CommandLine line = vorn::ParseCommandLine(argc, argv);
    if (line.help) {
        std::cout << vorn::CommandLineHelp();
        return 0;
    }
    if (!line.error.empty()) {
        std::cerr << "game: " << line.error << "\nUsage: game [OPTIONS] [MODFOLDER]\n";
        vorn::WriteOptionList(std::cerr);
        return 2;
    }
    if (line.writePlayerConfig) {
        return WritePlayerConfig();
    }
    if (!line.replayFile.empty()) {
        vorn::Recording recording;
        if (!vorn::PrepareReplay(line, recording))
            return 1;
        if (line.headless) {
            vorn::HeadlessMedia media;
            media.SetPainting(false);  // no one sees the frames
            return vorn::RunReplay(media, line, std::move(recording));
        }
        vorn::SdlMedia media;
        ApplyPlayerOptions(media);
        return vorn::RunReplay(media, line, std::move(recording));
    }
    vorn::SdlMedia media;
    ApplyPlayerOptions(media);
    return vorn::RunPlayOrRecord(media, line);
}

}  // namespace

int main(int argc, char** argv) {
    // The game reports its errors as values; only running out of memory (a
    // script that builds an endless text) can still throw, and even then the
    // program ends the way every other path does.
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "game: %s\n", error.what());
    }
    return 0;
}

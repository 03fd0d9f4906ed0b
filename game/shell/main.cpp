// The game program: runs the mod folder named by the first argument (or
// "./vorn3") in an SDL2 window. Every way out, fatal errors included, ends
// with exit code 0.
#include <cstdio>
#include <exception>

#include "game/shell/GameShell.h"
#include "game/media/SdlMedia.h"

int main(int argc, char** argv) {
    // The game reports its errors as values; only running out of memory (a
    // script that builds an endless text) can still throw, and even then the
    // program ends the way every other path does.
    try {
        vorn::SdlMedia media;
        vorn::RunGame(media, argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "game: %s\n", error.what());
    }
    return 0;
}

// The game program: runs the mod folder named by the first argument (or
// "./vorn3") in an SDL2 window. Every way out, fatal errors included, ends
// with exit code 0.
#include "game/shell/GameShell.h"
#include "game/shell/media/SdlMedia.h"

int main(int argc, char** argv) {
    vorn::SdlMedia media;
    vorn::RunGame(media, argc, argv);
    return 0;
}

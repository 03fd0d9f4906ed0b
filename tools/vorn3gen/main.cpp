// vorn3gen: draws every picture and sound of the bundled game and writes its
// map layer files into a mod folder. Usage: vorn3gen <mod folder>
// `vorn3gen --icons <folder>` draws the game's desktop icon instead.
// The output is the same on every run, so the committed vorn3/ folder can be
// compared with a fresh run byte for byte.
#include <cstdio>
#include <cstring>

#include "tools/vorn3gen/Art.h"

int main(int argc, char** argv) {
    const bool icons = argc == 3 && std::strcmp(argv[1], "--icons") == 0;
    const bool modFolder = argc == 2 && argv[1][0] != '-';
    if (!icons && !modFolder) {
        std::fprintf(stderr, "usage: vorn3gen <mod folder>\n       vorn3gen --icons <folder>\n");
        return 2;
    }
    if (icons) {
        vorn3gen::Output out(argv[2]);
        vorn3gen::WriteIcons(out);
        std::printf("vorn3gen: %d icons written to %s\n", out.Written(), argv[2]);
        return out.Failures() == 0 ? 0 : 1;
    }
    vorn3gen::Output out(argv[1]);
    vorn3gen::WriteTiles(out);
    vorn3gen::WriteActors(out);
    vorn3gen::WritePictures(out);
    vorn3gen::WriteSounds(out);
    vorn3gen::WriteMaps(out);
    std::printf("vorn3gen: %d files written to %s\n", out.Written(), argv[1]);
    return out.Failures() == 0 ? 0 : 1;
}

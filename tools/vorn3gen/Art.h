// The parts of vorn3 the generator writes, one function per kind of content.
#pragma once

#include "tools/vorn3gen/PngFile.h"

namespace vorn3gen {

// tiles/*.png: ground, background, foreground and top-layer tiles.
void WriteTiles(Output& out);
// sprites/*.png sheets of the hero and the monsters.
void WriteActors(Output& out);
// objects/, animations/ and the shared sprites (title, night, death mark).
void WritePictures(Output& out);
// sounds/*.wav: effects and one music loop per area.
void WriteSounds(Output& out);
// maps/*.gtl, .btl, .ftl, .atl, .obl, .wpl and .ani files.
void WriteMaps(Output& out);
// vorn3-<size>.png: the desktop icon in the sizes a desktop asks for (written
// into its own folder, not the mod folder).
void WriteIcons(Output& out);

}  // namespace vorn3gen

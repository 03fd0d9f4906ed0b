// The pictures of the tilesets tiledmap generates: a tile-sized frame with a
// text in it, for each attribute value and for each tile name or object
// picture that has no picture file. Their background is transparent (an
// alpha channel: Tiled ignores colour keys of single tile pictures).
#pragma once

#include <string>

namespace vorn::tiledmap {

enum class LabelKind { Attribute, MissingPicture };

// PNG bytes of a width x height picture showing `text` (Windows-1252; as
// much of it as fits). Attributes are coloured by what they do: walls red,
// monster-only blocks orange, warps blue, script tiles violet, monster
// spawns green; missing pictures are grey with a red frame.
std::string LabelPicture(const std::string& text, LabelKind kind, int width, int height);

}  // namespace vorn::tiledmap

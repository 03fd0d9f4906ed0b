// The names a Tiled map of ours uses, shared by export and import: layers,
// tilesets, and the custom properties that carry our fields.
#pragma once

namespace vorn::tiledmap::tmx {

// Object layers; the tile layers are named by GridLayerName.
inline constexpr const char* kObjectsLayer = "Objects";
inline constexpr const char* kWarpsLayer = "Warps";
inline constexpr const char* kAnimationsLayer = "Animations";

// Tilesets written on export.
inline constexpr const char* kTilesTileset = "Tiles";
inline constexpr const char* kObjectPicturesTileset = "Object pictures";
inline constexpr const char* kAttributesTileset = "Attributes";
inline constexpr const char* kMissingPicturesTileset = "Missing pictures";

// Tile properties: the text a tile stands for in a layer file, and the
// picture file an object tile stands for in the ".obl" file.
inline constexpr const char* kNameProperty = "name";
inline constexpr const char* kPictureProperty = "picture";

// Layer property: the text of a cell painted with nothing (gid 0).
inline constexpr const char* kEmptyProperty = "empty";

// Object properties.
inline constexpr const char* kDamageProperty = "damage";
inline constexpr const char* kHealthProperty = "health";
inline constexpr const char* kSpeedProperty = "speed";
inline constexpr const char* kHealProperty = "heal";
inline constexpr const char* kTargetMapProperty = "map";
inline constexpr const char* kTargetColumnProperty = "column";
inline constexpr const char* kTargetRowProperty = "row";
inline constexpr const char* kPlayOnceProperty = "playOnce";

// Map properties that are not .ini entries: the order of the .ini keys
// (joined by "=", the one character no key holds; Tiled sorts properties by
// name, but the game matches keys as prefixes, so their order matters), and
// the line ends of each file ("gtl=CRLF ini=LF:unended ...").
inline constexpr const char* kBookkeepingPrefix = "tiledmap.";
inline constexpr const char* kIniOrderProperty = "tiledmap.iniOrder";
inline constexpr const char* kLineEndsProperty = "tiledmap.lineEnds";

}  // namespace vorn::tiledmap::tmx

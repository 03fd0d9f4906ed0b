// Tile images and monster types, loaded once at start-up, and the optional
// sound helper.
#pragma once

#include <string>
#include <string_view>

#include "game/world/Game.h"

namespace vorn {

// Every "*.png" file (case-insensitive pattern) of ModFolder + "/tiles".
void LoadTileImages(Game& game);
// The sprite of the first tile whose name equals TrimSpaces(name), or
// kNoTileImage.
SpriteHandle FindTileSprite(const Game& game, std::string_view name);
// One MonsterType per line of ModFolder + "/monsters.ini", empty lines too.
void LoadMonsterTypes(Game& game);
// Does nothing for the empty handle.
void PlaySoundIfLoaded(Game& game, SoundHandle sound, bool loop);

// A sprite sheet of four facings side by side and MoveFrameCount walking,
// then AttackFrameCount attack frames below each other, each frame
// `frameWidth` x `frameHeight`: told when a size is not above 0 or the
// picture is too small to hold every frame (`owner` names whose sheet).
void ReportSheetFrames(Game& game, const std::string& path, int line, const std::string& owner,
                       SpriteHandle sheet, int32_t frameWidth, int32_t frameHeight);

// A spawn of monster type `type` (from 1) on line `line` of an ".atl" file,
// told when monsters.ini has no such type: nothing spawns there.
void ReportUnknownMonsterType(Game& game, const std::string& atlPath, int line, int32_t type);

// A picture or sound that a data file names by file name, looked for in
// `folder` (ModFolder + "/sprites/" and the like). When a name is given and
// the file does not load, the author is told at the naming line (`namedIn`,
// `line`; line 0 for the file as a whole). An empty name loads nothing,
// silently: the key or field was left empty on purpose.
SpriteHandle LoadNamedPicture(Game& game, const std::string& folder, const std::string& name,
                              const std::string& namedIn, int line);
SoundHandle LoadNamedSound(Game& game, const std::string& name, const std::string& namedIn,
                           int line);
// The report LoadNamedPicture and LoadNamedSound give: "picture" or "sound"
// `name` not found in `folder`, or there but unreadable.
void ReportUnloadedFile(Game& game, const char* kind, const std::string& folder,
                        const std::string& name, const std::string& namedIn, int line);

}  // namespace vorn

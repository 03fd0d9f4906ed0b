// Tile images and monster types, loaded once at start-up, and the optional
// sound helper.
#pragma once

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

}  // namespace vorn

// Reading settings.ini into GameSettings and GameColors (sounds are loaded as
// their keys are read) and choosing the mod folder from the command line.
#pragma once

#include <string>

#include "game/world/Game.h"

namespace vorn {

// "./" + the first argument, or "./vorn3" without one.
std::string ModFolderFromArguments(int argc, const char* const* argv);

// Reads group "Settings" from GameTitle to TickMs in file order (computing
// the derived fields at their two points), loading each sound key's file as
// it is read. Never fails: missing keys read 0 or "".
void ReadGameSettings(Game& game);
void ReadGameColors(Game& game);
// Start-up's shared pictures, in this order: HeartSprite from "/objects/",
// then DeathSprite, NightTile and TitleScreen from "/sprites/".
void LoadSharedSprites(Game& game);

}  // namespace vorn

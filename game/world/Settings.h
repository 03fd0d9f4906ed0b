// Reading settings.ini into GameSettings and GameColors (sounds are loaded as
// their keys are read) and choosing the mod folder from the command line.
#pragma once

#include <string>

#include "game/world/Game.h"

namespace vorn {

// "./" + the first argument, or "./vorn3" without one.
std::string ModFolderFromArguments(int argc, const char* const* argv);

// Loads ModFolder + "/settings.ini" into game.settingsFile and reads group
// "Settings" from GameTitle to TickMs in file order (computing
// the derived fields at their two points), loading each sound key's file as
// it is read. Never fails: missing keys read 0 or "".
void ReadGameSettings(Game& game);
void ReadGameColors(Game& game);
// Start-up's shared pictures, in this order: HeartSprite from "/objects/",
// then DeathSprite, NightTile and TitleScreen from "/sprites/".
void LoadSharedSprites(Game& game);

// The player of a new game: health, damage, speed, the sprite and the
// position from the settings; every other field 0.
void PlaceNewPlayer(Game& game);

// After all settings were read: what settings.ini lacks or holds that the
// game does not read as meant (a missing file or group, unknown and
// shadowed keys, sizes that are missing or 0).
void ReportSettingsProblems(Game& game);
// Why the window did not open, as far as the settings tell.
FatalCause WindowCause(const Game& game);

}  // namespace vorn

// The game's host commands (56, in registration order) and constants (9).
#pragma once

#include "game/world/Game.h"

namespace vorn {

void RegisterGameCommands(Game& game);
void RegisterGameConstants(Game& game);

}  // namespace vorn

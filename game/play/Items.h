// Pick-up of map objects and the inventory.
#pragma once

#include <string_view>

#include "game/world/Game.h"

namespace vorn {

// Called in every frame in which Return is down; takes at most one object.
void PickUp(Game& game);
// Exact, case-sensitive membership.
bool InventoryHas(const Game& game, std::string_view name);

}  // namespace vorn

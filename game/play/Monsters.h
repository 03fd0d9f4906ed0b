// Live monsters: spawning, the decision step (vision, wandering, chasing) and
// the movement step (walking, attack start, depth sort).
#pragma once

#include <cstdint>

#include "game/world/Game.h"

namespace vorn {

// Type number is 1-based; nothing happens for a number above the type count.
void SpawnMonster(Game& game, int32_t typeNumber, int32_t column, int32_t row);
void MonsterDecisionStep(Game& game);
void MonsterMoveStep(Game& game);

}  // namespace vorn

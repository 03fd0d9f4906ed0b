// Hits, death, dropped hearts and the animation step of the actors.
#pragma once

#include <cstddef>

#include "game/world/Game.h"

namespace vorn {

void PlayerHitStep(Game& game);
// Player and monster frames, corpse time, the end of monster attacks, and the
// animation instances.
void AnimationStep(Game& game);
void MonsterHitsPlayer(Game& game, size_t monsterIndex);
void DropItem(Game& game, const Monster& monster);

}  // namespace vorn

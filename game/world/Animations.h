// animations.ini definitions and the live animation instances of the current
// map.
#pragma once

#include <cstdint>
#include <string_view>

#include "game/world/Game.h"

namespace vorn {

void LoadAnimationDefinitions(Game& game);
// From the first definition whose name matches ignoring case; nothing when
// there is none. The instance starts at the media clock's current value.
void CreateAnimationInstance(Game& game, std::string_view name, int32_t x, int32_t y,
                             int32_t playOnce);
// At most one frame step per instance per call.
void AdvanceAnimations(Game& game, int32_t now);

}  // namespace vorn

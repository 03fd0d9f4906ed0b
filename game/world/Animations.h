// animations.ini definitions and the live animation instances of the current
// map.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "game/world/Game.h"

namespace vorn {

void LoadAnimationDefinitions(Game& game);
// From the first definition whose name matches ignoring case; nothing (and
// false) when there is none. The instance starts at the media clock's
// current value.
bool CreateAnimationInstance(Game& game, std::string_view name, int32_t x, int32_t y,
                             int32_t playOnce);
// An animation named at `namedIn`:`line` that animations.ini does not
// define: nothing plays.
void ReportUnknownAnimation(Game& game, const std::string& namedIn, int line,
                            std::string_view name);
// At most one frame step per instance per call.
void AdvanceAnimations(Game& game, int32_t now);

}  // namespace vorn

// The one-line summary of a finished session that --record and --replay
// print: what a replay must reproduce, in a form a test can compare.
#pragma once

#include <cstdint>
#include <string>

#include "game/world/Game.h"

namespace vorn {

// "frames=N map=NAME x=X y=Y health=H variables=HASH": the frames played,
// the map and the player's position and health at the end, and a hash of
// every script variable (name, value and type, in table order). Positions
// are written exactly (the shortest text that reads back as the same float).
std::string SessionSummary(const Game& game, uint64_t framesPlayed);

}  // namespace vorn

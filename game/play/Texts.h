// Speech text, screen texts, the status bar and the stats screen.
#pragma once

#include <cstdint>
#include <string>

#include "game/world/Game.h"

namespace vorn {

void AddScreenText(Game& game, const std::string& text, int32_t x, int32_t y, int32_t duration,
                   int32_t startTime, int32_t screenFixed);
void DrawTexts(Game& game);

}  // namespace vorn

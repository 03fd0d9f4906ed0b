// Drawing a frame: camera, tile layers, objects, actors in depth order with
// the foreground-behind rule, animations at their four stages and the night
// overlay. Only cells that can reach the screen are visited.
#pragma once

#include <cstdint>

#include "game/world/Game.h"

namespace vorn {

int32_t ScreenX(const Game& game, int32_t mapX);
int32_t ScreenY(const Game& game, int32_t mapY);
int32_t PlayerScreenX(const Game& game);
int32_t PlayerScreenY(const Game& game);
void DrawAnimations(Game& game, int32_t stage);
// Presents the previous frame, then draws this one (ending with DrawTexts).
void DrawFrame(Game& game);
bool IsNight(const Game& game);

}  // namespace vorn

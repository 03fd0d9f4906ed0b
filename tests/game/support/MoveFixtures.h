// A playing field for movement, collision, drawing and text tests: settings
// for a 10 x 8 tile screen of 32-pixel tiles, an empty grid, sprites made
// from generated pictures and a frame clock the test advances by hand.
#pragma once

#include <cstdint>
#include <string>

#include "tests/game/support/TestGame.h"

namespace vorn::test {

constexpr int32_t kFieldTile = 32;
constexpr int32_t kFieldScreenColumns = 10;
constexpr int32_t kFieldScreenRows = 8;
constexpr int32_t kFieldPlayerSize = 32;
constexpr int32_t kFieldPlayerClipX = 20;
constexpr int32_t kFieldPlayerClipY = 16;
constexpr int32_t kFieldStatusBar = 40;

// Fills the settings (derived values included), allocates a columns x rows
// grid of free cells, gives the player speed 100 and 10 health at (0, 0)
// and starts the frame clock with a previous frame 100 ms ago.
void SetUpField(TestGame& test, int32_t columns, int32_t rows);

// Starts the next frame `ms` milliseconds after the current one.
void AdvanceFrame(TestGame& test, int32_t ms);

// Loads a width x height picture of one colour (0xRRGGBB) as a sprite.
SpriteHandle MakeSprite(TestGame& test, const std::string& name, int width, int height,
                        uint32_t colour);

// A tile picture registered in the game's tile list; returns its sprite.
SpriteHandle AddTileImage(TestGame& test, const std::string& name, int width, int height,
                          uint32_t colour);

// Puts the player at (x, y) with its clip box computed.
void PutPlayer(Game& game, float x, float y);

// Appends a monster with a frame of frameSize x frameSize pixels, clip box
// 20 x 16, the given sprite and ID, its clip box computed.
Monster& PutMonster(Game& game, float x, float y, SpriteHandle sprite, int32_t id,
                    int32_t frameSize = 32);

}  // namespace vorn::test

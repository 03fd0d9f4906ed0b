// A small play area for gameplay tests: fixed settings, an empty grid of free
// cells, actors placed directly in the lists and a frame clock the test
// advances by hand. Two presets share it: the arena, for monster, combat and
// item tests, and the field, for movement, collision, drawing and text tests,
// which also opens a screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/game/support/TestGame.h"

namespace vorn::test {

// Settings of both presets (pixels unless noted).
constexpr int32_t kTile = 32;
constexpr int32_t kScreenColumns = 10;
constexpr int32_t kScreenRows = 8;
constexpr int32_t kPlayerSize = 32;
constexpr int32_t kPlayerClipX = 20;
constexpr int32_t kPlayerClipY = 16;
constexpr int32_t kRecoil = 16;

// Settings of the arena.
constexpr int32_t kArenaMonsterSize = 32;
constexpr int32_t kArenaMonsterClipX = 20;
constexpr int32_t kArenaMonsterClipY = 16;
constexpr int32_t kArenaAnimationSpeed = 100;  // ms per animation step
constexpr int32_t kArenaAttackFrames = 4;
constexpr int32_t kArenaMoveFrames = 4;
constexpr int32_t kArenaVisionLength = 96;
constexpr int32_t kArenaVisionWidth = 32;
constexpr int32_t kArenaAIChange = 1000;     // ms between random decisions
constexpr int32_t kArenaAttackDelay = 1000;  // ms between monster attacks

// Settings of the field.
constexpr int32_t kFieldStatusBar = 40;

// The arena: fills the settings above, allocates a width x height grid of
// empty cells, places the player at (0, 0) with 10/10 health, and starts the
// frame clock (FrameTime = PreviousFrameTime = the media clock).
void SetUpArena(TestGame& test, int32_t width = 16, int32_t height = 16);

// The field: the shared settings plus the screen's derived sizes, a status
// bar and fonts, a columns x rows grid of free cells, the player at (0, 0)
// with speed 100 and 10 health, a frame clock with a previous frame 100 ms
// ago, and an open screen.
void SetUpField(TestGame& test, int32_t columns, int32_t rows);

// Puts the player at (x, y) and computes its clip box.
void PlacePlayer(Game& game, float x, float y);

// Starts the next frame `ms` milliseconds after the current one.
void NextFrame(TestGame& test, int32_t ms);

// Marks the cell's attribute ("X" wall, "M", "W", ...).
void SetAttribute(Game& game, int32_t column, int32_t row, const std::string& attribute);

// Appends a hostile 32 x 32 monster (clip 20 x 16, speed 64, health 10,
// damage 3) at (x, y) with the next ID, facing down, standing, with its clip
// box computed (RefreshClipBoxes). Returns its index.
size_t AddMonster(Game& game, float x, float y);

// Appends a monster with a frame of frameSize x frameSize pixels, clip box
// 20 x 16, health 5, the given sprite and ID, its clip box computed.
Monster& PutMonster(Game& game, float x, float y, SpriteHandle sprite, int32_t id,
                    int32_t frameSize = 32);

// Loads a width x height picture of one colour (0xRRGGBB) as a sprite.
SpriteHandle MakeSprite(TestGame& test, const std::string& name, int width, int height,
                        uint32_t colour);

// A tile picture registered in the game's tile list; returns its sprite.
SpriteHandle AddTileImage(TestGame& test, const std::string& name, int width, int height,
                          uint32_t colour);

// Writes `text` as a script file of the mod folder ("global_monsterdie.ds",
// "maps/a_grabitem.ds", ...) and loads it into `slot`.
void LoadScript(TestGame& test, const std::string& relativePath, const std::string& text,
                int32_t slot);

// Writes map `name` for the arena's grid size: ground and attribute layers
// of "." cells except the given (column, row, attribute) cells, and the
// object list text of its ".obl" file (no file when empty).
struct ArenaCell {
    int32_t column;
    int32_t row;
    std::string attribute;
};
void WriteArenaMap(TestGame& test, const std::string& name, const std::vector<ArenaCell>& cells,
                   const std::string& objectList = "");

// Writes a short WAVE file into the mod folder and loads it; returns the
// sound handle.
SoundHandle LoadTestSound(TestGame& test, const std::string& name);
// How often `sound` was played since the sound log was last cleared.
int CountPlays(const TestGame& test, SoundHandle sound);

}  // namespace vorn::test

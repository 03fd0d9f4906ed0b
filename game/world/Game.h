// The game context: everything one running game owns. Functions of the world,
// gameplay, bindings and shell take it explicitly, so tests can build a fresh
// game on a headless media layer as often as they like.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "game/script/ScriptEngine.h"
#include "game/media/MediaLayer.h"
#include "game/world/GameTypes.h"
#include "game/world/MapGrid.h"

namespace vorn {

// Fixed script slots of the event scripts.
namespace slots {
constexpr int32_t kGlobalGrabItem = 1;
constexpr int32_t kGlobalMonsterDie = 2;
constexpr int32_t kGlobalPlayerDie = 3;
constexpr int32_t kMapGrabItem = 4;
constexpr int32_t kMapMonsterDie = 5;
constexpr int32_t kMapPlayerDie = 6;
constexpr int32_t kMapEnter = 7;
constexpr int32_t kMapLeave = 8;
constexpr int32_t kGlobalPlayerAttack = 9;
constexpr int32_t kMapPlayerAttack = 10;
constexpr int32_t kGlobalTick = 11;
constexpr int32_t kMapTick = 12;
}  // namespace slots

constexpr int32_t kScriptSlotCount = 50;
constexpr int32_t kScriptLinesPerSlot = 500;
// The sound number the PlaySound command frees and reloads on every call.
constexpr int kScriptSoundNumber = 9999;

struct Game {
    explicit Game(MediaLayer& mediaLayer) : media(mediaLayer) {}
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    MediaLayer& media;
    ScriptEngine script;

    std::string ModFolder = "./vorn3";
    GameSettings settings;
    GameColors colors;
    ClockState clock;
    Player player;

    std::vector<TileImage> tileImages;
    std::vector<MonsterType> monsterTypes;
    std::vector<Animation> animationDefinitions;
    // Sprites of map objects by picture path. Object pictures stay loaded
    // until the program ends, so each is loaded once and shared by every map
    // that names it; walking between maps then costs no memory.
    std::unordered_map<std::string, int> objectPictures;

    // The current map.
    MapGrid grid;
    MapInfo mapInfo;
    std::string CurrentMusicName;
    std::vector<ObjectType> objects;
    std::vector<Warp> warps;
    std::vector<Monster> monsters;
    std::vector<Animation> animations;

    std::string StatusText;
    std::vector<std::string> inventory;
    std::vector<ScreenText> screenTexts;
    int32_t autoDropCounter = 0;
    // Set by PlayerInputStep when Tab is down in this frame.
    bool statsScreenShown = false;

    // Set when the program must end (a fatal error, L without a saved game,
    // the Quit command). Every step checks it and returns; the entry point
    // then exits with code 0.
    bool ended = false;
    // Incremented by every LoadMap; code that runs scripts compares it before
    // and after to learn whether the map (and its lists) was replaced.
    uint64_t mapGeneration = 0;
    // mapGeneration when the tick scripts last ran, so that a map's first
    // tick is announced once even when it falls in the millisecond of entry.
    uint64_t tickMapGeneration = 0;
    // How many LoadMap calls are running (an enter script may load a map);
    // bounds the nesting of maps whose enter scripts load each other.
    int32_t mapLoadDepth = 0;
};

// Shows the modal "Error" box with `text` and ends the program.
void FatalError(Game& game, const std::string& text);

}  // namespace vorn

// The game context: everything one running game owns. Functions of the world,
// gameplay, bindings and shell take it explicitly, so tests can build a fresh
// game on a headless media layer as often as they like.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/Diagnostics.h"
#include "common/IniFile.h"
#include "game/media/MediaLayer.h"
#include "game/script/ScriptEngine.h"
#include "game/world/CurrentMap.h"
#include "game/world/GameTypes.h"

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
constexpr SoundHandle kScriptSoundNumber{9999};

// What start-up loads once from the mod folder and every map shares.
struct ModAssets {
    std::vector<TileImage> tileImages;
    std::vector<MonsterType> monsterTypes;
    std::vector<Animation> animationDefinitions;
    // Sprites of map objects by picture path. Object pictures stay loaded
    // until the program ends, so each is loaded once and shared by every map
    // that names it; walking between maps then costs no memory.
    std::unordered_map<std::string, SpriteHandle> objectPictures;
};

struct Game {
    explicit Game(MediaLayer& mediaLayer);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // Whether `held` is still the map being played (no script entered
    // another one since the holder took it).
    bool IsCurrentMap(const std::shared_ptr<const CurrentMap>& held) const { return map == held; }

    MediaLayer& media;
    ScriptEngine script;

    std::string ModFolder = "./vorn3";
    // What the mod's files hold that the game skips or cannot use, told to
    // the author: the game program writes each line to standard error once,
    // modcheck and tests collect them.
    Diagnostics diagnostics;
    // settings.ini as start-up read it; its lookups tell which keys exist.
    IniFile settingsFile;
    GameSettings settings;
    GameColors colors;
    ClockState clock;
    Player player;
    ModAssets assets;

    // Never null; EnterMap replaces it. See CurrentMap.h for holding it
    // across a script.
    std::shared_ptr<CurrentMap> map;
    // The "Music" value of the map whose music is playing.
    std::string CurrentMusicName;

    std::string StatusText;
    std::vector<std::string> inventory;
    std::vector<ScreenText> screenTexts;
    int32_t autoDropCounter = 0;
    // Set by PlayerInputStep when Tab is down in this frame.
    bool statsScreenShown = false;
    // The FrameTime at which the S key last saved the game (0: never), for
    // the "Game saved." note drawn over the frame. Only that note reads it:
    // scripts and saved games never see it.
    int32_t savedNoteTime = 0;

    // Set when the program must end (a fatal error, L without a saved game,
    // the Quit command). Every step checks it and returns; the entry point
    // then exits with code 0.
    bool ended = false;
    // How many EnterMap calls are running (an enter script may enter a map);
    // bounds the nesting of maps whose enter scripts enter each other.
    int32_t mapLoadDepth = 0;
};

// Shows the modal "Error" box with `text` and ends the program.
void FatalError(Game& game, const std::string& text);

// Where a fatal error comes from, told on standard error right before its
// box: the file and line (0: none) and the text. A path "game" names the
// program itself.
struct FatalCause {
    std::string path;
    int line = 0;
    std::string text;
};
void FatalError(Game& game, const FatalCause& cause, const std::string& text);

}  // namespace vorn

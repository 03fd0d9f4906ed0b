// The records of the game world besides the map's own (CurrentMap.h,
// MapGrid.h). One Game (Game.h) owns one of each record and every list; all
// gameplay code reaches them through that context.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/media/MediaTypes.h"

namespace vorn {

// Where an actor looks, which is also the column of its sprite sheet. None
// is a chasing monster standing exactly on the player's clip position: it
// has no vision box, walks nowhere, hits nothing and draws no frame.
enum class Facing : int32_t { None = -1, Down = 0, Up = 1, Right = 2, Left = 3 };
// The sideways half of a walk up or down.
enum class Diagonal : int32_t { None = 0, Left = 1, Right = 2 };

constexpr int32_t SheetColumn(Facing facing) {
    return static_cast<int32_t>(facing);
}

// settings.ini, group "Settings", read once at start-up. Numbers missing from
// the file read 0, texts "".
struct GameSettings {
    std::string GameTitle;
    int32_t MapWidth = 0;
    int32_t AIChangeFrequency = 0;
    int32_t AIVisionWidth = 0;
    int32_t AIVisionLength = 0;
    int32_t DebugMode = 0;
    int32_t MapHeight = 0;
    int32_t ScreenHeight = 0;
    int32_t ScreenWidth = 0;
    int32_t TileWidth = 0;
    int32_t TileHeight = 0;
    int32_t LengthOfDay = 0;
    int32_t PlayerWidth = 0;
    int32_t PlayerHeight = 0;
    int32_t PlayerClipX = 0;
    int32_t PlayerClipY = 0;
    std::string StartMap;
    int32_t StartX = 0;
    int32_t StartY = 0;
    int32_t StartHealth = 0;
    int32_t StartDamage = 0;
    std::string PlayerSprite;
    SoundHandle PlayerAttackSound;
    SoundHandle PlayerMoveSound;
    SoundHandle PlayerDeathSound;
    SoundHandle PlayerHitSound;
    SoundHandle WarpSound;
    int32_t MoveFrameCount = 0;
    int32_t AttackFrameCount = 0;
    int32_t PlayerAttackDelay = 0;
    int32_t MonsterAttackDelay = 0;
    int32_t AnimationSpeed = 0;
    int32_t PlayerStartSpeed = 0;
    int32_t MapTextSpeed = 0;
    int32_t FontSize = 0;
    int32_t StatusFontSize = 0;
    int32_t StatusTextOffset = 0;
    int32_t StatusBarHeight = 0;
    std::string StatusHealthChar;
    int32_t PlayerRecoilAmount = 0;
    int32_t PlayerRecoilSpeed = 0;
    int32_t TickMs = 0;
    std::string FontName;
    std::string StatusFontName;
    SpriteHandle HeartSprite;
    SpriteHandle DeathSprite;
    SpriteHandle NightTile;
    SpriteHandle TitleScreen;

    // Derived at start-up (integer division).
    int32_t ScreenPixelWidth = 0;
    int32_t ScreenPixelHeight = 0;
    int32_t HalfScreenPixelWidth = 0;
    int32_t HalfScreenPixelHeight = 0;
    int32_t HalfPlayerWidth = 0;
    int32_t HalfPlayerHeight = 0;
};

// settings.ini, group "Colors".
struct GameColors {
    int32_t StatusBackRed = 0, StatusBackGreen = 0, StatusBackBlue = 0;
    int32_t StatusTextRed = 0, StatusTextGreen = 0, StatusTextBlue = 0;
    int32_t StatsBackRed = 0, StatsBackGreen = 0, StatsBackBlue = 0;
    int32_t StatsTextRed = 0, StatsTextGreen = 0, StatsTextBlue = 0;
};

// Clock and loop state; times are ElapsedMs values, 0 meaning "not yet".
struct ClockState {
    int32_t FrameTime = 0;
    int32_t PreviousFrameTime = 0;
    int32_t DayStartTime = 0;
    int32_t TimeOfDay = 0;
    WindowEvent LastWindowEvent = WindowEvent::None;
    int32_t LastTickTime = 0;
    int32_t MapEnterTime = 0;
};

struct Player {
    int32_t Health = 0;
    int32_t MaxHealth = 0;
    float X = 0.0f;
    float Y = 0.0f;
    int32_t ClipLeft = 0;
    int32_t ClipTop = 0;
    int32_t Damage = 0;
    SpriteHandle Sprite;
    int32_t Speed = 0;
    vorn::Facing Facing = vorn::Facing::Down;
    vorn::Diagonal Diagonal = vorn::Diagonal::None;
    int32_t WalkFrame = 0;
    int32_t AttackFrame = 0;
    int32_t KillCount = 0;
    int32_t AnimTime = 0;
    bool Moving = false;
    bool Attacking = false;
    bool HitLanded = false;
    int32_t AttackEndTime = 0;
    int32_t RecoilLeft = 0;
};

struct TileImage {
    std::string Name;
    SpriteHandle Sprite;
};

// A monster type: one line of monsters.ini (common/MonsterRecord.h) with its
// picture and sounds loaded.
struct MonsterType {
    std::string Name;
    SpriteHandle Sprite;
    SoundHandle AttackSound;
    SoundHandle DeathSound;
    SoundHandle HitSound;
    int32_t Damage = 0;
    int32_t Health = 0;
    int32_t Speed = 0;
    int32_t FrameWidth = 0;
    int32_t FrameHeight = 0;
    int32_t ClipWidth = 0;
    int32_t ClipHeight = 0;
    int32_t DeathDuration = 0;
    int32_t ItemDropRate = 0;
    int8_t Friendly = 0;
};

// A live monster of the current map: the type it was spawned as, and its
// live state. Health, DeathDuration and Friendly start as the type's and
// change in play (hits, the corpse's count-down, scripts).
struct Monster {
    MonsterType Type;
    // Read with the type's clip size by every collision test, so kept next
    // to it.
    int32_t ID = 0;
    int32_t ClipLeft = 0;
    int32_t ClipTop = 0;
    float X = 0.0f;
    float Y = 0.0f;
    vorn::Facing Facing = vorn::Facing::Down;
    vorn::Diagonal Diagonal = vorn::Diagonal::None;
    int32_t Health = 0;
    int32_t DeathDuration = 0;
    int32_t WalkFrame = 0;
    int32_t AttackFrame = 0;
    int32_t LastAIChange = 0;
    int32_t AnimTime = 0;
    int32_t LastAttackTime = 0;
    // 0 hostile, 1 friendly; any other value wanders until it finds the
    // player and then keeps its last movement.
    int8_t Friendly = 0;
    // A byte, not a flag: scripts may store any value and read it back.
    uint8_t FoundPlayer = 0;
    bool Moving = false;
    bool Attacking = false;
    bool Dying = false;
    bool HitLanded = false;
};

// Used both for definitions (animations.ini) and live instances.
struct Animation {
    std::string Name;
    SpriteHandle Sprite;
    int32_t FrameCount = 0;
    int32_t FrameWidth = 0;
    float FramesPerSecond = 0.0f;
    int32_t CurrentFrame = 0;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t LastFrameTime = 0;
    int32_t DrawStage = 0;
    bool PlayOnce = false;
};

struct ScreenText {
    std::string Text;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t Duration = 0;
    int32_t StartTime = 0;
    bool ScreenFixed = false;
};

}  // namespace vorn

// Live monsters: spawning from a monster type, the decision step (vision,
// wandering, chasing) and the movement step (walking with wall sliding,
// attack start, depth sort).
#include "game/play/Monsters.h"

#include <algorithm>
#include <utility>

#include "game/play/ActorMath.h"
#include "game/play/Collision.h"

namespace vorn {

using actor::FrameStep;
using actor::Nearest;
using actor::WrapAdd;
using actor::WrapSub;

namespace {

constexpr int32_t kFacingDown = 0;
constexpr int32_t kFacingUp = 1;
constexpr int32_t kFacingRight = 2;
constexpr int32_t kFacingLeft = 3;

// The most a monster's first random decision may lag its spawn, in
// milliseconds, so monsters placed by one map load do not all change their
// minds in the same frame.
constexpr int kSpawnDecisionSpread = 500;

bool SeesPlayer(const Game& game, const Monster& monster) {
    const GameSettings& settings = game.settings;
    const int32_t cx = Nearest(monster.X + monster.FrameWidth / 2.0);
    const int32_t cy = Nearest(monster.Y + monster.FrameHeight / 2.0);
    const int32_t length = settings.AIVisionLength;
    const int32_t width = settings.AIVisionWidth;
    const int32_t halfWidth = width / 2;
    int32_t left = 0;
    int32_t top = 0;
    int32_t boxWidth = 0;
    int32_t boxHeight = 0;
    switch (monster.Facing) {
        case kFacingLeft:
            left = WrapSub(cx, length);
            top = WrapSub(cy, halfWidth);
            boxWidth = length;
            boxHeight = width;
            break;
        case kFacingRight:
            left = cx;
            top = WrapSub(cy, halfWidth);
            boxWidth = length;
            boxHeight = width;
            break;
        case kFacingDown:
            left = WrapSub(cx, halfWidth);
            top = cy;
            boxWidth = width;
            boxHeight = length;
            break;
        case kFacingUp:
            left = WrapSub(cx, halfWidth);
            top = WrapSub(cy, length);
            boxWidth = width;
            boxHeight = length;
            break;
        default:  // facing -1 (on the player's spot) has no vision box
            return false;
    }
    return Overlaps(left, top, boxWidth, boxHeight, Nearest(game.player.X), Nearest(game.player.Y),
                    settings.PlayerWidth, settings.PlayerHeight);
}

void Wander(Game& game, Monster& monster) {
    const int32_t frameTime = game.clock.FrameTime;
    if (WrapSub(frameTime, monster.LastAIChange) <= game.settings.AIChangeFrequency) {
        return;
    }
    const int choice = game.media.RandomInt(4);
    if (choice == 4) {
        monster.Moving = 0;
        monster.Diagonal = 0;
    } else {
        monster.Facing = choice;
        if (choice == kFacingDown || choice == kFacingUp) {
            monster.Diagonal = game.media.RandomInt(2);
        }
        monster.Moving = 1;
    }
    monster.LastAIChange = frameTime;
}

void Chase(const Game& game, Monster& monster) {
    const Player& player = game.player;
    monster.Moving = 1;
    monster.Facing = -1;
    if (player.ClipTop > monster.ClipTop) {
        monster.Facing = kFacingDown;
    } else if (player.ClipTop < monster.ClipTop) {
        monster.Facing = kFacingUp;
    }
    if (player.ClipLeft > monster.ClipLeft) {
        if (monster.Facing == -1) {
            monster.Facing = kFacingRight;
        } else {
            monster.Diagonal = 2;
        }
    } else if (player.ClipLeft < monster.ClipLeft) {
        if (monster.Facing == -1) {
            monster.Facing = kFacingLeft;
        } else {
            monster.Diagonal = 1;
        }
    }
}

// Whether the monster's clip box at candidate position (x, y) is free.
bool FreeAt(const Game& game, const Monster& monster, float x, float y) {
    const int32_t left = WrapAdd(Nearest(x), WrapSub(monster.FrameWidth, monster.ClipWidth) / 2);
    const int32_t top = WrapAdd(Nearest(y), WrapSub(monster.FrameHeight, monster.ClipHeight));
    return !IsBlocked(game, left, top, monster.ClipWidth, monster.ClipHeight, monster.ID);
}

void Walk(const Game& game, Monster& monster) {
    const ClockState& clock = game.clock;
    auto step = [&](double speed) {
        return FrameStep(clock.FrameTime, clock.PreviousFrameTime, speed);
    };
    switch (monster.Facing) {
        case kFacingLeft:
        case kFacingRight: {
            const double distance = step(monster.Speed);
            const float cx = static_cast<float>(
                monster.Facing == kFacingLeft ? monster.X - distance : monster.X + distance);
            if (FreeAt(game, monster, cx, monster.Y)) {
                monster.X = cx;
            }
            break;
        }
        case kFacingUp:
        case kFacingDown: {
            const double speed =
                monster.Diagonal > 0 ? Nearest(monster.Speed * 0.75) : monster.Speed;
            const double distance = step(speed);
            float cx = monster.X;
            if (monster.Diagonal == 1) {
                cx = static_cast<float>(monster.X - distance);
            } else if (monster.Diagonal == 2) {
                cx = static_cast<float>(monster.X + distance);
            }
            const float cy = static_cast<float>(monster.Facing == kFacingUp ? monster.Y - distance
                                                                            : monster.Y + distance);
            // Both axes, then the horizontal part alone, then the vertical:
            // a monster slides along the wall it walks into.
            if (FreeAt(game, monster, cx, cy)) {
                monster.X = cx;
                monster.Y = cy;
            } else if (FreeAt(game, monster, cx, monster.Y)) {
                monster.X = cx;
            } else if (FreeAt(game, monster, monster.X, cy)) {
                monster.Y = cy;
            }
            break;
        }
        default:  // facing -1: already on the player's spot
            break;
    }
}

void MaybeStartAttack(Game& game, Monster& monster) {
    if (monster.FoundPlayer == 0) {
        return;
    }
    const GameSettings& settings = game.settings;
    if (!Overlaps(Nearest(monster.X), Nearest(monster.Y), monster.FrameWidth, monster.FrameHeight,
                  Nearest(game.player.X), Nearest(game.player.Y), settings.PlayerWidth,
                  settings.PlayerHeight)) {
        return;
    }
    const int32_t frameTime = game.clock.FrameTime;
    if (monster.LastAttackTime != 0 &&
        WrapSub(frameTime, monster.LastAttackTime) >= settings.MonsterAttackDelay) {
        monster.LastAttackTime = 0;
    }
    if (monster.Attacking == 0 && monster.LastAttackTime == 0 && monster.Friendly == 0) {
        monster.Moving = 0;
        monster.Attacking = 1;
        monster.AttackFrame = 0;
        monster.HitLanded = 0;
        monster.LastAttackTime = frameTime;
        game.media.PlaySoundHandle(monster.AttackSound, 0);
    }
}

}  // namespace

void SpawnMonster(Game& game, int32_t typeNumber, int32_t column, int32_t row) {
    if (typeNumber < 1 || static_cast<size_t>(typeNumber) > game.assets.monsterTypes.size()) {
        return;
    }
    const MonsterType& type = game.assets.monsterTypes[static_cast<size_t>(typeNumber) - 1];
    Monster monster;
    monster.Name = type.Name;
    monster.Sprite = type.Sprite;
    monster.AttackSound = type.AttackSound;
    monster.DeathSound = type.DeathSound;
    monster.HitSound = type.HitSound;
    monster.Damage = type.Damage;
    monster.Health = type.Health;
    monster.Speed = type.Speed;
    monster.FrameWidth = type.FrameWidth;
    monster.FrameHeight = type.FrameHeight;
    monster.ClipWidth = type.ClipWidth;
    monster.ClipHeight = type.ClipHeight;
    monster.ItemDropRate = type.ItemDropRate;
    monster.DeathDuration = type.DeathDuration;
    monster.Friendly = type.Friendly;
    monster.LastAIChange =
        WrapAdd(game.media.ElapsedMs(), game.media.RandomInt(kSpawnDecisionSpread));
    monster.ID = static_cast<int32_t>(game.map->monsters.size() + 1);
    monster.Facing = game.media.RandomInt(3);
    const double tileWidth = game.settings.TileWidth;
    const double tileHeight = game.settings.TileHeight;
    monster.X = static_cast<float>(column * tileWidth + tileWidth / 2.0 - type.FrameWidth / 2.0);
    monster.Y = static_cast<float>(row * tileHeight + tileHeight - type.FrameHeight - 1.0);
    game.map->monsters.push_back(std::move(monster));
}

void MonsterDecisionStep(Game& game) {
    for (Monster& monster : game.map->monsters) {
        if (monster.Dying != 0) {
            continue;
        }
        if (monster.Friendly == 0 && SeesPlayer(game, monster)) {
            monster.FoundPlayer = 1;
        }
        // A Friendly value other than 0 and 1 wanders until it finds the
        // player and then keeps its last movement: neither branch applies.
        if (monster.Friendly == 1 || monster.FoundPlayer == 0) {
            Wander(game, monster);
        }
        if (monster.FoundPlayer != 0 && monster.Attacking == 0 && monster.Friendly == 0) {
            Chase(game, monster);
        }
    }
}

void MonsterMoveStep(Game& game) {
    for (Monster& monster : game.map->monsters) {
        if (monster.Moving != 1 || monster.Dying != 0) {
            continue;
        }
        Walk(game, monster);
        MaybeStartAttack(game, monster);
    }
    // Drawing relies on this order. The sort is stable, so monsters on the
    // same line keep their order from frame to frame and never flicker. Most
    // frames nobody changed lines: the check spares the sort's buffer.
    const auto byClipTop = [](const Monster& a, const Monster& b) { return a.ClipTop < b.ClipTop; };
    if (!std::is_sorted(game.map->monsters.begin(), game.map->monsters.end(), byClipTop)) {
        std::stable_sort(game.map->monsters.begin(), game.map->monsters.end(), byClipTop);
    }
}

}  // namespace vorn

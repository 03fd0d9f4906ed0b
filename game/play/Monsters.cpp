// Live monsters: spawning from a monster type, the decision step (vision,
// wandering, chasing) and the movement step (walking with wall sliding,
// attack start, depth sort).
#include "game/play/Monsters.h"

#include <algorithm>
#include <utility>

#include "game/play/ActorBoxes.h"
#include "game/play/ActorMath.h"
#include "game/play/Collision.h"

namespace vorn {

using actor::FrameStep;
using actor::Nearest;
using actor::WrapAdd;
using actor::WrapSub;

namespace {

// The most a monster's first random decision may lag its spawn, in
// milliseconds, so monsters placed by one map load do not all change their
// minds in the same frame.
constexpr int kSpawnDecisionSpread = 500;

bool SeesPlayer(const Game& game, const Monster& monster) {
    const GameSettings& settings = game.settings;
    const int32_t cx = Nearest(monster.X + monster.Type.FrameWidth / 2.0);
    const int32_t cy = Nearest(monster.Y + monster.Type.FrameHeight / 2.0);
    const int32_t length = settings.AIVisionLength;
    const int32_t width = settings.AIVisionWidth;
    const int32_t halfWidth = width / 2;
    Rect vision;
    switch (monster.Facing) {
        case Facing::Left:
            vision = {WrapSub(cx, length), WrapSub(cy, halfWidth), length, width};
            break;
        case Facing::Right:
            vision = {cx, WrapSub(cy, halfWidth), length, width};
            break;
        case Facing::Down:
            vision = {WrapSub(cx, halfWidth), cy, width, length};
            break;
        case Facing::Up:
            vision = {WrapSub(cx, halfWidth), WrapSub(cy, length), width, length};
            break;
        case Facing::None:  // on the player's spot: no vision box
        default:
            return false;
    }
    return Overlaps(vision, PlayerFrame(game));
}

void Wander(Game& game, Monster& monster) {
    const int32_t frameTime = game.clock.FrameTime;
    if (WrapSub(frameTime, monster.LastAIChange) <= game.settings.AIChangeFrequency) {
        return;
    }
    // 0 to 3 a facing to walk in, 4 standing still.
    const int choice = game.media.RandomInt(4);
    if (choice == 4) {
        monster.Moving = false;
        monster.Diagonal = Diagonal::None;
    } else {
        monster.Facing = static_cast<Facing>(choice);
        if (monster.Facing == Facing::Down || monster.Facing == Facing::Up) {
            monster.Diagonal = static_cast<Diagonal>(game.media.RandomInt(2));
        }
        monster.Moving = true;
    }
    monster.LastAIChange = frameTime;
}

void Chase(const Game& game, Monster& monster) {
    const Player& player = game.player;
    monster.Moving = true;
    monster.Facing = Facing::None;
    if (player.ClipTop > monster.ClipTop) {
        monster.Facing = Facing::Down;
    } else if (player.ClipTop < monster.ClipTop) {
        monster.Facing = Facing::Up;
    }
    if (player.ClipLeft > monster.ClipLeft) {
        if (monster.Facing == Facing::None) {
            monster.Facing = Facing::Right;
        } else {
            monster.Diagonal = Diagonal::Right;
        }
    } else if (player.ClipLeft < monster.ClipLeft) {
        if (monster.Facing == Facing::None) {
            monster.Facing = Facing::Left;
        } else {
            monster.Diagonal = Diagonal::Left;
        }
    }
}

// Whether the monster's clip box at candidate position (x, y) is free.
bool FreeAt(const Game& game, const Monster& monster, float x, float y) {
    const int32_t left =
        WrapAdd(Nearest(x), WrapSub(monster.Type.FrameWidth, monster.Type.ClipWidth) / 2);
    const int32_t top =
        WrapAdd(Nearest(y), WrapSub(monster.Type.FrameHeight, monster.Type.ClipHeight));
    return !IsBlocked(game, {left, top, monster.Type.ClipWidth, monster.Type.ClipHeight},
                      monster.ID);
}

void Walk(const Game& game, Monster& monster) {
    const ClockState& clock = game.clock;
    auto step = [&](double speed) {
        return FrameStep(clock.FrameTime, clock.PreviousFrameTime, speed);
    };
    switch (monster.Facing) {
        case Facing::Left:
        case Facing::Right: {
            const double distance = step(monster.Type.Speed);
            const float cx = static_cast<float>(
                monster.Facing == Facing::Left ? monster.X - distance : monster.X + distance);
            if (FreeAt(game, monster, cx, monster.Y)) {
                monster.X = cx;
            }
            break;
        }
        case Facing::Up:
        case Facing::Down: {
            const double distance = step(actor::AxisSpeed(monster.Type.Speed, monster.Diagonal));
            float cx = monster.X;
            if (monster.Diagonal == Diagonal::Left) {
                cx = static_cast<float>(monster.X - distance);
            } else if (monster.Diagonal == Diagonal::Right) {
                cx = static_cast<float>(monster.X + distance);
            }
            const float cy = static_cast<float>(
                monster.Facing == Facing::Up ? monster.Y - distance : monster.Y + distance);
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
        case Facing::None:  // already on the player's spot
        default:
            break;
    }
}

void MaybeStartAttack(Game& game, Monster& monster) {
    if (monster.FoundPlayer == 0) {
        return;
    }
    const GameSettings& settings = game.settings;
    if (!Overlaps(MonsterFrame(monster), PlayerFrame(game))) {
        return;
    }
    const int32_t frameTime = game.clock.FrameTime;
    if (monster.LastAttackTime != 0 &&
        WrapSub(frameTime, monster.LastAttackTime) >= settings.MonsterAttackDelay) {
        monster.LastAttackTime = 0;
    }
    if (!monster.Attacking && monster.LastAttackTime == 0 && monster.Friendly == 0) {
        monster.Moving = false;
        monster.Attacking = true;
        monster.AttackFrame = 0;
        monster.HitLanded = false;
        monster.LastAttackTime = frameTime;
        game.media.PlaySoundHandle(monster.Type.AttackSound, false);
    }
}

}  // namespace

void SpawnMonster(Game& game, int32_t typeNumber, int32_t column, int32_t row) {
    if (typeNumber < 1 || static_cast<size_t>(typeNumber) > game.assets.monsterTypes.size()) {
        return;
    }
    const MonsterType& type = game.assets.monsterTypes[static_cast<size_t>(typeNumber) - 1];
    Monster monster;
    monster.Type = type;
    monster.Health = type.Health;
    monster.DeathDuration = type.DeathDuration;
    monster.Friendly = type.Friendly;
    monster.LastAIChange =
        WrapAdd(game.media.ElapsedMs(), game.media.RandomInt(kSpawnDecisionSpread));
    monster.ID = static_cast<int32_t>(game.map->monsters.size() + 1);
    monster.Facing = static_cast<Facing>(game.media.RandomInt(3));
    const double tileWidth = game.settings.TileWidth;
    const double tileHeight = game.settings.TileHeight;
    monster.X = static_cast<float>(column * tileWidth + tileWidth / 2.0 - type.FrameWidth / 2.0);
    monster.Y = static_cast<float>(row * tileHeight + tileHeight - type.FrameHeight - 1.0);
    game.map->monsters.push_back(std::move(monster));
}

void MonsterDecisionStep(Game& game) {
    for (Monster& monster : game.map->monsters) {
        if (monster.Dying) {
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
        if (monster.FoundPlayer != 0 && !monster.Attacking && monster.Friendly == 0) {
            Chase(game, monster);
        }
    }
}

void MonsterMoveStep(Game& game) {
    for (Monster& monster : game.map->monsters) {
        if (!monster.Moving || monster.Dying) {
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

// Melee hits in both directions, monster death with its scripts and dropped
// hearts, and the per-frame animation step of the player and the monsters.
//
// Monster-die and player-die scripts may enter another map. Every step here
// that runs them holds the map it started on, so the list it walks stays
// alive, and stops touching monsters once that map is no longer current or
// the game ended.
#include "game/play/Combat.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "common/TextPrimitives.h"
#include "game/play/ActorMath.h"
#include "game/play/Events.h"
#include "game/world/Animations.h"
#include "game/world/Rect.h"

namespace vorn {

using actor::Nearest;
using actor::WrapAdd;
using actor::WrapSub;

namespace {

// The attacker's facing as the debug hit messages name it.
const char* FacingWord(Facing facing) {
    switch (facing) {
        case Facing::Down:
            return "down";
        case Facing::Up:
            return "up";
        case Facing::Right:
            return "right";
        case Facing::Left:
            return "left";
        case Facing::None:  // a facing that lands no hit never gets here
        default:
            return "";
    }
}

// Animation steps elapsed since `animTime`, at least one. An AnimationSpeed
// of 0 or less (a settings.ini without the key) counts one step per frame
// instead of dividing by zero.
int32_t ElapsedSteps(const GameSettings& settings, int32_t frameTime, int32_t animTime) {
    if (settings.AnimationSpeed <= 0) {
        return 1;
    }
    return std::max(1, WrapSub(frameTime, animTime) / settings.AnimationSpeed);
}

// Whether the monster lies on the side the player faces.
bool PlayerFacesMonster(const Game& game, const Monster& monster) {
    const Player& player = game.player;
    const GameSettings& settings = game.settings;
    switch (player.Facing) {
        case Facing::Down:
            return WrapSub(WrapAdd(player.ClipTop, settings.PlayerClipY), 1) < monster.ClipTop;
        case Facing::Up:
            return player.ClipTop > WrapSub(WrapAdd(monster.ClipTop, monster.Type.ClipHeight), 1);
        case Facing::Left:
            return player.ClipLeft > WrapAdd(monster.ClipLeft, monster.Type.ClipWidth / 2);
        case Facing::Right:
            return WrapAdd(player.ClipLeft, settings.PlayerClipX) <
                   WrapAdd(monster.ClipLeft, monster.Type.ClipWidth / 2);
        case Facing::None:
        default:
            return false;
    }
}

// Whether the player lies on the side the monster faces.
bool MonsterFacesPlayer(const Game& game, const Monster& monster) {
    const Player& player = game.player;
    const GameSettings& settings = game.settings;
    switch (monster.Facing) {
        case Facing::Down:
            return WrapSub(WrapAdd(monster.ClipTop, monster.Type.ClipHeight), 1) < player.ClipTop;
        case Facing::Up:
            return monster.ClipTop > WrapSub(WrapAdd(player.ClipTop, settings.PlayerClipY), 1);
        case Facing::Left:
            return monster.ClipLeft > WrapAdd(player.ClipLeft, settings.PlayerClipX / 2);
        case Facing::Right:
            return WrapAdd(monster.ClipLeft, monster.Type.ClipWidth) <
                   WrapAdd(player.ClipLeft, settings.PlayerClipX / 2);
        case Facing::None:  // never hits
        default:
            return false;
    }
}

bool FramesTouch(const Game& game, const Monster& monster) {
    const Player& player = game.player;
    const GameSettings& settings = game.settings;
    // Both frames grown by one pixel on every side.
    const Rect playerFrame{Nearest(player.X - 1.0), Nearest(player.Y - 1.0),
                           WrapAdd(settings.PlayerWidth, 2), WrapAdd(settings.PlayerHeight, 2)};
    const Rect monsterFrame{Nearest(monster.X - 1.0), Nearest(monster.Y - 1.0),
                            WrapAdd(monster.Type.FrameWidth, 2),
                            WrapAdd(monster.Type.FrameHeight, 2)};
    return Overlaps(playerFrame, monsterFrame);
}

void LandPlayerHit(Game& game, Monster& monster) {
    Player& player = game.player;
    monster.Health = WrapSub(monster.Health, player.Damage);
    monster.Friendly = 0;
    if (game.settings.DebugMode != 0) {
        game.map->info.SpeechText = std::string("Hit monster ") + FacingWord(player.Facing) +
                                    ". Monster HP: " + IntToText(monster.Health);
    }
    player.HitLanded = true;
    player.RecoilLeft = game.settings.PlayerRecoilAmount;
    monster.FoundPlayer = 1;
    game.media.PlaySoundHandle(monster.Type.HitSound, false);
}

// The death of the monster at `index`. Returns false when its scripts loaded
// another map or ended the game, so the caller stops walking the old list.
bool KillMonster(Game& game, size_t index) {
    const std::shared_ptr<CurrentMap> held = game.map;
    const Monster before = held->monsters[index];
    RaiseMonsterDie(game, before);
    if (game.ended) {
        return false;
    }
    // No command adds or removes monsters, so while the map is the same the
    // monster is still at its index, perhaps moved by a script: the heart
    // drops where it is now. When a script entered another map, the monster
    // as it was before the scripts drops its heart there.
    const bool sameMap = game.IsCurrentMap(held) && index < held->monsters.size();
    const Monster dead = sameMap ? held->monsters[index] : before;

    if (dead.Type.ItemDropRate > 0 && game.media.RandomInt(dead.Type.ItemDropRate - 1) == 0) {
        DropItem(game, dead);
    }
    if (sameMap) {
        held->monsters[index].Dying = true;
    }
    game.player.KillCount = WrapAdd(game.player.KillCount, 1);
    game.media.PlaySoundHandle(dead.Type.DeathSound, false);
    game.StatusText = "You've slain " + dead.Type.Name;
    return sameMap;
}

void AdvancePlayerFrames(Game& game) {
    Player& player = game.player;
    const GameSettings& settings = game.settings;
    const int32_t frameTime = game.clock.FrameTime;
    if ((!player.Moving && !player.Attacking) ||
        WrapSub(frameTime, player.AnimTime) < settings.AnimationSpeed) {
        return;
    }
    if (player.Attacking) {
        player.AttackFrame = WrapAdd(player.AttackFrame, 1);
        if (player.AttackFrame >= settings.AttackFrameCount) {
            player.Attacking = false;
            player.AttackEndTime = frameTime;
        }
    } else {
        player.WalkFrame =
            WrapAdd(player.WalkFrame, ElapsedSteps(settings, frameTime, player.AnimTime));
        if (player.WalkFrame >= settings.MoveFrameCount) {
            player.WalkFrame = 0;
        }
        game.media.PlaySoundHandle(settings.PlayerMoveSound, false);
    }
    player.AnimTime = frameTime;
}

// Stops when a player-die script replaced the monster list or ended the game.
void AdvanceMonsterFrames(Game& game) {
    const GameSettings& settings = game.settings;
    const int32_t frameTime = game.clock.FrameTime;
    const std::shared_ptr<CurrentMap> held = game.map;
    std::vector<Monster>& monsters = held->monsters;
    for (size_t i = 0; i < monsters.size(); ++i) {
        Monster& monster = monsters[i];
        if ((!monster.Moving && !monster.Attacking && !monster.Dying) ||
            WrapSub(frameTime, monster.AnimTime) < settings.AnimationSpeed) {
            continue;
        }
        if (monster.Dying) {
            if (monster.DeathDuration <= 0) {
                // The monster that moves into this place waits for the next
                // frame: the walk goes on at the next position.
                monsters.erase(monsters.begin() + static_cast<std::ptrdiff_t>(i));
                continue;
            }
            monster.DeathDuration -= 1;
            monster.AnimTime = frameTime;
        } else if (monster.Attacking) {
            monster.AnimTime = frameTime;
            monster.AttackFrame = WrapAdd(monster.AttackFrame, 1);
            if (monster.AttackFrame >= settings.AttackFrameCount) {
                monster.Attacking = false;
                monster.LastAttackTime = frameTime;
                MonsterHitsPlayer(game, i);
                if (game.ended || !game.IsCurrentMap(held)) {
                    return;
                }
            }
        } else {
            monster.WalkFrame =
                WrapAdd(monster.WalkFrame, ElapsedSteps(settings, frameTime, monster.AnimTime));
            if (monster.WalkFrame >= settings.MoveFrameCount) {
                monster.WalkFrame = 0;
            }
            monster.AnimTime = frameTime;
        }
    }
}

}  // namespace

void PlayerHitStep(Game& game) {
    for (size_t i = 0; i < game.map->monsters.size(); ++i) {
        Monster& monster = game.map->monsters[i];
        if (!game.player.Attacking || game.player.HitLanded || !FramesTouch(game, monster)) {
            continue;
        }
        if (PlayerFacesMonster(game, monster)) {
            LandPlayerHit(game, monster);
        }
        // The death check runs for every touching monster, hit or not.
        if (monster.Health <= 0 && !monster.Dying) {
            if (!KillMonster(game, i)) {
                return;
            }
        }
    }
}

void AnimationStep(Game& game) {
    if (game.ended) {
        return;
    }
    AdvancePlayerFrames(game);
    AdvanceMonsterFrames(game);
    if (game.ended) {
        return;
    }
    AdvanceAnimations(game, game.clock.FrameTime);
}

void MonsterHitsPlayer(Game& game, size_t monsterIndex) {
    if (monsterIndex >= game.map->monsters.size()) {
        return;
    }
    Monster& monster = game.map->monsters[monsterIndex];
    Player& player = game.player;
    const GameSettings& settings = game.settings;
    if (MonsterFacesPlayer(game, monster)) {
        if (monster.Type.Damage < 0) {
            player.Health = WrapSub(player.Health, monster.Type.Damage);
        } else {
            player.Health = WrapSub(player.Health, game.media.RandomInt(monster.Type.Damage));
        }
        player.RecoilLeft = settings.PlayerRecoilAmount;
        if (settings.DebugMode != 0) {
            game.map->info.SpeechText = std::string("Hit player ") + FacingWord(monster.Facing) +
                                        ". Player HP: " + IntToText(player.Health);
        }
        monster.HitLanded = true;
        game.media.PlaySoundHandle(settings.PlayerHitSound, false);
    }
    if (player.Health > player.MaxHealth) {
        player.Health = player.MaxHealth;
    }
    if (player.Health <= 0) {
        game.media.PlaySoundHandle(settings.PlayerDeathSound, false);
        const Monster attacker = monster;
        RaisePlayerDie(game, attacker);
    }
}

void DropItem(Game& game, const Monster& monster) {
    // The heart stands centred on the bottom edge of the monster's frame.
    const double centreX = monster.X + monster.Type.FrameWidth / 2.0;
    const double bottom = static_cast<double>(monster.Y) + monster.Type.FrameHeight;
    const SpriteHandle heart = game.settings.HeartSprite;
    game.autoDropCounter = WrapAdd(game.autoDropCounter, 1);
    ObjectType object;
    object.Name = "__AUTO_DROP_" + IntToText(game.autoDropCounter);
    object.Sprite = heart;
    object.HealAmount = 1;
    object.X = Nearest(centreX - game.media.SpriteWidth(heart) / 2.0);
    object.Y = Nearest(bottom - game.media.SpriteHeight(heart));
    game.map->objects.push_back(std::move(object));
}

}  // namespace vorn

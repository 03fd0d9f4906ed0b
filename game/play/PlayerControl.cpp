// The player's frame steps: keyboard input, walking and recoil, warps, map
// edges and the clip-box refresh.
//
// Every call that can run a script (attack, pick-up, leave scripts, tile
// scripts) may enter another map and may end the game, so game.ended is
// checked after it, and what is read afterwards comes from a held map or a
// copy.
#include "game/play/PlayerControl.h"

#include <cmath>
#include <memory>
#include <string>

#include "common/TextPrimitives.h"
#include "game/play/ActorBoxes.h"
#include "game/play/ActorMath.h"
#include "game/play/CellRange.h"
#include "game/play/Collision.h"
#include "game/play/Events.h"
#include "game/play/Items.h"
#include "game/play/MapEntry.h"
#include "game/world/SavedGames.h"

namespace vorn {

namespace {

void PlaySound(Game& game, SoundHandle sound) {
    if (sound) {
        game.media.PlaySoundHandle(sound, false);
    }
}

int32_t ClipLeftAt(const GameSettings& s, float x) {
    return ClampToInt32(int64_t{RoundHalfEven(x)} + (s.PlayerWidth - int64_t{s.PlayerClipX}) / 2);
}

int32_t ClipTopAt(const GameSettings& s, float y) {
    return ClampToInt32(int64_t{RoundHalfEven(y)} + s.PlayerHeight - int64_t{s.PlayerClipY});
}

bool FreeAt(const Game& game, float cx, float cy) {
    return PlayerFreeAt(game, cx, cy);
}

// Milliseconds since the previous frame. Before the first frame has been
// recorded (PreviousFrameTime 0) the player does not move: the difference to
// 0 would be the whole uptime of the clock and throw the player across the
// map.
double ElapsedMs(const ClockState& clock) {
    if (clock.PreviousFrameTime == 0) {
        return 0.0;
    }
    const int64_t elapsed = int64_t{clock.FrameTime} - clock.PreviousFrameTime;
    return elapsed > 0 ? static_cast<double>(elapsed) : 0.0;
}

void Walk(Game& game, double elapsedMs) {
    Player& p = game.player;
    auto step = [elapsedMs](int32_t speed) { return elapsedMs / 1000.0 * speed; };
    if (p.Facing == Facing::Left || p.Facing == Facing::Right) {
        const double dx = p.Facing == Facing::Left ? -step(p.Speed) : step(p.Speed);
        const float cx = static_cast<float>(p.X + dx);
        if (FreeAt(game, cx, p.Y)) {
            p.X = cx;
        }
        return;
    }
    if (p.Facing != Facing::Up && p.Facing != Facing::Down) {
        return;
    }
    const double axisStep = step(actor::AxisSpeed(p.Speed, p.Diagonal));
    const float cy = static_cast<float>(p.Facing == Facing::Up ? p.Y - axisStep : p.Y + axisStep);
    if (FreeAt(game, p.X, cy)) {
        p.Y = cy;
    }
    if (p.Diagonal == Diagonal::Left || p.Diagonal == Diagonal::Right) {
        const float cx =
            static_cast<float>(p.Diagonal == Diagonal::Left ? p.X - axisStep : p.X + axisStep);
        if (FreeAt(game, cx, p.Y)) {
            p.X = cx;
        }
    }
}

// One axis of the push: moves to the candidate and counts the distance off,
// or ends the push at the first blocked step.
void RecoilAxis(Game& game, float& coordinate, float candidate, bool free) {
    Player& p = game.player;
    if (free) {
        p.RecoilLeft = RoundHalfEven(p.RecoilLeft - std::fabs(double{candidate} - coordinate));
        coordinate = candidate;
    } else {
        p.RecoilLeft = 0;
    }
}

// The push goes against the facing.
void Recoil(Game& game, double elapsedMs) {
    Player& p = game.player;
    const int32_t speed = game.settings.PlayerRecoilSpeed;
    auto step = [elapsedMs](int32_t s) { return elapsedMs / 1000.0 * s; };
    if (p.Facing == Facing::Left || p.Facing == Facing::Right) {
        const double dx = p.Facing == Facing::Left ? step(speed) : -step(speed);
        const float cx = static_cast<float>(p.X + dx);
        RecoilAxis(game, p.X, cx, FreeAt(game, cx, p.Y));
        return;
    }
    if (p.Facing != Facing::Up && p.Facing != Facing::Down) {
        return;
    }
    const double axisStep = step(actor::AxisSpeed(speed, p.Diagonal));
    const float cy = static_cast<float>(p.Facing == Facing::Up ? p.Y + axisStep : p.Y - axisStep);
    RecoilAxis(game, p.Y, cy, FreeAt(game, p.X, cy));
    if (p.Diagonal == Diagonal::Left || p.Diagonal == Diagonal::Right) {
        const float cx =
            static_cast<float>(p.Diagonal == Diagonal::Left ? p.X + axisStep : p.X - axisStep);
        RecoilAxis(game, p.X, cx, FreeAt(game, cx, p.Y));
    }
}

void UpdateDirection(Game& game) {
    MediaLayer& media = game.media;
    Player& p = game.player;
    // Stops at the first key that reports a release; the others keep their
    // release for a later frame.
    if (media.KeyReleased(keys::Left) || media.KeyReleased(keys::Right) ||
        media.KeyReleased(keys::Up) || media.KeyReleased(keys::Down)) {
        p.Moving = false;
        p.Diagonal = Diagonal::None;
        return;
    }
    auto diagonalFromKeys = [&media] {
        if (media.KeyDown(keys::Left)) {
            return Diagonal::Left;
        }
        return media.KeyDown(keys::Right) ? Diagonal::Right : Diagonal::None;
    };
    if (media.KeyDown(keys::Up)) {
        p.Moving = true;
        p.Facing = Facing::Up;
        p.Diagonal = diagonalFromKeys();
    } else if (media.KeyDown(keys::Down)) {
        p.Moving = true;
        p.Facing = Facing::Down;
        p.Diagonal = diagonalFromKeys();
    } else if (media.KeyDown(keys::Left)) {
        p.Moving = true;
        p.Facing = Facing::Left;
    } else if (media.KeyDown(keys::Right)) {
        p.Moving = true;
        p.Facing = Facing::Right;
    }
}

// Holding Ctrl repeats attacks, each starting PlayerAttackDelay ms after the
// previous animation ended; releasing Ctrl cuts the attack short.
void UpdateAttack(Game& game) {
    Player& p = game.player;
    const int32_t now = game.clock.FrameTime;
    if (!game.media.KeyDown(keys::LeftCtrl) && !game.media.KeyDown(keys::RightCtrl)) {
        p.Attacking = false;
        return;
    }
    if (p.AttackEndTime != 0 && int64_t{now} - p.AttackEndTime >= game.settings.PlayerAttackDelay) {
        p.AttackEndTime = 0;
    }
    if (!p.Attacking && p.AttackEndTime == 0) {
        p.Attacking = true;
        p.AttackFrame = 0;
        p.HitLanded = false;
        p.AnimTime = now;
        PlaySound(game, game.settings.PlayerAttackSound);
        RaisePlayerAttack(game);
    }
}

// Warps and exits enter a map; the leave script runs first and may itself
// enter a map or end the game.
void LeaveAndEnter(Game& game, const std::string& target, const char* exitKey) {
    // Where the exit is written, taken before the leave script may enter
    // another map.
    const MapNameSource source = MapPropertySource(MapBase(game, game.map->info.Name), exitKey);
    RaiseMapLeave(game);
    if (game.ended) {
        return;
    }
    EnterMap(game, target, source);
}

}  // namespace

bool PlayerFreeAt(const Game& game, float x, float y) {
    const GameSettings& s = game.settings;
    return !IsBlocked(game, {ClipLeftAt(s, x), ClipTopAt(s, y), s.PlayerClipX, s.PlayerClipY},
                      kPlayerMover);
}

void PlayerInputStep(Game& game) {
    MediaLayer& media = game.media;
    Player& p = game.player;
    media.ReadKeyboard();
    const bool wasMoving = p.Moving;

    UpdateDirection(game);
    UpdateAttack(game);
    if (game.ended) {
        return;
    }

    if (media.KeyDown(keys::Return)) {
        PickUp(game);
    } else if (media.KeyReleased(keys::S)) {
        if (SaveGame(game, 0)) {
            game.savedNoteTime = game.clock.FrameTime;
        }
    }
    if (game.ended) {
        return;
    }

    game.statsScreenShown = media.KeyDown(keys::Tab);
    if (!wasMoving && p.Moving && !p.Attacking) {
        p.AnimTime = game.clock.FrameTime;
    }
}

void PlayerMoveStep(Game& game) {
    const Player& p = game.player;
    const double elapsedMs = ElapsedMs(game.clock);
    if (p.RecoilLeft > 0) {
        Recoil(game, elapsedMs);
    } else if (p.Moving && !p.Attacking) {
        Walk(game, elapsedMs);
    } else {
        return;
    }
    ScriptTileCheck(game);
}

void WarpStep(Game& game) {
    const GameSettings& s = game.settings;
    const Rect probe = CentreProbe(game);
    // The leave script may enter another map; the held map keeps this warp.
    const std::shared_ptr<const CurrentMap> held = game.map;
    for (const Warp& warp : held->warps) {
        if (!Overlaps(probe, TileRect(s, warp.X, warp.Y))) {
            continue;
        }
        RaiseMapLeave(game);
        if (game.ended) {
            return;
        }
        PlaySound(game, game.settings.WarpSound);
        game.player.X = static_cast<float>(int64_t{warp.TargetX} * s.TileWidth);
        game.player.Y = static_cast<float>(int64_t{warp.TargetY} * s.TileHeight);
        const std::string wpl = MapBase(game, held->info.Name) + ".wpl";
        // The player is put there all the same, off the map's cells.
        if (warp.TargetX < 0 || warp.TargetX >= s.MapWidth || warp.TargetY < 0 ||
            warp.TargetY >= s.MapHeight) {
            game.diagnostics.Error(wpl, warp.Line,
                                   "the target tile (" + std::to_string(warp.TargetX) + ", " +
                                       std::to_string(warp.TargetY) + ") is outside `" +
                                       warp.TargetMap + "`, a map of " +
                                       std::to_string(s.MapWidth) + " x " +
                                       std::to_string(s.MapHeight) + " tiles");
        }
        EnterMap(game, warp.TargetMap, {wpl, warp.Line, "warp target map"});
        return;
    }
}

void MapEdgeStep(Game& game) {
    const GameSettings& s = game.settings;
    Player& p = game.player;
    const bool pushing = p.RecoilLeft > 0;
    const bool moving = p.Moving;
    const int64_t mapPixelWidth = int64_t{s.MapWidth} * s.TileWidth;
    const float lastColumnX = static_cast<float>((s.MapWidth - int64_t{1}) * s.TileWidth);
    const float lastRowY = static_cast<float>((s.MapHeight - int64_t{1}) * s.TileHeight);

    if (p.ClipLeft <= 0 &&
        ((moving && (p.Facing == Facing::Left || p.Diagonal == Diagonal::Left)) || pushing)) {
        if (!game.map->info.ExitLeft.empty()) {
            p.X = lastColumnX - 1.0f;
            LeaveAndEnter(game, std::string(game.map->info.ExitLeft), "ExitLeft");
            return;
        }
        p.X = static_cast<float>(-(s.PlayerWidth - int64_t{s.PlayerClipX}) / 2.0);
    }
    if (int64_t{p.ClipLeft} + s.PlayerClipX >= mapPixelWidth &&
        ((moving && (p.Facing == Facing::Right || p.Diagonal == Diagonal::Right)) || pushing)) {
        if (!game.map->info.ExitRight.empty()) {
            p.X = 1.0f;
            LeaveAndEnter(game, std::string(game.map->info.ExitRight), "ExitRight");
            return;
        }
        p.X = static_cast<float>(lastColumnX + (s.PlayerWidth - int64_t{s.PlayerClipX}) / 2.0);
    }
    if (p.ClipTop <= 0 && ((moving && p.Facing == Facing::Up) || pushing)) {
        if (!game.map->info.ExitUp.empty()) {
            p.Y = lastRowY;
            LeaveAndEnter(game, std::string(game.map->info.ExitUp), "ExitUp");
            return;
        }
        p.Y = static_cast<float>(-(s.PlayerHeight - int64_t{s.PlayerClipY}));
    }
    if (p.Y >= lastRowY && ((moving && p.Facing == Facing::Down) || pushing)) {
        if (!game.map->info.ExitDown.empty()) {
            p.Y = 0.0f;
            LeaveAndEnter(game, std::string(game.map->info.ExitDown), "ExitDown");
            return;
        }
        p.Y = lastRowY;
    }
}

void RefreshClipBoxes(Game& game) {
    const GameSettings& s = game.settings;
    Player& p = game.player;
    p.ClipLeft = ClipLeftAt(s, p.X);
    p.ClipTop = ClipTopAt(s, p.Y);
    for (Monster& m : game.map->monsters) {
        m.ClipLeft = ClampToInt32(int64_t{RoundHalfEven(m.X)} +
                                  (m.Type.FrameWidth - int64_t{m.Type.ClipWidth}) / 2);
        m.ClipTop = ClampToInt32(int64_t{RoundHalfEven(m.Y)} + m.Type.FrameHeight -
                                 int64_t{m.Type.ClipHeight});
    }
}

}  // namespace vorn

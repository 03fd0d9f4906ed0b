// The life of the game after start-up: the title screen, the frame loop with
// its day clock, the quit question and the whole run from start to exit.
// Every step looks at game.ended (Quit, a fatal error) and returns at once.
#include "game/shell/GameShell.h"

#include <iostream>

#include "game/play/Combat.h"
#include "game/play/Events.h"
#include "game/play/MapEntry.h"
#include "game/play/Monsters.h"
#include "game/play/PlayerControl.h"
#include "game/play/Render.h"
#include "game/shell/SavedNote.h"
#include "game/world/SavedGames.h"

namespace vorn {

namespace {

constexpr Colour kWhite{255, 255, 255};
constexpr int kTitleSleepMs = 1;
constexpr int kFrameSleepMs = 8;
constexpr int32_t kQuickSaveSlot = 0;
constexpr const char* kTitlePrompt = "Press space to start a new game. Press L to load a game.";

void DrawTitleScreen(Game& game) {
    MediaLayer& media = game.media;
    media.PresentFrame();
    media.ClearFrame(kWhite);
    media.DrawSprite(game.settings.TitleScreen, 0, 0);
    media.BeginText();
    media.MoveTextCursor(1, game.settings.MapHeight * game.settings.TileHeight);
    media.DrawTextAtCursor(kTitlePrompt);
    media.EndText();
}

// Movement scales with the time since the previous frame; without this the
// first frame would count every millisecond since the program started (the
// time spent on the title screen) and throw the actors across the map.
//
// The clip boxes are placed where the actors stand: they are refreshed only
// after each frame's movement, and the first frame's map-edge test would
// otherwise see the player's box at (0, 0) and throw a player who holds Up
// or Left at the start to the map's edge, or through its exit.
void StartFirstFrame(Game& game) {
    game.clock.PreviousFrameTime = game.media.ElapsedMs();
    RefreshClipBoxes(game);
}

// TimeOfDay counts whole seconds of the current day; it shows LengthOfDay
// itself for one second before the day starts again.
void AdvanceDayClock(Game& game) {
    const int32_t lengthOfDay = game.settings.LengthOfDay;
    if (lengthOfDay <= 0)
        return;
    ClockState& clock = game.clock;
    clock.TimeOfDay = (clock.FrameTime - clock.DayStartTime) / 1000;
    if (clock.TimeOfDay > lengthOfDay) {
        clock.TimeOfDay = 0;
        clock.DayStartTime = clock.FrameTime;
    }
}

// Takes the window's event for the loop's close test and the one time that
// every step of the frame reads.
void BeginFrameStep(Game& game) {
    game.clock.LastWindowEvent = game.media.PollWindowEvent();
    game.clock.FrameTime = game.media.ElapsedMs();
    AdvanceDayClock(game);
}

// The frame's time becomes the previous one, and the loop is paced.
void EndFrameStep(Game& game) {
    game.clock.PreviousFrameTime = game.clock.FrameTime;
    game.media.SleepMs(kFrameSleepMs);
}

// One step of a frame and its name (for whatever shows or times the steps).
struct FrameStep {
    void (*run)(Game& game);
    const char* name;
};

// The frame, step by step. The order is the game's: each comment says what
// depends on the step coming where it does.
constexpr FrameStep kFrameSteps[] = {
    // Before everything: the frame's time, which every step reads.
    {BeginFrameStep, "begin"},
    // Keys are read once for the frame; a started attack runs its scripts now.
    {PlayerInputStep, "input"},
    // Before any movement, so tick scripts see where the last frame left all.
    {TickStep, "tick"},
    // Walking or recoil, then the script tiles under the new position.
    {PlayerMoveStep, "player move"},
    // Warps and map edges test the position the move just made.
    {WarpStep, "warps"},
    {MapEdgeStep, "map edges"},
    // Monsters walk against the clip boxes of the frame before.
    {MonsterMoveStep, "monster move"},
    // After every move and before anything that tests clip boxes.
    {RefreshClipBoxes, "clip boxes"},
    // Vision and chasing see the boxes just refreshed.
    {MonsterDecisionStep, "monster decisions"},
    {PlayerHitStep, "player hits"},
    // Sprite and animation frames; a monster whose attack animation ends
    // here strikes the player at that moment (its player-die scripts may
    // change the monsters not yet stepped).
    {AnimationStep, "animation"},
    // Shows the picture the last frame drew, then draws this one, which stays
    // on the back buffer (and in the headless logs) until the next frame.
    {DrawFrame, "draw"},
    // Over the finished frame, before the next draw step presents it.
    {DrawSavedNote, "saved note"},
    // No step of the game: the frame watcher's turn (the developer overlay),
    // over the finished frame and before it is shown.
    {nullptr, "over the frame"},
    {EndFrameStep, "end"},
};

}  // namespace

void RunTitleScreen(Game& game, FrameWatcher* watcher) {
    MediaLayer& media = game.media;
    while (!game.ended) {
        if (watcher != nullptr) {
            watcher->FrameStarting(game, FrameKind::Title);
            if (game.ended)
                return;
        }
        // Closing the window here ends the program: there is no game to save.
        if (media.PollWindowEvent() == WindowEvent::CloseRequested) {
            game.ended = true;
            game.script.RequestStop();
            return;
        }
        media.ReadKeyboard();
        DrawTitleScreen(game);
        if (watcher != nullptr)
            watcher->FrameDrawn(game, FrameKind::Title);
        media.SleepMs(kTitleSleepMs);
        // L wins when both keys are down.
        if (media.KeyDown(keys::L) != 0) {
            LoadGame(game, kQuickSaveSlot);
            game.clock.DayStartTime = media.ElapsedMs();
            StartFirstFrame(game);
            return;
        }
        if (media.KeyDown(keys::Space) != 0) {
            game.clock.LastTickTime = 0;
            game.clock.DayStartTime = media.ElapsedMs();
            EnterMap(game, game.settings.StartMap,
                     {game.settingsFile.Path(), game.settingsFile.Peek("Settings", "StartMap").line,
                      "StartMap"});
            StartFirstFrame(game);
            return;
        }
    }
}

void RunFrame(Game& game, FrameWatcher* watcher) {
    if (watcher != nullptr)
        watcher->FrameStarting(game, FrameKind::Play);
    for (const FrameStep& step : kFrameSteps) {
        // Any step may end the program (Quit, a map that cannot be loaded).
        if (game.ended)
            return;
        if (step.run != nullptr) {
            step.run(game);
        } else if (watcher != nullptr) {
            watcher->FrameDrawn(game, FrameKind::Play);
        }
    }
}

void MainLoop(Game& game, FrameWatcher* watcher) {
    while (!game.ended) {
        RunFrame(game, watcher);
        if (game.clock.LastWindowEvent == WindowEvent::CloseRequested)
            return;
    }
}

void AskQuitQuestion(Game& game) {
    if (game.ended)
        return;
    const MessageResult answer = game.media.ShowMessage(
        "Confirm", "Would you like to save your game before quitting?", MessageButtons::YesNo);
    if (answer == MessageResult::Yes)
        SaveGame(game, kQuickSaveSlot);
}

bool PlayGame(Game& game, int argc, const char* const* argv, FrameWatcher* watcher) {
    game.diagnostics.EchoTo(&std::cerr);
    if (!StartUp(game, argc, argv))
        return false;
    RunTitleScreen(game, watcher);
    MainLoop(game, watcher);
    // Quit and fatal errors end without the question.
    AskQuitQuestion(game);
    return true;
}

int RunGame(MediaLayer& media, int argc, const char* const* argv) {
    Game game(media);
    PlayGame(game, argc, argv, nullptr);
    return 0;
}

}  // namespace vorn

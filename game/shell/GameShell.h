// The life of the game program: start-up, title screen, frame loop, quit
// question.
#pragma once

#include <string>

#include "game/media/MediaLayer.h"
#include "game/world/Game.h"

namespace vorn {

enum class FrameKind { Title, Play };

// What runs around the frames of the game without being part of it (the
// developer mode, the count of a recorded session): told of every pass of
// the title screen and of the frame loop.
class FrameWatcher {
public:
    virtual ~FrameWatcher() = default;
    // Before the frame reads anything.
    virtual void FrameStarting(Game& game, FrameKind kind) = 0;
    // The frame is drawn on the back buffer and not yet shown: what is drawn
    // now appears over it. Not told when the frame ended the game.
    virtual void FrameDrawn(Game& game, FrameKind kind) = 0;
};

// False after a fatal error (its box has been shown; game.ended is set).
bool StartUp(Game& game, int argc, const char* const* argv);
// The same with the mod folder given as the path to read it from (the
// program's argument prefixed with "./", or any path for a tool);
// `argument` is what the user typed, for the message when it is missing.
bool StartUpFolder(Game& game, const std::string& modFolder, const std::string& argument);
void RunTitleScreen(Game& game, FrameWatcher* watcher = nullptr);
// One pass of the frame loop, without the final close test.
void RunFrame(Game& game, FrameWatcher* watcher = nullptr);
void MainLoop(Game& game, FrameWatcher* watcher = nullptr);
void AskQuitQuestion(Game& game);
// Start-up, the title screen, the frame loop and the quit question; false
// when start-up failed.
bool PlayGame(Game& game, int argc, const char* const* argv, FrameWatcher* watcher);
// Everything from start-up to the end; returns the exit code (always 0).
int RunGame(MediaLayer& media, int argc, const char* const* argv);

}  // namespace vorn

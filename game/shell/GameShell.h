// The life of the game program: start-up, title screen, frame loop, quit
// question.
#pragma once

#include "game/media/MediaLayer.h"
#include "game/world/Game.h"

namespace vorn {

// False after a fatal error (its box has been shown; game.ended is set).
bool StartUp(Game& game, int argc, const char* const* argv);
void RunTitleScreen(Game& game);
// One pass of the frame loop, without the final close test.
void RunFrame(Game& game);
void MainLoop(Game& game);
void AskQuitQuestion(Game& game);
// Everything from start-up to the end; returns the exit code (always 0).
int RunGame(MediaLayer& media, int argc, const char* const* argv);

}  // namespace vorn

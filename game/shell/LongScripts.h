// A window that keeps answering while a script runs for long (a mod's loop
// that never ends, say): from two seconds into one run on, the window's
// events are taken every 100 ms of it, so the window can be moved, resized
// and switched to fullscreen, and closing it asks "A script has been running
// for N seconds. Quit without saving?". Yes ends the program as the Quit
// command does (exit code 0, nothing saved); No lets the script go on. A run
// shorter than two seconds sees nothing of this, and neither does any
// script that is not stopped.
#pragma once

#include "game/world/Game.h"

namespace vorn {

// Installs the watch on the game's script engine (at start-up).
void WatchLongScripts(Game& game);

}  // namespace vorn

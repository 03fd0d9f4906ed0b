// The developer mode's live reload (F5, F6): what changed on disk since the
// last look is read again into the running game, which keeps the player's
// position, health and inventory and every script variable.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/FileStamp.h"
#include "game/world/Game.h"

namespace vorn {

// One line per thing read again, and the problems ("PATH: error: TEXT",
// each leaving the old content in place).
struct ReloadReport {
    std::vector<std::string> done;
    std::vector<std::string> errors;
};

class LiveReload {
public:
    // Takes the first look at the mod folder.
    explicit LiveReload(const Game& game);

    // Reads again: every picture and sound whose file changed; the global
    // and map scripts when a script file changed; monsters.ini,
    // animations.ini and new tile pictures; and the current map (its layers,
    // lists and scripts; its monsters and animations start afresh) when one
    // of its files or of those definitions changed. `enterAgain` (F6)
    // rebuilds the map in any case and runs its enter script as entering it
    // does; F5 runs no script. A file that cannot be read leaves what was
    // read from it before, and a map whose files cannot all be read stays
    // as it is.
    ReloadReport Reload(Game& game, bool enterAgain);

private:
    // Every file below the mod folder by relative path, except the game's
    // own output (saves, screenshots).
    std::map<std::string, FileStamp> LookAtFolder() const;

    std::string folder_;
    std::map<std::string, FileStamp> stamps_;
};

}  // namespace vorn

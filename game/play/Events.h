// Event scripts: map and global scripts run at their events with their
// preset constants; failures are shown only while DebugMode is on.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "game/world/Game.h"

namespace vorn {

// An event script a mod may hold and the slot it is loaded into. `file`
// follows the mod folder for the global scripts ("/global_tick.ds") and
// "maps/NAME" for a map's ("_tick.ds").
struct EventScriptFile {
    int32_t slot;
    const char* file;
};
std::span<const EventScriptFile> GlobalEventScriptFiles();
// In the order a map entry loads them.
std::span<const EventScriptFile> MapEventScriptFiles();

// Loads the five global scripts into their fixed slots (start-up).
void LoadGlobalEventScripts(Game& game);
// Frees and loads the seven map scripts of map `name` (map load).
void LoadMapEventScripts(Game& game, const std::string& name);
// The file the event or tile script in `slot` was loaded from (for the
// current map), or "" when the slot holds none of them.
std::string EventScriptPath(const Game& game, int32_t slot);

// Tells the author what loading a script met. A missing event script is
// no problem (its event does nothing), so the callers leave those out.
void ReportLoadProblems(Game& game, const std::vector<LoadProblem>& problems);

// Runs one slot and shows the error box titled `title` on failure in debug
// mode. Returns the run's result code.
ScriptResult RunAndReport(Game& game, int32_t slot, const std::string& title);

void RaiseMapEnter(Game& game);
void RaiseMapLeave(Game& game);
void TickStep(Game& game);
void RaisePlayerAttack(Game& game);
void RaiseGrabItem(Game& game, const std::string& itemName);
// Presets of the monster (ID, position) plus the player's. The values are
// copied before any script runs: a script may load a map, which discards the
// monster list the reference points into.
void RaisePlayerDie(Game& game, const Monster& attacker);
void RaiseMonsterDie(Game& game, const Monster& dying);
void ScriptTileCheck(Game& game);

}  // namespace vorn

// The checks of one mod folder, split by subject over CheckSettings.cpp,
// CheckMaps.cpp and CheckScripts.cpp. The mod is loaded as start-up loads
// it, on a headless media layer, by the game's own readers: what they skip
// or reject is told by them; the checks here add what only a look at the
// whole mod can tell (references between files, positions on other maps,
// scripts that are not run).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "game/media/HeadlessMedia.h"
#include "game/world/Game.h"
#include "game/world/MapFiles.h"

namespace vorn::modcheck {

// The event a script runs at, which decides the preset constants it sees.
enum class ScriptEvent {
    Enter,
    Leave,
    Tick,
    PlayerAttack,
    GrabItem,
    PlayerDie,
    MonsterDie,
    ScriptTile,
};

// The event of the script loaded into an event slot (game/world/Game.h).
ScriptEvent EventOfSlot(int32_t slot);

// The map edges, in the order of the exit keys.
enum class Edge { Up, Down, Left, Right };
constexpr size_t kEdges = 4;

// What the checks across maps need of one map once it was read.
struct MapFacts {
    std::string name;
    bool read = false;  // its ground and attribute layers were read
    struct Exit {
        Edge edge;
        std::string target;
        int line = 0;
    };
    std::vector<Exit> exits;
    std::vector<Warp> warps;
    // Whether the player stands free at the spot where it leaves over each
    // edge, and at the spot where it arrives over that edge from the map on
    // the other side, per row (left, right) or column (up, down).
    std::array<std::vector<bool>, kEdges> leaveFree;
    std::array<std::vector<bool>, kEdges> arriveFree;
    std::set<std::pair<int32_t, int32_t>> warpCells;  // cells that hold a warp
    // Whether the player can stand on each cell (row by row), for finding the
    // cells a player can walk to.
    std::vector<bool> standable;
};

// A place a map is entered at, checked on that map's cells.
struct Arrival {
    std::string from;  // the file and line that send the player there
    int line = 0;
    std::string what;
    int32_t column = 0;
    int32_t row = 0;
};

class ModChecker {
public:
    // `folder` is the mod folder as typed; `gameFolder` the folder the game
    // would be started in ("" for the working directory), which INCLUDEFILE
    // paths are read from.
    ModChecker(std::string folder, std::string gameFolder);
    void Run();
    const Diagnostics& Result() const { return game_.diagnostics; }

private:
    // As start-up loads a mod, without a window (ModCheck.cpp).
    void LoadLikeStartUp();

    // CheckSettings.cpp
    void CheckSettings();
    void CheckFonts();
    void CheckTransparentColour();

    // CheckMaps.cpp
    void CheckMaps();
    void CollectArrivals();
    void CheckMap(const std::string& name);
    void CheckMapLists(const std::string& name, MapFacts& facts);
    void CheckArrivals(const std::string& name);
    void MeasureEdges(MapFacts& facts);
    void CheckExitsAcrossMaps();
    void CheckStrayMapFiles();
    // Whether map `name` exists (its ground and attribute files); else the
    // map's cause is told at `from`.
    bool MapLoadable(const std::string& name, const MapNameSource& from);

    // CheckScripts.cpp
    void CheckScript(const std::string& path, ScriptEvent event);
    void CheckUnreadVariables();
    std::string IncludeHint(const std::string& problemText) const;

    Diagnostics& Tell() { return game_.diagnostics; }
    std::string SettingsPath() const { return game_.settingsFile.Path(); }
    int SettingLine(const char* key) const;

    std::string gameFolder_;
    HeadlessMedia media_;
    Game game_{media_};

    std::map<std::string, MapFacts> maps_;
    std::map<std::string, std::vector<Arrival>> arrivals_;  // by target map
    // Scripts already checked (an included file is checked with each script
    // that includes it; its lines are told once).
    std::set<std::string> scriptsChecked_;
    // Variables some script assigns, and where each name no script assigns
    // is first read.
    std::set<std::string> assigned_;
    std::map<std::string, SourceLine> readAt_;
    // Maps named by LoadMap('...') with a literal name.
    std::vector<std::pair<std::string, MapNameSource>> loadMapNames_;
};

}  // namespace vorn::modcheck

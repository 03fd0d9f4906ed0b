// Event scripts: the fixed script slots, the preset constants each event
// publishes, and the run-and-report sequence (map script first, then global).
//
// Every value published to a script is copied out of the world before the
// first script runs: any script may enter another map, after which the lists
// that monsters, objects and cells live in are no longer the current ones.
#include "game/play/Events.h"

#include <algorithm>
#include <string>
#include <utility>

#include "common/TextPrimitives.h"
#include "game/play/ActorBoxes.h"
#include "game/play/CellRange.h"

namespace vorn {

namespace {

constexpr int kStripComments = 1;

// The event scripts' files in their load order: the global ones after the
// mod folder, the map's after the map's path.
constexpr EventScriptFile kGlobalScriptFiles[] = {
    {slots::kGlobalMonsterDie, "/global_monsterdie.ds"},
    {slots::kGlobalGrabItem, "/global_grabitem.ds"},
    {slots::kGlobalPlayerDie, "/global_playerdie.ds"},
    {slots::kGlobalPlayerAttack, "/global_playerattack.ds"},
    {slots::kGlobalTick, "/global_tick.ds"},
};
constexpr EventScriptFile kMapScriptFiles[] = {
    {slots::kMapMonsterDie, "_monsterdie.ds"},
    {slots::kMapPlayerDie, "_playerdie.ds"},
    {slots::kMapGrabItem, "_grabitem.ds"},
    {slots::kMapLeave, "_leave.ds"},
    {slots::kMapEnter, "_enter.ds"},
    {slots::kMapPlayerAttack, "_playerattack.ds"},
    {slots::kMapTick, "_tick.ds"},
};

// Registers and frees the preset constants of one event. Freeing a preset
// that is not registered (FIRSTTICK on an ordinary tick) only records the
// engine's error text.
class Presets {
public:
    explicit Presets(ScriptEngine& script) : script_(script) {}
    void Add(const std::string& name, const std::string& value) {
        script_.RegisterConstant(name, value);
    }
    void Free(const std::string& name) { script_.FreeConstant(name); }

private:
    ScriptEngine& script_;
};

std::string RoundedText(float value) {
    return IntToText(RoundHalfEven(value));
}

// A script string literal: the text in single quotes.
std::string Quoted(std::string_view text) {
    std::string literal;
    literal.reserve(text.size() + 2);
    literal += '\'';
    literal += text;
    literal += '\'';
    return literal;
}

struct PlayerPosition {
    std::string x;
    std::string y;
};

PlayerPosition CopyPlayerPosition(const Game& game) {
    return {RoundedText(game.player.X), RoundedText(game.player.Y)};
}

struct MonsterFacts {
    std::string id;
    std::string x;
    std::string y;
};

MonsterFacts CopyMonster(const Monster& monster) {
    return {Quoted(IntToText(monster.ID)), RoundedText(monster.X), RoundedText(monster.Y)};
}

// The map script, then the global one, with the five presets of a monster
// event (player death and monster death share them).
void RunMonsterEvent(Game& game, const Monster& monster, int32_t mapSlot, int32_t globalSlot,
                     const std::string& mapTitle, const std::string& globalTitle) {
    if (game.ended)
        return;
    const MonsterFacts facts = CopyMonster(monster);
    const PlayerPosition player = CopyPlayerPosition(game);
    Presets presets(game.script);
    presets.Add("MONSTERID", facts.id);
    presets.Add("MONSTERX", facts.x);
    presets.Add("MONSTERY", facts.y);
    presets.Add("PLAYERX", player.x);
    presets.Add("PLAYERY", player.y);
    RunAndReport(game, mapSlot, mapTitle);
    RunAndReport(game, globalSlot, globalTitle);
    presets.Free("MONSTERID");
    presets.Free("PLAYERX");
    presets.Free("PLAYERY");
    presets.Free("MONSTERX");
    presets.Free("MONSTERY");
}

// The probe and the cells whose tiles can touch it.
struct ProbeCells {
    Rect probe;
    IndexRange columns;
    IndexRange rows;
};

ProbeCells CentreProbeCells(const Game& game) {
    ProbeCells cells;
    cells.probe = CentreProbe(game);
    cells.columns =
        CellsTouching(cells.probe.left, kProbeSize, game.settings.TileWidth, MapColumns(game));
    cells.rows =
        CellsTouching(cells.probe.top, kProbeSize, game.settings.TileHeight, MapRows(game));
    return cells;
}

// The first script tile of `column` (top to bottom) that overlaps the probe,
// or -1.
int32_t FirstScriptRow(const Game& game, int32_t column, const ProbeCells& cells) {
    for (int32_t row = cells.rows.first; row < cells.rows.last; ++row) {
        const MapCell* cell = game.map->grid.Cell(column, row);
        if (cell == nullptr || cell->Attribute.Kind() != CellKind::ScriptTile)
            continue;
        if (Overlaps(TileRect(game.settings, column, row), cells.probe)) {
            return row;
        }
    }
    return -1;
}

}  // namespace

void ReportLoadProblems(Game& game, const std::vector<LoadProblem>& problems) {
    for (const LoadProblem& problem : problems) {
        const Severity severity =
            problem.kind == LoadProblemKind::RefusedInclude ? Severity::Warning : Severity::Error;
        game.diagnostics.Report(severity, problem.where.file, problem.where.line, problem.text);
    }
}

namespace {

// Loads an event script; its own file may be missing (the event then does
// nothing), anything else loading met is told.
void LoadEventScript(Game& game, const std::string& path, int32_t slot) {
    std::vector<LoadProblem> problems;
    game.script.LoadScript(path, kStripComments, slot, &problems);
    std::erase_if(problems, [](const LoadProblem& problem) {
        return problem.kind == LoadProblemKind::MissingFile;
    });
    ReportLoadProblems(game, problems);
}

}  // namespace

std::span<const EventScriptFile> GlobalEventScriptFiles() {
    return kGlobalScriptFiles;
}

std::span<const EventScriptFile> MapEventScriptFiles() {
    return kMapScriptFiles;
}

void LoadGlobalEventScripts(Game& game) {
    for (const auto& [slot, file] : kGlobalScriptFiles) {
        LoadEventScript(game, game.ModFolder + file, slot);
    }
}

void LoadMapEventScripts(Game& game, const std::string& name) {
    const int32_t clearOrder[] = {
        slots::kMapGrabItem, slots::kMapPlayerDie,    slots::kMapMonsterDie, slots::kMapLeave,
        slots::kMapEnter,    slots::kMapPlayerAttack, slots::kMapTick};
    for (int32_t slot : clearOrder)
        game.script.ClearSlot(slot);

    const std::string base = game.ModFolder + "/maps/" + name;
    for (const auto& [slot, suffix] : kMapScriptFiles) {
        LoadEventScript(game, base + suffix, slot);
    }
}

std::string EventScriptPath(const Game& game, int32_t slot) {
    for (const auto& [global, file] : kGlobalScriptFiles) {
        if (global == slot)
            return game.ModFolder + file;
    }
    const std::string base = game.ModFolder + "/maps/" + game.map->info.Name;
    for (const auto& [mapSlot, suffix] : kMapScriptFiles) {
        if (mapSlot == slot)
            return base + suffix;
    }
    const MapGrid& grid = game.map->grid;
    for (int32_t row = 0; row < grid.Height(); ++row) {
        for (int32_t column = 0; column < grid.Width(); ++column) {
            const MapCell& cell = *grid.Cell(column, row);
            if (cell.Attribute.Kind() == CellKind::ScriptTile && cell.Script == slot)
                return base + "_" + IntToText(column) + "_" + IntToText(row) + ".ds";
        }
    }
    return {};
}

ScriptResult RunAndReport(Game& game, int32_t slot, const std::string& title) {
    if (game.ended)
        return ScriptResult::Ok;
    const ScriptResult result = game.script.RunScript(slot);
    // A script that ended the program (Quit, a fatal map load) leaves no box.
    if (result == ScriptResult::Ok || game.ended)
        return result;
    // A slot whose script did not load was told when it was loaded, and a
    // command that failed for a reason it told (an argument of the wrong
    // type) needs no second line: its error text is an older one.
    const SourceLine where = game.script.ErrorSource();
    const bool toldAlready = result == ScriptResult::CommandFailed &&
                             game.diagnostics.ErrorToldAt(where.file, where.line);
    if (result != ScriptResult::BadSlot && !toldAlready) {
        std::string event = title;
        const size_t suffix = event.rfind(" Script Error");
        if (suffix != std::string::npos)
            event.erase(suffix);
        game.diagnostics.Error(where.file.empty() ? std::string("game") : where.file, where.line,
                               game.script.LastError() + " (the " + event + " script stops here)");
    }
    if (game.settings.DebugMode != 0)
        game.media.ShowMessage(title, game.script.ErrorReportText(), MessageButtons::Ok);
    return result;
}

void RaiseMapEnter(Game& game) {
    RunAndReport(game, slots::kMapEnter, "Map_Enter Script Error");
}

void RaiseMapLeave(Game& game) {
    RunAndReport(game, slots::kMapLeave, "Map_Leave Script Error");
}

void TickStep(Game& game) {
    if (game.ended)
        return;
    const int32_t tickMs = game.settings.TickMs;
    const int32_t frameTime = game.clock.FrameTime;
    const int32_t lastTick = game.clock.LastTickTime;
    if (tickMs <= 0 || frameTime - lastTick < tickMs)
        return;

    // A tick in the very millisecond of the map's entry leaves LastTickTime
    // equal to MapEnterTime; the map remembers its first tick, so the next
    // one is not announced as the first again.
    const bool gameFirstTick = lastTick == 0;
    CurrentMap& map = *game.map;
    const bool mapFirstTick = gameFirstTick || (lastTick == game.clock.MapEnterTime && !map.ticked);
    map.ticked = true;
    const PlayerPosition player = CopyPlayerPosition(game);
    Presets presets(game.script);
    if (mapFirstTick)
        presets.Add("FIRSTTICK", "1");
    presets.Add("TICKLENGTH", IntToText(tickMs));
    presets.Add("PLAYERX", player.x);
    presets.Add("PLAYERY", player.y);
    RunAndReport(game, slots::kMapTick, "Map_Tick Script Error");
    presets.Free("FIRSTTICK");
    if (gameFirstTick)
        presets.Add("FIRSTTICK", "1");
    RunAndReport(game, slots::kGlobalTick, "Global_Tick Script Error");
    presets.Free("PLAYERX");
    presets.Free("PLAYERY");
    presets.Free("FIRSTTICK");
    presets.Free("TICKLENGTH");
    game.clock.LastTickTime = frameTime;
}

void RaisePlayerAttack(Game& game) {
    if (game.ended)
        return;
    const PlayerPosition player = CopyPlayerPosition(game);
    Presets presets(game.script);
    presets.Add("PLAYERX", player.x);
    presets.Add("PLAYERY", player.y);
    RunAndReport(game, slots::kMapPlayerAttack, "Map_PlayerAttack Script Error");
    RunAndReport(game, slots::kGlobalPlayerAttack, "Global_PlayerAttack Script Error");
    presets.Free("PLAYERX");
    presets.Free("PLAYERY");
}

void RaiseGrabItem(Game& game, const std::string& itemName) {
    if (game.ended)
        return;
    // The name may live in the object list of a map that a script leaves.
    const std::string quotedName = Quoted(itemName);
    const PlayerPosition player = CopyPlayerPosition(game);
    Presets presets(game.script);
    presets.Add("ITEMNAME", quotedName);
    presets.Add("PLAYERX", player.x);
    presets.Add("PLAYERY", player.y);
    RunAndReport(game, slots::kMapGrabItem, "Map_Grabitem Script Error");
    RunAndReport(game, slots::kGlobalGrabItem, "Global_Grabitem Script Error");
    presets.Free("ITEMNAME");
    presets.Free("PLAYERX");
    presets.Free("PLAYERY");
}

void RaisePlayerDie(Game& game, const Monster& attacker) {
    RunMonsterEvent(game, attacker, slots::kMapPlayerDie, slots::kGlobalPlayerDie,
                    "Map_PlayerDie Script Error", "Global_PlayerDie Script Error");
}

void RaiseMonsterDie(Game& game, const Monster& dying) {
    RunMonsterEvent(game, dying, slots::kMapMonsterDie, slots::kGlobalMonsterDie,
                    "Map_MonsterDie Script Error", "Global_MonsterDie Script Error");
}

void ScriptTileCheck(Game& game) {
    // Columns left to right; in each, the first "S" cell under the probe.
    // Only the cells under the probe can match, so only they are visited;
    // the probe is taken afresh after every script, which may move the
    // player or load another map.
    ProbeCells cells = CentreProbeCells(game);
    for (int32_t column = cells.columns.first; column < cells.columns.last; ++column) {
        if (game.ended)
            return;
        const int32_t row = FirstScriptRow(game, column, cells);
        if (row < 0)
            continue;
        const int32_t slot = game.map->grid.Cell(column, row)->Script;
        if (slot < 0)
            continue;

        const PlayerPosition player = CopyPlayerPosition(game);
        Presets presets(game.script);
        presets.Add("PLAYERX", player.x);
        presets.Add("PLAYERY", player.y);
        RunAndReport(game, slot,
                     "ScriptTile_" + IntToText(column) + "," + IntToText(row) + " Script Error");
        presets.Free("PLAYERX");
        presets.Free("PLAYERY");

        cells = CentreProbeCells(game);
        column = std::max(column, cells.columns.first - 1);
    }
}

}  // namespace vorn

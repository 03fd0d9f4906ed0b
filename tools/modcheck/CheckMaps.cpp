// Checks of the maps: every map of maps/ read with the game's own readers,
// the maps named by exits, warps and the start, the places players arrive
// at, the warps and their markers, the scripts of each map and the files of
// maps/ that nothing reads.
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <tuple>

#include "common/NameSuggestion.h"
#include "common/TextPrimitives.h"
#include "game/play/ActorBoxes.h"
#include "game/play/Events.h"
#include "game/play/PlayerControl.h"
#include "game/world/Animations.h"
#include "game/world/Assets.h"
#include "game/world/MapFiles.h"
#include "game/world/MapLayers.h"
#include "game/world/MapObjects.h"
#include "tools/modcheck/ModChecker.h"

namespace vorn::modcheck {

namespace {

std::string Number(int64_t value) {
    return std::to_string(value);
}

constexpr std::pair<const char*, Edge> kExitKeys[] = {
    {"ExitUp", Edge::Up},
    {"ExitDown", Edge::Down},
    {"ExitLeft", Edge::Left},
    {"ExitRight", Edge::Right},
};

// The files of one map besides its scripts.
constexpr const char* kMapExtensions[] = {".ini", ".btl", ".ftl", ".atl", ".ani", ".obl", ".wpl"};

Edge Opposite(Edge edge) {
    switch (edge) {
        case Edge::Up:
            return Edge::Down;
        case Edge::Down:
            return Edge::Up;
        case Edge::Left:
            return Edge::Right;
        case Edge::Right:
            break;
    }
    return Edge::Left;
}

const char* EdgeName(Edge edge) {
    switch (edge) {
        case Edge::Up:
            return "top";
        case Edge::Down:
            return "bottom";
        case Edge::Left:
            return "left";
        case Edge::Right:
            break;
    }
    return "right";
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// "rows 3, 4 and 9" (numbers from 1, at most a few named).
std::string Listed(const char* what, const std::vector<int32_t>& indexes) {
    std::string text = std::string(what) + (indexes.size() == 1 ? " " : "s ");
    const size_t shown = std::min<size_t>(indexes.size(), 5);
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0)
            text += i + 1 == shown && shown == indexes.size() ? " and " : ", ";
        text += Number(indexes[i] + 1);
    }
    if (shown < indexes.size())
        text += " and " + Number(static_cast<int64_t>(indexes.size() - shown)) + " more";
    return text;
}

}  // namespace

bool ModChecker::MapLoadable(const std::string& name, const MapNameSource& from) {
    const std::string base = MapBase(game_, name);
    for (const char* extension : {".gtl", ".atl"}) {
        if (!FileExists(base + extension)) {
            const FatalCause cause = MissingMapCause(game_, name, base + extension, from);
            Tell().Error(cause.path, cause.line, cause.text);
            return false;
        }
    }
    return true;
}

void ModChecker::CheckMaps() {
    const GameSettings& s = game_.settings;
    // Without the sizes no map has cells; settings.ini's check told why.
    if (s.MapWidth <= 0 || s.MapHeight <= 0 || s.TileWidth <= 0 || s.TileHeight <= 0)
        return;
    CollectArrivals();
    for (const std::string& name : MapNames(game_.ModFolder))
        CheckMap(name);
    CheckExitsAcrossMaps();
    for (const auto& [name, source] : loadMapNames_)
        MapLoadable(name, source);
    CheckStrayMapFiles();
}

// Where warps put the player, gathered before any map is checked, so that
// each map checks the arrivals onto its own cells.
void ModChecker::CollectArrivals() {
    for (const std::string& name : MapNames(game_.ModFolder)) {
        Diagnostics toldWhenTheMapIsChecked;
        const std::string wpl = MapBase(game_, name) + ".wpl";
        for (const Warp& warp : ReadMapWarps(MapBase(game_, name), toldWhenTheMapIsChecked)) {
            arrivals_[warp.TargetMap].push_back(
                {wpl, warp.Line, "the warp target", warp.TargetX, warp.TargetY});
        }
    }
}

void ModChecker::CheckMap(const std::string& name) {
    const std::string base = MapBase(game_, name);
    MapFacts& facts = maps_[name];
    facts.name = name;

    const MapProperties properties = ReadMapProperties(base, Tell());
    const std::pair<const char*, const std::string*> exits[] = {
        {"ExitUp", &properties.ExitUp},
        {"ExitDown", &properties.ExitDown},
        {"ExitLeft", &properties.ExitLeft},
        {"ExitRight", &properties.ExitRight},
    };
    for (size_t i = 0; i < std::size(exits); ++i) {
        const auto& [key, target] = exits[i];
        if (target->empty())
            continue;
        const MapNameSource source = MapPropertySource(base, key);
        if (MapLoadable(*target, source))
            facts.exits.push_back({kExitKeys[i].second, *target, source.line});
    }
    for (const auto& [key, sound] :
         {std::pair<const char*, const std::string&>{"Music", properties.Music},
          {"EnterSound", properties.EnterSound}}) {
        if (!sound.empty() && !media_.LoadSoundFile(game_.ModFolder + "/sounds/" + sound)) {
            ReportUnloadedFile(game_, "sound", game_.ModFolder + "/sounds/", sound, base + ".ini",
                               MapPropertySource(base, key).line);
        }
    }

    // One grid for every map, as in the game: cells a map's files do not
    // reach keep the map before's, and those files are told as such.
    MapGrid& grid = game_.map->grid;
    const TileSpriteIndex tiles(game_.assets.tileImages);
    if (!ReadMapTileLayers(base, grid, tiles, Tell())) {
        Tell().Error(base + ".gtl", 0,
                     "cannot be read, so the map `" + name + "` cannot be loaded");
        return;
    }
    const std::string atl = base + ".atl";
    std::vector<std::pair<int32_t, int32_t>> scriptCells;
    const bool attributesRead =
        ReadMapAttributes(base, grid, Tell(), [&](int32_t x, int32_t y, MapCell& cell) {
            const int32_t type = TextToInt(cell.Attribute.Text());
            if (type > 0)
                ReportUnknownMonsterType(game_, atl, y + 1, type);
            else if (cell.Attribute.Kind() == CellKind::ScriptTile)
                scriptCells.emplace_back(x, y);
        });
    if (!attributesRead) {
        const FatalCause cause = MissingMapCause(game_, name, atl, {});
        Tell().Error(cause.path, cause.line, cause.text);
        return;
    }
    facts.read = true;

    CheckMapLists(name, facts);
    for (const auto& [slot, suffix] : MapEventScriptFiles()) {
        if (FileExists(base + suffix))
            CheckScript(base + suffix, EventOfSlot(slot));
    }
    for (const auto& [x, y] : scriptCells) {
        const std::string script = TileScriptPath(base, x, y);
        if (FileExists(script))
            CheckScript(script, ScriptEvent::ScriptTile);
        else
            Tell().Error(atl, y + 1, MissingTileScriptText(base, x, y));
    }
    CheckArrivals(name);
    MeasureEdges(facts);
}

void ModChecker::CheckMapLists(const std::string& name, MapFacts& facts) {
    const GameSettings& s = game_.settings;
    const std::string base = MapBase(game_, name);
    const MapGrid& grid = game_.map->grid;
    auto inside = [&](int32_t column, int32_t row) {
        return column >= 0 && row >= 0 && column < s.MapWidth && row < s.MapHeight;
    };
    const std::string size = Number(s.MapWidth) + " x " + Number(s.MapHeight) + " tiles";

    const std::string ani = base + ".ani";
    for (const AnimationPlacement& placement : ReadMapAnimations(base, Tell())) {
        if (!CreateAnimationInstance(game_, placement.name, placement.x, placement.y, 0))
            ReportUnknownAnimation(game_, ani, placement.line, placement.name);
        if (placement.x < 0 || placement.y < 0 ||
            int64_t{placement.x} >= int64_t{s.MapWidth} * s.TileWidth ||
            int64_t{placement.y} >= int64_t{s.MapHeight} * s.TileHeight) {
            Tell().Warning(ani, placement.line,
                           "`" + placement.name + "` at " + Number(placement.x) + ", " +
                               Number(placement.y) +
                               " lies outside the map (x and y are map pixels)");
        }
    }
    game_.map->animations.clear();

    const std::string obl = base + ".obl";
    const std::string objects = game_.ModFolder + "/objects/";
    for (const ObjectPlacement& placement : ReadMapObjects(base, Tell())) {
        const auto [found, added] =
            game_.assets.objectPictures.try_emplace(objects + placement.picture, SpriteHandle{});
        if (added)
            found->second =
                LoadNamedPicture(game_, objects, placement.picture, obl, placement.line);
        else if (!found->second && !placement.picture.empty())
            ReportUnloadedFile(game_, "picture", objects, placement.picture, obl, placement.line);
        if (!inside(placement.column, placement.row)) {
            Tell().Error(obl, placement.line,
                         "`" + placement.name + "` lies on column " + Number(placement.column) +
                             ", row " + Number(placement.row) + ", outside the map of " + size +
                             ": it cannot be picked up");
        }
        if (placement.name.rfind("__", 0) == 0) {
            Tell().Warning(obl, placement.line,
                           "names starting with `__` are the hearts monsters drop");
        }
    }

    const std::string wpl = base + ".wpl";
    facts.warps = ReadMapWarps(base, Tell());
    for (const Warp& warp : facts.warps) {
        if (!inside(warp.X, warp.Y)) {
            Tell().Error(wpl, warp.Line,
                         "the warp's own tile (" + Number(warp.X) + ", " + Number(warp.Y) +
                             ") is outside the map of " + size + ": no player reaches it");
            continue;
        }
        facts.warpCells.emplace(warp.X, warp.Y);
        if (MapLoadable(warp.TargetMap, {wpl, warp.Line, "warp target map"}) &&
            !inside(warp.TargetX, warp.TargetY)) {
            Tell().Error(wpl, warp.Line,
                         "the target tile (" + Number(warp.TargetX) + ", " + Number(warp.TargetY) +
                             ") is outside `" + warp.TargetMap + "`, a map of " + size);
        }
        const MapCell* cell = grid.Cell(warp.X, warp.Y);
        if (cell != nullptr && cell->Attribute.Kind() != CellKind::WarpMarker) {
            Tell().Warning(wpl, warp.Line,
                           "the warp's tile (" + Number(warp.X) + ", " + Number(warp.Y) +
                               ") is not marked `W` in " + ShownPath(base) +
                               ".atl, so monsters walk onto it");
        }
    }
    for (int32_t y = 0; y < grid.Height(); ++y) {
        for (int32_t x = 0; x < grid.Width(); ++x) {
            if (grid.Cell(x, y)->Attribute.Kind() == CellKind::WarpMarker &&
                facts.warpCells.count({x, y}) == 0) {
                Tell().Warning(base + ".atl", y + 1,
                               "the `W` cell in column " + Number(x + 1) + " has no warp in " +
                                   ShownPath(wpl));
            }
        }
    }
}

// The arrivals onto this map's cells: the start tile and warp targets. The
// player must be free to move there, and not stand on a warp that sends it
// on at once.
void ModChecker::CheckArrivals(const std::string& name) {
    const GameSettings& s = game_.settings;
    const MapFacts& facts = maps_[name];
    for (const Arrival& arrival : arrivals_[name]) {
        if (arrival.column < 0 || arrival.row < 0 || arrival.column >= s.MapWidth ||
            arrival.row >= s.MapHeight) {
            continue;  // told where the target is written
        }
        const float x = static_cast<float>(int64_t{arrival.column} * s.TileWidth);
        const float y = static_cast<float>(int64_t{arrival.row} * s.TileHeight);
        const std::string where = arrival.what + " (" + Number(arrival.column) + ", " +
                                  Number(arrival.row) + ") of `" + name + "`";
        if (!PlayerFreeAt(game_, x, y)) {
            Tell().Error(arrival.from, arrival.line,
                         where +
                             " puts the player's clip box on an `X` cell (touching counts): "
                             "it cannot move from there");
        }
        game_.player.X = x;
        game_.player.Y = y;
        const Rect probe = CentreProbe(game_);
        for (const Warp& warp : facts.warps) {
            if (Overlaps(probe, TileRect(s, warp.X, warp.Y))) {
                Tell().Warning(arrival.from, arrival.line,
                               where +
                                   " is on a warp, which sends the player on at once; "
                                   "arrive beside it");
                break;
            }
        }
    }
}

// Where the player stands free at each edge, for the exits between maps:
// the exits keep the other coordinate, so a row open where the player
// leaves must be open where it arrives.
void ModChecker::MeasureEdges(MapFacts& facts) {
    const GameSettings& s = game_.settings;
    const double width = s.MapWidth;
    const double height = s.MapHeight;
    const double sideGap = (s.PlayerWidth - static_cast<double>(s.PlayerClipX)) / 2.0;
    for (size_t e = 0; e < kEdges; ++e) {
        const Edge edge = static_cast<Edge>(e);
        const bool rows = edge == Edge::Left || edge == Edge::Right;
        const int32_t count = rows ? s.MapHeight : s.MapWidth;
        facts.leaveFree[e].assign(static_cast<size_t>(std::max(count, 0)), false);
        facts.arriveFree[e].assign(static_cast<size_t>(std::max(count, 0)), false);
        for (int32_t i = 0; i < count; ++i) {
            const double along = static_cast<double>(i) * (rows ? s.TileHeight : s.TileWidth);
            double leave = 0.0;
            double arrive = 0.0;
            switch (edge) {
                case Edge::Left:  // leaves with its clip box at 0; arrives from the left at 1
                    leave = -sideGap;
                    arrive = 1.0;
                    break;
                case Edge::Right:
                    leave = (width - 1) * s.TileWidth + sideGap;
                    arrive = (width - 1) * s.TileWidth - 1;
                    break;
                case Edge::Up:
                    leave = -(s.PlayerHeight - static_cast<double>(s.PlayerClipY));
                    arrive = 0.0;
                    break;
                case Edge::Down:
                    leave = (height - 1) * s.TileHeight;
                    arrive = (height - 1) * s.TileHeight;
                    break;
            }
            auto free = [&](double across) {
                return rows ? PlayerFreeAt(game_, static_cast<float>(across),
                                           static_cast<float>(along))
                            : PlayerFreeAt(game_, static_cast<float>(along),
                                           static_cast<float>(across));
            };
            facts.leaveFree[e][static_cast<size_t>(i)] = free(leave);
            facts.arriveFree[e][static_cast<size_t>(i)] = free(arrive);
        }
    }
    const int32_t columns = std::max(s.MapWidth, 0);
    const int32_t rows = std::max(s.MapHeight, 0);
    facts.standable.assign(static_cast<size_t>(columns) * static_cast<size_t>(rows), false);
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < columns; ++c) {
            facts.standable[static_cast<size_t>(r) * static_cast<size_t>(columns) +
                            static_cast<size_t>(c)] =
                PlayerFreeAt(game_, static_cast<float>(int64_t{c} * s.TileWidth),
                             static_cast<float>(int64_t{r} * s.TileHeight));
        }
    }
}

// Walks the cells a player can reach from the start tile, over warps and
// exits, as the flood of a walk cell by cell; an exit is checked at the edge
// cells reached: where the player leaves free it must arrive free, since an
// exit keeps the other coordinate.
void ModChecker::CheckExitsAcrossMaps() {
    const GameSettings& s = game_.settings;
    const int32_t columns = s.MapWidth;
    const int32_t rows = s.MapHeight;
    if (columns <= 0 || rows <= 0)
        return;
    auto cellIndex = [&](int32_t c, int32_t r) {
        return static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c);
    };
    std::map<std::string, std::vector<bool>> seen;
    std::vector<std::tuple<std::string, int32_t, int32_t>> open;
    auto reach = [&](const std::string& map, int32_t c, int32_t r) {
        const auto facts = maps_.find(map);
        if (facts == maps_.end() || !facts->second.read || c < 0 || r < 0 || c >= columns ||
            r >= rows || !facts->second.standable[cellIndex(c, r)]) {
            return;
        }
        std::vector<bool>& visited = seen[map];
        visited.resize(facts->second.standable.size(), false);
        if (visited[cellIndex(c, r)])
            return;
        visited[cellIndex(c, r)] = true;
        open.emplace_back(map, c, r);
    };
    reach(s.StartMap, s.StartX, s.StartY);
    // An exit and the rows (or columns) where it walls the player in.
    std::map<std::pair<std::string, size_t>, std::set<int32_t>> walled;
    while (!open.empty()) {
        const auto [map, c, r] = open.back();
        open.pop_back();
        const MapFacts& facts = maps_[map];
        reach(map, c - 1, r);
        reach(map, c + 1, r);
        reach(map, c, r - 1);
        reach(map, c, r + 1);
        for (const Warp& warp : facts.warps) {
            if (warp.X == c && warp.Y == r)
                reach(warp.TargetMap, warp.TargetX, warp.TargetY);
        }
        for (size_t i = 0; i < facts.exits.size(); ++i) {
            const MapFacts::Exit& exit = facts.exits[i];
            const bool rowsAlong = exit.edge == Edge::Left || exit.edge == Edge::Right;
            const bool atEdge = (exit.edge == Edge::Left && c == 0) ||
                                (exit.edge == Edge::Right && c == columns - 1) ||
                                (exit.edge == Edge::Up && r == 0) ||
                                (exit.edge == Edge::Down && r == rows - 1);
            const int32_t along = rowsAlong ? r : c;
            if (!atEdge ||
                !facts.leaveFree[static_cast<size_t>(exit.edge)][static_cast<size_t>(along)])
                continue;
            const auto target = maps_.find(exit.target);
            if (target == maps_.end() || !target->second.read)
                continue;
            const Edge arrival = Opposite(exit.edge);
            if (!target->second
                     .arriveFree[static_cast<size_t>(arrival)][static_cast<size_t>(along)]) {
                walled[{map, i}].insert(along);
                continue;
            }
            const int32_t arriveColumn =
                rowsAlong ? (exit.edge == Edge::Left ? columns - 1 : 0) : c;
            const int32_t arriveRow = rowsAlong ? r : (exit.edge == Edge::Up ? rows - 1 : 0);
            reach(exit.target, arriveColumn, arriveRow);
        }
    }
    for (const auto& [key, places] : walled) {
        const MapFacts::Exit& exit = maps_[key.first].exits[key.second];
        const bool rowsAlong = exit.edge == Edge::Left || exit.edge == Edge::Right;
        Tell().Warning(MapBase(game_, key.first) + ".ini", exit.line,
                       "in " +
                           Listed(rowsAlong ? "row" : "column",
                                  std::vector<int32_t>(places.begin(), places.end())) +
                           " the player can walk off the " + EdgeName(exit.edge) +
                           " edge but arrives on a wall at the " + EdgeName(Opposite(exit.edge)) +
                           " edge of `" + exit.target + "` (an exit keeps the other coordinate)");
    }
}

void ModChecker::CheckStrayMapFiles() {
    const std::string folder = game_.ModFolder + "/maps";
    std::vector<std::string> files;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        if (it->is_regular_file(error))
            files.push_back(it->path().filename().string());
    }
    std::sort(files.begin(), files.end());
    std::vector<std::string> eventScripts;
    for (const auto& [name, facts] : maps_) {
        for (const EventScriptFile& script : MapEventScriptFiles())
            eventScripts.push_back(name + script.file);
    }
    for (const std::string& file : files) {
        const std::string path = folder + "/" + file;
        const std::string stem = std::filesystem::path(file).stem().string();
        const std::string extension = std::filesystem::path(file).extension().string();
        if (std::find(std::begin(kMapExtensions), std::end(kMapExtensions), extension) !=
            std::end(kMapExtensions)) {
            if (maps_.count(stem) == 0) {
                Tell().Warning(path, 0,
                               "no map reads this file: there is no " + stem + ".gtl" +
                                   DidYouMean(stem, MapNames(game_.ModFolder)));
            }
            continue;
        }
        if (extension != ".ds" || scriptsChecked_.count(path) != 0)
            continue;
        // A tile script of a cell that is not "S", or a misnamed event script.
        const size_t last = stem.rfind('_');
        const size_t before = last == std::string::npos ? last : stem.rfind('_', last - 1);
        if (before != std::string::npos && maps_.count(stem.substr(0, before)) != 0) {
            const std::string map = stem.substr(0, before);
            const std::string column = stem.substr(before + 1, last - before - 1);
            const std::string row = stem.substr(last + 1);
            if (!column.empty() && !row.empty() &&
                column.find_first_not_of("0123456789") == std::string::npos &&
                row.find_first_not_of("0123456789") == std::string::npos) {
                Tell().Warning(path, 0,
                               "the cell in column " + Number(TextToInt(column) + 1) + ", row " +
                                   Number(TextToInt(row) + 1) + " of `" + map +
                                   "` is not `S`, so this script never runs");
                continue;
            }
        }
        Tell().Warning(path, 0,
                       "no event or script tile runs this file" + DidYouMean(file, eventScripts));
    }
}

}  // namespace vorn::modcheck

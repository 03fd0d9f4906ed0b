// Live reload, in the order that keeps the game whole: pictures and sounds
// (each on its own), the global scripts (each on its own), then the current
// map with the definitions its monsters and animations come from, as one
// piece that is either read completely or left as it was.
#include "game/shell/LiveReload.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/TextPrimitives.h"
#include "common/TileFiles.h"
#include "game/play/Events.h"
#include "game/play/MapEntry.h"
#include "game/shell/ModFiles.h"
#include "game/world/Animations.h"
#include "game/world/Assets.h"
#include "game/world/MapFiles.h"

namespace vorn {

namespace {

constexpr int kStripComments = 1;

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// The paths (relative to the mod folder) of a map's own files start so.
bool IsFileOfMap(const std::string& relative, const std::string& mapName) {
    const std::string base = "maps/" + mapName;
    return relative.rfind(base + ".", 0) == 0 || relative.rfind(base + "_", 0) == 0;
}

// Whether a file that is there can be opened; a missing file is fine here
// (every optional file of a mod may be missing).
bool ReadableOrMissing(const std::string& path, std::vector<std::string>& errors) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        return true;
    }
    if (std::ifstream(path, std::ios::binary).good() &&
        !std::filesystem::is_directory(path, error)) {
        return true;
    }
    errors.push_back(path + ": error: the file cannot be read");
    return false;
}

// Reads a script and reports what went wrong while reading it (a missing
// included file, an include cycle).
bool ReadScriptChecked(ScriptEngine& script, const std::string& path, std::string& text,
                       std::vector<std::string>& errors) {
    if (!ReadableOrMissing(path, errors)) {
        return false;
    }
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        text.clear();  // a missing script is an empty one, as at any load
        return true;
    }
    script.SetLastError("");
    text = script.ReadScriptText(path, kStripComments);
    if (!script.LastError().empty()) {
        errors.push_back(path + ": error: " + script.LastError());
        return false;
    }
    return true;
}

// A slot no script of the game uses, where a new text is tried first: a
// text that does not parse (a GOTO to a missing label, too many lines) would
// leave the slot it is parsed into empty. -1 when every slot is taken.
int32_t ScratchSlot(const ScriptEngine& script) {
    for (int32_t slot = kScriptSlotCount - 1; slot > slots::kMapTick; --slot) {
        if (!script.SlotInUse(slot))
            return slot;
    }
    return -1;
}

// Loads `path` into `slot` again; on any failure the old script stays.
bool ReloadScript(ScriptEngine& script, const std::string& path, int32_t slot,
                  std::vector<std::string>& errors) {
    std::string text;
    if (!ReadScriptChecked(script, path, text, errors)) {
        errors.back() += "; the old script stays";
        return false;
    }
    const int32_t scratch = ScratchSlot(script);
    if (scratch >= 0) {
        script.SetLastError("");
        const bool parsed = script.ParseScript(text, scratch) == scratch;
        script.ClearSlot(scratch);
        if (!parsed) {
            const std::string reason = script.LastError().empty()
                                           ? "the script has more lines than a slot holds"
                                           : script.LastError();
            errors.push_back(path + ": error: " + reason + "; the old script stays");
            return false;
        }
    }
    return script.ParseScript(text, slot) == slot;
}

// The map's scripts again, each on its own, when the map itself is not
// rebuilt: the seven event scripts and the script of every script tile.
int ReloadMapScripts(Game& game, std::vector<std::string>& errors) {
    int reloaded = 0;
    const std::string base = MapBase(game, game.map->info.Name);
    const int32_t mapSlots[] = {slots::kMapGrabItem, slots::kMapMonsterDie, slots::kMapPlayerDie,
                                slots::kMapEnter,    slots::kMapLeave,      slots::kMapPlayerAttack,
                                slots::kMapTick};
    for (const int32_t slot : mapSlots) {
        reloaded += ReloadScript(game.script, EventScriptPath(game, slot), slot, errors) ? 1 : 0;
    }
    const MapGrid& grid = game.map->grid;
    for (int32_t row = 0; row < grid.Height(); ++row) {
        for (int32_t column = 0; column < grid.Width(); ++column) {
            const MapCell& cell = *grid.Cell(column, row);
            if (cell.Attribute.Kind() != CellKind::ScriptTile || cell.Script < 0)
                continue;
            const std::string path = base + "_" + IntToText(column) + "_" + IntToText(row) + ".ds";
            reloaded += ReloadScript(game.script, path, cell.Script, errors) ? 1 : 0;
        }
    }
    return reloaded;
}

// Tile pictures added to the tiles folder since start-up join the tile list
// (pictures already in it are reloaded with the other pictures). One that
// does not load is left out, to be tried again at the next reload.
int AddNewTileImages(Game& game, std::vector<std::string>& errors) {
    const std::string folder = game.ModFolder + "/tiles";
    int added = 0;
    for (const std::string& fileName : ListTilePictureFiles(folder)) {
        const std::string name = TileNameFromFile(fileName);
        const auto& tiles = game.assets.tileImages;
        if (std::any_of(tiles.begin(), tiles.end(),
                        [&](const TileImage& tile) { return tile.Name == name; }))
            continue;
        const std::string path = folder + "/" + fileName;
        const SpriteHandle sprite = game.media.LoadSpriteFile(path);
        if (!sprite) {
            errors.push_back(path +
                             ": error: not a PNG or BMP picture the game can read; the "
                             "tile is not added");
            continue;
        }
        game.assets.tileImages.push_back({name, sprite});
        ++added;
    }
    return added;
}

// The pictures and sounds of definitions that were read again, freed once
// nothing on the map holds them any more.
void FreeDefinitionMedia(Game& game, const std::vector<MonsterType>& monsters,
                         const std::vector<Animation>& animations) {
    for (const MonsterType& type : monsters) {
        game.media.FreeSprite(type.Sprite);
        game.media.FreeSoundHandle(type.AttackSound);
        game.media.FreeSoundHandle(type.HitSound);
        game.media.FreeSoundHandle(type.DeathSound);
    }
    for (const Animation& animation : animations)
        game.media.FreeSprite(animation.Sprite);
}

// What a map rebuild needs to read, checked before anything is replaced.
bool MapFilesReadable(Game& game, const std::vector<std::string>& modFiles,
                      std::vector<std::string>& errors) {
    const std::string& name = game.map->info.Name;
    const std::string base = MapBase(game, name);
    bool readable = true;
    for (const char* required : {".gtl", ".atl"}) {
        std::error_code error;
        if (!std::filesystem::exists(base + required, error)) {
            errors.push_back(base + required + ": error: the map cannot do without this file");
            readable = false;
        }
    }
    for (const std::string& relative : modFiles) {
        if (!IsFileOfMap(relative, name))
            continue;
        const std::string path = game.ModFolder + "/" + relative;
        std::string text;
        readable &= EndsWith(relative, ".ds") ? ReadScriptChecked(game.script, path, text, errors)
                                              : ReadableOrMissing(path, errors);
    }
    return readable;
}

std::string Counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

LiveReload::LiveReload(const Game& game) : folder_(game.ModFolder), stamps_(LookAtFolder()) {}

std::map<std::string, FileStamp> LiveReload::LookAtFolder() const {
    std::map<std::string, FileStamp> stamps;
    for (const std::string& relative : ListModFiles(folder_).value_or(std::vector<std::string>{}))
        stamps[relative] = ReadFileStamp(folder_ + "/" + relative);
    return stamps;
}

ReloadReport LiveReload::Reload(Game& game, bool enterAgain) {
    ReloadReport report;
    const std::map<std::string, FileStamp> now = LookAtFolder();
    std::vector<std::string> changed;
    for (const auto& [relative, stamp] : now) {
        const auto before = stamps_.find(relative);
        if (before == stamps_.end() || !(before->second == stamp))
            changed.push_back(relative);
    }
    for (const auto& [relative, stamp] : stamps_) {
        if (now.count(relative) == 0)
            changed.push_back(relative);  // removed
    }
    std::vector<std::string> modFiles;
    for (const auto& entry : now)
        modFiles.push_back(entry.first);

    // Pictures and sounds, each into the handle it had.
    const MediaLayer::ReloadReport media = game.media.ReloadChangedFiles();
    report.errors = media.errors;
    if (!media.reloaded.empty())
        report.done.push_back(Counted(static_cast<int>(media.reloaded.size()), "picture or sound",
                                      "pictures and sounds"));
    const std::string music = game.ModFolder + "/sounds/" + game.CurrentMusicName;
    if (std::find(media.reloaded.begin(), media.reloaded.end(), music) != media.reloaded.end())
        PlaySoundIfLoaded(game, game.map->info.Music, true);  // loading it stopped it

    const auto anyChanged = [&](auto&& test) {
        return std::any_of(changed.begin(), changed.end(), test);
    };
    const bool scriptsChanged = anyChanged([](const std::string& f) { return EndsWith(f, ".ds"); });
    const bool monstersChanged =
        anyChanged([](const std::string& f) { return f == "monsters.ini"; });
    const bool animationsChanged =
        anyChanged([](const std::string& f) { return f == "animations.ini"; });
    // A changed tile picture is reloaded in place; only a new one needs the
    // map's names looked up again.
    const bool tilesChanged = anyChanged([this](const std::string& f) {
        return f.rfind("tiles/", 0) == 0 && stamps_.count(f) == 0;
    });
    const std::string mapName = game.map->info.Name;
    const bool onMap = !mapName.empty();
    const bool mapChanged =
        onMap && anyChanged([&](const std::string& f) { return IsFileOfMap(f, mapName); });

    if (scriptsChanged) {
        int reloaded = 0;
        for (const int32_t slot :
             {slots::kGlobalMonsterDie, slots::kGlobalGrabItem, slots::kGlobalPlayerDie,
              slots::kGlobalPlayerAttack, slots::kGlobalTick}) {
            reloaded += ReloadScript(game.script, EventScriptPath(game, slot), slot, report.errors);
        }
        if (reloaded > 0)
            report.done.push_back(Counted(reloaded, "global script", "global scripts"));
    }

    const bool rebuild =
        onMap && (enterAgain || mapChanged || monstersChanged || animationsChanged || tilesChanged);
    if (rebuild) {
        bool readable = MapFilesReadable(game, modFiles, report.errors);
        if (monstersChanged)
            readable &= ReadableOrMissing(game.ModFolder + "/monsters.ini", report.errors);
        if (animationsChanged)
            readable &= ReadableOrMissing(game.ModFolder + "/animations.ini", report.errors);
        if (!readable) {
            report.errors.push_back(MapBase(game, mapName) + ": error: the map stays as it was");
            return report;  // the files count as changed until they can be read
        }
        std::vector<MonsterType> oldMonsters;
        std::vector<Animation> oldAnimations;
        if (monstersChanged) {
            oldMonsters = std::move(game.assets.monsterTypes);
            game.assets.monsterTypes.clear();
            LoadMonsterTypes(game);
            report.done.push_back("monsters.ini");
        }
        if (animationsChanged) {
            oldAnimations = std::move(game.assets.animationDefinitions);
            LoadAnimationDefinitions(game);
            report.done.push_back("animations.ini");
        }
        if (tilesChanged) {
            const int added = AddNewTileImages(game, report.errors);
            if (added > 0)
                report.done.push_back(Counted(added, "new tile", "new tiles"));
        }
        if (enterAgain) {
            EnterMap(game, mapName);
        } else {
            ReloadCurrentMap(game);
        }
        FreeDefinitionMedia(game, oldMonsters, oldAnimations);
        report.done.push_back("map " + mapName + (enterAgain ? " (entered again)" : ""));
    } else if (onMap && scriptsChanged) {
        const int reloaded = ReloadMapScripts(game, report.errors);
        if (reloaded > 0)
            report.done.push_back(Counted(reloaded, "map script", "map scripts"));
    }
    // After a problem every file counts as changed until a reload succeeds.
    if (report.errors.empty())
        stamps_ = now;
    return report;
}

}  // namespace vorn

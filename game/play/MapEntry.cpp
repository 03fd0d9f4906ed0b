// Entering a map, step by step in the order mods rely on: release the old
// map, read properties and music, the tile layers, the map's event scripts,
// the attributes (spawning monsters and loading tile scripts), the list
// files, then start the music and run the enter script.
//
// The new map is swapped in at the start, so everything below works on it;
// a step of the frame that was running scripts on the old map still holds
// that one and sees that it is no longer current.
#include "game/play/MapEntry.h"

#include <memory>
#include <string>
#include <vector>

#include "common/TextPrimitives.h"
#include "game/play/Events.h"
#include "game/play/Monsters.h"
#include "game/world/Animations.h"
#include "game/world/Assets.h"
#include "game/world/MapFiles.h"
#include "game/world/MapLayers.h"
#include "game/world/MapObjects.h"
#include "game/world/SavedGames.h"
#include "game/world/WorldMath.h"

namespace vorn {

namespace {

constexpr int kStripComments = 1;
// An enter script may enter another map whose enter script enters another,
// and so on; past this depth a map is still entered but its enter script is
// not run, so two maps that enter each other cannot exhaust the stack.
constexpr int32_t kMaxNestedMapLoads = 32;

// The first free slot that no fixed event script owns (0, then 13 and up), or
// -1. Chosen here rather than by the engine's "first free" rule, because a
// fixed slot is free whenever its script failed to load (a missing label).
int32_t FreeTileScriptSlot(const ScriptEngine& script) {
    if (!script.SlotInUse(0))
        return 0;
    for (int32_t slot = slots::kMapTick + 1; slot < kScriptSlotCount; ++slot) {
        if (!script.SlotInUse(slot))
            return slot;
    }
    return -1;
}

int32_t LoadTileScript(Game& game, const std::string& base, int32_t x, int32_t y) {
    const int32_t slot = FreeTileScriptSlot(game.script);
    if (slot < 0)
        return -1;
    std::vector<LoadProblem> problems;
    const int32_t loaded =
        game.script.LoadScript(TileScriptPath(base, x, y), kStripComments, slot, &problems);
    for (LoadProblem& problem : problems) {
        if (problem.kind == LoadProblemKind::MissingFile) {
            // Told at the cell that asks for the script.
            problem.where = SourceLine{base + ".atl", y + 1};
            problem.text = MissingTileScriptText(base, x, y);
        }
    }
    ReportLoadProblems(game, problems);
    return loaded;
}

// Every slot a cell points at is cleared (cells never given a script hold 0,
// so slot 0 is cleared too). Each distinct slot is cleared once.
void ReleaseTileScripts(Game& game, const MapGrid& grid) {
    std::vector<bool> cleared(kScriptSlotCount, false);
    for (const MapCell& cell : grid.Cells()) {
        const int32_t slot = cell.Script;
        if (slot < 0)
            continue;
        if (slot < kScriptSlotCount) {
            if (cleared[static_cast<size_t>(slot)])
                continue;
            cleared[static_cast<size_t>(slot)] = true;
        }
        game.script.ClearSlot(slot);
    }
}

void StopAndFree(Game& game, SoundHandle& sound) {
    if (!sound)
        return;
    game.media.StopSoundHandle(sound);
    game.media.FreeSoundHandle(sound);
    sound = 0;
}

// The new map, swapped in: it takes over the grid, and the music handle
// while the music goes on. What else belonged to the old map (its tile
// scripts, its sounds) is released; its lists stay with the old object for
// whoever still holds it. Object pictures stay loaded; dropped hearts share
// the heart picture.
CurrentMap& SwapInNewMap(Game& game, const std::string& newMusic) {
    const std::shared_ptr<CurrentMap> old = game.map;
    ReleaseTileScripts(game, old->grid);
    if (old->info.Music && newMusic != game.CurrentMusicName) {
        StopAndFree(game, old->info.Music);
    }
    StopAndFree(game, old->info.EnterSound);

    auto next = std::make_shared<CurrentMap>();
    next->grid = std::move(old->grid);
    next->info.Music = old->info.Music;
    next->entry = old->entry + 1;
    game.map = next;
    return *next;
}

void ApplyProperties(Game& game, CurrentMap& map, const std::string& name,
                     const MapProperties& properties) {
    const std::string sounds = game.ModFolder + "/sounds/";
    MapInfo& info = map.info;
    info.Name = name;
    info.ExitUp = properties.ExitUp;
    info.ExitDown = properties.ExitDown;
    info.ExitLeft = properties.ExitLeft;
    info.ExitRight = properties.ExitRight;
    const std::string base = MapBase(game, name);
    if (properties.Music != game.CurrentMusicName) {
        info.Music = game.media.LoadSoundFile(sounds + properties.Music);
        if (!info.Music && !properties.Music.empty()) {
            ReportUnloadedFile(game, "sound", sounds, properties.Music, base + ".ini",
                               MapPropertySource(base, "Music").line);
        }
    }
    info.EnterSound = game.media.LoadSoundFile(sounds + properties.EnterSound);
    if (!info.EnterSound && !properties.EnterSound.empty()) {
        ReportUnloadedFile(game, "sound", sounds, properties.EnterSound, base + ".ini",
                           MapPropertySource(base, "EnterSound").line);
    }
    info.Title = properties.Title;
    info.SpeechText = properties.SpeechText;
    info.SpeechTextY = properties.SpeechTextY;
    info.TextGreen = properties.TextGreen;
    info.TextRed = properties.TextRed;
    info.TextBlue = properties.TextBlue;
    info.AlwaysNight = properties.AlwaysNight;
    info.AlwaysDay = properties.AlwaysDay;
    game.StatusText = info.Title;
}

// The sprite of an object picture, loaded the first time it is named.
SpriteHandle ObjectPicture(Game& game, const std::string& folder, const ObjectPlacement& placement,
                           const std::string& oblPath) {
    const auto [found, added] =
        game.assets.objectPictures.try_emplace(folder + placement.picture, SpriteHandle{});
    if (added) {
        found->second = LoadNamedPicture(game, folder, placement.picture, oblPath, placement.line);
    }
    return found->second;
}

void PlaceObjects(Game& game, CurrentMap& map, const std::string& base) {
    const std::string pictures = game.ModFolder + "/objects/";
    for (const ObjectPlacement& placement : ReadMapObjects(base, game.diagnostics)) {
        ObjectType object;
        object.Name = placement.name;
        object.Sprite = ObjectPicture(game, pictures, placement, base + ".obl");
        object.X = WrappingMultiply(placement.column, game.settings.TileWidth);
        object.Y = WrappingMultiply(placement.row, game.settings.TileHeight);
        object.Damage = placement.damage;
        object.Health = placement.health;
        object.Speed = placement.speed;
        object.HealAmount = placement.healAmount;
        map.objects.push_back(std::move(object));
    }
}

// The note for mod authors whose warp markers and warp list differ.
void CheckWarpCount(Game& game, const CurrentMap& map) {
    if (game.settings.DebugMode == 0)
        return;
    size_t markers = 0;
    for (const MapCell& cell : map.grid.Cells()) {
        if (cell.Attribute.Kind() == CellKind::WarpMarker)
            ++markers;
    }
    if (markers != map.warps.size()) {
        game.media.ShowMessage(
            "NOTE: Non-Critical",
            "There are more warps specified in the .atl file than the .wpl file.",
            MessageButtons::Ok);
    }
}

// Counts nested entries for as long as one EnterMap runs.
class EntryDepth {
public:
    explicit EntryDepth(Game& game) : game_(game) { ++game_.mapLoadDepth; }
    ~EntryDepth() { --game_.mapLoadDepth; }
    EntryDepth(const EntryDepth&) = delete;
    EntryDepth& operator=(const EntryDepth&) = delete;
    bool TooDeep() const { return game_.mapLoadDepth > kMaxNestedMapLoads; }

private:
    Game& game_;
};

enum class EntryKind { Enter, Reload };

void BuildMap(Game& game, const std::string& name, EntryKind kind, const MapNameSource& source) {
    const EntryDepth depth(game);
    const std::string base = MapBase(game, name);
    const MapProperties properties = ReadMapProperties(base, game.diagnostics);

    CurrentMap& map = SwapInNewMap(game, properties.Music);
    ApplyProperties(game, map, name, properties);

    const TileSpriteIndex tiles(game.assets.tileImages);
    if (!ReadMapTileLayers(base, map.grid, tiles, game.diagnostics)) {
        FatalError(game, MissingMapCause(game, name, base + ".gtl", source),
                   "Couldn't load map tiles: " + name);
        return;
    }

    LoadMapEventScripts(game, name);

    const std::string attributes = base + ".atl";
    const bool attributesRead = ReadMapAttributes(
        base, map.grid, game.diagnostics, [&](int32_t x, int32_t y, MapCell& cell) {
            const int32_t type = TextToInt(cell.Attribute.Text());
            if (type > 0) {
                ReportUnknownMonsterType(game, attributes, y + 1, type);
                SpawnMonster(game, type, x, y);
            } else if (cell.Attribute.Kind() == CellKind::ScriptTile) {
                cell.Script = LoadTileScript(game, base, x, y);
            }
        });
    if (!attributesRead) {
        FatalError(game, MissingMapCause(game, name, attributes, source),
                   "Couldn't load map tile attributes: " + name);
        return;
    }

    for (const AnimationPlacement& animation : ReadMapAnimations(base, game.diagnostics)) {
        if (!CreateAnimationInstance(game, animation.name, animation.x, animation.y,
                                     animation.playOnce)) {
            ReportUnknownAnimation(game, base + ".ani", animation.line, animation.name);
        }
    }
    PlaceObjects(game, map, base);
    map.warps = ReadMapWarps(base, game.diagnostics);
    CheckWarpCount(game, map);

    if (properties.Music != game.CurrentMusicName) {
        PlaySoundIfLoaded(game, map.info.Music, true);
        game.CurrentMusicName = properties.Music;
    }
    if (kind == EntryKind::Reload)
        return;
    PlaySoundIfLoaded(game, map.info.EnterSound, false);

    const int32_t now = game.media.ElapsedMs();
    game.clock.MapEnterTime = now;
    if (game.clock.LastTickTime > 0)
        game.clock.LastTickTime = now;

    if (depth.TooDeep())
        return;
    RaiseMapEnter(game);
}

}  // namespace

void EnterMap(Game& game, const std::string& name, const MapNameSource& source) {
    BuildMap(game, name, EntryKind::Enter, source);
}

void ReloadCurrentMap(Game& game) {
    // Copied: the old map, which holds the name, goes when the new one comes.
    const std::string name = game.map->info.Name;
    const bool ticked = game.map->ticked;
    BuildMap(game, name, EntryKind::Reload, {});
    game.map->ticked = ticked;
}

void LoadGame(Game& game, int32_t slot) {
    std::optional<SavedGame> saved = ReadSavedGame(game, slot);
    const std::string saveFile = game.ModFolder + "/saves/save" + IntToText(slot) + ".ini";
    if (!saved) {
        FatalError(game,
                   {saveFile, 0,
                    "no saved game to load (L on the title screen loads it; without one the "
                    "game ends)"},
                   "Save game " + IntToText(slot) + " not found!");
        return;
    }
    Player& player = game.player;
    player.X = static_cast<float>(saved->PlayerX);
    player.Y = static_cast<float>(saved->PlayerY);
    player.Health = saved->PlayerHealth;
    player.MaxHealth = saved->PlayerMaxHealth;
    player.Damage = saved->PlayerDamage;
    player.Speed = saved->PlayerSpeed;
    player.KillCount = saved->PlayerKillCount;
    for (std::string& item : saved->inventory)
        game.inventory.push_back(std::move(item));
    game.script.ResetSymbols({.variables = true});
    for (ScriptVariable& variable : saved->variables)
        game.script.AppendVariable(std::move(variable));
    IniFile file;
    file.Load(saveFile);
    EnterMap(game, saved->CurrentMap,
             {saveFile, file.Peek("Save" + IntToText(slot), "CurrentMap").line, "saved map"});
}

}  // namespace vorn

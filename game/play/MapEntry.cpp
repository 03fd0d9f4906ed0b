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
    const std::string path = base + "_" + IntToText(x) + "_" + IntToText(y) + ".ds";
    return game.script.LoadScript(path, kStripComments, slot);
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
    if (properties.Music != game.CurrentMusicName)
        info.Music = game.media.LoadSoundFile(sounds + properties.Music);
    info.EnterSound = game.media.LoadSoundFile(sounds + properties.EnterSound);
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
SpriteHandle ObjectPicture(Game& game, const std::string& path) {
    const auto [found, added] = game.assets.objectPictures.try_emplace(path, SpriteHandle{});
    if (added)
        found->second = game.media.LoadSpriteFile(path);
    return found->second;
}

void PlaceObjects(Game& game, CurrentMap& map, const std::string& base) {
    const std::string pictures = game.ModFolder + "/objects/";
    for (const ObjectPlacement& placement : ReadMapObjects(base)) {
        ObjectType object;
        object.Name = placement.name;
        object.Sprite = ObjectPicture(game, pictures + placement.picture);
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

void BuildMap(Game& game, const std::string& name, EntryKind kind) {
    const EntryDepth depth(game);
    const std::string base = MapBase(game, name);
    const MapProperties properties = ReadMapProperties(base);

    CurrentMap& map = SwapInNewMap(game, properties.Music);
    ApplyProperties(game, map, name, properties);

    const TileSpriteIndex tiles(game.assets.tileImages);
    TextReader reader;
    if (!reader.Open(base + ".gtl")) {
        FatalError(game, "Couldn't load map tiles: " + name);
        return;
    }
    ReadTileLayer(reader, map.grid, TileLayer::Ground, tiles);
    if (reader.Open(base + ".btl"))
        ReadTileLayer(reader, map.grid, TileLayer::Background, tiles);
    if (reader.Open(base + ".ftl")) {
        ReadTileLayer(reader, map.grid, TileLayer::Foreground, tiles);
        ReadTileLayer(reader, map.grid, TileLayer::Top, tiles);
    }

    LoadMapEventScripts(game, name);

    if (!reader.Open(base + ".atl")) {
        FatalError(game, "Couldn't load map tile attributes: " + name);
        return;
    }
    ReadAttributeLayer(reader, map.grid, [&](int32_t x, int32_t y, MapCell& cell) {
        const int32_t type = TextToInt(cell.Attribute.Text());
        if (type > 0) {
            SpawnMonster(game, type, x, y);
        } else if (cell.Attribute.Kind() == CellKind::ScriptTile) {
            cell.Script = LoadTileScript(game, base, x, y);
        }
    });

    for (const AnimationPlacement& animation : ReadMapAnimations(base)) {
        CreateAnimationInstance(game, animation.name, animation.x, animation.y, animation.playOnce);
    }
    PlaceObjects(game, map, base);
    map.warps = ReadMapWarps(base);
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

void EnterMap(Game& game, const std::string& name) {
    BuildMap(game, name, EntryKind::Enter);
}

void ReloadCurrentMap(Game& game) {
    // Copied: the old map, which holds the name, goes when the new one comes.
    const std::string name = game.map->info.Name;
    const bool ticked = game.map->ticked;
    BuildMap(game, name, EntryKind::Reload);
    game.map->ticked = ticked;
}

void LoadGame(Game& game, int32_t slot) {
    std::optional<SavedGame> saved = ReadSavedGame(game, slot);
    if (!saved) {
        FatalError(game, "Save game " + IntToText(slot) + " not found!");
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
    EnterMap(game, saved->CurrentMap);
}

}  // namespace vorn

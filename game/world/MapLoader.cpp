// Loading a map, step by step in the order mods rely on: release the old
// map, read properties and music, the tile layers, the map's event scripts,
// the attributes (spawning monsters and loading tile scripts), the list
// files, then start the music and run the enter script.
#include "game/world/MapLoader.h"

#include <string>

#include "common/IniFile.h"
#include "common/TextPrimitives.h"
#include "game/play/Events.h"
#include "game/play/Monsters.h"
#include "game/world/Assets.h"
#include "game/world/MapLayers.h"
#include "game/world/MapObjects.h"

namespace vorn {

namespace {

constexpr int kStripComments = 1;
// An enter script may load another map whose enter script loads another, and
// so on; past this depth a map is still loaded but its enter script is not
// run, so two maps that load each other cannot exhaust the stack.
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

// Step 1: every slot a cell points at is cleared (cells never given a script
// hold 0, so slot 0 is cleared too). Each distinct slot is cleared once.
void ReleaseTileScripts(Game& game) {
    std::vector<bool> cleared(kScriptSlotCount, false);
    for (const MapCell& cell : game.grid.Cells()) {
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

void StopAndFree(Game& game, int& sound) {
    if (sound == 0)
        return;
    game.media.StopSoundHandle(sound);
    game.media.FreeSoundHandle(sound);
    sound = 0;
}

// Steps 1 to 4: what belonged to the old map.
void ReleaseOldMap(Game& game, const std::string& newMusic) {
    ReleaseTileScripts(game);
    if (game.mapInfo.Music != 0 && newMusic != game.CurrentMusicName) {
        StopAndFree(game, game.mapInfo.Music);
    }
    StopAndFree(game, game.mapInfo.EnterSound);
    // Object pictures stay loaded; dropped hearts share the heart picture.
    game.objects.clear();
    game.warps.clear();
    game.monsters.clear();
    game.animations.clear();
}

// Steps 5 to 9.
void ReadProperties(Game& game, const std::string& name, const std::string& iniPath) {
    auto text = [&iniPath](std::string_view key) {
        return ReadIniValue(iniPath, "Properties", key);
    };
    auto number = [&text](std::string_view key) { return TextToInt(text(key)); };
    auto flag = [&number](std::string_view key) {
        return static_cast<int8_t>(static_cast<uint8_t>(number(key) & 0xFF));
    };
    const std::string sounds = game.ModFolder + "/sounds/";
    MapInfo& info = game.mapInfo;
    info.Name = name;
    info.ExitUp = text("ExitUp");
    info.ExitDown = text("ExitDown");
    info.ExitLeft = text("ExitLeft");
    info.ExitRight = text("ExitRight");
    const std::string music = text("Music");
    if (music != game.CurrentMusicName)
        info.Music = game.media.LoadSoundFile(sounds + music);
    info.EnterSound = game.media.LoadSoundFile(sounds + text("EnterSound"));
    info.Title = text("Title");
    info.SpeechText = text("SpeechText");
    info.SpeechTextY = number("SpeechTextY");
    info.TextGreen = number("TextGreen");
    info.TextRed = number("TextRed");
    info.TextBlue = number("TextBlue");
    info.AlwaysNight = flag("AlwaysNight");
    info.AlwaysDay = flag("AlwaysDay");
    game.StatusText = info.Title;
}

// Step 14: attributes, each cell acted on right after it is stored.
void ReadAttributes(Game& game, TextReader& reader, const std::string& base) {
    ReadLayerRows(reader, game.grid, [&](int32_t x, int32_t y, std::string_view field) {
        MapCell* cell = game.grid.Cell(x, y);
        cell->Attribute.assign(field);
        const int32_t type = TextToInt(field);
        if (type > 0) {
            // Spawning may grow the monster list; the cell pointer stays valid
            // because the grid itself never changes size here.
            SpawnMonster(game, type, x, y);
        } else if (field == "S") {
            cell->Script = LoadTileScript(game, base, x, y);
        }
    });
}

// Step 18: the note for mod authors whose warp markers and warp list differ.
void CheckWarpCount(Game& game) {
    if (game.settings.DebugMode == 0)
        return;
    size_t markers = 0;
    for (const MapCell& cell : game.grid.Cells()) {
        if (cell.Attribute == "W")
            ++markers;
    }
    if (markers != game.warps.size()) {
        game.media.ShowMessage(
            "NOTE: Non-Critical",
            "There are more warps specified in the .atl file than the .wpl file.",
            MessageButtons::Ok);
    }
}

// Counts nested loads for as long as one LoadMap runs.
class LoadDepth {
public:
    explicit LoadDepth(Game& game) : game_(game) { ++game_.mapLoadDepth; }
    ~LoadDepth() { --game_.mapLoadDepth; }
    LoadDepth(const LoadDepth&) = delete;
    LoadDepth& operator=(const LoadDepth&) = delete;
    bool TooDeep() const { return game_.mapLoadDepth > kMaxNestedMapLoads; }

private:
    Game& game_;
};

}  // namespace

void CreateMapGrid(Game& game) {
    game.grid.Allocate(game.settings.MapWidth, game.settings.MapHeight);
}

void LoadMap(Game& game, const std::string& name) {
    ++game.mapGeneration;
    const LoadDepth depth(game);
    const std::string base = game.ModFolder + "/maps/" + name;
    const std::string iniPath = base + ".ini";

    ReleaseOldMap(game, ReadIniValue(iniPath, "Properties", "Music"));
    ReadProperties(game, name, iniPath);

    const TileSpriteIndex tiles(game.tileImages);
    TextReader reader;
    if (!reader.Open(base + ".gtl")) {
        FatalError(game, "Couldn't load map tiles: " + name);
        return;
    }
    ReadTileLayer(reader, game, TileLayer::Ground, tiles);
    if (reader.Open(base + ".btl"))
        ReadTileLayer(reader, game, TileLayer::Background, tiles);
    if (reader.Open(base + ".ftl")) {
        ReadTileLayer(reader, game, TileLayer::Foreground, tiles);
        ReadTileLayer(reader, game, TileLayer::Top, tiles);
    }

    LoadMapEventScripts(game, name);

    if (!reader.Open(base + ".atl")) {
        FatalError(game, "Couldn't load map tile attributes: " + name);
        return;
    }
    ReadAttributes(game, reader, base);

    ReadMapAnimations(game, base);
    ReadMapObjects(game, base);
    ReadMapWarps(game, base);
    CheckWarpCount(game);

    const std::string music = ReadIniValue(iniPath, "Properties", "Music");
    if (music != game.CurrentMusicName) {
        PlaySoundIfLoaded(game, game.mapInfo.Music, 1);
        game.CurrentMusicName = music;
    }
    PlaySoundIfLoaded(game, game.mapInfo.EnterSound, 0);

    const int32_t now = game.media.ElapsedMs();
    game.clock.MapEnterTime = now;
    if (game.clock.LastTickTime > 0)
        game.clock.LastTickTime = now;

    if (depth.TooDeep())
        return;
    RaiseMapEnter(game);
}

}  // namespace vorn

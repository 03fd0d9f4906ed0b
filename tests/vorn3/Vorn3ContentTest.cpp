// Checks of the bundled game's files that need no engine: every reference
// points at a file that exists and decodes, grids have the map size, the
// settings are read by their own lines, and every place the hero can reach
// by an exit or a warp is free ground.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <queue>
#include <regex>
#include <set>
#include <tuple>

#include "common/IniFile.h"
#include "common/TextPrimitives.h"
#include "game/bindings/Bindings.h"
#include "game/script/ScriptEngine.h"
#include "game/media/HeadlessMedia.h"
#include "game/world/Game.h"
#include "tests/vorn3/ModFolder.h"

namespace vorn3test {
namespace {

using vorn::TextField;
using vorn::TextToInt;
using vorn::TrimSpaces;

// The keys of settings.ini in the order the game reads them.
const char* const kSettingKeys[] = {"GameTitle",
                                    "MapWidth",
                                    "AIChangeFrequency",
                                    "AIVisionWidth",
                                    "AIVisionLength",
                                    "DebugMode",
                                    "MapHeight",
                                    "ScreenHeight",
                                    "ScreenWidth",
                                    "TileWidth",
                                    "TileHeight",
                                    "LengthOfDay",
                                    "PlayerWidth",
                                    "PlayerHeight",
                                    "PlayerClipX",
                                    "PlayerClipY",
                                    "StartMap",
                                    "StartX",
                                    "StartY",
                                    "StartHealth",
                                    "StartDamage",
                                    "PlayerSprite",
                                    "PlayerAttackSound",
                                    "PlayerMoveSound",
                                    "PlayerDeathSound",
                                    "PlayerHitSound",
                                    "WarpSound",
                                    "MoveFrameCount",
                                    "AttackFrameCount",
                                    "PlayerAttackDelay",
                                    "MonsterAttackDelay",
                                    "AnimationSpeed",
                                    "PlayerStartSpeed",
                                    "MapTextSpeed",
                                    "FontSize",
                                    "StatusFontSize",
                                    "StatusTextOffset",
                                    "StatusBarHeight",
                                    "StatusHealthChar",
                                    "PlayerRecoilAmount",
                                    "PlayerRecoilSpeed",
                                    "TickMs",
                                    "FontName",
                                    "StatusFontName",
                                    "HeartSprite",
                                    "DeathSprite",
                                    "NightTile",
                                    "TitleScreen"};
const char* const kColorKeys[] = {"StatusBackRed", "StatusBackGreen", "StatusBackBlue",
                                  "StatusTextRed", "StatusTextGreen", "StatusTextBlue",
                                  "StatsBackRed",  "StatsBackGreen",  "StatsBackBlue",
                                  "StatsTextRed",  "StatsTextGreen",  "StatsTextBlue"};
const char* const kMapKeys[] = {"ExitUp",     "ExitDown", "ExitLeft",    "ExitRight",   "Music",
                                "EnterSound", "Title",    "SpeechText",  "SpeechTextY", "TextGreen",
                                "TextRed",    "TextBlue", "AlwaysNight", "AlwaysDay"};
std::string Mod(const std::string& relative) {
    return ModPath() + "/" + relative;
}

std::string MapValue(const std::string& map, const std::string& key) {
    return vorn::ReadIniValue(Mod("maps/" + map + ".ini"), "Properties", key);
}

// The lookup matches keys as prefixes: the first line of the group that
// starts with the key must be the key's own line.
void ExpectOwnLine(const std::string& file, const std::string& group, const std::string& key) {
    bool inGroup = false;
    for (const std::string& line : ReadLines(file)) {
        if (!inGroup) {
            inGroup = line.find("[" + group + "]") != std::string::npos;
            continue;
        }
        if (!line.empty() && line[0] == '[')
            break;
        if (line.compare(0, key.size(), key) == 0) {
            EXPECT_EQ(line.substr(0, key.size() + 1), key + "=")
                << file << ": the line '" << line << "' answers the key " << key;
            return;
        }
    }
    ADD_FAILURE() << file << " [" << group << "] has no key " << key;
}

std::vector<std::string> CsvLines(const std::string& path) {
    std::vector<std::string> lines;
    for (const std::string& line : ReadLines(path))
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

int FieldCount(const std::string& line) {
    return static_cast<int>(std::count(line.begin(), line.end(), ',')) + 1;
}

std::string Field(const std::string& line, int n) {
    return std::string(TrimSpaces(TextField(line, n, ',')));
}

std::string Upper(std::string text) {
    return vorn::UpperCaseText(text);
}

std::set<std::string> AnimationNames() {
    std::set<std::string> names;
    for (const std::string& line : CsvLines(Mod("animations.ini")))
        names.insert(Upper(Field(line, 1)));
    return names;
}

// All matches of the first group of `pattern` in every script.
std::vector<std::pair<std::string, std::string>> ScriptMatches(const std::string& pattern) {
    std::vector<std::pair<std::string, std::string>> found;
    const std::regex re(pattern, std::regex::icase);
    for (const std::string& file : ScriptFiles()) {
        const std::string text = ReadBytes(Mod(file));
        for (auto it = std::sregex_iterator(text.begin(), text.end(), re);
             it != std::sregex_iterator(); ++it)
            found.emplace_back(file, (*it)[1].str());
    }
    return found;
}

TEST(Vorn3Settings, EveryKeyIsReadFromItsOwnLine) {
    for (const char* key : kSettingKeys)
        ExpectOwnLine(Mod("settings.ini"), "Settings", key);
    for (const char* key : kColorKeys)
        ExpectOwnLine(Mod("settings.ini"), "Colors", key);
    for (const std::string& map : MapNames())
        for (const char* key : kMapKeys) {
            if (!MapValue(map, key).empty())
                ExpectOwnLine(Mod("maps/" + map + ".ini"), "Properties", key);
        }
}

TEST(Vorn3Settings, ScreenDayAndDebugAsShipped) {
    EXPECT_EQ(SettingInt("ScreenWidth"), 20);
    EXPECT_EQ(SettingInt("ScreenHeight"), 15);
    EXPECT_EQ(SettingInt("TileWidth"), 32);
    EXPECT_EQ(SettingInt("TileHeight"), 32);
    EXPECT_EQ(SettingInt("DebugMode"), 0);
    EXPECT_EQ(Setting("DebugMode"), "0");
    // Night is the second half of the day: it must come within two minutes.
    EXPECT_GT(SettingInt("LengthOfDay"), 0);
    EXPECT_LE(SettingInt("LengthOfDay") / 2, 120);
    EXPECT_GT(SettingInt("TickMs"), 0);
    // The title prompt is drawn at y = MapHeight x TileHeight: keep it in the window.
    EXPECT_LT(
        SettingInt("MapHeight") * SettingInt("TileHeight") + 16,
        SettingInt("ScreenHeight") * SettingInt("TileHeight") + SettingInt("StatusBarHeight"));
    EXPECT_GE(SettingInt("MapWidth"), SettingInt("ScreenWidth"));
    for (const char* key : {"FontName", "StatusFontName"}) {
        EXPECT_TRUE(Setting(key) == "DejaVu Sans" || Setting(key) == "Arial") << key;
    }
    EXPECT_GT(SettingInt("StartHealth"), 0);
    EXPECT_GT(SettingInt("PlayerStartSpeed"), 0);
}

TEST(Vorn3Files, SettingsPicturesAndSoundsExist) {
    for (const char* key : {"PlayerAttackSound", "PlayerMoveSound", "PlayerDeathSound",
                            "PlayerHitSound", "WarpSound"})
        EXPECT_TRUE(FileExists(Mod("sounds/" + Setting(key)))) << key;
    for (const char* key : {"PlayerSprite", "DeathSprite", "NightTile", "TitleScreen"}) {
        EXPECT_TRUE(FileExists(Mod("sprites/" + Setting(key)))) << key;
    }
    EXPECT_TRUE(FileExists(Mod("objects/" + Setting("HeartSprite"))));
    for (const char* script : {"global_monsterdie.ds", "global_grabitem.ds", "global_playerdie.ds",
                               "global_playerattack.ds", "global_tick.ds"})
        EXPECT_TRUE(FileExists(Mod(script))) << script;
}

TEST(Vorn3Files, MonsterLinesHaveFifteenFieldsAndTheirFiles) {
    const std::vector<std::string> all = ReadLines(Mod("monsters.ini"));
    ASSERT_GE(all.size(), 4u);
    int friendly = 0;
    for (const std::string& line : all) {
        // An empty line would count as a monster type and shift the numbers.
        ASSERT_FALSE(line.empty());
        ASSERT_EQ(FieldCount(line), 15) << line;
        EXPECT_TRUE(FileExists(Mod("sprites/" + Field(line, 2)))) << line;
        for (int n = 3; n <= 5; ++n) {
            EXPECT_TRUE(FileExists(Mod("sounds/" + Field(line, n)))) << line;
        }
        for (int n = 6; n <= 15; ++n) {
            EXPECT_TRUE(std::regex_match(Field(line, n), std::regex("-?[0-9]+")))
                << line << " field " << n;
        }
        for (int n : {9, 10, 11, 12}) {
            EXPECT_GT(TextToInt(Field(line, n)), 0) << line;
        }
        friendly += TextToInt(Field(line, 15)) != 0;
    }
    EXPECT_GE(friendly, 1);
}

TEST(Vorn3Files, AnimationDefinitionsUseEveryDrawStage) {
    std::set<int> stages;
    for (const std::string& line : CsvLines(Mod("animations.ini"))) {
        ASSERT_EQ(FieldCount(line), 6) << line;
        const Picture strip = LoadPicture(Mod("animations/" + Field(line, 2)));
        ASSERT_TRUE(strip.ok) << line;
        EXPECT_GE(strip.width, TextToInt(Field(line, 3)) * TextToInt(Field(line, 4))) << line;
        EXPECT_GT(vorn::TextToFloat(Field(line, 5)), 0.0f) << line;
        stages.insert(TextToInt(Field(line, 6)));
    }
    EXPECT_EQ(stages, (std::set<int>{1, 2, 3, 4}));
}

TEST(Vorn3Files, EveryNamedMapExists) {
    std::set<std::string> named = {Setting("StartMap")};
    for (const std::string& map : MapNames()) {
        for (const char* key : {"ExitUp", "ExitDown", "ExitLeft", "ExitRight"})
            if (!MapValue(map, key).empty())
                named.insert(MapValue(map, key));
        for (const std::string& line : CsvLines(Mod("maps/" + map + ".wpl")))
            named.insert(Field(line, 3));
    }
    for (const auto& [file, name] : ScriptMatches(R"(LoadMap\(\s*'([^']*)')"))
        named.insert(name);
    EXPECT_GE(MapNames().size(), 4u);
    for (const std::string& name : named) {
        EXPECT_TRUE(FileExists(Mod("maps/" + name + ".ini"))) << name;
        EXPECT_TRUE(FileExists(Mod("maps/" + name + ".gtl"))) << name;
        EXPECT_TRUE(FileExists(Mod("maps/" + name + ".atl"))) << name;
    }
}

TEST(Vorn3Files, MapMusicObjectsAnimationsAndWarps) {
    const std::set<std::string> animations = AnimationNames();
    int nightMaps = 0;
    for (const std::string& map : MapNames()) {
        SCOPED_TRACE(map);
        EXPECT_TRUE(FileExists(Mod("sounds/" + MapValue(map, "Music"))));
        if (!MapValue(map, "EnterSound").empty()) {
            EXPECT_TRUE(FileExists(Mod("sounds/" + MapValue(map, "EnterSound"))));
        }
        nightMaps += TextToInt(MapValue(map, "AlwaysNight")) != 0;
        for (const std::string& line : CsvLines(Mod("maps/" + map + ".obl"))) {
            ASSERT_EQ(FieldCount(line), 8) << line;
            EXPECT_TRUE(FileExists(Mod("objects/" + Field(line, 2)))) << line;
            EXPECT_NE(Field(line, 1).substr(0, 2), "__") << "reserved for dropped hearts";
        }
        for (const std::string& line : CsvLines(Mod("maps/" + map + ".ani"))) {
            ASSERT_EQ(FieldCount(line), 4) << line;
            EXPECT_TRUE(animations.count(Upper(Field(line, 1)))) << line;
        }
        // Each warp sits on a "W" cell and the two counts agree (the game
        // notes a difference in debug mode).
        const auto attributes = ReadLayer(map, "atl");
        int warpCells = 0;
        for (const auto& row : attributes)
            warpCells += static_cast<int>(std::count(row.begin(), row.end(), "W"));
        const std::vector<std::string> warps = CsvLines(Mod("maps/" + map + ".wpl"));
        EXPECT_EQ(warpCells, static_cast<int>(warps.size()));
        for (const std::string& line : warps) {
            ASSERT_EQ(FieldCount(line), 5) << line;
            const int x = TextToInt(Field(line, 1)), y = TextToInt(Field(line, 2));
            ASSERT_TRUE(y >= 0 && y < static_cast<int>(attributes.size()) && x >= 0 &&
                        x < static_cast<int>(attributes[static_cast<size_t>(y)].size()));
            EXPECT_EQ(attributes[static_cast<size_t>(y)][static_cast<size_t>(x)], "W") << line;
        }
    }
    EXPECT_GE(nightMaps, 1);
}

TEST(Vorn3Files, ScriptTilesHaveScriptsAndScriptsHaveTiles) {
    std::set<std::string> expected;
    for (const std::string& map : MapNames()) {
        const auto attributes = ReadLayer(map, "atl");
        for (size_t y = 0; y < attributes.size(); ++y)
            for (size_t x = 0; x < attributes[y].size(); ++x)
                if (attributes[y][x] == "S")
                    expected.insert("maps/" + map + "_" + std::to_string(x) + "_" +
                                    std::to_string(y) + ".ds");
    }
    std::set<std::string> present;
    for (const std::string& file : ScriptFiles())
        if (std::regex_match(file, std::regex(R"(maps/[a-z]+_[0-9]+_[0-9]+\.ds)")))
            present.insert(file);
    EXPECT_EQ(expected, present);
    EXPECT_GE(expected.size(), 3u);
}

TEST(Vorn3Scripts, ReferencesPointAtExistingThings) {
    const auto includes = ScriptMatches(R"((?:^|\n)INCLUDEFILE +'?([^'\r\n]*?)'?[ \r]*(?=\n|$))");
    EXPECT_FALSE(includes.empty());
    for (const auto& [file, path] : includes) {
        // Included paths are relative to the working directory, the
        // repository root when the game runs with the default ./vorn3.
        EXPECT_EQ(path.rfind("./vorn3/", 0), 0u) << file << ": " << path;
        EXPECT_TRUE(FileExists(std::string(VORN_SOURCE_DIR) + "/" + path)) << file << ": " << path;
    }
    for (const auto& [file, sound] : ScriptMatches(R"(PlaySound\(\s*'([^']*)')")) {
        EXPECT_TRUE(FileExists(Mod("sounds/" + sound))) << file << ": " << sound;
    }
    const std::set<std::string> animations = AnimationNames();
    for (const auto& [file, name] : ScriptMatches(R"(CreateAnimation\(\s*'([^']*)')")) {
        EXPECT_TRUE(animations.count(Upper(name))) << file << ": " << name;
    }
    // Every command a script may call: the built-ins and the game's commands,
    // as the game registers them.
    vorn::HeadlessMedia media;
    vorn::Game game(media);
    ASSERT_TRUE(game.script.InitScriptEngine(vorn::kScriptSlotCount, vorn::kScriptLinesPerSlot));
    game.script.RegisterBuiltins();
    vorn::RegisterGameCommands(game);
    for (const auto& [file, name] : ScriptMatches(R"(([A-Za-z]+)\()")) {
        EXPECT_TRUE(game.script.CommandExists(name)) << file << " calls unknown command " << name;
    }
}

TEST(Vorn3Scripts, EveryScriptLoadsWithItsIncludes) {
    // Included files are found relative to the working directory; the tests
    // run from the repository root, as the game does.
    ASSERT_TRUE(FileExists("vorn3/settings.ini"));
    vorn::ScriptEngine engine;
    ASSERT_TRUE(engine.InitScriptEngine(50, 500));
    engine.RegisterBuiltins();
    for (const std::string& file : ScriptFiles()) {
        engine.SetLastError("");
        const int32_t slot = engine.LoadScript("./vorn3/" + file, 1, 0);
        EXPECT_EQ(slot, 0) << file << ": " << engine.LastError();
        EXPECT_EQ(engine.LastError(), "") << file;
        // No text may hold an apostrophe inside a string or a "#" that is
        // not a constant: both break the line.
        for (const std::string& line : ReadLines(Mod(file))) {
            if (line.empty() || TrimSpaces(line).substr(0, 1) == ";")
                continue;
            EXPECT_EQ(std::count(line.begin(), line.end(), '\'') % 2, 0) << file << ": " << line;
        }
    }
}

TEST(Vorn3Pictures, EveryPngDecodesAndUsesTheTransparentColour) {
    int checked = 0;
    for (const std::string folder : {"tiles", "sprites", "objects", "animations"}) {
        for (const std::string& file : ListFiles(Mod(folder), ".png")) {
            SCOPED_TRACE(folder + "/" + file);
            const Picture picture = LoadPicture(Mod(folder + "/" + file));
            ASSERT_TRUE(picture.ok);
            ++checked;
            const bool hasCyan =
                std::count(picture.pixels.begin(), picture.pixels.end(), 0x00FFFFu) > 0;
            const bool opaque = folder == "tiles" || file == "title.png" || file == "gateopen.png";
            if (!opaque) {
                EXPECT_TRUE(hasCyan) << "no transparent background";
            }
            if (folder == "tiles") {
                EXPECT_EQ(picture.width, SettingInt("TileWidth"));
            }
            if (folder == "tiles") {
                EXPECT_EQ(picture.height, SettingInt("TileHeight"));
            }
        }
    }
    EXPECT_GT(checked, 50);
    // Ground tiles fill their cell; everything else lies on the transparent colour.
    for (const std::string& map : MapNames())
        for (const auto& row : ReadLayer(map, "gtl"))
            for (const std::string& name : row) {
                const Picture tile = LoadPicture(Mod("tiles/" + name + ".png"));
                ASSERT_TRUE(tile.ok) << name;
                EXPECT_EQ(std::count(tile.pixels.begin(), tile.pixels.end(), 0x00FFFFu), 0) << name;
            }
}

TEST(Vorn3Pictures, SheetsFitTheSettings) {
    const int rows = SettingInt("MoveFrameCount") + SettingInt("AttackFrameCount");
    const Picture hero = LoadPicture(Mod("sprites/" + Setting("PlayerSprite")));
    ASSERT_TRUE(hero.ok);
    EXPECT_GE(hero.width, 4 * SettingInt("PlayerWidth"));
    EXPECT_GE(hero.height, rows * SettingInt("PlayerHeight"));
    for (const std::string& line : CsvLines(Mod("monsters.ini"))) {
        const Picture sheet = LoadPicture(Mod("sprites/" + Field(line, 2)));
        ASSERT_TRUE(sheet.ok) << line;
        EXPECT_GE(sheet.width, 4 * TextToInt(Field(line, 9))) << line;
        EXPECT_GE(sheet.height, rows * TextToInt(Field(line, 10))) << line;
    }
    const Picture title = LoadPicture(Mod("sprites/" + Setting("TitleScreen")));
    EXPECT_EQ(title.width, SettingInt("ScreenWidth") * SettingInt("TileWidth"));
    EXPECT_EQ(title.height, SettingInt("ScreenHeight") * SettingInt("TileHeight"));
    // The night overlay must let the map show through.
    const Picture night = LoadPicture(Mod("sprites/" + Setting("NightTile")));
    const auto cyan = std::count(night.pixels.begin(), night.pixels.end(), 0x00FFFFu);
    EXPECT_GT(cyan, 0);
    EXPECT_LT(cyan, static_cast<long>(night.pixels.size()));
}

TEST(Vorn3Sounds, EveryWavIsSmallMonoPcm) {
    int count = 0;
    for (const std::string& file : ListFiles(Mod("sounds"), ".wav")) {
        const WaveInfo info = ReadWaveInfo(Mod("sounds/" + file));
        EXPECT_TRUE(info.ok) << file << ": " << info.error;
        EXPECT_EQ(info.channels, 1) << file;
        EXPECT_EQ(info.bitsPerSample, 8) << file;
        EXPECT_GE(info.sampleRate, 11025) << file;
        EXPECT_LE(info.sampleRate, 22050) << file;
        ++count;
    }
    EXPECT_GE(count, 10);
    std::uintmax_t total = 0;
    for (const std::string& file : ListFiles(ModPath()))
        if (file.rfind("saves/", 0) != 0)
            total += std::filesystem::file_size(Mod(file));
    EXPECT_LT(total, 5u * 1024 * 1024);
}

TEST(Vorn3Maps, LayersHaveTheMapSizeAndKnownTiles) {
    const size_t width = static_cast<size_t>(SettingInt("MapWidth"));
    const size_t height = static_cast<size_t>(SettingInt("MapHeight"));
    for (const std::string& map : MapNames()) {
        SCOPED_TRACE(map);
        EXPECT_EQ(ReadLines(Mod("maps/" + map + ".ftl")).size(), 2 * height);
        for (const auto& [ext, part] : std::vector<std::pair<std::string, int>>{
                 {"gtl", 0}, {"btl", 0}, {"ftl", 0}, {"ftl", 1}, {"atl", 0}}) {
            if (part == 0 && ext != "ftl") {
                EXPECT_EQ(ReadLines(Mod("maps/" + map + "." + ext)).size(), height) << ext;
            }
            const auto grid = ReadLayer(map, ext, part);
            ASSERT_EQ(grid.size(), height) << ext;
            for (const auto& row : grid) {
                ASSERT_EQ(row.size(), width) << ext;
                for (const std::string& name : row) {
                    ASSERT_FALSE(name.empty()) << ext << ": two blanks in a row";
                    // "." names no tile; attributes are codes, not tiles.
                    if (ext != "atl" && name != ".") {
                        EXPECT_TRUE(FileExists(Mod("tiles/" + name + ".png")))
                            << ext << ": " << name;
                    }
                }
            }
        }
    }
}

// A tree is three rows: a crown top in the top layer, a lower crown in the
// foreground (free ground, so the hero can walk behind it) and a trunk in the
// background that blocks.
TEST(Vorn3Maps, TreesLetTheHeroWalkBehindTheirCrowns) {
    int trees = 0;
    for (const std::string& map : MapNames()) {
        const auto foreground = ReadLayer(map, "ftl", 0);
        const auto top = ReadLayer(map, "ftl", 1);
        const auto background = ReadLayer(map, "btl");
        const auto attributes = ReadLayer(map, "atl");
        for (size_t r = 1; r + 1 < foreground.size(); ++r)
            for (size_t c = 0; c < foreground[r].size(); ++c) {
                const std::string& crown = foreground[r][c];
                if (crown.rfind("tree_1_", 0) != 0)
                    continue;
                SCOPED_TRACE(map + " " + std::to_string(c) + "," + std::to_string(r));
                const std::string column = crown.substr(7);
                EXPECT_EQ(top[r - 1][c], "tree_0_" + column);
                EXPECT_EQ(background[r + 1][c], "tree_2_" + column);
                EXPECT_EQ(attributes[r + 1][c], "X");
                EXPECT_NE(attributes[r][c], "X");
                ++trees;
            }
    }
    // The meadow's free-standing trees, two cells of crown each.
    EXPECT_GE(trees, 10);
}

// --- reachability --------------------------------------------------------

struct Place {
    std::string map;
    int x, y;  // pixels of the player's frame
    bool operator<(const Place& o) const { return std::tie(map, x, y) < std::tie(o.map, o.x, o.y); }
};

class World {
public:
    World()
        : tileW_(SettingInt("TileWidth")),
          tileH_(SettingInt("TileHeight")),
          width_(SettingInt("MapWidth")),
          height_(SettingInt("MapHeight")) {
        for (const std::string& map : MapNames()) {
            attributes_[map] = ReadLayer(map, "atl");
            backgrounds_[map] = ReadLayer(map, "btl");
        }
    }

    // The player's clip box at (x, y) touches no wall (touching counts).
    bool Free(const Place& at) const {
        const int clipW = SettingInt("PlayerClipX"), clipH = SettingInt("PlayerClipY");
        const int left = at.x + (SettingInt("PlayerWidth") - clipW) / 2;
        const int top = at.y + SettingInt("PlayerHeight") - clipH;
        for (int r = 0; r < height_; ++r)
            for (int c = 0; c < width_; ++c) {
                if (!Wall(at.map, c, r))
                    continue;
                const int tx = c * tileW_, ty = r * tileH_;
                const bool apart = top + clipH < ty || ty + tileH_ < top || left + clipW < tx ||
                                   tx + tileW_ < left;
                if (!apart)
                    return false;
            }
        return true;
    }

    // A wall for the walk; the locked gate counts as open (the key is on the way).
    bool Wall(const std::string& map, int c, int r) const {
        const std::string& bg =
            backgrounds_.at(map)[static_cast<size_t>(r)][static_cast<size_t>(c)];
        if (bg == "gate_l" || bg == "gate_r")
            return false;
        return attributes_.at(map)[static_cast<size_t>(r)][static_cast<size_t>(c)] == "X";
    }

    int tileW_, tileH_, width_, height_;

private:
    std::map<std::string, std::vector<std::vector<std::string>>> attributes_, backgrounds_;
};

TEST(Vorn3Maps, EveryExitAndWarpLandsOnFreeGround) {
    World world;
    const Place start{Setting("StartMap"), SettingInt("StartX") * world.tileW_,
                      SettingInt("StartY") * world.tileH_};
    ASSERT_TRUE(world.Free(start)) << "start position is blocked";
    // Walk cell by cell from the start and from every arrival.
    std::set<std::pair<std::string, std::pair<int, int>>> seen;
    std::queue<std::tuple<std::string, int, int>> open;
    std::set<std::string> reached;
    auto arrive = [&](const Place& at, const std::string& how) {
        EXPECT_TRUE(world.Free(at))
            << how << " lands on a wall: " << at.map << " " << at.x << "," << at.y;
        const int c = std::clamp((at.x + world.tileW_ / 2) / world.tileW_, 0, world.width_ - 1);
        const int r = std::clamp((at.y + world.tileH_ / 2) / world.tileH_, 0, world.height_ - 1);
        if (seen.insert({at.map, {c, r}}).second)
            open.emplace(at.map, c, r);
    };
    arrive(start, "start");
    while (!open.empty()) {
        const auto [map, c, r] = open.front();
        open.pop();
        reached.insert(map);
        const int x = c * world.tileW_, y = r * world.tileH_;
        for (const std::string& line : CsvLines(Mod("maps/" + map + ".wpl")))
            if (TextToInt(Field(line, 1)) == c && TextToInt(Field(line, 2)) == r)
                arrive({Field(line, 3), TextToInt(Field(line, 4)) * world.tileW_,
                        TextToInt(Field(line, 5)) * world.tileH_},
                       map + " warp");
        const int lastX = (world.width_ - 1) * world.tileW_,
                  lastY = (world.height_ - 1) * world.tileH_;
        // An exit keeps the other coordinate: where the hero can stand at the
        // edge, the hero must be able to stand on arrival.
        const bool standsHere = world.Free({map, x, y});
        if (standsHere && c == 0 && !MapValue(map, "ExitLeft").empty()) {
            arrive({MapValue(map, "ExitLeft"), lastX - 1, y}, map + " left exit");
        }
        if (standsHere && c == world.width_ - 1 && !MapValue(map, "ExitRight").empty()) {
            arrive({MapValue(map, "ExitRight"), 1, y}, map + " right exit");
        }
        if (standsHere && r == 0 && !MapValue(map, "ExitUp").empty()) {
            arrive({MapValue(map, "ExitUp"), x, lastY}, map + " up exit");
        }
        if (standsHere && r == world.height_ - 1 && !MapValue(map, "ExitDown").empty()) {
            arrive({MapValue(map, "ExitDown"), x, 0}, map + " down exit");
        }
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& step : steps) {
            const int nc = c + step[0], nr = r + step[1];
            if (nc < 0 || nr < 0 || nc >= world.width_ || nr >= world.height_)
                continue;
            if (world.Wall(map, nc, nr))
                continue;
            if (seen.insert({map, {nc, nr}}).second)
                open.emplace(map, nc, nr);
        }
    }
    const std::vector<std::string> maps = MapNames();
    EXPECT_EQ(reached, std::set<std::string>(maps.begin(), maps.end()));
}

}  // namespace
}  // namespace vorn3test

// modcheck on a small mod the test writes: the mod checks clean, and each
// case spoils it in one way and expects the exact line modcheck prints for
// that mistake. Cases are grouped by the file they spoil; vorn3 checks
// clean too.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "game/media/FontFinder.h"
#include "tests/game/support/TestGame.h"
#include "tests/game/support/WorldFixtures.h"
#include "tests/support/TempFolder.h"
#include "tools/modcheck/ModCheck.h"

namespace vorn {
namespace {

using test::LayerText;
using test::MakePng;
using test::MakeWav;
using test::TempFolder;

// Rows of "." with `cells` ("x,y,code") put in.
std::string Attributes(const std::vector<std::tuple<int, int, std::string>>& cells) {
    std::vector<std::vector<std::string>> grid(8, std::vector<std::string>(10, "."));
    for (const auto& [x, y, code] : cells)
        grid[static_cast<size_t>(y)][static_cast<size_t>(x)] = code;
    std::string text;
    for (const auto& row : grid) {
        for (size_t x = 0; x < row.size(); ++x)
            text += (x == 0 ? "" : " ") + row[x];
        text += "\r\n";
    }
    return text;
}

const char* const kSettings =
    "[Settings]\r\nGameTitle=Check Quest\r\nMapWidth=10\r\nAIChangeFrequency=1000\r\n"
    "AIVisionWidth=64\r\nAIVisionLength=128\r\nDebugMode=0\r\nMapHeight=8\r\nScreenHeight=8\r\n"
    "ScreenWidth=10\r\nTileWidth=32\r\nTileHeight=32\r\nLengthOfDay=60\r\nPlayerWidth=32\r\n"
    "PlayerHeight=32\r\nPlayerClipX=20\r\nPlayerClipY=16\r\nStartMap=start\r\nStartX=3\r\n"
    "StartY=2\r\nStartHealth=10\r\nStartDamage=2\r\nPlayerSprite=hero.png\r\n"
    "PlayerAttackSound=swing.wav\r\nPlayerMoveSound=\r\nPlayerDeathSound=\r\nPlayerHitSound=\r\n"
    "WarpSound=swing.wav\r\nMoveFrameCount=2\r\nAttackFrameCount=2\r\nPlayerAttackDelay=300\r\n"
    "MonsterAttackDelay=500\r\nAnimationSpeed=100\r\nPlayerStartSpeed=64\r\nMapTextSpeed=20\r\n"
    "FontSize=12\r\nStatusFontSize=10\r\nStatusTextOffset=4\r\nStatusBarHeight=40\r\n"
    "StatusHealthChar=*\r\nPlayerRecoilAmount=8\r\nPlayerRecoilSpeed=64\r\nTickMs=500\r\n"
    "FontName=DejaVu Sans\r\nStatusFontName=DejaVu Sans\r\nHeartSprite=heart.png\r\n"
    "DeathSprite=death.png\r\nNightTile=night.png\r\nTitleScreen=title.png\r\n"
    "[Colors]\r\nStatusBackRed=0\r\nStatusBackGreen=0\r\nStatusBackBlue=64\r\n"
    "StatusTextRed=255\r\nStatusTextGreen=255\r\nStatusTextBlue=255\r\nStatsBackRed=0\r\n"
    "StatsBackGreen=0\r\nStatsBackBlue=0\r\nStatsTextRed=255\r\nStatsTextGreen=255\r\n"
    "StatsTextBlue=0\r\n";

// A small mod that uses every kind of file: two maps of 10 x 8 joined by
// exits and warps, a monster, an animation, an object, event scripts, a
// script tile and an included library.
class CheckedMod {
public:
    CheckedMod() {
        Write("settings.ini", kSettings);
        Write("tiles/grass.png", MakePng(32, 32, 0x30A030));
        Write("tiles/stone.png", MakePng(32, 32, 0x808080));
        Write("sprites/hero.png", MakePng(128, 128, 0x2040C0));
        Write("sprites/slime.png", MakePng(128, 128, 0x20C040));
        Write("sprites/title.png", MakePng(320, 296, 0xC02020));
        Write("sprites/death.png", MakePng(8, 8, 0x000000));
        Write("sprites/night.png", MakePng(32, 32, 0x000020));
        Write("objects/heart.png", MakePng(16, 16, 0xFF0000));
        Write("objects/key.png", MakePng(16, 16, 0xFFD700));
        Write("animations/glow.png", MakePng(64, 16, 0xFFFF80));
        Write("sounds/swing.wav", MakeWav(100));
        Write("sounds/slime.wav", MakeWav(100));
        Write("monsters.ini",
              "Slime,slime.png,slime.wav,slime.wav,slime.wav,1,3,30,32,32,18,10,6,2,0\r\n");
        Write("animations.ini", "glow,glow.png,4,16,8,2\r\n");
        WriteMap("start", "ExitRight=second", Attributes({{8, 1, "W"}, {5, 5, "S"}, {7, 6, "1"}}),
                 "8,1,second,2,2\r\n");
        WriteMap("second", "ExitLeft=start", Attributes({{8, 6, "W"}}), "8,6,start,2,5\r\n");
        Write("maps/start.obl", "Key,key.png,4,4,0,0,0,0\r\n");
        Write("maps/start.ani", "glow,64,64,0\r\n");
        Write("maps/start_5_5.ds", "SetStatusText('You stand on a stone.')\r\n");
        Write("maps/start_enter.ds",
              "INCLUDEFILE ./mod/lib/common.ds\r\nIF GetPlayerHealth() < 5\r\n"
              "    SetStatusText('Careful!')\r\nENDIF\r\n");
        Write(
            "maps/second_tick.ds",
            "COUNT = COUNT + 1\r\nIF #FIRSTTICK = 1\r\n    SetSpeechText('Welcome')\r\nENDIF\r\n");
        Write("lib/common.ds", "IF READY <> 1\r\n    READY = 1\r\n    COUNT = 0\r\nENDIF\r\n");
        Write("global_monsterdie.ds",
              "KILLS = KILLS + 1\r\nCreateAnimation('glow', #MONSTERX, "
              "#MONSTERY, 1)\r\n");
        Write("global_grabitem.ds", "IF #ITEMNAME='Key'\r\n    HASKEY = 1\r\nENDIF\r\n");
    }

    void Write(const std::string& path, const std::string& text) const {
        folder_.Write("mod/" + path, text);
    }
    void Remove(const std::string& path) const {
        std::filesystem::remove(folder_.PathOf("mod/" + path));
    }
    void WriteMap(const std::string& name, const std::string& exit, const std::string& atl,
                  const std::string& wpl) const {
        Write("maps/" + name + ".ini", "[Properties]\r\nTitle=" + name + "\r\n" + exit + "\r\n");
        Write("maps/" + name + ".gtl", LayerText(10, 8, "grass"));
        Write("maps/" + name + ".btl", LayerText(10, 8, "."));
        Write("maps/" + name + ".ftl", LayerText(10, 16, "."));
        Write("maps/" + name + ".atl", atl);
        Write("maps/" + name + ".wpl", wpl);
    }

    // modcheck's lines, with the paths named from the mod's folder "mod".
    std::vector<std::string> Check() const {
        Diagnostics diagnostics;
        EXPECT_TRUE(modcheck::CheckMod(folder_.PathOf("mod"), diagnostics));
        std::vector<std::string> lines;
        for (std::string line : diagnostics.Messages()) {
            for (size_t at = line.find(folder_.Path() + "/"); at != std::string::npos;
                 at = line.find(folder_.Path() + "/"))
                line.erase(at, folder_.Path().size() + 1);
            lines.push_back(line);
        }
        return lines;
    }

private:
    TempFolder folder_;
};

// One mistake and the line that tells it.
struct Mistake {
    const char* what;
    std::vector<std::pair<const char*, std::string>> files;  // path, text ("" removes)
    std::string line;
};

void ExpectEachMistakeTold(const std::vector<Mistake>& mistakes) {
    for (const Mistake& mistake : mistakes) {
        SCOPED_TRACE(mistake.what);
        CheckedMod mod;
        for (const auto& [path, text] : mistake.files) {
            if (text.empty())
                mod.Remove(path);
            else
                mod.Write(path, text);
        }
        const std::vector<std::string> lines = mod.Check();
        EXPECT_NE(std::find(lines.begin(), lines.end(), mistake.line), lines.end())
            << "got:\n"
            << testing::PrintToString(lines);
    }
}

// settings.ini with `from` replaced by `to`.
std::string Settings(const std::string& from, const std::string& to) {
    std::string text = kSettings;
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(ModCheckTest, TheTestModAndVorn3CheckClean) {
    EXPECT_EQ(CheckedMod().Check(), std::vector<std::string>{});
    Diagnostics vorn3;
    ASSERT_TRUE(modcheck::CheckMod(std::string(VORN_SOURCE_DIR) + "/vorn3", vorn3));
    EXPECT_EQ(vorn3.Messages(), std::vector<std::string>{});
}

TEST(ModCheckTest, TheProgramPrintsTheLinesAndACountAndExitsByWhatItFound) {
    CheckedMod mod;
    TempFolder empty;
    std::ostringstream out, err;
    EXPECT_EQ(modcheck::RunModCheck({"--help"}, out, err), modcheck::kClean);
    EXPECT_NE(out.str().find("usage: modcheck [MODFOLDER]"), std::string::npos);
    EXPECT_EQ(modcheck::RunModCheck({empty.PathOf("nothing")}, out, err), modcheck::kUnreadable);
    EXPECT_NE(err.str().find("nothing: error: cannot read the folder"), std::string::npos);
    EXPECT_EQ(modcheck::RunModCheck({"a", "b"}, out, err), modcheck::kUnreadable);

    std::ostringstream report;
    EXPECT_EQ(modcheck::RunModCheck({std::string(VORN_SOURCE_DIR) + "/vorn3"}, report, err),
              modcheck::kClean);
    EXPECT_EQ(report.str(), "0 errors, 0 warnings\n");
    const std::string folder = empty.PathOf("broken");
    std::filesystem::create_directories(folder);
    std::ostringstream broken;
    EXPECT_EQ(modcheck::RunModCheck({folder}, broken, err), modcheck::kErrors);
    EXPECT_EQ(broken.str(), folder +
                                "/settings.ini: error: file not found (the game looks for it in " +
                                folder + ")\n1 errors, 0 warnings\n");
}

TEST(ModCheckTest, SettingsMistakes) {
    FontFinder fonts;
    const std::string substitute = fonts.MatchedFamily("No Such Face");
    ExpectEachMistakeTold({
        {"no file",
         {{"settings.ini", ""}},
         "mod/settings.ini: error: file not found (the game looks for it in mod)"},
        {"a group in lower case",
         {{"settings.ini", Settings("[Settings]", "[settings]")}},
         "mod/settings.ini:1: error: the group is written [settings], but group names are "
         "case-sensitive: write [Settings]"},
        {"a misspelt key",
         {{"settings.ini", Settings("TileWidth=", "TileWidht=")}},
         "mod/settings.ini:11: error: unknown key `TileWidht` in [Settings]; did you mean "
         "`TileWidth`?"},
        {"a longer key first",
         {{"settings.ini", Settings("PlayerClipX=20", "PlayerClipXY=3\r\nPlayerClipX=20")}},
         "mod/settings.ini:16: error: `PlayerClipXY=3` also answers the lookup of PlayerClipX, "
         "since keys are matched as prefixes: write the PlayerClipX line above it"},
        {"a size of 0",
         {{"settings.ini", Settings("ScreenWidth=10", "ScreenWidth=0")}},
         "mod/settings.ini:10: error: ScreenWidth is not above 0: the window cannot open"},
        {"text in a number",
         {{"settings.ini", Settings("TickMs=500", "TickMs=fast")}},
         "mod/settings.ini:43: error: TickMs must be a whole number; `fast` is read as 0"},
        {"a missing picture",
         {{"settings.ini", Settings("hero.png", "hro.png")}},
         "mod/settings.ini:23: error: picture `hro.png` not found in mod/sprites/; did you mean "
         "`hero.png`?"},
        {"a missing sound",
         {{"settings.ini", Settings("WarpSound=swing.wav", "WarpSound=warp.wav")}},
         "mod/settings.ini:28: error: sound `warp.wav` not found in mod/sounds/"},
        {"a font face not installed",
         {{"settings.ini", Settings("FontName=DejaVu Sans", "FontName=No Such Face")}},
         "mod/settings.ini:44: warning: the font face `No Such Face` is not installed here: the "
         "text is drawn with `" +
             substitute + "`"},
        {"a start map that is not there",
         {{"settings.ini", Settings("StartMap=start", "StartMap=strat")}},
         "mod/settings.ini:18: error: StartMap `strat` cannot be loaded: mod/maps/strat.gtl does "
         "not exist; did you mean `start`?"},
        {"a start outside the map",
         {{"settings.ini", Settings("StartX=3", "StartX=10")}},
         "mod/settings.ini:19: error: the start tile (StartX 10, StartY 2) is outside the map of "
         "10 x 8 tiles"},
        {"a start on a wall",
         {{"maps/start.atl", Attributes({{3, 3, "X"}, {8, 1, "W"}, {5, 5, "S"}})}},
         "mod/settings.ini:19: error: the start tile (3, 2) of `start` puts the player's clip box "
         "on an `X` cell (touching counts): it cannot move from there"},
        {"a clip box as wide as a tile",
         {{"settings.ini", Settings("PlayerClipX=20", "PlayerClipX=31")}},
         "mod/settings.ini:16: warning: the player's clip box (PlayerClipX 31) cannot pass "
         "between walls one tile apart (TileWidth 32 less 2, as touching counts as overlapping)"},
        {"a title prompt below the window",
         {{"settings.ini", Settings("StatusBarHeight=40", "StatusBarHeight=0")}},
         "mod/settings.ini:8: warning: the title screen's prompt is drawn at y = MapHeight x "
         "TileHeight = 256, below the window (256 pixels high): players do not see how to start"},
        {"a player sheet too small",
         {{"settings.ini", Settings("PlayerWidth=32", "PlayerWidth=64")}},
         "mod/settings.ini:23: error: PlayerSprite: frames outside the sheet: 128 x 128 pixels "
         "hold less than 4 facings of 4 frames (MoveFrameCount + AttackFrameCount) of 64 x 32, "
         "which need 256 x 128"},
    });
}

TEST(ModCheckTest, MapMistakes) {
    ExpectEachMistakeTold({
        {"no attribute layer",
         {{"maps/second.atl", ""}},
         "mod/maps/second.atl: error: file not found, so the map `second` cannot be loaded"},
        {"no background layer",
         {{"maps/second.btl", ""}},
         "mod/maps/second.btl: warning: no such file, so the map has no background layer and its "
         "cells keep the background tiles of the map entered before; write a file of `.` to "
         "have none"},
        {"rows missing",
         {{"maps/second.gtl", LayerText(10, 5, "grass")}},
         "mod/maps/second.gtl: error: 5 rows where the map has 8 (MapHeight): the cells of the "
         "missing rows keep what the map entered before left in them"},
        {"a short row",
         {{"maps/second.btl", ". . .\r\n" + LayerText(10, 7, ".")}},
         "mod/maps/second.btl:1: error: row 1 has 3 fields where the map has 10 columns "
         "(MapWidth): the cells past its end are left empty"},
        {"a blank at a row's end",
         {{"maps/second.btl", LayerText(10, 7, ".") + ". . . . . . . . . . \r\n"}},
         "mod/maps/second.btl:8: warning: row 8 has 11 fields where the map has 10 columns "
         "(MapWidth): the blank at its end makes an empty last field"},
        {"two blanks in a row",
         {{"maps/second.btl", ".  . . . . . . . . .\r\n" + LayerText(10, 7, ".")}},
         "mod/maps/second.btl:1: error: row 1 has 11 fields where the map has 10 columns "
         "(MapWidth): two blanks in a row make an empty field and shift the rest of the row"},
        {"an unknown tile",
         {{"maps/second.gtl", "gras" + LayerText(10, 8, "grass").substr(5)}},
         "mod/maps/second.gtl:1: error: no tile `gras` (first in column 1; write `.` for no "
         "tile); did you mean `grass`?"},
        {"an attribute in lower case",
         {{"maps/second.atl", Attributes({{8, 6, "W"}, {4, 4, "x"}})}},
         "mod/maps/second.atl:5: warning: unknown attribute `x` (first in column 5): the cell is "
         "free; did you mean `X`? (attributes are case-sensitive)"},
        {"a monster type that is not there",
         {{"maps/second.atl", Attributes({{8, 6, "W"}, {4, 4, "2"}})}},
         "mod/maps/second.atl:5: error: monster type 2 is not in monsters.ini, which has 1 type "
         "(one per line): nothing spawns there"},
        {"an object line short of fields",
         {{"maps/start.obl", "Key,key.png,4,4\r\n"}},
         "mod/maps/start.obl:1: error: 4 fields where a line has 8: name, picture, column, row, "
         "damage, health, speed, heal amount"},
        {"an object's picture missing",
         {{"maps/start.obl", "Key,kye.png,4,4,0,0,0,0\r\n"}},
         "mod/maps/start.obl:1: error: picture `kye.png` not found in mod/objects/; did you mean "
         "`key.png`?"},
        {"an object off the map",
         {{"maps/start.obl", "Key,key.png,12,4,0,0,0,0\r\n"}},
         "mod/maps/start.obl:1: error: `Key` lies on column 12, row 4, outside the map of 10 x 8 "
         "tiles: it cannot be picked up"},
        {"a warp to a map that is not there",
         {{"maps/start.wpl", "8,1,secnd,2,2\r\n"}},
         "mod/maps/start.wpl:1: error: warp target map `secnd` cannot be loaded: "
         "mod/maps/secnd.gtl does not exist; did you mean `second`?"},
        {"a warp target off the map",
         {{"maps/start.wpl", "8,1,second,2,9\r\n"}},
         "mod/maps/start.wpl:1: error: the target tile (2, 9) is outside `second`, a map of 10 x "
         "8 tiles"},
        {"a warp target on a wall",
         {{"maps/second.atl", Attributes({{8, 6, "W"}, {2, 3, "X"}})}},
         "mod/maps/start.wpl:1: error: the warp target (2, 2) of `second` puts the player's clip "
         "box on an `X` cell (touching counts): it cannot move from there"},
        {"a warp target on a warp",
         {{"maps/start.wpl", "8,1,second,8,6\r\n"}},
         "mod/maps/start.wpl:1: warning: the warp target (8, 6) of `second` is on a warp, which "
         "sends the player on at once; arrive beside it"},
        {"a warp cell not marked W",
         {{"maps/start.atl", Attributes({{5, 5, "S"}, {7, 6, "1"}})}},
         "mod/maps/start.wpl:1: warning: the warp's tile (8, 1) is not marked `W` in "
         "mod/maps/start.atl, so monsters walk onto it"},
        {"a W cell without a warp",
         {{"maps/second.atl", Attributes({{8, 6, "W"}, {1, 1, "W"}})}},
         "mod/maps/second.atl:2: warning: the `W` cell in column 2 has no warp in "
         "mod/maps/second.wpl"},
        {"an animation that is not defined",
         {{"maps/start.ani", "glwo,64,64,0\r\n"}},
         "mod/maps/start.ani:1: error: no animation `glwo` in animations.ini; did you mean "
         "`glow`?"},
        {"an animation line short of fields",
         {{"maps/start.ani", "glow,64\r\n"}},
         "mod/maps/start.ani:1: error: 2 fields where a line has 4: animation name, x, y (map "
         "pixels), play once (0 or 1)"},
        {"an exit to a map that is not there",
         {{"maps/second.ini", "[Properties]\r\nTitle=second\r\nExitLeft=stat\r\n"}},
         "mod/maps/second.ini:3: error: ExitLeft `stat` cannot be loaded: mod/maps/stat.gtl does "
         "not exist; did you mean `start`?"},
        {"an exit that arrives on a wall",
         {{"maps/second.atl", Attributes({{8, 6, "W"}, {0, 4, "X"}, {0, 5, "X"}})}},
         "mod/maps/start.ini:3: warning: in rows 4, 5 and 6 the player can walk off the right edge "
         "but arrives on a wall at the left edge of `second` (an exit keeps the other "
         "coordinate)"},
        {"a longer key first in a map",
         {{"maps/second.ini",
           "[Properties]\r\nSpeechTextY=30\r\nSpeechText=Hi\r\nExitLeft=start\r\n"}},
         "mod/maps/second.ini:2: error: `SpeechTextY=30` also answers the lookup of SpeechText, "
         "since keys are matched as prefixes: write the SpeechText line above it"},
        {"a map's music missing",
         {{"maps/second.ini", "[Properties]\r\nMusic=song.wav\r\nExitLeft=start\r\n"}},
         "mod/maps/second.ini:2: error: sound `song.wav` not found in mod/sounds/; did you mean "
         "`swing.wav`?"},
        {"a script tile without its script",
         {{"maps/start_5_5.ds", ""}},
         "mod/maps/start.atl:6: error: the script tile in column 6 has no script "
         "mod/maps/start_5_5.ds: walking over it does nothing"},
        {"a tile script of a cell that is not S",
         {{"maps/start_4_5.ds", "X=1\r\n"}},
         "mod/maps/start_4_5.ds: warning: the cell in column 5, row 6 of `start` is not `S`, so "
         "this script never runs"},
        {"a misnamed event script",
         {{"maps/start_entr.ds", "X=1\r\n"}},
         "mod/maps/start_entr.ds: warning: no event or script tile runs this file; did you mean "
         "`start_enter.ds`?"},
        {"a map file of no map",
         {{"maps/strat.obl", "Key,key.png,4,4,0,0,0,0\r\n"}},
         "mod/maps/strat.obl: warning: no map reads this file: there is no strat.gtl; did you "
         "mean `start`?"},
    });
}

TEST(ModCheckTest, MonsterAndAnimationMistakes) {
    const std::string slime =
        "Slime,slime.png,slime.wav,slime.wav,slime.wav,1,3,30,32,32,18,10,6,2,0\r\n";
    ExpectEachMistakeTold({
        {"a monster line short of fields",
         {{"monsters.ini", "Bat,bat.png,1,2\r\n"}},
         "mod/monsters.ini:1: error: 4 fields where a monster has 15: name, graphic, attack "
         "sound, hit sound, death sound, damage, health, speed, frame width, frame height, clip "
         "width, clip height, death duration, item drop rate, friendly"},
        {"an empty line among the monsters",
         {{"monsters.ini", "\r\n" + slime}},
         "mod/monsters.ini:1: error: an empty line is a monster type too (without name or "
         "numbers), so every type below it has a number one higher"},
        {"a monster's picture missing",
         {{"sprites/slime.png", ""}},
         "mod/monsters.ini:1: error: picture `slime.png` not found in mod/sprites/"},
        {"a monster sheet too small",
         {{"sprites/slime.png", MakePng(64, 128, 0x20C040)}},
         "mod/monsters.ini:1: error: Slime: frames outside the sheet: 64 x 128 pixels hold less "
         "than 4 facings of 4 frames (MoveFrameCount + AttackFrameCount) of 32 x 32, which need "
         "128 x 128"},
        {"a monster without a frame size",
         {{"monsters.ini",
           "Slime,slime.png,slime.wav,slime.wav,slime.wav,1,3,30,0,32,18,10,6,2,0\r\n"}},
         "mod/monsters.ini:1: error: Slime: the frame width and height must be above 0 (they "
         "are 0 and 32)"},
        {"an animation line short of fields",
         {{"animations.ini", "glow,glow.png,4,16\r\n"}},
         "mod/animations.ini:1: error: 4 fields where an animation has 6: name, picture, frame "
         "count, frame width, frames per second, draw stage"},
        {"animation frames outside the strip",
         {{"animations.ini", "glow,glow.png,5,16,8,2\r\n"}},
         "mod/animations.ini:1: error: `glow`: frames outside the strip: 5 frames of 16 pixels "
         "need 80, the picture is 64 wide"},
        {"an animation at 0 frames per second",
         {{"animations.ini", "glow,glow.png,4,16,0,2\r\n"}},
         "mod/animations.ini:1: error: `glow`: frames per second must be above 0, or the "
         "animation never moves"},
        {"an animation drawn at no stage",
         {{"animations.ini", "glow,glow.png,4,16,8,5\r\n"}},
         "mod/animations.ini:1: error: `glow`: draw stage 5 is never drawn; the stages are 1 to 4"},
        {"an animation defined twice",
         {{"animations.ini", "glow,glow.png,4,16,8,2\r\nGLOW,glow.png,4,16,8,3\r\n"}},
         "mod/animations.ini:2: warning: `GLOW`: defined a second time; the first definition is "
         "used (names ignore case)"},
        {"pixels nearly transparent",
         {{"objects/key.png", MakePng(2, 2, 0x08FAF6)}},
         "mod/objects/key.png: warning: 4 pixels are nearly the transparent cyan but not quite "
         "(the first at 0, 0 is 8, 250, 246): they are drawn, as a fringe; make them 0, 255, 255 "
         "exactly"},
    });
}

// Scripts of the test mod with one line changed: the enter script of
// "start" (an enter event: no preset constants) unless said otherwise.
TEST(ModCheckTest, ScriptMistakes) {
    const char* enter = "maps/start_enter.ds";
    auto script = [enter](const std::string& text) {
        return std::vector<std::pair<const char*, std::string>>{{enter, "; checked\r\n" + text}};
    };
    ExpectEachMistakeTold({
        {"an unknown command", script("SetStatusTxt('x')\r\n"),
         "mod/maps/start_enter.ds:2: error: unknown command `SetStatusTxt`; did you mean "
         "`SetStatusText`?"},
        {"an unknown function", script("T0 = GetTiem()\r\n"),
         "mod/maps/start_enter.ds:2: error: unknown function `GetTiem`: the text `GetTiem(`... "
         "is kept as it stands; did you mean `GetTime`?"},
        {"a command given too many arguments", script("SetStatusText('a', 'b')\r\n"),
         "mod/maps/start_enter.ds:2: error: `SetStatusText` takes 1 argument, 2 given"},
        {"a call given too few arguments", script("X = Mid('abc', 1)\r\n"),
         "mod/maps/start_enter.ds:2: error: `Mid` takes 3 arguments, 2 given"},
        {"arguments to a command that takes none", script("X = GetTime(5)\r\n"),
         "mod/maps/start_enter.ds:2: error: `GetTime` takes no arguments, 1 given"},
        {"a call without its )", script("X = Abs(3\r\n"),
         "mod/maps/start_enter.ds:2: error: `Abs(` has no closing `)`"},
        {"a command line without its )", script("SetStatusText('x'\r\n"),
         "mod/maps/start_enter.ds:2: error: a `(` has no closing `)`"},
        {"a ) too many", script("X = (1 + 2))\r\n"),
         "mod/maps/start_enter.ds:2: error: a `)` closes no `(`"},
        {"a string without its end", script("SetStatusText('x)\r\n"),
         "mod/maps/start_enter.ds:2: error: a string has no closing `'`"},
        {"an apostrophe in a string", script("SetStatusText('It's late')\r\n"),
         "mod/maps/start_enter.ds:2: error: the apostrophe in `It's` ends the string: a string "
         "cannot hold a `'` (there is no escape)"},
        {"an IF without ENDIF", script("IF GetPlayerHealth() = 1\r\nX = 1\r\n"),
         "mod/maps/start_enter.ds:2: error: IF without ENDIF: when its condition is false the "
         "script stops with `Syntax error: Expected 'ENDIF'`"},
        {"an ELSE without IF", script("ELSE\r\n"),
         "mod/maps/start_enter.ds:2: error: ELSE without IF"},
        {"an ENDIF without IF", script("ENDIF\r\n"),
         "mod/maps/start_enter.ds:2: error: ENDIF without IF"},
        {"a WEND without WHILE", script("WEND\r\n"),
         "mod/maps/start_enter.ds:2: error: WEND without WHILE: the script stops here with "
         "`Syntax error: Expected 'WHILE'`"},
        {"a WHILE without WEND", script("WHILE GetTime() < 5\r\n"),
         "mod/maps/start_enter.ds:2: error: WHILE without WEND: when its condition is false the "
         "script stops with `Syntax error: Expected 'WEND'`"},
        {"blocks that cross",
         script("WHILE GetTime() < 5\r\nIF GetTime() = 1\r\nWEND\r\nENDIF\r\n"),
         "mod/maps/start_enter.ds:4: error: WEND inside the IF of line 3: the blocks cross "
         "(close the IF with ENDIF first)"},
        {"an ELSEIF after ELSE",
         script("IF GetTime() = 1\r\nELSE\r\nELSEIF GetTime() = 2\r\nENDIF\r\n"),
         "mod/maps/start_enter.ds:4: error: ELSEIF after the ELSE of the IF of line 2 is never "
         "reached"},
        {"a condition without a comparison", script("IF GetTime()\r\nENDIF\r\n"),
         "mod/maps/start_enter.ds:2: error: IF without a comparison (=, <>, <, >, <=, >=): the "
         "script stops here with `Syntax error: Invalid operator found in expression`"},
        {"a second = in a condition", script("IF GetStatusText()='a=b'\r\nENDIF\r\n"),
         "mod/maps/start_enter.ds:2: warning: the condition holds a second `=`, which cuts it "
         "short: the right side compared is `'a`"},
        {"blanks around a text comparison", script("IF GetStatusText() = 'a'\r\nENDIF\r\n"),
         "mod/maps/start_enter.ds:2: warning: the blanks around `=` are part of the texts "
         "compared, so `GetStatusText() = 'a'` compares `GetStatusText() ` with ` 'a'`; write "
         "them without blanks"},
        {"a GOTO without its label", script("GOTO done\r\nLABEL  done\r\n"),
         "mod/maps/start_enter.ds:2: error: GOTO done: no line `LABEL done` (written with one "
         "blank), so the script does not load"},
        {"an include that is not there", script("INCLUDEFILE ./mod/lib/gone.ds\r\n"),
         "mod/maps/start_enter.ds:2: error: INCLUDEFILE `./mod/lib/gone.ds`: the file cannot "
         "be read (the path is taken from the folder the game is started in)"},
        {"an include of itself", script("INCLUDEFILE ./mod/maps/start_enter.ds\r\n"),
         "mod/maps/start_enter.ds:2: warning: INCLUDEFILE `./mod/maps/start_enter.ds` includes "
         "a file that is being read already (a cycle); it is left out"},
        {"a script too long", script(LayerText(1, 500, "X=1")),
         "mod/maps/start_enter.ds: error: the script has 500 lines without its comments and "
         "blank lines (included files counted); a script may have 499"},
        {"an argument of the wrong type", script("SetPlayerX('left')\r\n"),
         "mod/maps/start_enter.ds:2: error: SetPlayerX: argument 1 must be a number, not the "
         "string `left`"},
        {"a command without parentheses", script("SetStatusText 'x'\r\n"),
         "mod/maps/start_enter.ds:2: error: `SetStatusText` needs its arguments in parentheses: "
         "SetStatusText(...)"},
        {"a # in a string", script("SetStatusText('#1 hit')\r\n"),
         "mod/maps/start_enter.ds:2: warning: a `#` inside a string starts a constant's name all "
         "the same: when nothing is named so, the line stops"},
        {"a call inside a string", script("SetStatusText('Press GetTime()')\r\n"),
         "mod/maps/start_enter.ds:2: warning: `GetTime()` inside a string is run as a call all "
         "the same"},
        {"a constant the event does not set", script("X = #PLAYERX\r\n"),
         "mod/maps/start_enter.ds:2: error: `#PLAYERX` is not set in an enter script (the line "
         "stops with an evaluation error)"},
        {"an unknown constant", script("X = #PLAYRX\r\n"),
         "mod/maps/start_enter.ds:2: error: unknown constant `#PLAYRX`; did you mean "
         "`PLAYERX`? (the line stops with an evaluation error)"},
        {"a constant in small letters",
         {{"global_monsterdie.ds", "X = #monsterx\r\n"}},
         "mod/global_monsterdie.ds:1: error: constants are written in capitals: `#MONSTERX` "
         "(the line stops with an evaluation error)"},
        {"a loop nothing ends", script("I = 0\r\nWHILE I < 3\r\nJ = I\r\nWEND\r\n"),
         "mod/maps/start_enter.ds:3: warning: nothing in the loop changes I (or any variable its "
         "condition reads): once true, it runs for ever"},
        {"a variable no script assigns", script("X = SCORE + 1\r\n"),
         "mod/maps/start_enter.ds:2: warning: no script assigns SCORE, so the name stays in the "
         "text as it is written"},
        {"a command read as a variable", script("X = GetTime\r\n"),
         "mod/maps/start_enter.ds:2: warning: `GetTime` without `()` is no call: write GetTime()"},
        {"a number as a variable", script("5 = 3\r\n"),
         "mod/maps/start_enter.ds:2: error: `5` is a number, not a variable's name"},
        {"a blank after = in a string assignment", script("NAME = 'Bob'\r\n"),
         "mod/maps/start_enter.ds:2: warning: the blank after `=` becomes part of the text "
         "stored in NAME; write NAME='Bob' if the text is compared later"},
        {"a LoadMap of a map that is not there", script("LoadMap('secnd')\r\n"),
         "mod/maps/start_enter.ds:2: error: LoadMap `secnd` cannot be loaded: "
         "mod/maps/secnd.gtl does not exist; did you mean `second`?"},
        {"FREE without a name", script("FREE\r\n"),
         "mod/maps/start_enter.ds:2: warning: FREE without a variable's name does nothing"},
    });
}

}  // namespace
}  // namespace vorn

#include "tests/game/support/ShellFixtures.h"

#include <filesystem>
#include <sstream>

#include "game/shell/GameShell.h"

namespace vorn::test {

namespace {

const char* const kSettingsLines[] = {
    "GameTitle=Test Quest",
    "MapWidth=10",
    "AIChangeFrequency=1000",
    "AIVisionWidth=64",
    "AIVisionLength=128",
    "DebugMode=0",
    "MapHeight=8",
    "ScreenHeight=8",
    "ScreenWidth=10",
    "TileWidth=32",
    "TileHeight=32",
    "LengthOfDay=0",
    "PlayerWidth=32",
    "PlayerHeight=32",
    "PlayerClipX=20",
    "PlayerClipY=16",
    "StartMap=start",
    "StartX=3",
    "StartY=2",
    "StartHealth=10",
    "StartDamage=2",
    "PlayerSprite=player.png",
    "PlayerAttackSound=",
    "PlayerMoveSound=",
    "PlayerDeathSound=",
    "PlayerHitSound=",
    "WarpSound=",
    "MoveFrameCount=2",
    "AttackFrameCount=2",
    "PlayerAttackDelay=300",
    "MonsterAttackDelay=500",
    "AnimationSpeed=100",
    "PlayerStartSpeed=64",
    "MapTextSpeed=20",
    "FontSize=12",
    "StatusFontSize=10",
    "StatusTextOffset=4",
    "StatusBarHeight=40",
    "StatusHealthChar=*",
    "PlayerRecoilAmount=8",
    "PlayerRecoilSpeed=64",
    "TickMs=0",
    "FontName=Sans",
    "StatusFontName=Sans",
    "HeartSprite=heart.png",
    "DeathSprite=death.png",
    "NightTile=night.png",
    "TitleScreen=title.png",
};

const char* const kColorLines[] = {
    "StatusBackRed=0",     "StatusBackGreen=0",  "StatusBackBlue=64",  "StatusTextRed=255",
    "StatusTextGreen=255", "StatusTextBlue=255", "StatsBackRed=0",     "StatsBackGreen=0",
    "StatsBackBlue=0",     "StatsTextRed=255",   "StatsTextGreen=255", "StatsTextBlue=0",
};

std::string KeyOf(const std::string& line) {
    return line.substr(0, line.find('='));
}

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

}  // namespace

std::string MinimalSettings(const std::vector<std::string>& overrides) {
    std::vector<std::string> lines(std::begin(kSettingsLines), std::end(kSettingsLines));
    for (const std::string& entry : overrides) {
        bool replaced = false;
        for (std::string& line : lines) {
            if (KeyOf(line) == KeyOf(entry)) {
                line = entry;
                replaced = true;
            }
        }
        if (!replaced)
            lines.push_back(entry);
    }
    std::string text = "[Settings]\r\n" + JoinLines(lines) + "[Colors]\r\n";
    for (const char* line : kColorLines)
        text += std::string(line) + "\r\n";
    return text;
}

std::vector<std::string> UniformRows(int width, int height, const std::string& cell) {
    std::string row;
    for (int x = 0; x < width; ++x)
        row += (x == 0 ? "" : " ") + cell;
    return std::vector<std::string>(static_cast<size_t>(height), row);
}

void WriteMap(const TempFolder& folder, const std::string& name,
              const std::vector<std::string>& attributeRows,
              const std::vector<std::string>& properties) {
    std::vector<std::string> ini = {"[Properties]"};
    bool hasTitle = false;
    for (const std::string& line : properties)
        hasTitle |= KeyOf(line) == "Title";
    if (!hasTitle)
        ini.push_back("Title=" + name);
    ini.insert(ini.end(), properties.begin(), properties.end());
    const std::string base = "maps/" + name;
    folder.Write(base + ".ini", JoinLines(ini));
    folder.Write(base + ".gtl", JoinLines(UniformRows(10, 8, "grass")));
    folder.Write(base + ".atl", JoinLines(attributeRows));
}

void WriteMinimalMod(const TempFolder& folder, const std::vector<std::string>& settingOverrides) {
    folder.Write("settings.ini", MinimalSettings(settingOverrides));
    folder.Write("tiles/grass.png", MakePng(32, 32, 0x30A030));
    folder.Write("tiles/wall.png", MakePng(32, 32, 0x806040));
    folder.Write("sprites/player.png", MakePng(64, 128, 0x2040C0));
    folder.Write("sprites/title.png", MakePng(320, 256, 0xC02020));
    folder.Write("sprites/death.png", MakePng(8, 8, 0x000000));
    folder.Write("sprites/night.png", MakePng(32, 32, 0x000020));
    folder.Write("objects/heart.png", MakePng(16, 16, 0xFF0000));
    folder.Write("monsters.ini", "");
    WriteMap(folder, "start", UniformRows(10, 8, "0"));
    WriteMap(folder, "second", UniformRows(10, 8, "0"));
}

std::string ModArgument(const std::string& path) {
    return std::filesystem::relative(path, std::filesystem::current_path()).string();
}

ShellGame::ShellGame(const std::vector<std::string>& settingOverrides) {
    WriteMinimalMod(folder, settingOverrides);
}

bool ShellGame::StartUp() {
    const std::string argument = ModArgument(folder.Path());
    const char* argv[] = {"game", argument.c_str()};
    return vorn::StartUp(game, 2, argv);
}

bool ShellGame::StartNewGame() {
    if (!StartUp())
        return false;
    media.SetKeyDown(keys::Space, true);
    RunTitleScreen(game);
    media.SetKeyDown(keys::Space, false);
    return !game.ended;
}

std::string ShellGame::Variable(const std::string& name) {
    const ScriptVariable* variable = game.script.GetSymbol(name);
    return variable != nullptr ? variable->value : "<unset>";
}

CallResult CallCommand(Game& game, const std::string& name, const std::string& arguments) {
    CallResult result;
    result.code = game.script.CallCommand(name, arguments);
    if (const ScriptVariable* ret = game.script.GetSymbol("RET")) {
        result.ret = ret->value;
        result.retType = ret->type;
    }
    return result;
}

std::string StateSnapshot(const Game& game) {
    std::ostringstream out;
    const Player& p = game.player;
    out << "player " << p.Health << ' ' << p.MaxHealth << ' ' << p.X << ' ' << p.Y << ' '
        << p.Damage << ' ' << p.Speed << ' ' << int{p.Attacking} << '\n';
    const MapInfo& m = game.map->info;
    out << "map " << m.Name << '|' << m.Title << '|' << m.SpeechText << '|' << m.SpeechTextY << ' '
        << int{m.AlwaysDay} << ' ' << int{m.AlwaysNight} << '\n';
    for (const ObjectType& o : game.map->objects) {
        out << "object " << o.Name << ' ' << o.Damage << ' ' << o.Health << ' ' << o.Speed << ' '
            << o.HealAmount << '\n';
    }
    for (const Monster& mo : game.map->monsters) {
        out << "monster " << mo.ID << ' ' << mo.X << ' ' << mo.Y << ' ' << int{mo.Friendly} << ' '
            << int{mo.FoundPlayer} << ' ' << mo.DeathDuration << '\n';
    }
    for (const MapCell& cell : game.map->grid.Cells())
        out << cell.Attribute << ',';
    out << "\nstatus " << game.StatusText << " texts " << game.screenTexts.size() << " animations "
        << game.map->animations.size() << " time " << game.clock.TimeOfDay << " debug "
        << game.settings.DebugMode << " inventory " << game.inventory.size() << " ended "
        << game.ended << '\n';
    return out.str();
}

}  // namespace vorn::test

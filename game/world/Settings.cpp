// Reading settings.ini. Every key is looked up on its own (the file is opened
// afresh each time) in the fixed order below; sound keys load their sound the
// moment they are read, so sound handles are handed out in key order.
#include "game/world/Settings.h"

#include <filesystem>
#include <system_error>

#include "common/IniCheck.h"
#include "common/TextPrimitives.h"
#include "game/world/Assets.h"
#include "game/world/WorldMath.h"

namespace vorn {

namespace {

// Looks up keys of one group of the game's settings file.
class SettingsReader {
public:
    // Reads the settings file first when it is not the mod folder's yet
    // (ReadGameSettings reads it afresh).
    SettingsReader(Game& game, std::string group) : game_(game), group_(std::move(group)) {
        const std::string path = game.ModFolder + "/settings.ini";
        if (game.settingsFile.Path() != path)
            game.settingsFile.Load(path);
    }

    std::string Text(std::string_view key) const { return game_.settingsFile.Text(group_, key); }
    int32_t Int(std::string_view key) const { return game_.settingsFile.Number(group_, key); }
    SoundHandle Sound(std::string_view key) const {
        const IniAnswer answer = game_.settingsFile.Find(group_, key);
        return LoadNamedSound(game_, answer.value, game_.settingsFile.Path(), answer.line);
    }
    // The key was read with the others; the picture loads now.
    SpriteHandle Sprite(std::string_view folder, std::string_view key) const {
        const IniAnswer answer = game_.settingsFile.Peek(group_, key);
        return LoadNamedPicture(game_, game_.ModFolder + std::string(folder), answer.value,
                                game_.settingsFile.Path(), answer.line);
    }

private:
    Game& game_;
    std::string group_;
};

}  // namespace

std::string ModFolderFromArguments(int argc, const char* const* argv) {
    if (argc >= 2 && argv != nullptr && argv[1] != nullptr) {
        return std::string("./") + argv[1];
    }
    return "./vorn3";
}

void ReadGameSettings(Game& game) {
    game.settingsFile.Load(game.ModFolder + "/settings.ini");
    const SettingsReader read(game, "Settings");
    GameSettings& s = game.settings;
    s.GameTitle = read.Text("GameTitle");
    s.MapWidth = read.Int("MapWidth");
    s.AIChangeFrequency = read.Int("AIChangeFrequency");
    s.AIVisionWidth = read.Int("AIVisionWidth");
    s.AIVisionLength = read.Int("AIVisionLength");
    s.DebugMode = read.Int("DebugMode");
    s.MapHeight = read.Int("MapHeight");
    s.ScreenHeight = read.Int("ScreenHeight");
    s.ScreenWidth = read.Int("ScreenWidth");
    s.TileWidth = read.Int("TileWidth");
    s.TileHeight = read.Int("TileHeight");
    s.LengthOfDay = read.Int("LengthOfDay");
    s.PlayerWidth = read.Int("PlayerWidth");
    s.PlayerHeight = read.Int("PlayerHeight");
    s.PlayerClipX = read.Int("PlayerClipX");
    s.PlayerClipY = read.Int("PlayerClipY");
    s.StartMap = read.Text("StartMap");
    s.StartX = read.Int("StartX");
    s.StartY = read.Int("StartY");
    s.StartHealth = read.Int("StartHealth");
    s.StartDamage = read.Int("StartDamage");
    s.PlayerSprite = read.Text("PlayerSprite");
    s.PlayerAttackSound = read.Sound("PlayerAttackSound");
    s.PlayerMoveSound = read.Sound("PlayerMoveSound");
    s.PlayerDeathSound = read.Sound("PlayerDeathSound");
    s.PlayerHitSound = read.Sound("PlayerHitSound");
    s.WarpSound = read.Sound("WarpSound");
    s.MoveFrameCount = read.Int("MoveFrameCount");
    s.AttackFrameCount = read.Int("AttackFrameCount");
    s.PlayerAttackDelay = read.Int("PlayerAttackDelay");
    s.MonsterAttackDelay = read.Int("MonsterAttackDelay");
    s.AnimationSpeed = read.Int("AnimationSpeed");
    s.PlayerStartSpeed = read.Int("PlayerStartSpeed");
    s.MapTextSpeed = read.Int("MapTextSpeed");

    s.ScreenPixelWidth = WrappingMultiply(s.ScreenWidth, s.TileWidth);
    s.ScreenPixelHeight = WrappingMultiply(s.ScreenHeight, s.TileHeight);

    s.FontSize = read.Int("FontSize");
    s.StatusFontSize = read.Int("StatusFontSize");
    s.StatusTextOffset = read.Int("StatusTextOffset");
    s.StatusBarHeight = read.Int("StatusBarHeight");
    s.StatusHealthChar = read.Text("StatusHealthChar");
    s.PlayerRecoilAmount = read.Int("PlayerRecoilAmount");
    s.PlayerRecoilSpeed = read.Int("PlayerRecoilSpeed");
    s.TickMs = read.Int("TickMs");

    s.HalfScreenPixelWidth = s.ScreenPixelWidth / 2;
    s.HalfScreenPixelHeight = s.ScreenPixelHeight / 2;
    s.HalfPlayerWidth = s.PlayerWidth / 2;
    s.HalfPlayerHeight = s.PlayerHeight / 2;

    // Read now, used later: the fonts load before the window opens and the
    // shared pictures after it (LoadSharedSprites). So every key the game
    // reads has been asked for when the file is checked.
    s.FontName = read.Text("FontName");
    s.StatusFontName = read.Text("StatusFontName");
    for (const char* key : {"HeartSprite", "DeathSprite", "NightTile", "TitleScreen"})
        read.Text(key);
}

// Health, damage, speed and position from the settings; every other field 0.
void PlaceNewPlayer(Game& game) {
    const GameSettings& s = game.settings;
    Player& player = game.player;
    player = Player{};
    player.X = static_cast<float>(int64_t{s.TileWidth} * s.StartX);
    player.Y = static_cast<float>(int64_t{s.TileHeight} * s.StartY);
    player.Health = s.StartHealth;
    player.MaxHealth = s.StartHealth;
    player.Damage = s.StartDamage;
    player.Sprite = LoadNamedPicture(game, game.ModFolder + "/sprites/", s.PlayerSprite,
                                     game.settingsFile.Path(),
                                     game.settingsFile.Peek("Settings", "PlayerSprite").line);
    player.Speed = s.PlayerStartSpeed;
}

void ReadGameColors(Game& game) {
    const SettingsReader read(game, "Colors");
    GameColors& c = game.colors;
    c.StatusBackRed = read.Int("StatusBackRed");
    c.StatusBackGreen = read.Int("StatusBackGreen");
    c.StatusBackBlue = read.Int("StatusBackBlue");
    c.StatusTextRed = read.Int("StatusTextRed");
    c.StatusTextGreen = read.Int("StatusTextGreen");
    c.StatusTextBlue = read.Int("StatusTextBlue");
    c.StatsBackRed = read.Int("StatsBackRed");
    c.StatsBackGreen = read.Int("StatsBackGreen");
    c.StatsBackBlue = read.Int("StatsBackBlue");
    c.StatsTextRed = read.Int("StatsTextRed");
    c.StatsTextGreen = read.Int("StatsTextGreen");
    c.StatsTextBlue = read.Int("StatsTextBlue");
}

void LoadSharedSprites(Game& game) {
    const SettingsReader read(game, "Settings");
    GameSettings& s = game.settings;
    s.HeartSprite = read.Sprite("/objects/", "HeartSprite");
    s.DeathSprite = read.Sprite("/sprites/", "DeathSprite");
    s.NightTile = read.Sprite("/sprites/", "NightTile");
    s.TitleScreen = read.Sprite("/sprites/", "TitleScreen");
}

}  // namespace vorn

namespace vorn {

namespace {

bool FolderExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// The sizes without which no window opens or no map has cells.
constexpr const char* kSizeKeys[] = {"ScreenWidth", "ScreenHeight", "TileWidth",
                                     "TileHeight",  "MapWidth",     "MapHeight"};

std::string SizeProblem(std::string_view key, const IniAnswer& answer) {
    return std::string(key) + (answer.line == 0 ? " is missing" : " is not above 0") +
           (key.substr(0, 3) == "Map" ? ": a map would have no cells" : ": the window cannot open");
}

}  // namespace

std::string SettingsFileCause(const Game& game) {
    if (!FolderExists(game.ModFolder))
        return {};
    const IniFile& file = game.settingsFile;
    if (!file.Loaded())
        return "file not found (the game looks for it in " + game.ModFolder + ")";
    if (file.HeaderIndex("Settings") < 0)
        return "no group [Settings], so every setting reads as empty or 0";
    return {};
}

void ReportSettingsProblems(Game& game) {
    const IniFile& file = game.settingsFile;
    const std::string cause = SettingsFileCause(game);
    if (!file.Loaded()) {
        if (!cause.empty())
            game.diagnostics.Error(file.Path(), 0, cause);
        return;
    }
    CheckIniFile(file, game.diagnostics);
    if (file.HeaderIndex("Settings") < 0)
        return;
    for (const char* key : kSizeKeys) {
        const IniAnswer answer = file.Peek("Settings", key);
        if (TextToInt(answer.value) > 0)
            continue;
        game.diagnostics.Error(file.Path(), answer.line, SizeProblem(key, answer));
    }
}

FatalCause WindowCause(const Game& game) {
    const std::string path = game.settingsFile.Path();
    const std::string fileCause = SettingsFileCause(game);
    if (!fileCause.empty())
        return {path, 0, fileCause};
    for (const char* key : kSizeKeys) {
        if (std::string_view(key).substr(0, 3) == "Map")
            continue;
        const IniAnswer answer = game.settingsFile.Peek("Settings", key);
        if (TextToInt(answer.value) <= 0)
            return {path, answer.line, SizeProblem(key, answer)};
    }
    const GameSettings& s = game.settings;
    return {"game", 0,
            "the window system refused a window of " + std::to_string(s.ScreenPixelWidth) + " x " +
                std::to_string(int64_t{s.ScreenPixelHeight} + s.StatusBarHeight) +
                " pixels (ScreenWidth x TileWidth by ScreenHeight x TileHeight + "
                "StatusBarHeight; is a display there?)"};
}

}  // namespace vorn

// Reading settings.ini. Every key is looked up on its own (the file is opened
// afresh each time) in the fixed order below; sound keys load their sound the
// moment they are read, so sound handles are handed out in key order.
#include "game/world/Settings.h"

#include "common/IniFile.h"
#include "common/TextPrimitives.h"
#include "game/world/WorldMath.h"

namespace vorn {

namespace {

// Looks up keys of one group of ModFolder + "/settings.ini".
class SettingsReader {
public:
    SettingsReader(Game& game, std::string group)
        : game_(game), path_(game.ModFolder + "/settings.ini"), group_(std::move(group)) {}

    std::string Text(std::string_view key) const { return ReadIniValue(path_, group_, key); }
    int32_t Int(std::string_view key) const { return TextToInt(Text(key)); }
    SoundHandle Sound(std::string_view key) const {
        return game_.media.LoadSoundFile(game_.ModFolder + "/sounds/" + Text(key));
    }
    SpriteHandle Sprite(std::string_view folder, std::string_view key) const {
        return game_.media.LoadSpriteFile(game_.ModFolder + std::string(folder) + Text(key));
    }

private:
    Game& game_;
    std::string path_;
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

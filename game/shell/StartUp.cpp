// Start-up: media layer, script engine, settings, fonts, window, shared
// pictures, the player, the mod's data files, the script commands and the
// global event scripts, in that fixed order. Only the initialisations of the
// media layer, script engine, fonts, window and screen can fail, and each
// failure ends the program after its "Error" box.
#include <string>

#include "common/IniFile.h"
#include "game/bindings/Bindings.h"
#include "game/play/Events.h"
#include "game/shell/GameShell.h"
#include "game/shell/LongScripts.h"
#include "game/world/Animations.h"
#include "game/world/Assets.h"
#include "game/world/MapFiles.h"
#include "game/world/Settings.h"

namespace vorn {

namespace {

// The version the window title carries after the game's own title.
constexpr const char* kTitleSuffix = " - 2.03";
// Sprite pixels of exactly this colour are not drawn by transparent draws.
constexpr Colour kTransparentColour{0, 255, 255};
constexpr bool kBoldFonts = true;

bool Fail(Game& game, const char* text) {
    FatalError(game, text);
    return false;
}

std::string SettingText(const Game& game, const char* key) {
    return ReadIniValue(game.ModFolder + "/settings.ini", "Settings", key);
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
    player.Sprite = game.media.LoadSpriteFile(game.ModFolder + "/sprites/" + s.PlayerSprite);
    player.Speed = s.PlayerStartSpeed;
}

}  // namespace

bool StartUp(Game& game, int argc, const char* const* argv) {
    MediaLayer& media = game.media;
    if (media.InitGraphics() == 0)
        return Fail(game, "Couldn't initialize sprite engine.");
    if (media.InitAudio() == 0)
        return Fail(game, "Couldn't initialize sound engine.");
    if (media.InitKeyboard() == 0)
        return Fail(game, "Couldn't initialize keyboard.");
    if (!game.script.InitScriptEngine(kScriptSlotCount, kScriptLinesPerSlot)) {
        return Fail(game, "Couldn't initialize scripting engine.");
    }
    WatchLongScripts(game);
    media.EnablePngDecoding();
    game.ModFolder = ModFolderFromArguments(argc, argv);

    ReadGameSettings(game);
    ReadGameColors(game);

    GameSettings& settings = game.settings;
    settings.FontName = SettingText(game, "FontName");
    media.LoadFontSlot(0, settings.FontName, settings.FontSize, kBoldFonts);
    settings.StatusFontName = SettingText(game, "StatusFontName");
    media.LoadFontSlot(1, settings.StatusFontName, settings.StatusFontSize, kBoldFonts);
    if (media.IsFontLoaded(0) == 0 || media.IsFontLoaded(1) == 0) {
        return Fail(game, "Couldn't initialize the fonts.");
    }

    const int width = settings.ScreenPixelWidth;
    const int height = settings.ScreenPixelHeight + settings.StatusBarHeight;
    const int window = media.OpenGameWindow(settings.GameTitle + kTitleSuffix, width, height);
    if (window == 0)
        return Fail(game, "Couldn't initialize the window.");
    if (media.OpenSpriteScreen(window, width, height) == 0) {
        return Fail(game, "Couldn't initialize the sprite screen.");
    }
    media.SetTransparentColour(kTransparentColour);

    LoadSharedSprites(game);
    PlaceNewPlayer(game);

    LoadTileImages(game);
    LoadMonsterTypes(game);
    LoadAnimationDefinitions(game);
    CreateMapGrid(game);

    game.script.RegisterBuiltins();
    RegisterGameCommands(game);
    RegisterGameConstants(game);
    LoadGlobalEventScripts(game);
    return true;
}

}  // namespace vorn

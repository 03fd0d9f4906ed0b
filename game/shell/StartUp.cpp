// Start-up: media layer, script engine, settings, fonts, window, shared
// pictures, the player, the mod's data files, the script commands and the
// global event scripts, in that fixed order. Only the initialisations of the
// media layer, script engine, fonts, window and screen can fail, and each
// failure ends the program after its "Error" box.
#include <filesystem>
#include <string>
#include <system_error>

#include "game/bindings/Bindings.h"
#include "game/play/Events.h"
#include "game/shell/CommandLine.h"
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

bool Fail(Game& game, const FatalCause& cause, const char* text) {
    FatalError(game, cause, text);
    return false;
}

// Why the folder the game was asked to run cannot be run, saying where it
// looked; "" when it exists.
std::string MissingModFolderText(const Game& game, const std::string& argument) {
    std::error_code error;
    if (std::filesystem::is_directory(game.ModFolder, error))
        return {};
    const std::string here = std::filesystem::current_path(error).string();
    std::string text = "there is no folder " + game.ModFolder + " to run: the game reads " +
                       "the folder its argument names in the folder it is started in (" + here +
                       ")";
    const std::filesystem::path asked(argument);
    if (asked.is_absolute() && std::filesystem::is_directory(asked, error)) {
        text += "; to run " + argument + ", start the game in " +
                asked.lexically_normal().parent_path().string() + " as: game " +
                asked.lexically_normal().filename().string();
    }
    return text;
}

}  // namespace

bool StartUp(Game& game, int argc, const char* const* argv) {
    const CommandLine commandLine = ParseCommandLine(argc, argv);
    return StartUpFolder(
        game, ModFolderFromArguments(commandLine.ArgumentCount(), commandLine.Arguments()),
        commandLine.ModFolderArgument());
}

bool StartUpFolder(Game& game, const std::string& modFolder, const std::string& argument) {
    MediaLayer& media = game.media;
    if (media.InitGraphics() == 0) {
        return Fail(game, {"game", 0, "the display cannot be opened (is DISPLAY set?)"},
                    "Couldn't initialize sprite engine.");
    }
    if (media.InitAudio() == 0) {
        return Fail(game, {"game", 0, "the sound system cannot be started"},
                    "Couldn't initialize sound engine.");
    }
    if (media.InitKeyboard() == 0) {
        return Fail(game, {"game", 0, "the keyboard cannot be read"},
                    "Couldn't initialize keyboard.");
    }
    if (!game.script.InitScriptEngine(kScriptSlotCount, kScriptLinesPerSlot)) {
        return Fail(game, {"game", 0, "the script engine cannot be sized"},
                    "Couldn't initialize scripting engine.");
    }
    WatchLongScripts(game);
    media.EnablePngDecoding();
    game.ModFolder = modFolder;
    const std::string folderProblem = MissingModFolderText(game, argument);
    if (!folderProblem.empty())
        game.diagnostics.Error("game", 0, folderProblem);

    ReadGameSettings(game);
    ReadGameColors(game);
    ReportSettingsProblems(game);

    GameSettings& settings = game.settings;
    media.LoadFontSlot(0, settings.FontName, settings.FontSize, kBoldFonts);
    media.LoadFontSlot(1, settings.StatusFontName, settings.StatusFontSize, kBoldFonts);
    if (media.IsFontLoaded(0) == 0 || media.IsFontLoaded(1) == 0) {
        const std::string face =
            media.IsFontLoaded(0) == 0 ? settings.FontName : settings.StatusFontName;
        return Fail(game,
                    {"game", 0,
                     "no font can be loaded for the face `" + face +
                         "` (fontconfig finds no usable font; install fonts-dejavu-core)"},
                    "Couldn't initialize the fonts.");
    }

    const int width = settings.ScreenPixelWidth;
    const int height = settings.ScreenPixelHeight + settings.StatusBarHeight;
    const int window = media.OpenGameWindow(settings.GameTitle + kTitleSuffix, width, height);
    if (window == 0) {
        return Fail(
            game, folderProblem.empty() ? WindowCause(game) : FatalCause{"game", 0, folderProblem},
            "Couldn't initialize the window.");
    }
    if (media.OpenSpriteScreen(window, width, height) == 0) {
        return Fail(game,
                    {"game", 0,
                     "no screen of " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels can be made"},
                    "Couldn't initialize the sprite screen.");
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

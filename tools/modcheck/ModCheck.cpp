// The modcheck program: its arguments, the order of the checks, and loading
// the mod the way start-up loads it.
#include "tools/modcheck/ModCheck.h"

#include <filesystem>
#include <system_error>

#include "game/bindings/Bindings.h"
#include "game/play/Events.h"
#include "game/world/Animations.h"
#include "game/world/Assets.h"
#include "game/world/MapFiles.h"
#include "game/world/Settings.h"
#include "tools/modcheck/ModChecker.h"

namespace vorn::modcheck {

namespace {

constexpr const char* kUsage =
    "usage: modcheck [MODFOLDER]\n"
    "Checks the mod folder MODFOLDER (default ./vorn3) before it is played: settings.ini,\n"
    "every map of maps/ and every map a warp, exit or LoadMap('...') reaches, monsters.ini,\n"
    "animations.ini, the pictures, sounds and fonts they name, and every script an event,\n"
    "a script tile or an INCLUDEFILE reaches. It reads the files with the game's own\n"
    "readers and runs nothing.\n"
    "\n"
    "Prints one line per problem, as editors and IDEs jump to:\n"
    "  PATH:LINE: error: TEXT     (\"PATH: error: TEXT\" where no line applies)\n"
    "  PATH:LINE: warning: TEXT\n"
    "then \"N errors, M warnings\". Errors break the game or lose content; warnings are\n"
    "legal but very likely unintended. PATH is the file as reached from MODFOLDER.\n"
    "\n"
    "Run it from the folder you start the game in: INCLUDEFILE paths are read from\n"
    "there, as the game reads them. For a MODFOLDER given as an absolute path they are\n"
    "read from the folder that holds it (where `game NAME` is started).\n"
    "\n"
    "Exit status: 0 without errors, 1 with errors, 2 when the folder cannot be read.\n";

// The folder the game would be started in to run `folder`: here for a path
// relative to here, the folder holding it for an absolute one.
std::string GameFolderFor(const std::string& folder) {
    const std::filesystem::path path(folder);
    if (!path.is_absolute())
        return {};
    return path.lexically_normal().parent_path().string();
}

std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

}  // namespace

ModChecker::ModChecker(std::string folder, std::string gameFolder)
    : gameFolder_(std::move(gameFolder)) {
    game_.ModFolder = std::move(folder);
}

void ModChecker::LoadLikeStartUp() {
    MediaLayer& media = game_.media;
    media.InitGraphics();
    media.InitAudio();
    media.InitKeyboard();
    media.EnablePngDecoding();
    game_.script.InitScriptEngine(kScriptSlotCount, kScriptLinesPerSlot);
    game_.script.SetIncludeFolder(gameFolder_);

    ReadGameSettings(game_);
    ReadGameColors(game_);
    ReportSettingsProblems(game_);
    LoadSharedSprites(game_);
    PlaceNewPlayer(game_);
    LoadTileImages(game_);
    LoadMonsterTypes(game_);
    LoadAnimationDefinitions(game_);
    CreateMapGrid(game_);

    game_.script.RegisterBuiltins();
    RegisterGameCommands(game_);
    RegisterGameConstants(game_);
    // The global event scripts are loaded by the script checks, one by one.
}

int ModChecker::SettingLine(const char* key) const {
    return game_.settingsFile.Peek("Settings", key).line;
}

ScriptEvent EventOfSlot(int32_t slot) {
    switch (slot) {
        case slots::kGlobalGrabItem:
        case slots::kMapGrabItem:
            return ScriptEvent::GrabItem;
        case slots::kGlobalMonsterDie:
        case slots::kMapMonsterDie:
            return ScriptEvent::MonsterDie;
        case slots::kGlobalPlayerDie:
        case slots::kMapPlayerDie:
            return ScriptEvent::PlayerDie;
        case slots::kMapEnter:
            return ScriptEvent::Enter;
        case slots::kMapLeave:
            return ScriptEvent::Leave;
        case slots::kGlobalPlayerAttack:
        case slots::kMapPlayerAttack:
            return ScriptEvent::PlayerAttack;
        default:
            return ScriptEvent::Tick;
    }
}

void ModChecker::Run() {
    LoadLikeStartUp();
    CheckSettings();
    CheckFonts();
    for (const auto& [slot, file] : GlobalEventScriptFiles()) {
        std::error_code error;
        if (std::filesystem::exists(game_.ModFolder + file, error))
            CheckScript(game_.ModFolder + file, EventOfSlot(slot));
    }
    CheckMaps();
    CheckUnreadVariables();
    CheckTransparentColour();
}

bool CheckMod(const std::string& folder, Diagnostics& diagnostics) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error))
        return false;
    const std::string cleaned = WithoutTrailingSlashes(folder);
    ModChecker checker(cleaned, GameFolderFor(cleaned));
    checker.Run();
    diagnostics = checker.Result();
    return true;
}

int RunModCheck(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::string folder = "./vorn3";
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            out << kUsage;
            return kClean;
        }
    }
    if (arguments.size() > 1 || (!arguments.empty() && arguments[0].rfind("-", 0) == 0)) {
        err << kUsage;
        return kUnreadable;
    }
    if (!arguments.empty())
        folder = arguments[0];
    Diagnostics diagnostics;
    if (!CheckMod(folder, diagnostics)) {
        err << ShownPath(folder) << ": error: cannot read the folder (is it there?)\n";
        return kUnreadable;
    }
    for (const std::string& message : diagnostics.Messages())
        out << message << '\n';
    out << diagnostics.ErrorCount() << " errors, " << diagnostics.WarningCount() << " warnings\n";
    return diagnostics.Failed() ? kErrors : kClean;
}

}  // namespace vorn::modcheck

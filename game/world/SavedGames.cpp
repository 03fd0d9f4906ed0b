// Saved games: the player's values and current map (.ini), the inventory
// (.sol) and the script variables (.sst) of one slot.
//
// Each file is written whole to a temporary file and renamed over the old one
// only when complete, so a full disk, a crash or a kill during a save leaves
// the previous save of that file intact.
#include "game/world/SavedGames.h"

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "common/FileIO.h"
#include "common/IniFile.h"
#include "common/TextPrimitives.h"

namespace vorn {

namespace {

constexpr char kFieldSeparator = '\x01';

std::string SavePath(const Game& game, int32_t slot, const char* extension) {
    return game.ModFolder + "/saves/save" + IntToText(slot) + extension;
}

// A name or value holding a line end, a NUL (which also ends a line when
// read) or the field separator would split its line and could bring in
// variables of its own ahead of the real ones; such bytes are written as
// blanks, so every variable stays one line of three fields.
std::string OneLineField(const std::string& text) {
    std::string safe = text;
    for (char& c : safe) {
        if (c == '\r' || c == '\n' || c == '\0' || c == kFieldSeparator)
            c = ' ';
    }
    return safe;
}

std::string SaveIniText(const Game& game, int32_t slot) {
    const Player& player = game.player;
    IniWriter ini("Save" + IntToText(slot));
    ini.Entry("PlayerX", RoundHalfEven(player.X));
    ini.Entry("PlayerY", RoundHalfEven(player.Y));
    ini.Entry("PlayerHealth", player.Health);
    ini.Entry("PlayerMaxHealth", player.MaxHealth);
    ini.Entry("PlayerDamage", player.Damage);
    ini.Entry("PlayerSpeed", player.Speed);
    ini.Entry("PlayerKillCount", player.KillCount);
    ini.Entry("CurrentMap", OneLineField(game.map->info.Name));
    return ini.Text();
}

std::string InventoryText(const Game& game) {
    std::string text;
    for (const std::string& item : game.inventory)
        text += OneLineField(item) + "\r\n";
    return text;
}

std::string VariablesText(const Game& game) {
    std::string text;
    for (const ScriptVariable& variable : game.script.Variables()) {
        text += OneLineField(variable.name);
        text += kFieldSeparator;
        text += OneLineField(variable.value);
        text += kFieldSeparator;
        text += IntToText(Code(variable.type)) + "\r\n";
    }
    return text;
}

}  // namespace

bool SaveGame(Game& game, int32_t slot) {
    std::error_code ignored;
    std::filesystem::create_directories(game.ModFolder + "/saves", ignored);
    const std::string iniPath = SavePath(game, slot, ".ini");
    const FileWriteResult written = ReplaceFileAtomically(iniPath, SaveIniText(game, slot));
    if (!written.Ok()) {
        game.diagnostics.Error(iniPath, 0,
                               std::string("cannot be written (") + std::strerror(written.error) +
                                   "): the game is not saved");
        game.media.ShowMessage("Error", "Couldn't create save game file!", MessageButtons::Ok);
        return false;
    }
    // The inventory and variables files may fail without a box, as optional
    // parts; the terminal is told.
    for (const auto& [suffix, text] :
         {std::pair<const char*, std::string>{".sol", InventoryText(game)},
          {".sst", VariablesText(game)}}) {
        const FileWriteResult part = ReplaceFileAtomically(SavePath(game, slot, suffix), text);
        if (!part.Ok()) {
            game.diagnostics.Error(SavePath(game, slot, suffix), 0,
                                   std::string("cannot be written (") + std::strerror(part.error) +
                                       "): the saved game lacks it");
        }
    }
    return true;
}

std::optional<SavedGame> ReadSavedGame(const Game& game, int32_t slot) {
    std::string ini;
    if (!ReadWholeFile(SavePath(game, slot, ".ini"), ini)) {
        return std::nullopt;
    }
    const std::string group = "Save" + IntToText(slot);
    auto number = [&](std::string_view key) {
        return TextToInt(ReadIniValueFromText(ini, group, key));
    };
    SavedGame saved;
    saved.PlayerX = number("PlayerX");
    saved.PlayerY = number("PlayerY");
    saved.PlayerHealth = number("PlayerHealth");
    saved.PlayerMaxHealth = number("PlayerMaxHealth");
    saved.PlayerDamage = number("PlayerDamage");
    saved.PlayerSpeed = number("PlayerSpeed");
    saved.PlayerKillCount = number("PlayerKillCount");
    saved.CurrentMap = ReadIniValueFromText(ini, group, "CurrentMap");

    ForEachFilledLine(SavePath(game, slot, ".sol"),
                      [&saved](const std::string& line) { saved.inventory.push_back(line); });
    ForEachFilledLine(SavePath(game, slot, ".sst"), [&saved](const std::string& line) {
        ScriptVariable variable;
        variable.name = std::string(TextField(line, 1, kFieldSeparator));
        variable.value = std::string(TextField(line, 2, kFieldSeparator));
        variable.type = static_cast<ValueType>(TextToInt(TextField(line, 3, kFieldSeparator)));
        saved.variables.push_back(std::move(variable));
    });
    return saved;
}

}  // namespace vorn

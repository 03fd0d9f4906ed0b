// A map's properties and base path, and where a map's name was written.
#include "game/world/MapFiles.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/IniCheck.h"
#include "common/NameSuggestion.h"
#include "common/TextPrimitives.h"

namespace vorn {

std::string MapBase(const Game& game, const std::string& name) {
    return game.ModFolder + "/maps/" + name;
}

std::string TileScriptPath(const std::string& base, int32_t x, int32_t y) {
    return base + "_" + IntToText(x) + "_" + IntToText(y) + ".ds";
}

std::string MissingTileScriptText(const std::string& base, int32_t x, int32_t y) {
    return "the script tile in column " + IntToText(x + 1) + " has no script " +
           ShownPath(TileScriptPath(base, x, y)) + ": walking over it does nothing";
}

MapProperties ReadMapProperties(const std::string& base, Diagnostics& diagnostics) {
    IniFile file;
    file.Load(base + ".ini");
    auto text = [&file](std::string_view key) { return file.Text("Properties", key); };
    auto number = [&file](std::string_view key) { return file.Number("Properties", key); };
    auto flag = [&number](std::string_view key) {
        return static_cast<int8_t>(static_cast<uint8_t>(number(key) & 0xFF));
    };
    MapProperties properties;
    properties.ExitUp = text("ExitUp");
    properties.ExitDown = text("ExitDown");
    properties.ExitLeft = text("ExitLeft");
    properties.ExitRight = text("ExitRight");
    properties.Music = text("Music");
    properties.EnterSound = text("EnterSound");
    properties.Title = text("Title");
    properties.SpeechText = text("SpeechText");
    properties.SpeechTextY = number("SpeechTextY");
    properties.TextGreen = number("TextGreen");
    properties.TextRed = number("TextRed");
    properties.TextBlue = number("TextBlue");
    properties.AlwaysNight = flag("AlwaysNight");
    properties.AlwaysDay = flag("AlwaysDay");
    CheckIniFile(file, diagnostics);
    return properties;
}

MapNameSource MapPropertySource(const std::string& base, const char* key) {
    IniFile file;
    file.Load(base + ".ini");
    return {file.Path(), file.Peek("Properties", key).line, key};
}

std::vector<std::string> MapNames(const std::string& modFolder) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator it(modFolder + "/maps", error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::filesystem::path& path = it->path();
        if (path.extension() == ".gtl")
            names.push_back(path.stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

FatalCause MissingMapCause(const Game& game, const std::string& name,
                           const std::string& missingFile, const MapNameSource& source) {
    const std::string shown = ShownPath(missingFile);
    if (source.file.empty()) {
        return {missingFile, 0,
                "file not found, so the map `" + name + "` cannot be loaded" +
                    DidYouMean(name, MapNames(game.ModFolder))};
    }
    return {source.file, source.line,
            source.what + " `" + name + "` cannot be loaded: " + shown + " does not exist" +
                DidYouMean(name, MapNames(game.ModFolder))};
}

void CreateMapGrid(Game& game) {
    game.map->grid.Allocate(game.settings.MapWidth, game.settings.MapHeight);
}

}  // namespace vorn

// A map's properties and base path.
#include "game/world/MapFiles.h"

#include "common/IniFile.h"
#include "common/TextPrimitives.h"

namespace vorn {

std::string MapBase(const Game& game, const std::string& name) {
    return game.ModFolder + "/maps/" + name;
}

MapProperties ReadMapProperties(const std::string& base) {
    const std::string iniPath = base + ".ini";
    auto text = [&iniPath](std::string_view key) {
        return ReadIniValue(iniPath, "Properties", key);
    };
    auto number = [&text](std::string_view key) { return TextToInt(text(key)); };
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
    return properties;
}

void CreateMapGrid(Game& game) {
    game.map->grid.Allocate(game.settings.MapWidth, game.settings.MapHeight);
}

}  // namespace vorn

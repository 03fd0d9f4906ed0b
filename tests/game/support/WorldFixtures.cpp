#include "tests/game/support/WorldFixtures.h"

#include "game/world/Assets.h"
#include "game/world/MapFiles.h"

namespace vorn::test {

std::string IniText(const std::string& group,
                    const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string text = "[" + group + "]\r\n";
    for (const auto& [key, value] : entries)
        text += key + "=" + value + "\r\n";
    return text;
}

std::string LayerText(int columns, int rows, const std::string& name) {
    std::string text;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x)
            text += (x == 0 ? "" : " ") + name;
        text += "\r\n";
    }
    return text;
}

void WriteMap(const TempFolder& folder, const std::string& name, const MapFiles& files) {
    const std::pair<const std::optional<std::string>*, const char*> parts[] = {
        {&files.ini, ".ini"}, {&files.gtl, ".gtl"}, {&files.btl, ".btl"}, {&files.ftl, ".ftl"},
        {&files.atl, ".atl"}, {&files.ani, ".ani"}, {&files.obl, ".obl"}, {&files.wpl, ".wpl"},
    };
    for (const auto& [content, extension] : parts) {
        if (content->has_value())
            folder.Write("maps/" + name + extension, **content);
    }
}

void PrepareWorld(TestGame& test, int columns, int rows, const std::vector<std::string>& tiles) {
    GameSettings& settings = test.game.settings;
    settings.MapWidth = columns;
    settings.MapHeight = rows;
    settings.TileWidth = 32;
    settings.TileHeight = 32;
    uint32_t colour = 0x102030;
    for (const std::string& tile : tiles) {
        test.folder.Write("tiles/" + tile + ".png", MakePng(4, 4, colour));
        colour += 0x101010;
    }
    LoadTileImages(test.game);
    CreateMapGrid(test.game);
}

}  // namespace vorn::test

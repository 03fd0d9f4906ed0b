// Checks of the settings beyond what start-up's readers tell: the start map
// and position, the player's sheet, the sizes a player can walk with, the
// title prompt, the fonts and the transparent colour of the pictures.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "common/TextPrimitives.h"
#include "game/media/FontFinder.h"
#include "game/media/PictureLoader.h"
#include "game/world/Assets.h"
#include "game/world/MapFiles.h"
#include "tools/modcheck/ModChecker.h"

namespace vorn::modcheck {

namespace {

std::string Number(int64_t value) {
    return std::to_string(value);
}

// Face names fontconfig answers with whatever the system prefers; naming
// one is asking for that.
bool GenericFace(const std::string& face) {
    const std::string upper = UpperCaseText(face);
    return upper.empty() || upper == "SANS" || upper == "SANS-SERIF" || upper == "SERIF" ||
           upper == "MONOSPACE";
}

// Pixels this close to the transparent cyan (0, 255, 255) were meant to be
// it (an edge smoothed towards the background) but are drawn.
bool NearlyCyan(uint32_t pixel) {
    const uint32_t red = (pixel >> 16) & 0xFF;
    const uint32_t green = (pixel >> 8) & 0xFF;
    const uint32_t blue = pixel & 0xFF;
    return red <= 40 && green >= 215 && blue >= 215 && (pixel & kRgbMask) != 0x00FFFF;
}

}  // namespace

void ModChecker::CheckSettings() {
    const GameSettings& s = game_.settings;
    const std::string path = SettingsPath();
    if (!game_.settingsFile.Loaded() || game_.settingsFile.HeaderIndex("Settings") < 0)
        return;  // start-up's reader told it; nothing below could be judged

    if (s.StartMap.empty()) {
        Tell().Error(path, SettingLine("StartMap"),
                     "StartMap is not set: a new game has no map to start on");
    } else if (MapLoadable(s.StartMap, {path, SettingLine("StartMap"), "StartMap"}) &&
               s.MapWidth > 0 && s.MapHeight > 0) {
        if (s.StartX < 0 || s.StartY < 0 || s.StartX >= s.MapWidth || s.StartY >= s.MapHeight) {
            Tell().Error(path, SettingLine("StartX"),
                         "the start tile (StartX " + Number(s.StartX) + ", StartY " +
                             Number(s.StartY) + ") is outside the map of " + Number(s.MapWidth) +
                             " x " + Number(s.MapHeight) + " tiles");
        } else {
            arrivals_[s.StartMap].push_back(
                {path, SettingLine("StartX"), "the start tile", s.StartX, s.StartY});
        }
    }

    if (s.PlayerSprite.empty()) {
        Tell().Error(path, SettingLine("PlayerSprite"),
                     "PlayerSprite is not set: the player is not drawn");
    }
    ReportSheetFrames(game_, path, SettingLine("PlayerSprite"), "PlayerSprite", game_.player.Sprite,
                      s.PlayerWidth, s.PlayerHeight);

    // Touching counts as overlapping: a box fits between two walls one tile
    // apart only when it is two pixels narrower than the tile.
    if (s.TileWidth > 0 && s.PlayerClipX > s.TileWidth - 2) {
        Tell().Warning(path, SettingLine("PlayerClipX"),
                       "the player's clip box (PlayerClipX " + Number(s.PlayerClipX) +
                           ") cannot pass between walls one tile apart (TileWidth " +
                           Number(s.TileWidth) + " less 2, as touching counts as overlapping)");
    }
    if (s.TileHeight > 0 && s.PlayerClipY > s.TileHeight - 2) {
        Tell().Warning(path, SettingLine("PlayerClipY"),
                       "the player's clip box (PlayerClipY " + Number(s.PlayerClipY) +
                           ") cannot pass between walls one tile apart (TileHeight " +
                           Number(s.TileHeight) + " less 2, as touching counts as overlapping)");
    }

    const int64_t windowHeight = int64_t{s.ScreenPixelHeight} + s.StatusBarHeight;
    const int64_t promptY = int64_t{s.MapHeight} * s.TileHeight;
    if (windowHeight > 0 && promptY >= windowHeight) {
        Tell().Warning(path, SettingLine("MapHeight"),
                       "the title screen's prompt is drawn at y = MapHeight x TileHeight = " +
                           Number(promptY) + ", below the window (" + Number(windowHeight) +
                           " pixels high): players do not see how to start");
    }
}

void ModChecker::CheckFonts() {
    FontFinder finder;
    for (const char* key : {"FontName", "StatusFontName"}) {
        const std::string face = game_.settingsFile.Peek("Settings", key).value;
        const std::string family = finder.MatchedFamily(face);
        if (family.empty()) {
            Tell().Error(SettingsPath(), SettingLine(key),
                         "no font is installed for fontconfig to draw the text with (install "
                         "fonts-dejavu-core)");
        } else if (!GenericFace(face) && UpperCaseText(family) != UpperCaseText(face)) {
            Tell().Warning(SettingsPath(), SettingLine(key),
                           "the font face `" + face +
                               "` is not installed here: the text is "
                               "drawn with `" +
                               family + "`");
        }
    }
}

// Every picture of the folders drawn with transparency (the title screen
// and tiles are drawn opaque, or may be).
void ModChecker::CheckTransparentColour() {
    const std::string title = game_.settingsFile.Peek("Settings", "TitleScreen").value;
    for (const char* folder : {"/sprites", "/objects", "/animations"}) {
        std::vector<std::string> files;
        std::error_code error;
        std::filesystem::directory_iterator it(game_.ModFolder + folder, error);
        for (; !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
            if (it->is_regular_file(error))
                files.push_back(it->path().filename().string());
        }
        std::sort(files.begin(), files.end());
        for (const std::string& file : files) {
            if (std::string(folder) == "/sprites" && file == title)
                continue;
            const std::string path = game_.ModFolder + folder + "/" + file;
            Picture picture;
            if (!LoadPictureFile(path, picture))
                continue;
            size_t nearly = 0;
            size_t first = 0;
            for (size_t i = 0; i < picture.pixels.size(); ++i) {
                const uint32_t pixel = picture.pixels[i];
                if ((pixel & kOpaqueAlpha) == kOpaqueAlpha && NearlyCyan(pixel) && nearly++ == 0)
                    first = i;
            }
            if (nearly == 0)
                continue;
            const uint32_t pixel = picture.pixels[first];
            const size_t width = static_cast<size_t>(picture.width);
            Tell().Warning(path, 0,
                           Number(static_cast<int64_t>(nearly)) +
                               " pixels are nearly the transparent cyan but not quite (the "
                               "first at " +
                               Number(static_cast<int64_t>(first % width)) + ", " +
                               Number(static_cast<int64_t>(first / width)) + " is " +
                               Number((pixel >> 16) & 0xFF) + ", " + Number((pixel >> 8) & 0xFF) +
                               ", " + Number(pixel & 0xFF) +
                               "): they are drawn, as a fringe; make them 0, 255, 255 exactly");
        }
    }
}

}  // namespace vorn::modcheck

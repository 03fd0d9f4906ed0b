// Tile images from the "tiles" folder and monster types from monsters.ini,
// both loaded once at start-up, plus the optional-sound helper.
#include "game/world/Assets.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "common/MonsterRecord.h"
#include "common/NameSuggestion.h"
#include "common/TextPrimitives.h"
#include "common/TileFiles.h"

namespace vorn {

namespace {

// Every line is a monster type, an empty one too, and its position is the
// type's number; fields beyond the fifteenth are never read.
void ReportMonsterLine(Game& game, const std::string& path, int line, const std::string& text) {
    if (TrimSpaces(text).empty()) {
        game.diagnostics.Error(path, line,
                               "an empty line is a monster type too (without name or numbers), "
                               "so every type below it has a number one higher");
        return;
    }
    const int fields = static_cast<int>(std::count(text.begin(), text.end(), ',')) + 1;
    if (fields != kMonsterFieldCount) {
        game.diagnostics.Error(path, line,
                               std::to_string(fields) + " fields where a monster has " +
                                   std::to_string(kMonsterFieldCount) +
                                   ": name, graphic, attack sound, hit sound, death sound, "
                                   "damage, health, speed, frame width, frame height, clip "
                                   "width, clip height, death duration, item drop rate, "
                                   "friendly");
    }
}

}  // namespace

void LoadTileImages(Game& game) {
    const std::string folder = game.ModFolder + "/tiles";
    for (const std::string& fileName : ListTilePictureFiles(folder)) {
        TileImage tile;
        tile.Sprite = game.media.LoadSpriteFile(folder + "/" + fileName);
        if (!tile.Sprite) {
            game.diagnostics.Error(folder + "/" + fileName, 0,
                                   "cannot be read as a picture (PNG or BMP): the tile draws "
                                   "nothing");
        }
        tile.Name = TileNameFromFile(fileName);
        game.assets.tileImages.push_back(std::move(tile));
    }
}

SpriteHandle FindTileSprite(const Game& game, std::string_view name) {
    const std::string_view wanted = TrimSpaces(name);
    for (const TileImage& tile : game.assets.tileImages) {
        if (tile.Name == wanted)
            return tile.Sprite;
    }
    return kNoTileImage;
}

void LoadMonsterTypes(Game& game) {
    const std::string path = game.ModFolder + "/monsters.ini";
    TextReader reader;
    if (!reader.Open(path))
        return;
    const std::string sprites = game.ModFolder + "/sprites/";
    std::string text;
    int line = 0;
    while (reader.ReadTextLine(text)) {
        ++line;
        const MonsterRecord record = ParseMonsterLine(text);
        ReportMonsterLine(game, path, line, text);
        MonsterType type;
        type.Name = record.name;
        type.Sprite = LoadNamedPicture(game, sprites, record.graphicFile, path, line);
        // Loaded in file order: attack, hit, death.
        type.AttackSound = LoadNamedSound(game, record.attackSound, path, line);
        type.HitSound = LoadNamedSound(game, record.hitSound, path, line);
        type.DeathSound = LoadNamedSound(game, record.deathSound, path, line);
        type.Damage = record.damage;
        type.Health = record.health;
        type.Speed = record.speed;
        type.FrameWidth = record.frameWidth;
        type.FrameHeight = record.frameHeight;
        type.ClipWidth = record.clipWidth;
        type.ClipHeight = record.clipHeight;
        type.DeathDuration = record.deathDuration;
        type.ItemDropRate = record.itemDropRate;
        type.Friendly = record.friendly;
        ReportSheetFrames(game, path, line, type.Name, type.Sprite, type.FrameWidth,
                          type.FrameHeight);
        game.assets.monsterTypes.push_back(std::move(type));
    }
}

void PlaySoundIfLoaded(Game& game, SoundHandle sound, bool loop) {
    if (!sound)
        return;
    game.media.PlaySoundHandle(sound, loop);
}

void ReportSheetFrames(Game& game, const std::string& path, int line, const std::string& owner,
                       SpriteHandle sheet, int32_t frameWidth, int32_t frameHeight) {
    if (frameWidth <= 0 || frameHeight <= 0) {
        game.diagnostics.Error(path, line,
                               owner + ": the frame width and height must be above 0 (they are " +
                                   std::to_string(frameWidth) + " and " +
                                   std::to_string(frameHeight) + ")");
        return;
    }
    if (!sheet)
        return;
    const GameSettings& s = game.settings;
    const int64_t frames = std::max(0, s.MoveFrameCount) + int64_t{std::max(0, s.AttackFrameCount)};
    const int64_t needWidth = int64_t{4} * frameWidth;
    const int64_t needHeight = frames * frameHeight;
    const int width = game.media.SpriteWidth(sheet);
    const int height = game.media.SpriteHeight(sheet);
    if (width < needWidth || height < needHeight) {
        game.diagnostics.Error(
            path, line,
            owner + ": frames outside the sheet: " + std::to_string(width) + " x " +
                std::to_string(height) + " pixels hold less than 4 facings of " +
                std::to_string(frames) + " frames (MoveFrameCount + AttackFrameCount) of " +
                std::to_string(frameWidth) + " x " + std::to_string(frameHeight) + ", which need " +
                std::to_string(needWidth) + " x " + std::to_string(needHeight));
    }
}

void ReportUnknownMonsterType(Game& game, const std::string& atlPath, int line, int32_t type) {
    const size_t types = game.assets.monsterTypes.size();
    if (type <= 0 || static_cast<size_t>(type) <= types)
        return;
    game.diagnostics.Error(atlPath, line,
                           "monster type " + std::to_string(type) +
                               " is not in monsters.ini, which has " + std::to_string(types) +
                               (types == 1 ? " type" : " types") +
                               " (one per line): nothing spawns there");
}

void ReportUnloadedFile(Game& game, const char* kind, const std::string& folder,
                        const std::string& name, const std::string& namedIn, int line) {
    std::error_code error;
    const std::string shownFolder = ShownPath(folder);
    if (std::filesystem::exists(folder + name, error)) {
        game.diagnostics.Error(
            namedIn, line,
            std::string(kind) + " `" + name + "` cannot be read (in " + shownFolder + ")");
        return;
    }
    // The files that are there, for a name written in another case or with
    // a slip.
    std::vector<std::string> files;
    std::filesystem::directory_iterator it(folder, error);
    for (; !error && it != std::filesystem::directory_iterator(); it.increment(error))
        files.push_back(it->path().filename().string());
    game.diagnostics.Error(namedIn, line,
                           std::string(kind) + " `" + name + "` not found in " + shownFolder +
                               DidYouMean(name, files));
}

SpriteHandle LoadNamedPicture(Game& game, const std::string& folder, const std::string& name,
                              const std::string& namedIn, int line) {
    const SpriteHandle sprite = game.media.LoadSpriteFile(folder + name);
    if (!sprite && !name.empty())
        ReportUnloadedFile(game, "picture", folder, name, namedIn, line);
    return sprite;
}

SoundHandle LoadNamedSound(Game& game, const std::string& name, const std::string& namedIn,
                           int line) {
    const std::string folder = game.ModFolder + "/sounds/";
    const SoundHandle sound = game.media.LoadSoundFile(folder + name);
    if (!sound && !name.empty())
        ReportUnloadedFile(game, "sound", folder, name, namedIn, line);
    return sound;
}

}  // namespace vorn

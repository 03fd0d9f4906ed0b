// Tile images from the "tiles" folder and monster types from monsters.ini,
// both loaded once at start-up, plus the optional-sound helper.
#include "game/world/Assets.h"

#include <string>

#include "common/TextPrimitives.h"
#include "common/TileFiles.h"

namespace vorn {

void LoadTileImages(Game& game) {
    const std::string folder = game.ModFolder + "/tiles";
    for (const std::string& fileName : ListTilePictureFiles(folder)) {
        TileImage tile;
        tile.Sprite = game.media.LoadSpriteFile(folder + "/" + fileName);
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
    TextReader reader;
    if (!reader.Open(game.ModFolder + "/monsters.ini"))
        return;
    const std::string sprites = game.ModFolder + "/sprites/";
    const std::string sounds = game.ModFolder + "/sounds/";
    std::string line;
    while (reader.ReadTextLine(line)) {
        auto text = [&line](int n) { return std::string(TrimSpaces(TextField(line, n, ','))); };
        auto number = [&line](int n) { return TextToInt(TextField(line, n, ',')); };
        MonsterType type;
        type.Name = text(1);
        type.Sprite = game.media.LoadSpriteFile(sprites + text(2));
        // The file lists attack, hit, death; the record keeps attack, death, hit.
        type.AttackSound = game.media.LoadSoundFile(sounds + text(3));
        type.HitSound = game.media.LoadSoundFile(sounds + text(4));
        type.DeathSound = game.media.LoadSoundFile(sounds + text(5));
        type.Damage = number(6);
        type.Health = number(7);
        type.Speed = number(8);
        type.FrameWidth = number(9);
        type.FrameHeight = number(10);
        type.ClipWidth = number(11);
        type.ClipHeight = number(12);
        type.DeathDuration = number(13);
        type.ItemDropRate = number(14);
        type.Friendly = static_cast<int8_t>(static_cast<uint8_t>(number(15) & 0xFF));
        game.assets.monsterTypes.push_back(std::move(type));
    }
}

void PlaySoundIfLoaded(Game& game, SoundHandle sound, bool loop) {
    if (!sound)
        return;
    game.media.PlaySoundHandle(sound, loop);
}

}  // namespace vorn

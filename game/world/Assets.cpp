// Tile images from the "tiles" folder and monster types from monsters.ini,
// both loaded once at start-up, plus the optional-sound helper.
#include "game/world/Assets.h"

#include <string>
#include <vector>

#include "common/MonsterRecord.h"
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
    std::vector<MonsterRecord> records;
    ReadMonsterFile(game.ModFolder + "/monsters.ini", records);
    const std::string sprites = game.ModFolder + "/sprites/";
    const std::string sounds = game.ModFolder + "/sounds/";
    for (const MonsterRecord& record : records) {
        MonsterType type;
        type.Name = record.name;
        type.Sprite = game.media.LoadSpriteFile(sprites + record.graphicFile);
        // Loaded in file order: attack, hit, death.
        type.AttackSound = game.media.LoadSoundFile(sounds + record.attackSound);
        type.HitSound = game.media.LoadSoundFile(sounds + record.hitSound);
        type.DeathSound = game.media.LoadSoundFile(sounds + record.deathSound);
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
        game.assets.monsterTypes.push_back(std::move(type));
    }
}

void PlaySoundIfLoaded(Game& game, SoundHandle sound, bool loop) {
    if (!sound)
        return;
    game.media.PlaySoundHandle(sound, loop);
}

}  // namespace vorn

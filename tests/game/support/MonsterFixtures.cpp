#include "tests/game/support/MonsterFixtures.h"

#include "game/play/PlayerControl.h"

namespace vorn::test {

void SetUpArena(TestGame& test, int32_t width, int32_t height) {
    GameSettings& settings = test.game.settings;
    settings.MapWidth = width;
    settings.MapHeight = height;
    settings.TileWidth = kArenaTile;
    settings.TileHeight = kArenaTile;
    settings.ScreenWidth = 10;
    settings.ScreenHeight = 8;
    settings.PlayerWidth = kArenaPlayerSize;
    settings.PlayerHeight = kArenaPlayerSize;
    settings.PlayerClipX = kArenaPlayerClipX;
    settings.PlayerClipY = kArenaPlayerClipY;
    settings.AnimationSpeed = kArenaAnimationSpeed;
    settings.AttackFrameCount = kArenaAttackFrames;
    settings.MoveFrameCount = kArenaMoveFrames;
    settings.AIVisionLength = kArenaVisionLength;
    settings.AIVisionWidth = kArenaVisionWidth;
    settings.AIChangeFrequency = kArenaAIChange;
    settings.MonsterAttackDelay = kArenaAttackDelay;
    settings.PlayerAttackDelay = 500;
    settings.PlayerRecoilAmount = kArenaRecoil;
    settings.PlayerRecoilSpeed = 200;
    test.game.map->grid.Allocate(width, height);
    Player& player = test.game.player;
    player.Health = 10;
    player.MaxHealth = 10;
    player.Damage = 4;
    player.Speed = 100;
    PlacePlayer(test.game, 0.0f, 0.0f);
    test.game.clock.FrameTime = test.media.ElapsedMs();
    test.game.clock.PreviousFrameTime = test.game.clock.FrameTime;
}

void SetAttribute(Game& game, int32_t column, int32_t row, const std::string& attribute) {
    if (MapCell* cell = game.map->grid.Cell(column, row)) {
        cell->Attribute = attribute;
    }
}

size_t AddMonster(Game& game, float x, float y) {
    Monster monster;
    monster.Type.Name = "Slime";
    monster.Type.Damage = 3;
    monster.Health = 10;
    monster.Type.Speed = 64;
    monster.Type.FrameWidth = kArenaMonsterSize;
    monster.Type.FrameHeight = kArenaMonsterSize;
    monster.Type.ClipWidth = kArenaMonsterClipX;
    monster.Type.ClipHeight = kArenaMonsterClipY;
    monster.DeathDuration = 3;
    monster.X = x;
    monster.Y = y;
    monster.ID = static_cast<int32_t>(game.map->monsters.size() + 1);
    game.map->monsters.push_back(monster);
    RefreshClipBoxes(game);
    return game.map->monsters.size() - 1;
}

void PlacePlayer(Game& game, float x, float y) {
    game.player.X = x;
    game.player.Y = y;
    RefreshClipBoxes(game);
}

void NextFrame(TestGame& test, int32_t ms) {
    test.game.clock.PreviousFrameTime = test.game.clock.FrameTime;
    test.media.AdvanceTimeMs(ms);
    test.game.clock.FrameTime = test.media.ElapsedMs();
}

void LoadScript(TestGame& test, const std::string& relativePath, const std::string& text,
                int32_t slot) {
    test.folder.Write(relativePath, text);
    test.game.script.LoadScript(test.folder.Path() + "/" + relativePath, 1, slot);
}

void WriteArenaMap(TestGame& test, const std::string& name, const std::vector<ArenaCell>& cells,
                   const std::string& objectList) {
    const GameSettings& settings = test.game.settings;
    std::string ground;
    std::string attributes;
    for (int32_t row = 0; row < settings.MapHeight; ++row) {
        for (int32_t column = 0; column < settings.MapWidth; ++column) {
            std::string attribute = ".";
            for (const ArenaCell& cell : cells) {
                if (cell.column == column && cell.row == row)
                    attribute = cell.attribute;
            }
            const char* separator = column == 0 ? "" : " ";
            ground += separator;
            ground += '.';
            attributes += separator;
            attributes += attribute;
        }
        ground += "\r\n";
        attributes += "\r\n";
    }
    test.folder.Write("maps/" + name + ".gtl", ground);
    test.folder.Write("maps/" + name + ".atl", attributes);
    if (!objectList.empty())
        test.folder.Write("maps/" + name + ".obl", objectList);
}

SoundHandle LoadTestSound(TestGame& test, const std::string& name) {
    test.folder.Write(name, MakeWav(64));
    return test.media.LoadSoundFile(test.folder.Path() + "/" + name);
}

int CountPlays(const TestGame& test, SoundHandle sound) {
    int count = 0;
    for (const HeadlessMedia::SoundEvent& event : test.media.SoundLog()) {
        if (event.kind == HeadlessMedia::SoundEvent::Kind::Play && event.sound == sound) {
            ++count;
        }
    }
    return count;
}

}  // namespace vorn::test

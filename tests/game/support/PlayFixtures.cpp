#include "tests/game/support/PlayFixtures.h"

#include "game/play/PlayerControl.h"

namespace vorn::test {

namespace {

// What both presets set alike.
void SetUpPlayArea(TestGame& test, int32_t columns, int32_t rows) {
    GameSettings& s = test.game.settings;
    s.MapWidth = columns;
    s.MapHeight = rows;
    s.TileWidth = kTile;
    s.TileHeight = kTile;
    s.ScreenWidth = kScreenColumns;
    s.ScreenHeight = kScreenRows;
    s.PlayerWidth = kPlayerSize;
    s.PlayerHeight = kPlayerSize;
    s.PlayerClipX = kPlayerClipX;
    s.PlayerClipY = kPlayerClipY;
    s.MoveFrameCount = 4;
    s.PlayerAttackDelay = 500;
    s.PlayerRecoilAmount = kRecoil;
    s.PlayerRecoilSpeed = 200;
    test.game.map->grid.Allocate(columns, rows);
    Player& player = test.game.player;
    player.Health = 10;
    player.MaxHealth = 10;
    player.Speed = 100;
    PlacePlayer(test.game, 0.0f, 0.0f);
    test.game.clock.FrameTime = test.media.ElapsedMs();
}

}  // namespace

void SetUpArena(TestGame& test, int32_t width, int32_t height) {
    SetUpPlayArea(test, width, height);
    GameSettings& s = test.game.settings;
    s.AnimationSpeed = kArenaAnimationSpeed;
    s.AttackFrameCount = kArenaAttackFrames;
    s.AIVisionLength = kArenaVisionLength;
    s.AIVisionWidth = kArenaVisionWidth;
    s.AIChangeFrequency = kArenaAIChange;
    s.MonsterAttackDelay = kArenaAttackDelay;
    test.game.player.Damage = 4;
    test.game.clock.PreviousFrameTime = test.game.clock.FrameTime;
}

void SetUpField(TestGame& test, int32_t columns, int32_t rows) {
    SetUpPlayArea(test, columns, rows);
    GameSettings& s = test.game.settings;
    s.StatusBarHeight = kFieldStatusBar;
    s.ScreenPixelWidth = s.ScreenWidth * s.TileWidth;
    s.ScreenPixelHeight = s.ScreenHeight * s.TileHeight;
    s.HalfScreenPixelWidth = s.ScreenPixelWidth / 2;
    s.HalfScreenPixelHeight = s.ScreenPixelHeight / 2;
    s.HalfPlayerWidth = s.PlayerWidth / 2;
    s.HalfPlayerHeight = s.PlayerHeight / 2;
    s.AttackFrameCount = 3;
    s.FontSize = 16;
    s.StatusFontSize = 12;
    s.StatusTextOffset = 5;
    s.StatusHealthChar.assign(1, '*');
    test.game.clock.PreviousFrameTime = test.game.clock.FrameTime - 100;
    const int height = s.ScreenPixelHeight + s.StatusBarHeight;
    test.media.OpenSpriteScreen(test.media.OpenGameWindow("field", s.ScreenPixelWidth, height),
                                s.ScreenPixelWidth, height);
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

SpriteHandle MakeSprite(TestGame& test, const std::string& name, int width, int height,
                        uint32_t colour) {
    const std::string path = "sprites/" + name + ".png";
    test.folder.Write(path, MakePng(width, height, colour));
    return test.media.LoadSpriteFile(test.folder.Path() + "/" + path);
}

SpriteHandle AddTileImage(TestGame& test, const std::string& name, int width, int height,
                          uint32_t colour) {
    const SpriteHandle sprite = MakeSprite(test, "tile_" + name, width, height, colour);
    test.game.assets.tileImages.push_back({name, sprite});
    return sprite;
}

Monster& PutMonster(Game& game, float x, float y, SpriteHandle sprite, int32_t id,
                    int32_t frameSize) {
    Monster monster;
    monster.Type.Name = "Bat";
    monster.Type.Sprite = sprite;
    monster.Type.FrameWidth = frameSize;
    monster.Type.FrameHeight = frameSize;
    monster.Type.ClipWidth = 20;
    monster.Type.ClipHeight = 16;
    monster.Health = 5;
    monster.X = x;
    monster.Y = y;
    monster.ID = id;
    game.map->monsters.push_back(monster);
    RefreshClipBoxes(game);
    return game.map->monsters.back();
}

}  // namespace vorn::test

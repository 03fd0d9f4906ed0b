#include "tests/game/support/MoveFixtures.h"

#include "game/play/PlayerControl.h"

namespace vorn::test {

void SetUpField(TestGame& test, int32_t columns, int32_t rows) {
    GameSettings& s = test.game.settings;
    s.MapWidth = columns;
    s.MapHeight = rows;
    s.TileWidth = kFieldTile;
    s.TileHeight = kFieldTile;
    s.ScreenWidth = kFieldScreenColumns;
    s.ScreenHeight = kFieldScreenRows;
    s.PlayerWidth = kFieldPlayerSize;
    s.PlayerHeight = kFieldPlayerSize;
    s.PlayerClipX = kFieldPlayerClipX;
    s.PlayerClipY = kFieldPlayerClipY;
    s.StatusBarHeight = kFieldStatusBar;
    s.ScreenPixelWidth = s.ScreenWidth * s.TileWidth;
    s.ScreenPixelHeight = s.ScreenHeight * s.TileHeight;
    s.HalfScreenPixelWidth = s.ScreenPixelWidth / 2;
    s.HalfScreenPixelHeight = s.ScreenPixelHeight / 2;
    s.HalfPlayerWidth = s.PlayerWidth / 2;
    s.HalfPlayerHeight = s.PlayerHeight / 2;
    s.MoveFrameCount = 4;
    s.AttackFrameCount = 3;
    s.PlayerAttackDelay = 500;
    s.PlayerRecoilSpeed = 200;
    s.PlayerRecoilAmount = 16;
    s.FontSize = 16;
    s.StatusFontSize = 12;
    s.StatusTextOffset = 5;
    s.StatusHealthChar = "*";
    test.game.map->grid.Allocate(columns, rows);
    test.game.player.Speed = 100;
    test.game.player.Health = 10;
    test.game.player.MaxHealth = 10;
    PutPlayer(test.game, 0.0f, 0.0f);
    test.game.clock.FrameTime = test.media.ElapsedMs();
    test.game.clock.PreviousFrameTime = test.game.clock.FrameTime - 100;
    test.media.OpenSpriteScreen(test.media.OpenGameWindow("field", s.ScreenPixelWidth,
                                                          s.ScreenPixelHeight + s.StatusBarHeight),
                                s.ScreenPixelWidth, s.ScreenPixelHeight + s.StatusBarHeight);
}

void AdvanceFrame(TestGame& test, int32_t ms) {
    test.game.clock.PreviousFrameTime = test.game.clock.FrameTime;
    test.media.AdvanceTimeMs(ms);
    test.game.clock.FrameTime = test.media.ElapsedMs();
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

void PutPlayer(Game& game, float x, float y) {
    game.player.X = x;
    game.player.Y = y;
    RefreshClipBoxes(game);
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

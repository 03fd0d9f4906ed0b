// Drawing one frame: the tile layers, objects, actors in depth order with the
// foreground-behind rule, the animations at their four stages, the night
// overlay and finally the texts.
//
// Only the cells that can reach the screen are visited (VisibleCells.h), so
// the cost of a frame follows what is on screen, not the size of the map.
#include "game/play/Render.h"

#include <algorithm>

#include "common/TextPrimitives.h"
#include "game/play/ActorBoxes.h"
#include "game/play/ActorSprites.h"
#include "game/play/CellRange.h"
#include "game/play/Items.h"
#include "game/play/Texts.h"
#include "game/play/VisibleCells.h"

namespace vorn {

namespace {

using LayerSprite = SpriteHandle MapCell::*;

// The largest tile picture, which bounds how far a cell's drawing can reach
// from the cell's own position.
void LargestTileSprite(Game& game, int32_t& width, int32_t& height) {
    width = 0;
    height = 0;
    for (const TileImage& tile : game.assets.tileImages) {
        width = std::max(width, game.media.SpriteWidth(tile.Sprite));
        height = std::max(height, game.media.SpriteHeight(tile.Sprite));
    }
}

int32_t TileX(const Game& game, int32_t column) {
    return ScreenX(game, ClampToInt32(int64_t{column} * game.settings.TileWidth));
}

int32_t TileY(const Game& game, int32_t row) {
    return ScreenY(game, ClampToInt32(int64_t{row} * game.settings.TileHeight));
}

// Columns outer, rows inner, as every layer pass runs.
void DrawLayer(Game& game, const VisibleCells& cells, LayerSprite layer, bool transparent) {
    const MapGrid& grid = game.map->grid;
    for (int32_t c = cells.columns.first; c < cells.columns.last; ++c) {
        const int32_t x = TileX(game, c);
        for (int32_t r = cells.rows.first; r < cells.rows.last; ++r) {
            const SpriteHandle sprite = grid.Cell(c, r)->*layer;
            if (sprite.Id() <= 0) {  // no tile image, or an empty one
                continue;
            }
            if (transparent) {
                game.media.DrawSpriteTransparent(sprite, x, TileY(game, r));
            } else {
                game.media.DrawSprite(sprite, x, TileY(game, r));
            }
        }
    }
}

// Objects already in the inventory stay in the map's list but are not drawn.
void DrawObjects(Game& game) {
    for (const ObjectType& object : game.map->objects) {
        if (InventoryHas(game, object.Name)) {
            continue;
        }
        game.media.DrawSpriteTransparent(object.Sprite, ScreenX(game, object.X),
                                         ScreenY(game, object.Y));
    }
}

// Foreground tiles over the actor's frame whose bottom edge is above the
// actor's feet are drawn now, under the actor, and flagged so the foreground
// pass skips them. Cells off the screen are left alone: drawing them would
// show nothing, and the foreground pass does not visit them to clear a flag.
void DrawForegroundBehind(Game& game, const VisibleCells& visible, const Rect& frame, double feet) {
    const GameSettings& s = game.settings;
    IndexRange columns = CellsTouching(frame.left, frame.width, s.TileWidth, MapColumns(game));
    IndexRange rows = CellsTouching(frame.top, frame.height, s.TileHeight, MapRows(game));
    columns.first = std::max(columns.first, visible.columns.first);
    columns.last = std::min(columns.last, visible.columns.last);
    rows.first = std::max(rows.first, visible.rows.first);
    rows.last = std::min(rows.last, visible.rows.last);
    MapGrid& grid = game.map->grid;
    for (int32_t c = columns.first; c < columns.last; ++c) {
        for (int32_t r = rows.first; r < rows.last; ++r) {
            MapCell& cell = *grid.Cell(c, r);
            if (cell.ForegroundSprite.Id() <= 0) {
                continue;
            }
            const Rect tile = TileRect(s, c, r);
            if (!Overlaps(tile, frame)) {
                continue;
            }
            if (static_cast<double>(tile.top + tile.height) >= feet) {
                continue;
            }
            game.media.DrawSpriteTransparent(cell.ForegroundSprite, TileX(game, c), TileY(game, r));
            cell.DrawnBehind = true;
        }
    }
}

void DrawPlayer(Game& game, const VisibleCells& visible) {
    const GameSettings& s = game.settings;
    const Player& p = game.player;
    DrawForegroundBehind(game, visible, PlayerFrame(game), double{p.Y} + s.PlayerHeight);
    const int32_t row = p.Attacking ? s.MoveFrameCount + p.AttackFrame : p.WalkFrame;
    if (ClipSheetFrame(game.media, p.Sprite, SheetColumn(p.Facing), row, s.PlayerWidth,
                       s.PlayerHeight)) {
        game.media.DrawSpriteTransparent(p.Sprite, PlayerScreenX(game), PlayerScreenY(game));
    }
}

void DrawMonster(Game& game, const VisibleCells& visible, const Monster& m) {
    const GameSettings& s = game.settings;
    const Rect frame = MonsterFrame(m);
    DrawForegroundBehind(game, visible, frame, double{m.Y} + m.Type.FrameHeight);
    const int32_t row = m.Attacking ? s.MoveFrameCount + m.AttackFrame : m.WalkFrame;
    if (ClipSheetFrame(game.media, m.Type.Sprite, SheetColumn(m.Facing), row, m.Type.FrameWidth,
                       m.Type.FrameHeight)) {
        game.media.DrawSpriteTransparent(m.Type.Sprite,
                                         ScreenX(game, static_cast<int32_t>(frame.left)),
                                         ScreenY(game, static_cast<int32_t>(frame.top)));
    }
    if (m.Dying && m.DeathDuration >= 1) {
        DrawDeathMark(game, m);
    }
}

// The monster list is sorted by ClipTop; the player goes in before the first
// monster lower on the screen, so a monster with an equal ClipTop is under it.
void DrawActors(Game& game, const VisibleCells& visible) {
    bool playerDrawn = false;
    for (const Monster& m : game.map->monsters) {
        if (!playerDrawn && m.ClipTop > game.player.ClipTop) {
            DrawPlayer(game, visible);
            playerDrawn = true;
        }
        DrawMonster(game, visible, m);
    }
    if (!playerDrawn) {
        DrawPlayer(game, visible);
    }
}

void DrawForeground(Game& game, const VisibleCells& cells) {
    MapGrid& grid = game.map->grid;
    for (int32_t c = cells.columns.first; c < cells.columns.last; ++c) {
        const int32_t x = TileX(game, c);
        for (int32_t r = cells.rows.first; r < cells.rows.last; ++r) {
            MapCell& cell = *grid.Cell(c, r);
            if (cell.DrawnBehind) {
                cell.DrawnBehind = false;
                continue;
            }
            if (cell.ForegroundSprite.Id() > 0) {
                game.media.DrawSpriteTransparent(cell.ForegroundSprite, x, TileY(game, r));
            }
        }
    }
}

// How many of `count` overlay tiles, placed every `step` pixels from 0, can
// reach [0, screenExtent) with a sprite `spriteExtent` long. The others lie
// wholly off the screen; with a step of 0 every tile lands on the first, so
// one draw shows the same. This keeps absurd screen sizes from hanging.
int32_t OverlayTiles(int32_t count, int32_t step, int32_t screenExtent, int32_t spriteExtent) {
    if (count <= 0 || screenExtent <= 0 || spriteExtent <= 0) {
        return 0;
    }
    if (step == 0) {
        return 1;
    }
    const int64_t reach =
        step > 0 ? CeilDiv(screenExtent, step) : CeilDiv(spriteExtent, -int64_t{step});
    return static_cast<int32_t>(std::min<int64_t>(count, reach));
}

// In screen coordinates, over the play area: the status bar drawn later
// covers anything reaching below it.
void DrawNightOverlay(Game& game) {
    const GameSettings& s = game.settings;
    MediaLayer& media = game.media;
    const SpriteHandle sprite = s.NightTile;
    const int32_t screenHeight =
        ClampToInt32(int64_t{s.ScreenPixelHeight} + std::max(0, s.StatusBarHeight));
    const int32_t columns =
        OverlayTiles(s.ScreenWidth, s.TileWidth, s.ScreenPixelWidth, media.SpriteWidth(sprite));
    const int32_t rows =
        OverlayTiles(s.ScreenHeight, s.TileHeight, screenHeight, media.SpriteHeight(sprite));
    for (int32_t c = 0; c < columns; ++c) {
        const int32_t x = ClampToInt32(int64_t{c} * s.TileWidth);
        for (int32_t r = 0; r < rows; ++r) {
            media.DrawSpriteTransparent(sprite, x, ClampToInt32(int64_t{r} * s.TileHeight));
        }
    }
}

}  // namespace

bool IsNight(const Game& game) {
    const int32_t lengthOfDay = game.settings.LengthOfDay;
    const bool alwaysNight = game.map->info.AlwaysNight != 0;
    if (game.map->info.AlwaysDay != 0) {
        return false;
    }
    if (lengthOfDay < 1 && !alwaysNight) {
        return false;
    }
    return alwaysNight || game.clock.TimeOfDay >= lengthOfDay / 2;
}

void DrawAnimations(Game& game, int32_t stage) {
    for (const Animation& animation : game.map->animations) {
        if (animation.DrawStage != stage) {
            continue;
        }
        const int32_t height = game.media.SpriteHeight(animation.Sprite);
        if (ClipSheetFrame(game.media, animation.Sprite, animation.CurrentFrame, 0,
                           animation.FrameWidth, height)) {
            game.media.DrawSpriteTransparent(animation.Sprite, ScreenX(game, animation.X),
                                             ScreenY(game, animation.Y));
        }
    }
}

void DrawFrame(Game& game) {
    MediaLayer& media = game.media;
    const GameColors& colors = game.colors;
    media.PresentFrame();
    media.ClearFrame({colors.StatusBackRed, colors.StatusBackGreen, colors.StatusBackBlue});

    int32_t tileWidth = 0;
    int32_t tileHeight = 0;
    LargestTileSprite(game, tileWidth, tileHeight);
    const VisibleCells visible = FindVisibleCells(game, tileWidth, tileHeight);

    DrawLayer(game, visible, &MapCell::GroundSprite, false);
    DrawAnimations(game, 1);
    DrawLayer(game, visible, &MapCell::BackgroundSprite, true);
    DrawObjects(game);
    DrawAnimations(game, 2);
    DrawActors(game, visible);
    DrawForeground(game, visible);
    DrawAnimations(game, 3);
    DrawLayer(game, visible, &MapCell::TopSprite, true);
    DrawAnimations(game, 4);
    if (IsNight(game)) {
        DrawNightOverlay(game);
    }
    DrawTexts(game);
}

}  // namespace vorn

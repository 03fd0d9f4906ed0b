// The camera's three cases on each axis, its rounding, and a differential
// check that drawing only the visible cells gives the same picture as
// drawing every cell of a large map.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "common/TextPrimitives.h"
#include "game/play/Collision.h"
#include "game/play/Render.h"
#include "tests/game/support/PlayFixtures.h"

namespace vorn {
namespace {

using test::PlacePlayer;
using test::SetUpField;

// Screen 10 x 8 tiles of 32 (320 x 256, halves 160 and 128), player 32 x 32
// (halves 16), map 40 x 30 tiles (1280 x 960 pixels).
class CameraTest : public ::testing::Test {
protected:
    void SetUp() override { SetUpField(t, 40, 30); }
    test::TestGame t;
};

TEST_F(CameraTest, NearTheMapsStartTheMapIsShownAtItsOwnPosition) {
    PlacePlayer(t.game, 0.0f, 0.0f);
    EXPECT_EQ(ScreenX(t.game, 0), 0);
    EXPECT_EQ(ScreenX(t.game, 77), 77);
    EXPECT_EQ(PlayerScreenX(t.game), 0);
    EXPECT_EQ(PlayerScreenY(t.game), 0);
    // Just before the centring threshold (160 - 16 = 144), rounded to even.
    PlacePlayer(t.game, 143.5f, 111.5f);
    EXPECT_EQ(ScreenX(t.game, 300), 300);
    EXPECT_EQ(ScreenY(t.game, 300), 300);
    EXPECT_EQ(PlayerScreenX(t.game), 144);
    EXPECT_EQ(PlayerScreenY(t.game), 112);
}

TEST_F(CameraTest, InTheMiddleThePlayersFrameIsCentred) {
    PlacePlayer(t.game, 640.0f, 480.0f);
    EXPECT_EQ(PlayerScreenX(t.game), 160 - 16);
    EXPECT_EQ(PlayerScreenY(t.game), 128 - 16);
    EXPECT_EQ(ScreenX(t.game, 640), 144);
    EXPECT_EQ(ScreenY(t.game, 480), 112);
    EXPECT_EQ(ScreenX(t.game, 0), -496);
    // Exactly at the threshold the camera already follows.
    PlacePlayer(t.game, 144.0f, 112.0f);
    EXPECT_EQ(ScreenX(t.game, 144), 144);
    EXPECT_EQ(ScreenY(t.game, 112), 112);
}

TEST_F(CameraTest, FollowingRoundsHalvesToEven) {
    PlacePlayer(t.game, 500.5f, 400.5f);
    // 600 - 500.5 + 144 = 243.5 -> 244; 601 -> 244.5 -> 244.
    EXPECT_EQ(ScreenX(t.game, 600), 244);
    EXPECT_EQ(ScreenX(t.game, 601), 244);
    EXPECT_EQ(ScreenX(t.game, 602), 246);
    // 500 - 400.5 + 112 = 211.5 -> 212; 499 -> 210.5 -> 210.
    EXPECT_EQ(ScreenY(t.game, 500), 212);
    EXPECT_EQ(ScreenY(t.game, 499), 210);
}

TEST_F(CameraTest, NearTheMapsEndTheCameraStopsAtTheLastScreen) {
    // Right threshold: 1280 - 160 - 16 = 1104; bottom: 960 - 128 - 16 = 816.
    PlacePlayer(t.game, 1104.0f, 816.0f);
    EXPECT_EQ(PlayerScreenX(t.game), 144);
    EXPECT_EQ(PlayerScreenY(t.game), 112);
    PlacePlayer(t.game, 1104.5f, 816.5f);
    EXPECT_EQ(ScreenX(t.game, 1280), 320);  // the map's right edge is the screen's
    EXPECT_EQ(ScreenY(t.game, 960), 256);
    EXPECT_EQ(PlayerScreenX(t.game), 144);  // nearest(1104.5 - 960) = 144
    EXPECT_EQ(PlayerScreenY(t.game), 112);  // nearest(816.5 - 704) = 112
    PlacePlayer(t.game, 1250.0f, 930.0f);
    EXPECT_EQ(ScreenX(t.game, 1280), 320);
    EXPECT_EQ(PlayerScreenX(t.game), 290);
    EXPECT_EQ(PlayerScreenY(t.game), 226);
}

// Paints a w x h rectangle of one colour into a width x height buffer.
void Paint(std::vector<uint32_t>& buffer, int width, int height, int x, int y, int w, int h,
           uint32_t colour) {
    for (int py = std::max(0, y); py < std::min(height, y + h); ++py) {
        for (int px = std::max(0, x); px < std::min(width, x + w); ++px) {
            buffer[static_cast<size_t>(py) * width + px] = colour;
        }
    }
}

TEST(CameraCullingTest, DrawingTheVisibleCellsGivesThePictureOfDrawingEveryCell) {
    test::TestGame t;
    constexpr int kMapSide = 256;
    SetUpField(t, kMapSide, kMapSide);
    t.game.player.Health = 0;  // no health bar over the status area
    const uint32_t groundColours[] = {0x204020, 0x406020, 0x605030, 0x203060};
    std::vector<SpriteHandle> ground;
    for (int i = 0; i < 4; ++i) {
        ground.push_back(test::AddTileImage(t, "g" + std::to_string(i), 32, 32, groundColours[i]));
    }
    // A top tile larger than a cell reaches into its neighbours' places.
    const uint32_t treeColour = 0xA0C0A0;
    const SpriteHandle tree = test::AddTileImage(t, "tree", 48, 56, treeColour);
    for (int c = 0; c < kMapSide; ++c) {
        for (int r = 0; r < kMapSide; ++r) {
            MapCell& cell = *t.game.map->grid.Cell(c, r);
            const int pick = (c * 7 + r * 3) % 5;
            cell.GroundSprite = pick < 4 ? ground[pick] : -1;
            cell.TopSprite = (c + 2 * r) % 9 == 0 ? tree : -1;
        }
    }
    const GameSettings& s = t.game.settings;
    const int width = s.ScreenPixelWidth;
    const int height = s.ScreenPixelHeight;
    std::mt19937 random(7);
    std::uniform_real_distribution<float> position(-40.0f, kMapSide * 32.0f + 40.0f);
    std::vector<float> places = {0.0f, 143.5f, 144.0f, 8048.0f, 8048.5f, 8180.0f, 4000.5f};
    for (int i = 0; i < 25; ++i) {
        places.push_back(position(random));
    }
    for (size_t i = 0; i < places.size(); ++i) {
        const float x = places[i];
        const float y = places[(i * 5 + 3) % places.size()];
        PlacePlayer(t.game, x, y);
        DrawFrame(t.game);
        // The rule as written: every cell of every layer, the screen clipping.
        std::vector<uint32_t> expected(static_cast<size_t>(width) * height, 0x000000);
        for (int c = 0; c < kMapSide; ++c) {
            for (int r = 0; r < kMapSide; ++r) {
                const int pick = (c * 7 + r * 3) % 5;
                if (pick < 4) {
                    Paint(expected, width, height, ScreenX(t.game, c * 32), ScreenY(t.game, r * 32),
                          32, 32, groundColours[pick]);
                }
            }
        }
        for (int c = 0; c < kMapSide; ++c) {
            for (int r = 0; r < kMapSide; ++r) {
                if ((c + 2 * r) % 9 == 0) {
                    Paint(expected, width, height, ScreenX(t.game, c * 32), ScreenY(t.game, r * 32),
                          48, 56, treeColour);
                }
            }
        }
        int mismatches = 0;
        for (int py = 0; py < height; ++py) {
            for (int px = 0; px < width; ++px) {
                mismatches +=
                    t.media.PixelAt(px, py) != expected[static_cast<size_t>(py) * width + px];
            }
        }
        ASSERT_EQ(mismatches, 0) << "player at " << x << ", " << y;
        // Only the cells near the screen were drawn.
        EXPECT_LE(t.media.DrawLog().size(), 2u * 13u * 13u);
    }
}

// The foreground-behind rule as written, over every cell of the map, for one
// actor whose frame is drawn as a solid square.
struct ReferenceActor {
    int left, top, size, screenX, screenY;
    uint32_t colour;
};

TEST(CameraCullingTest, ForegroundAndActorsAtTheScreensEdgesMatchTheFullRule) {
    test::TestGame t;
    constexpr int kMapSide = 48;
    SetUpField(t, kMapSide, kMapSide);
    t.game.player.Health = 0;
    const uint32_t groundColour = 0x204020;
    const uint32_t leafColour = 0x30C030;
    const uint32_t playerColour = 0x3050A0;
    const uint32_t monsterColour = 0xA05030;
    const SpriteHandle grass = test::AddTileImage(t, "grass", 32, 32, groundColour);
    const SpriteHandle leaves = test::AddTileImage(t, "leaves", 32, 32, leafColour);
    t.game.player.Sprite = test::MakeSprite(t, "player", 128, 224, playerColour);
    const SpriteHandle bat = test::MakeSprite(t, "bat", 128, 224, monsterColour);
    auto hasLeaves = [](int c, int r) { return (c * 3 + r * 5) % 4 == 0; };
    for (int c = 0; c < kMapSide; ++c) {
        for (int r = 0; r < kMapSide; ++r) {
            MapCell& cell = *t.game.map->grid.Cell(c, r);
            cell.GroundSprite = grass;
            cell.ForegroundSprite = hasLeaves(c, r) ? leaves : -1;
        }
    }
    const GameSettings& s = t.game.settings;
    const int width = s.ScreenPixelWidth;
    const int height = s.ScreenPixelHeight;
    std::mt19937 random(31);
    std::uniform_real_distribution<float> anywhere(-20.0f, kMapSide * 32.0f);
    std::uniform_real_distribution<float> around(-230.0f, 230.0f);
    for (int round = 0; round < 40; ++round) {
        const float px = round < 4 ? (round % 2) * 3.0f : anywhere(random);
        const float py = round < 4 ? (round / 2) * 5.0f : anywhere(random);
        PlacePlayer(t.game, px, py);
        t.game.map->monsters.clear();
        for (int i = 0; i < 12; ++i) {
            test::PutMonster(t.game, px + around(random), py + around(random), bat, i + 1);
        }
        std::stable_sort(t.game.map->monsters.begin(), t.game.map->monsters.end(),
                         [](const Monster& a, const Monster& b) { return a.ClipTop < b.ClipTop; });
        DrawFrame(t.game);

        std::vector<uint32_t> expected(static_cast<size_t>(width) * height, 0);
        for (int c = 0; c < kMapSide; ++c) {
            for (int r = 0; r < kMapSide; ++r) {
                Paint(expected, width, height, ScreenX(t.game, c * 32), ScreenY(t.game, r * 32), 32,
                      32, groundColour);
            }
        }
        std::vector<bool> behind(static_cast<size_t>(kMapSide) * kMapSide, false);
        auto drawActor = [&](const ReferenceActor& a, double feet) {
            for (int c = 0; c < kMapSide; ++c) {
                for (int r = 0; r < kMapSide; ++r) {
                    if (hasLeaves(c, r) &&
                        Overlaps({c * 32, r * 32, 32, 32}, {a.left, a.top, a.size, a.size}) &&
                        (r + 1) * 32 < feet) {
                        Paint(expected, width, height, ScreenX(t.game, c * 32),
                              ScreenY(t.game, r * 32), 32, 32, leafColour);
                        behind[static_cast<size_t>(c) * kMapSide + r] = true;
                    }
                }
            }
            Paint(expected, width, height, a.screenX, a.screenY, a.size, a.size, a.colour);
        };
        const Player& p = t.game.player;
        const ReferenceActor player{RoundHalfEven(p.X),    RoundHalfEven(p.Y),    32,
                                    PlayerScreenX(t.game), PlayerScreenY(t.game), playerColour};
        bool playerDrawn = false;
        for (const Monster& m : t.game.map->monsters) {
            if (!playerDrawn && m.ClipTop > p.ClipTop) {
                drawActor(player, double{p.Y} + 32);
                playerDrawn = true;
            }
            const int left = RoundHalfEven(m.X);
            const int top = RoundHalfEven(m.Y);
            drawActor({left, top, 32, ScreenX(t.game, left), ScreenY(t.game, top), monsterColour},
                      double{m.Y} + 32);
        }
        if (!playerDrawn) {
            drawActor(player, double{p.Y} + 32);
        }
        for (int c = 0; c < kMapSide; ++c) {
            for (int r = 0; r < kMapSide; ++r) {
                if (hasLeaves(c, r) && !behind[static_cast<size_t>(c) * kMapSide + r]) {
                    Paint(expected, width, height, ScreenX(t.game, c * 32), ScreenY(t.game, r * 32),
                          32, 32, leafColour);
                }
            }
        }
        int mismatches = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                mismatches += t.media.PixelAt(x, y) != expected[static_cast<size_t>(y) * width + x];
            }
        }
        ASSERT_EQ(mismatches, 0) << "round " << round << ", player at " << px << ", " << py;
        for (const MapCell& cell : t.game.map->grid.Cells()) {
            ASSERT_EQ(cell.DrawnBehind, 0);
        }
    }
}

}  // namespace
}  // namespace vorn

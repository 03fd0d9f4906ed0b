// Guards against memory growing while the player walks between maps: the
// pictures of map objects stay loaded until the program ends, so a map load
// must not load a picture again that an earlier load already holds.
#include <gtest/gtest.h>

#include <set>

#include "game/play/MapEntry.h"
#include "tests/game/support/TestGame.h"
#include "tests/game/support/WorldFixtures.h"

namespace vorn::test {
namespace {

class MapReloadObjectPictures : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareWorld(t, 6, 4, {"grass"});
        t.folder.Write("objects/key.png", MakePng(8, 8, 0xFFD700));
        t.folder.Write("objects/coin.png", MakePng(6, 6, 0xC0C0C0));
        MapFiles east;
        east.gtl = LayerText(6, 4, "grass");
        east.atl = LayerText(6, 4, "0");
        east.obl =
            "Key,key.png,1,1,0,0,0,0\r\nCoin,coin.png,2,1,0,0,0,0\r\n"
            "Spare Key,key.png,3,1,0,0,0,0\r\nGhost,missing.png,4,1,0,0,0,0\r\n";
        WriteMap(t.folder, "east", east);
        MapFiles west = east;
        west.obl = "Coin,coin.png,1,2,0,0,0,0\r\n";
        WriteMap(t.folder, "west", west);
    }

    TestGame t;
};

TEST_F(MapReloadObjectPictures, WalkingBackAndForthReusesTheLoadedPictures) {
    EnterMap(t.game, "east");
    ASSERT_EQ(t.game.map->objects.size(), 4u);
    const SpriteHandle key = t.game.map->objects[0].Sprite;
    const SpriteHandle coin = t.game.map->objects[1].Sprite;
    ASSERT_NE(key, 0);
    ASSERT_NE(coin, 0);
    EXPECT_NE(key, coin);
    EXPECT_EQ(t.media.SpriteWidth(key), 8);
    EXPECT_EQ(t.media.SpriteWidth(coin), 6);

    std::set<SpriteHandle> handles{key, coin};
    for (int trip = 0; trip < 50; ++trip) {
        EnterMap(t.game, "west");
        ASSERT_EQ(t.game.map->objects.size(), 1u);
        handles.insert(t.game.map->objects[0].Sprite);
        EnterMap(t.game, "east");
        ASSERT_EQ(t.game.map->objects.size(), 4u);
        for (const ObjectType& object : t.game.map->objects)
            handles.insert(object.Sprite);
    }
    // Only the two pictures and the missing one (0) were ever handed out.
    EXPECT_EQ(handles, (std::set<SpriteHandle>{0, key, coin}));
    // The pictures are still whole after all the trips.
    EXPECT_EQ(t.media.SpriteWidth(t.game.map->objects[0].Sprite), 8);
    EXPECT_EQ(t.media.SpriteHeight(t.game.map->objects[1].Sprite), 6);
}

TEST_F(MapReloadObjectPictures, ObjectsNamingOnePictureShareItAndAMissingOneDrawsNothing) {
    EnterMap(t.game, "east");
    ASSERT_EQ(t.game.map->objects.size(), 4u);
    EXPECT_EQ(t.game.map->objects[2].Name, "Spare Key");
    EXPECT_EQ(t.game.map->objects[2].Sprite, t.game.map->objects[0].Sprite);
    EXPECT_EQ(t.game.map->objects[3].Sprite, 0);
    // Picking objects up or replacing the map never frees a shared picture.
    t.game.map->objects.erase(t.game.map->objects.begin());
    EnterMap(t.game, "east");
    EXPECT_EQ(t.media.SpriteWidth(t.game.map->objects[2].Sprite), 8);
}

}  // namespace
}  // namespace vorn::test

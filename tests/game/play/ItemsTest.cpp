// Picking up map objects: the probe, bonuses, the message, dropped hearts,
// the inventory, and grab-item scripts that change the world underneath.
#include "game/play/Items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/bindings/Bindings.h"
#include "game/play/MapEntry.h"
#include "tests/game/support/PlayFixtures.h"

namespace vorn {
namespace {

using test::PlacePlayer;
using test::SetUpArena;

// The player stands at (160, 160): the centre probe covers x and y 175..178.
constexpr int32_t kProbe = 175;

class ItemsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpArena(t);
        PlacePlayer(t.game, 160.0f, 160.0f);
        t.folder.Write("objects/thing.png", test::MakePng(16, 16, 0x00FF00));
        picture = t.media.LoadSpriteFile(t.folder.Path() + "/objects/thing.png");
        ASSERT_NE(picture, 0);
        t.game.StatusText = "Town";
    }
    Game& game() { return t.game; }
    Player& player() { return t.game.player; }

    // A 16 x 16 object whose rectangle covers the probe.
    ObjectType& AddObject(const std::string& name, int32_t x = 170, int32_t y = 170) {
        ObjectType object;
        object.Name = name;
        object.Sprite = picture;
        object.X = x;
        object.Y = y;
        game().map->objects.push_back(object);
        return game().map->objects.back();
    }

    // A script command recording #ITEMNAME and the player's damage at the
    // time the script runs; with `swapMap` it also makes a new map current,
    // as entering a map does, and releases the old map's objects.
    void RegisterRecorder(bool swapMap) {
        game().script.RegisterCommand(
            [this, swapMap](ScriptEngine& engine) {
                recorded.push_back(engine.ExpandConstants("#ITEMNAME #PLAYERX #PLAYERY") + " " +
                                   std::to_string(game().player.Damage));
                if (swapMap) {
                    const std::shared_ptr<CurrentMap> old = game().map;
                    game().map = std::make_shared<CurrentMap>();
                    game().map->grid = std::move(old->grid);
                    std::vector<ObjectType>().swap(old->objects);
                    AddObject("Stranger", 0, 0);
                }
                engine.SetReturnValue("0", ValueType::Number);
                return 1;
            },
            "RecordGrab", 0);
    }

    test::TestGame t;
    SpriteHandle picture;
    std::vector<std::string> recorded;
};

TEST_F(ItemsTest, SwordMessageListsOnlyTheBonusesItHas) {
    ObjectType& sword = AddObject("Sword");
    sword.Damage = 2;
    sword.Speed = 10;
    PickUp(game());
    EXPECT_EQ(game().StatusText, "You picked up: Sword: +2 damage. 10 speed.");
    EXPECT_EQ(player().Damage, 6);
    EXPECT_EQ(player().Speed, 110);
    EXPECT_EQ(player().MaxHealth, 10);
    EXPECT_EQ(game().inventory, std::vector<std::string>{"Sword"});
    EXPECT_TRUE(game().map->objects.empty());
}

TEST_F(ItemsTest, EveryBonusIsAddedAndHealthIsCappedAtTheNewMaximum) {
    ObjectType& ring = AddObject("Ring");
    ring.Damage = 1;
    ring.Health = 5;
    ring.Speed = -2;
    ring.HealAmount = 3;
    player().Health = 4;
    PickUp(game());
    EXPECT_EQ(game().StatusText, "You picked up: Ring: +1 damage. 5 health. -2 speed.");
    EXPECT_EQ(player().MaxHealth, 15);
    EXPECT_EQ(player().Health, 7);
    EXPECT_EQ(player().Speed, 98);

    ObjectType& potion = AddObject("Potion");
    potion.HealAmount = 50;
    PickUp(game());
    EXPECT_EQ(player().Health, 15);
    EXPECT_EQ(game().StatusText, "You picked up: Potion: +");
}

TEST_F(ItemsTest, DroppedHeartHealsOneAndLeavesTheStatusText) {
    ObjectType& heart = AddObject("__AUTO_DROP_1");
    heart.HealAmount = 1;
    player().Health = 9;
    PickUp(game());
    EXPECT_EQ(player().Health, 10);
    EXPECT_EQ(game().StatusText, "Town");
    EXPECT_EQ(game().inventory, std::vector<std::string>{""});
    EXPECT_TRUE(game().map->objects.empty());

    // At full health a heart is still taken, without healing above the cap.
    AddObject("__AUTO_DROP_2").HealAmount = 1;
    PickUp(game());
    EXPECT_EQ(player().Health, 10);
    EXPECT_EQ(game().inventory.size(), 2u);
    EXPECT_TRUE(game().map->objects.empty());
}

TEST_F(ItemsTest, OverlappingObjectsAreTakenOnePerFrameInListOrder) {
    AddObject("Apple");
    AddObject("Pear");
    PickUp(game());
    EXPECT_EQ(game().inventory, std::vector<std::string>{"Apple"});
    ASSERT_EQ(game().map->objects.size(), 1u);
    EXPECT_EQ(game().map->objects[0].Name, "Pear");
    PickUp(game());
    EXPECT_EQ(game().inventory, (std::vector<std::string>{"Apple", "Pear"}));
    PickUp(game());  // empty ground: nothing, every frame
    EXPECT_EQ(game().inventory.size(), 2u);
}

TEST_F(ItemsTest, TheProbeMustTouchTheObjectRectangle) {
    AddObject("Left", kProbe - 16 - 1, 170);  // ends at 174: one pixel short
    AddObject("Below", 170, kProbe + 3 + 1);  // starts at 179
    PickUp(game());
    EXPECT_TRUE(game().inventory.empty());
    EXPECT_EQ(game().StatusText, "Town");
    AddObject("Touching", kProbe - 16, kProbe + 3);  // shares one corner pixel
    PickUp(game());
    EXPECT_EQ(game().inventory, std::vector<std::string>{"Touching"});
    EXPECT_EQ(game().map->objects.size(), 2u);
}

TEST_F(ItemsTest, ObjectsNamedLikeAnItemAreNeverTakenAgain) {
    game().inventory.push_back("Key");
    AddObject("Key");
    AddObject("Coin");
    AddObject("Coin");
    PickUp(game());
    EXPECT_EQ(game().inventory, (std::vector<std::string>{"Key", "Coin"}));
    PickUp(game());
    PickUp(game());
    EXPECT_EQ(game().inventory.size(), 2u);
    ASSERT_EQ(game().map->objects.size(), 2u);
    EXPECT_EQ(game().map->objects[0].Name, "Key");
    EXPECT_EQ(game().map->objects[1].Name, "Coin");
}

TEST_F(ItemsTest, InventoryMatchesNamesExactly) {
    game().inventory = {"Key", ""};
    EXPECT_TRUE(InventoryHas(game(), "Key"));
    EXPECT_FALSE(InventoryHas(game(), "key"));
    EXPECT_FALSE(InventoryHas(game(), "Key "));
    EXPECT_FALSE(InventoryHas(game(), "Ke"));
    EXPECT_TRUE(InventoryHas(game(), ""));
}

TEST_F(ItemsTest, GrabItemScriptsRunBeforeTheBonusesWithTheirPresets) {
    RegisterRecorder(false);
    test::LoadScript(t, "maps/here_grabitem.ds", "RecordGrab()\n", slots::kMapGrabItem);
    test::LoadScript(t, "global_grabitem.ds", "RecordGrab()\n", slots::kGlobalGrabItem);
    AddObject("Axe").Damage = 3;
    PickUp(game());
    ASSERT_EQ(recorded.size(), 2u);
    EXPECT_EQ(recorded[0], "'Axe' 160 160 4");
    EXPECT_EQ(recorded[1], "'Axe' 160 160 4");
    EXPECT_EQ(player().Damage, 7);
}

TEST_F(ItemsTest, NothingUnderTheProbeRunsNoScript) {
    RegisterRecorder(false);
    test::LoadScript(t, "global_grabitem.ds", "RecordGrab()\n", slots::kGlobalGrabItem);
    AddObject("Far", 400, 400);
    PickUp(game());
    EXPECT_TRUE(recorded.empty());
}

TEST_F(ItemsTest, GrabItemScriptThatLoadsAMapLeavesTheNewObjectsAlone) {
    RegisterRecorder(true);
    test::LoadScript(t, "global_grabitem.ds", "RecordGrab()\n", slots::kGlobalGrabItem);
    AddObject("Bow").Damage = 2;
    AddObject("Arrow");
    PickUp(game());
    ASSERT_EQ(recorded.size(), 1u);
    EXPECT_EQ(player().Damage, 6);
    EXPECT_EQ(game().inventory, std::vector<std::string>{"Bow"});
    ASSERT_EQ(game().map->objects.size(), 1u);
    EXPECT_EQ(game().map->objects[0].Name, "Stranger");
}

// The grab-item scripts run before the bonuses are applied, so what they do
// to the object being taken is what the player gets.
TEST_F(ItemsTest, ARenamedObjectIsStillTheOneTakenWithWhatTheScriptGaveIt) {
    RegisterGameCommands(game());
    test::LoadScript(t, "global_grabitem.ds",
                     "SetObjectName('Lamp', 'Broken Lamp')\nSetObjectDamage('Broken Lamp', 9)\n",
                     slots::kGlobalGrabItem);
    AddObject("Lamp").Damage = 1;
    AddObject("Torch").Damage = 1;
    PickUp(game());
    ASSERT_EQ(game().map->objects.size(), 1u);
    EXPECT_EQ(game().map->objects[0].Name, "Torch");
    EXPECT_EQ(game().inventory, std::vector<std::string>{"Broken Lamp"});
    EXPECT_EQ(player().Damage, 13);
    EXPECT_EQ(game().StatusText, "You picked up: Broken Lamp: +9 damage. ");
}

TEST_F(ItemsTest, GrabItemScriptLoadingARealMapKeepsTheNewMapsObjects) {
    RegisterGameCommands(game());
    test::LoadScript(t, "global_grabitem.ds", "LoadMap('cave')\n", slots::kGlobalGrabItem);
    test::WriteArenaMap(t, "town", {},
                        "Bow,thing.png,5,5,2,0,0,0\r\nArrow,thing.png,5,5,0,0,0,0\r\n");
    test::WriteArenaMap(t, "cave", {}, "Gem,thing.png,5,5,0,0,0,0\r\n");
    EnterMap(game(), "town");
    ASSERT_EQ(game().map->objects.size(), 2u);
    PickUp(game());
    EXPECT_FALSE(game().ended);
    EXPECT_EQ(game().inventory, std::vector<std::string>{"Bow"});
    EXPECT_EQ(player().Damage, 6);
    ASSERT_EQ(game().map->objects.size(), 1u);
    EXPECT_EQ(game().map->objects[0].Name, "Gem");
}

// Taking an object, leaving the map and coming back.
TEST_F(ItemsTest, TakenObjectsStayHiddenAfterTheMapIsLoadedAgain) {
    test::WriteArenaMap(t, "town", {},
                        "Key,thing.png,5,5,0,0,0,0\r\nGem,thing.png,5,5,1,0,0,0\r\n");
    EnterMap(game(), "town");
    ASSERT_FALSE(game().ended);
    ASSERT_EQ(game().map->objects.size(), 2u);
    PlacePlayer(game(), 5 * 32.0f, 5 * 32.0f);  // probe at 175: inside tile (5, 5)
    PickUp(game());
    EXPECT_EQ(game().inventory, std::vector<std::string>{"Key"});

    EnterMap(game(), "town");
    ASSERT_EQ(game().map->objects.size(), 2u);  // the list holds Key again...
    PickUp(game());                             // ...but only Gem can be taken
    EXPECT_EQ(game().inventory, (std::vector<std::string>{"Key", "Gem"}));
    PickUp(game());
    EXPECT_EQ(game().inventory.size(), 2u);
    ASSERT_EQ(game().map->objects.size(), 1u);
    EXPECT_EQ(game().map->objects[0].Name, "Key");
}

}  // namespace
}  // namespace vorn

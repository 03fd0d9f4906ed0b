// Monster and map-object commands: lookup by ID and by name, nearest and
// intersecting monsters, unknown IDs and names.
#include <gtest/gtest.h>

#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::CallCommand;
using test::CallResult;
using test::ShellGame;

Monster MakeMonster(int32_t id, float x, float y, const std::string& name = "Slime") {
    Monster monster;
    monster.ID = id;
    monster.Type.Name = name;
    monster.X = x;
    monster.Y = y;
    monster.Type.FrameWidth = 32;
    monster.Type.FrameHeight = 32;
    monster.DeathDuration = 500;
    return monster;
}

class MonsterObjectCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(shell.StartNewGame());
        game.map->monsters.clear();
        game.player.X = 100.0f;
        game.player.Y = 100.0f;
    }
    CallResult Call(const std::string& name, const std::string& arguments = "") {
        return CallCommand(game, name, arguments);
    }
    ShellGame shell;
    Game& game = shell.game;
};

TEST_F(MonsterObjectCommandsTest, NearestMonsterIsMinusOneWithoutMonsters) {
    const CallResult result = Call("GetNearestMonster");
    EXPECT_EQ(result.ret, "-1");
    EXPECT_EQ(result.retType, ValueType::Number);
}

TEST_F(MonsterObjectCommandsTest, NearestMonsterPrefersTheEarlierOnEqualRoundedDistance) {
    game.map->monsters.push_back(MakeMonster(4, 200.0f, 100.0f));  // 100 px
    game.map->monsters.push_back(MakeMonster(5, 160.0f, 180.0f));  // 100 px (60, 80)
    game.map->monsters.push_back(MakeMonster(6, 100.0f, 0.4f));    // 99.6 -> rounds to 100
    EXPECT_EQ(Call("GetNearestMonster").ret, "4");
    game.map->monsters.push_back(MakeMonster(8, 30.0f, 30.0f));  // about 99
    EXPECT_EQ(Call("GetNearestMonster").ret, "8");
}

TEST_F(MonsterObjectCommandsTest, IntersectMonsterUsesFrameRectanglesInclusively) {
    game.map->monsters.push_back(MakeMonster(1, 300.0f, 300.0f));
    // Player frame 100..132; a monster at 132 touches it.
    game.map->monsters.push_back(MakeMonster(2, 132.0f, 90.0f));
    game.map->monsters.push_back(MakeMonster(3, 110.0f, 110.0f));
    EXPECT_EQ(Call("GetIntersectMonster").ret, "2");
    game.map->monsters[1].X = 132.6f;  // rounds to 133: no longer touching
    EXPECT_EQ(Call("GetIntersectMonster").ret, "3");
}

TEST_F(MonsterObjectCommandsTest, IntersectMonsterIsMinusOneWithoutOverlap) {
    game.script.SetReturnValue("stale", ValueType::String);
    game.map->monsters.push_back(MakeMonster(1, 300.0f, 300.0f));
    const CallResult result = Call("GetIntersectMonster");
    EXPECT_EQ(result.code, ScriptResult::Ok);
    EXPECT_EQ(result.ret, "-1");
    EXPECT_EQ(result.retType, ValueType::Number);
}

TEST_F(MonsterObjectCommandsTest, GettersReadTheFirstMonsterWithTheId) {
    Monster first = MakeMonster(9, 10.5f, 11.5f, "Bat");
    first.Friendly = -2;
    first.FoundPlayer = 200;  // reported as a signed byte
    game.map->monsters.push_back(MakeMonster(3, 0.0f, 0.0f, "Rat"));
    game.map->monsters.push_back(first);
    game.map->monsters.push_back(MakeMonster(9, 99.0f, 99.0f, "Ghost"));

    const CallResult name = Call("GetMonsterName", "9");
    EXPECT_EQ(name.ret, "Bat");
    EXPECT_EQ(name.retType, ValueType::String);
    EXPECT_EQ(Call("GetMonsterX", "9").ret, "10");
    EXPECT_EQ(Call("GetMonsterY", "9").ret, "12");
    EXPECT_EQ(Call("GetMonsterFriendly", "9").ret, "-2");
    EXPECT_EQ(Call("GetMonsterFoundPlayer", "9").ret, "-56");
}

TEST_F(MonsterObjectCommandsTest, GettersWithAnUnknownIdGiveEmptyTextOrZero) {
    game.map->monsters.push_back(MakeMonster(3, 50.0f, 60.0f, "Rat"));
    const CallResult name = Call("GetMonsterName", "4");
    EXPECT_EQ(name.code, ScriptResult::Ok);
    EXPECT_EQ(name.ret, "");
    EXPECT_EQ(name.retType, ValueType::String);
    for (const char* getter :
         {"GetMonsterX", "GetMonsterY", "GetMonsterFriendly", "GetMonsterFoundPlayer"}) {
        SCOPED_TRACE(getter);
        const CallResult result = Call(getter, "4");
        EXPECT_EQ(result.code, ScriptResult::Ok);
        EXPECT_EQ(result.ret, "0");
        EXPECT_EQ(result.retType, ValueType::Number);
    }
}

TEST_F(MonsterObjectCommandsTest, SettersChangeOnlyTheTargetMonster) {
    game.map->monsters.push_back(MakeMonster(1, 0.0f, 0.0f));
    game.map->monsters.push_back(MakeMonster(2, 0.0f, 0.0f));
    Call("SetMonsterX", "2,40.7");
    Call("SetMonsterY", "2,-8");
    Call("SetMonsterFriendly", "2,257");
    Call("SetMonsterFoundPlayer", "2,513");
    Call("DisableMonsterDeath", "2");
    const Monster& target = game.map->monsters[1];
    EXPECT_EQ(target.X, 40.0f);
    EXPECT_EQ(target.Y, -8.0f);
    EXPECT_EQ(target.Friendly, 1);
    EXPECT_EQ(target.FoundPlayer, 1);
    EXPECT_EQ(target.DeathDuration, 0);
    const Monster& other = game.map->monsters[0];
    EXPECT_EQ(other.X, 0.0f);
    EXPECT_EQ(other.Friendly, 0);
    EXPECT_EQ(other.DeathDuration, 500);
}

TEST_F(MonsterObjectCommandsTest, SettersWithAnUnknownIdSucceedAndChangeNothing) {
    game.map->monsters.push_back(MakeMonster(1, 5.0f, 6.0f));
    const std::string before = test::StateSnapshot(game);
    for (const char* call :
         {"SetMonsterX", "SetMonsterY", "SetMonsterFriendly", "SetMonsterFoundPlayer"}) {
        EXPECT_EQ(Call(call, "77,3").code, ScriptResult::Ok) << call;
    }
    EXPECT_EQ(Call("DisableMonsterDeath", "77").code, ScriptResult::Ok);
    EXPECT_EQ(test::StateSnapshot(game), before);
}

TEST_F(MonsterObjectCommandsTest, ObjectsAreFoundByNameWithoutRegardToCase) {
    game.map->objects.push_back(ObjectType{"Shield", 0, 0, 0, 0, 0, 0, 0});
    game.map->objects.push_back(ObjectType{"Sword", 0, 32, 32, 1, 1, 1, 1});
    game.map->objects.push_back(ObjectType{"SWORD", 0, 64, 64, 0, 0, 0, 0});
    Call("SetObjectDamage", "'sword',5");
    Call("SetObjectHealth", "'sWoRd',6");
    Call("SetObjectSpeed", "'SWORD',7");
    Call("SetObjectHealAmount", "'Sword',8");
    const ObjectType& sword = game.map->objects[1];
    EXPECT_EQ(sword.Damage, 5);
    EXPECT_EQ(sword.Health, 6);
    EXPECT_EQ(sword.Speed, 7);
    EXPECT_EQ(sword.HealAmount, 8);
    // Only the first match changes.
    EXPECT_EQ(game.map->objects[2].Damage, 0);
    EXPECT_EQ(game.map->objects[0].Damage, 0);

    Call("SetObjectName", "'sword','Blunt Sword'");
    EXPECT_EQ(game.map->objects[1].Name, "Blunt Sword");
    // The next lookup finds the other one now.
    Call("SetObjectDamage", "'sword',9");
    EXPECT_EQ(game.map->objects[2].Damage, 9);
}

TEST_F(MonsterObjectCommandsTest, UnknownObjectNameSucceedsAndChangesNothing) {
    game.map->objects.push_back(ObjectType{"Sword", 0, 32, 32, 1, 1, 1, 1});
    const std::string before = test::StateSnapshot(game);
    EXPECT_EQ(Call("SetObjectDamage", "'axe',5").code, ScriptResult::Ok);
    EXPECT_EQ(Call("SetObjectName", "'swor','x'").code, ScriptResult::Ok);
    EXPECT_EQ(test::StateSnapshot(game), before);
}

TEST_F(MonsterObjectCommandsTest, ObjectChangesEndWithTheNextMapLoad) {
    shell.Write("maps/start.obl", "Sword,heart.png,2,2,1,0,0,0\r\n");
    Call("LoadMap", "'start'");
    ASSERT_EQ(game.map->objects.size(), 1u);
    Call("SetObjectDamage", "'sword',50");
    EXPECT_EQ(game.map->objects[0].Damage, 50);
    Call("LoadMap", "'start'");
    ASSERT_EQ(game.map->objects.size(), 1u);
    EXPECT_EQ(game.map->objects[0].Damage, 1);
}

TEST_F(MonsterObjectCommandsTest, PlayerHasItemIgnoresBlanksAndCase) {
    game.inventory = {"Sword", " KEY "};
    EXPECT_EQ(Call("PlayerHasItem", "'  key  '").ret, "1");
    EXPECT_EQ(Call("PlayerHasItem", "'sword'").ret, "1");
    EXPECT_EQ(Call("PlayerHasItem", "'swor'").ret, "0");
    EXPECT_EQ(Call("PlayerHasItem", "'key s'").ret, "0");
    game.inventory.clear();
    EXPECT_EQ(Call("PlayerHasItem", "''").ret, "0");
}

}  // namespace
}  // namespace vorn

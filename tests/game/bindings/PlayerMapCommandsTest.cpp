// The player and map commands: values stored and read back, rounding of
// positions, low-byte flags, tile attributes, the time of day and LoadMap.
#include <gtest/gtest.h>

#include "game/shell/GameShell.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::CallCommand;
using test::CallResult;
using test::ShellGame;

class PlayerMapCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(shell.StartNewGame()); }
    CallResult Call(const std::string& name, const std::string& arguments = "") {
        return CallCommand(game, name, arguments);
    }
    ShellGame shell;
    Game& game = shell.game;
};

TEST_F(PlayerMapCommandsTest, PositionsAreStoredTruncatedAndReadRoundedHalfToEven) {
    EXPECT_EQ(Call("SetPlayerX", "3.9").code, ScriptResult::Ok);
    EXPECT_EQ(game.player.X, 3.0f);
    EXPECT_EQ(Call("SetPlayerY", "-2.5").code, ScriptResult::Ok);
    EXPECT_EQ(game.player.Y, -2.0f);

    game.player.X = 10.5f;
    game.player.Y = 11.5f;
    const CallResult x = Call("GetPlayerX");
    EXPECT_EQ(x.ret, "10");
    EXPECT_EQ(x.retType, ValueType::Number);
    EXPECT_EQ(Call("GetPlayerY").ret, "12");
    game.player.X = -0.6f;
    EXPECT_EQ(Call("GetPlayerX").ret, "-1");
}

TEST_F(PlayerMapCommandsTest, PlayerNumbersRoundTrip) {
    const struct {
        const char* setter;
        const char* getter;
        int32_t Player::*field;
    } kFields[] = {
        {"SetPlayerHealth", "GetPlayerHealth", &Player::Health},
        {"SetPlayerMaxHealth", "GetPlayerMaxHealth", &Player::MaxHealth},
        {"SetPlayerDamage", "GetPlayerDamage", &Player::Damage},
        {"SetPlayerSpeed", "GetPlayerSpeed", &Player::Speed},
    };
    int32_t value = -3;
    for (const auto& field : kFields) {
        SCOPED_TRACE(field.setter);
        EXPECT_EQ(Call(field.setter, std::to_string(value)).code, ScriptResult::Ok);
        EXPECT_EQ(game.player.*field.field, value);
        game.player.*field.field = value * 7;
        EXPECT_EQ(Call(field.getter).ret, std::to_string(value * 7));
        value += 40;
    }
    // The other fields were not touched by the wrong setter.
    EXPECT_EQ(game.player.Health, -21);
    EXPECT_EQ(game.player.Speed, 819);
}

TEST_F(PlayerMapCommandsTest, FlagsKeepTheLowEightBits) {
    Call("SetPlayerAttacking", "257");
    EXPECT_EQ(game.player.Attacking, 1);
    Call("SetPlayerAttacking", "256");
    EXPECT_EQ(game.player.Attacking, 0);
    Call("SetAlwaysDay", "511");
    EXPECT_EQ(game.map->info.AlwaysDay, -1);
    Call("SetAlwaysNight", "2");
    EXPECT_EQ(game.map->info.AlwaysNight, 2);
}

TEST_F(PlayerMapCommandsTest, MapTextsAndTitle) {
    Call("SetSpeechText", "'Welcome, traveller'");
    EXPECT_EQ(game.map->info.SpeechText, "Welcome, traveller");
    Call("SetSpeechTextY", "120");
    EXPECT_EQ(game.map->info.SpeechTextY, 120);
    Call("SetMapTitle", "'Old Mill'");
    EXPECT_EQ(game.map->info.Title, "Old Mill");
    const CallResult title = Call("GetMapTitle");
    EXPECT_EQ(title.ret, "Old Mill");
    EXPECT_EQ(title.retType, ValueType::String);
}

TEST_F(PlayerMapCommandsTest, TileAttributeIsTheFirstCharacterOfTheTrimmedText) {
    EXPECT_EQ(Call("SetTileAttribute", "2,3,'  wall'").code, ScriptResult::Ok);
    EXPECT_EQ(game.map->grid.Cell(2, 3)->Attribute, "w");
    // Blank text counts as a number to the engine, so it is refused.
    EXPECT_EQ(Call("SetTileAttribute", "2,3,'   '").code, ScriptResult::CommandFailed);
    EXPECT_EQ(game.map->grid.Cell(2, 3)->Attribute, "w");
    Call("SetTileAttribute", "2,3,' X Y '");
    EXPECT_EQ(game.map->grid.Cell(2, 3)->Attribute, "X");
    // "S" stores the code but loads no script: the cell's slot stays as it was.
    const int32_t slotBefore = game.map->grid.Cell(4, 4)->Script;
    Call("SetTileAttribute", "4,4,'S'");
    EXPECT_EQ(game.map->grid.Cell(4, 4)->Attribute, "S");
    EXPECT_EQ(game.map->grid.Cell(4, 4)->Script, slotBefore);
    // A spawn number spawns nothing.
    Call("SetTileAttribute", "5,5,'1'");
    EXPECT_TRUE(game.map->monsters.empty());
}

TEST_F(PlayerMapCommandsTest, TileAttributeOutsideTheMapChangesNothing) {
    std::vector<std::string> before;
    for (const MapCell& cell : game.map->grid.Cells())
        before.push_back(cell.Attribute);
    for (const char* arguments : {"-1,0,'X'", "10,0,'X'", "0,8,'X'", "0,-1,'X'",
                                  "2147483647,2147483647,'X'", "-2147483648,3,'X'"}) {
        SCOPED_TRACE(arguments);
        EXPECT_EQ(Call("SetTileAttribute", arguments).code, ScriptResult::Ok);
    }
    std::vector<std::string> after;
    for (const MapCell& cell : game.map->grid.Cells())
        after.push_back(cell.Attribute);
    EXPECT_EQ(after, before);
}

TEST_F(PlayerMapCommandsTest, TimeOfDayHoldsWithoutDayClock) {
    Call("SetTimeOfDay", "42");
    EXPECT_EQ(game.clock.TimeOfDay, 42);
    RunFrame(game);
    RunFrame(game);
    EXPECT_EQ(Call("GetTimeOfDay").ret, "42");
}

TEST(TimeOfDayClockTest, ValueSetByScriptLastsUntilTheNextFrame) {
    ShellGame shell({"LengthOfDay=60"});
    ASSERT_TRUE(shell.StartNewGame());
    Game& game = shell.game;
    shell.media.AdvanceTimeMs(5000);
    RunFrame(game);
    EXPECT_EQ(game.clock.TimeOfDay, 5);
    CallCommand(game, "SetTimeOfDay", "40");
    EXPECT_EQ(CallCommand(game, "GetTimeOfDay", "").ret, "40");
    RunFrame(game);
    EXPECT_EQ(game.clock.TimeOfDay, 5);
}

TEST_F(PlayerMapCommandsTest, LoadMapReplacesTheMapAndRunsItsEnterScript) {
    shell.Write("maps/second_enter.ds", "ENTERED=GetMapTitle()\r\n");
    shell.Write("maps/second.ini", "[Properties]\r\nTitle=Second Field\r\n");
    game.script.SetReturnValue("stale", ValueType::String);
    const CallResult result = Call("LoadMap", "'second'");
    EXPECT_EQ(result.code, ScriptResult::Ok);
    EXPECT_EQ(game.map->info.Name, "second");
    EXPECT_EQ(shell.Variable("ENTERED"), "Second Field");
    // The return value is set after the enter script's own calls.
    EXPECT_EQ(result.ret, "");
    EXPECT_EQ(result.retType, ValueType::None);
}

TEST_F(PlayerMapCommandsTest, CreateAnimationStartsAnInstanceOfAKnownDefinition) {
    // No definitions in the minimal mod: nothing happens.
    EXPECT_EQ(Call("CreateAnimation", "'spark',10,20,1").code, ScriptResult::Ok);
    EXPECT_TRUE(game.map->animations.empty());

    Animation spark;
    spark.Name = "Spark";
    spark.FrameCount = 4;
    spark.FrameWidth = 16;
    spark.FramesPerSecond = 8.0f;
    game.assets.animationDefinitions.push_back(spark);
    EXPECT_EQ(Call("CreateAnimation", "'SPARK',10,20,257").code, ScriptResult::Ok);
    ASSERT_EQ(game.map->animations.size(), 1u);
    EXPECT_EQ(game.map->animations[0].X, 10);
    EXPECT_EQ(game.map->animations[0].Y, 20);
    EXPECT_EQ(game.map->animations[0].PlayOnce, 1);
    Call("CreateAnimation", "'spark',0,0,256");
    ASSERT_EQ(game.map->animations.size(), 2u);
    EXPECT_EQ(game.map->animations[1].PlayOnce, 0);
}

}  // namespace
}  // namespace vorn

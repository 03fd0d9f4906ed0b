// Registration of the host commands and constants, parameter counts, and the
// rule that an argument of the wrong type changes nothing at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/bindings/CommandTables.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::CallCommand;
using test::ShellGame;
using test::StateSnapshot;

struct Signature {
    const char* name;
    int32_t parameterCount;
};

// Every command scripts can call, with its exact parameter count.
const Signature kCommands[] = {
    {"PlaySound", 1},
    {"MessageBox", 2},
    {"Quit", 0},
    {"ResetSymbols", 0},
    {"CreateAnimation", 4},
    {"SaveGame", 0},
    {"LoadMap", 1},
    {"SetPlayerX", 1},
    {"SetPlayerAttacking", 1},
    {"SetPlayerY", 1},
    {"GetPlayerX", 0},
    {"GetPlayerY", 0},
    {"GetPlayerHealth", 0},
    {"SetPlayerHealth", 1},
    {"GetPlayerMaxHealth", 0},
    {"SetPlayerMaxHealth", 1},
    {"GetPlayerDamage", 0},
    {"SetPlayerDamage", 1},
    {"GetPlayerSpeed", 0},
    {"SetPlayerSpeed", 1},
    {"SetDebugMode", 1},
    {"SetSpeechText", 1},
    {"SetSpeechTextY", 1},
    {"SetMapTitle", 1},
    {"GetMapTitle", 0},
    {"SetAlwaysDay", 1},
    {"SetAlwaysNight", 1},
    {"SetObjectDamage", 2},
    {"SetObjectHealth", 2},
    {"SetObjectSpeed", 2},
    {"SetObjectHealAmount", 2},
    {"SetObjectName", 2},
    {"SetTimeOfDay", 1},
    {"GetTimeOfDay", 0},
    {"SetStatusText", 1},
    {"GetStatusText", 0},
    {"SetTileAttribute", 3},
    {"AddScreenText", 6},
    {"GetTime", 0},
    {"Random", 1},
    {"TextLength", 1},
    {"GetShiftedX", 1},
    {"GetShiftedY", 1},
    {"GetNearestMonster", 0},
    {"GetIntersectMonster", 0},
    {"GetMonsterName", 1},
    {"GetMonsterFriendly", 1},
    {"GetMonsterX", 1},
    {"GetMonsterY", 1},
    {"GetMonsterFoundPlayer", 1},
    {"SetMonsterFriendly", 2},
    {"SetMonsterX", 2},
    {"SetMonsterY", 2},
    {"SetMonsterFoundPlayer", 2},
    {"PlayerHasItem", 1},
    {"DisableMonsterDeath", 1},
};

// "n,n,..." with `count` numbers (or an empty text for none).
std::string NumberArguments(int32_t count) {
    std::string text;
    for (int32_t i = 0; i < count; ++i)
        text += (i == 0 ? "1" : ",1");
    return text;
}

// The tables alone give the registration order: each place in it has exactly
// one entry, and the order is the one scripts have always seen (kCommands),
// so a command left out of its table, or given a taken place, fails here.
TEST(CommandTablesTest, EveryPlaceInTheRegistrationOrderHasOneEntry) {
    const std::vector<bindings::CommandEntry> entries = bindings::GameCommandsInRegistrationOrder();
    ASSERT_EQ(entries.size(), std::size(kCommands));
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(kCommands[i].name);
        EXPECT_EQ(entries[i].registrationOrder, static_cast<int32_t>(i));
        EXPECT_STREQ(entries[i].name, kCommands[i].name);
        EXPECT_EQ(bindings::ParameterCount(entries[i]), kCommands[i].parameterCount);
    }
}

class BindingsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(shell.StartNewGame()); }
    ShellGame shell;
    Game& game = shell.game;
};

TEST_F(BindingsTest, EveryCommandIsRegisteredOnceWithItsParameterCount) {
    size_t tableEntries = 0;
    for (auto table :
         {bindings::PlayerCommands(), bindings::MapCommands(), bindings::ObjectCommands(),
          bindings::MonsterCommands(), bindings::ScreenCommands(), bindings::SystemCommands()}) {
        tableEntries += table.size();
    }
    EXPECT_EQ(tableEntries, 56u);
    ASSERT_EQ(std::size(kCommands), 56u);

    for (const Signature& command : kCommands) {
        SCOPED_TRACE(command.name);
        EXPECT_TRUE(game.script.CommandExists(command.name));
        // One argument too many is refused by the engine with the expected count.
        const ScriptResult code =
            game.script.CallCommand(command.name, NumberArguments(command.parameterCount + 1));
        EXPECT_EQ(code, ScriptResult::WrongArgumentCount);
        EXPECT_EQ(game.script.LastError(),
                  "Command error. Incorrect number of parameters. Expected: " +
                      std::to_string(command.parameterCount));
    }
}

TEST_F(BindingsTest, ConstantsCarryTheSettingsAsDecimalText) {
    // The minimal mod: 32 px tiles, a 10 x 8 map, a 32 x 32 player with a
    // 20 x 16 clip box, no day clock.
    EXPECT_EQ(
        game.script.ExpandConstants("#TILEWIDTH #TILEHEIGHT #MAPWIDTH #MAPHEIGHT #LENGTHOFDAY"),
        "32 32 10 8 0");
    EXPECT_EQ(game.script.ExpandConstants(
                  "#PLAYERHEIGHT #PLAYERWIDTH #PLAYERCLIPHEIGHT #PLAYERCLIPWIDTH"),
              "32 32 16 20");
}

TEST(BindingsConstantsTest, NegativeAndLargeSettingsAreWrittenAsTheyAre) {
    ShellGame shell({"LengthOfDay=-5", "PlayerClipX=2147483647", "PlayerClipY=16x"});
    ASSERT_TRUE(shell.StartUp());
    EXPECT_EQ(shell.game.script.ExpandConstants("#LENGTHOFDAY|#PLAYERCLIPWIDTH|#PLAYERCLIPHEIGHT"),
              "-5|2147483647|16");
}

// One call per typed argument position, with that argument of the wrong type.
struct WrongTypeCall {
    const char* name;
    const char* arguments;
};

const WrongTypeCall kWrongTypeCalls[] = {
    {"PlaySound", "5"},
    {"CreateAnimation", "5,1,1,1"},
    {"CreateAnimation", "'spark','a',1,1"},
    {"CreateAnimation", "'spark',1,'a',1"},
    {"CreateAnimation", "'spark',1,1,'a'"},
    {"LoadMap", "7"},
    {"SetPlayerX", "'a'"},
    {"SetPlayerAttacking", "'a'"},
    {"SetPlayerY", "'a'"},
    {"SetPlayerHealth", "'a'"},
    {"SetPlayerMaxHealth", "'a'"},
    {"SetPlayerDamage", "'a'"},
    {"SetPlayerSpeed", "'a'"},
    {"SetDebugMode", "'a'"},
    {"SetSpeechText", "5"},
    {"SetSpeechTextY", "'a'"},
    {"SetMapTitle", "5"},
    {"SetAlwaysDay", "'a'"},
    {"SetAlwaysNight", "'a'"},
    {"SetObjectDamage", "5,9"},
    {"SetObjectDamage", "'sword','a'"},
    {"SetObjectHealth", "'sword','a'"},
    {"SetObjectSpeed", "'sword','a'"},
    {"SetObjectHealAmount", "'sword','a'"},
    {"SetObjectName", "'sword',5"},
    {"SetObjectName", "5,'axe'"},
    {"SetTimeOfDay", "'a'"},
    {"SetStatusText", "5"},
    {"SetTileAttribute", "'a',1,'X'"},
    {"SetTileAttribute", "1,'a','X'"},
    {"SetTileAttribute", "1,1,5"},
    {"AddScreenText", "'hi','a',1,1,1,1"},
    {"AddScreenText", "'hi',1,1,1,1,'a'"},
    {"Random", "'a'"},
    {"TextLength", "5"},
    {"GetShiftedX", "'a'"},
    {"GetShiftedY", "'a'"},
    {"GetMonsterName", "'a'"},
    {"GetMonsterFriendly", "'a'"},
    {"GetMonsterX", "'a'"},
    {"GetMonsterY", "'a'"},
    {"GetMonsterFoundPlayer", "'a'"},
    {"SetMonsterFriendly", "7,'a'"},
    {"SetMonsterX", "'a',5"},
    {"SetMonsterY", "7,'a'"},
    {"SetMonsterFoundPlayer", "7,'a'"},
    {"DisableMonsterDeath", "'a'"},
};

TEST_F(BindingsTest, WrongArgumentTypeFailsWithoutResultErrorTextOrEffect) {
    game.map->objects.push_back(ObjectType{"Sword", 0, 64, 64, 1, 2, 3, 4});
    Monster monster;
    monster.ID = 7;
    monster.X = 100.0f;
    monster.Y = 50.0f;
    monster.DeathDuration = 300;
    game.map->monsters.push_back(monster);

    for (const WrongTypeCall& call : kWrongTypeCalls) {
        SCOPED_TRACE(std::string(call.name) + "(" + call.arguments + ")");
        game.script.SetReturnValue("untouched", ValueType::String);
        game.script.SetLastError("previous error");
        const std::string before = StateSnapshot(game);
        const auto messagesBefore = shell.media.Messages().size();

        const test::CallResult result = CallCommand(game, call.name, call.arguments);

        EXPECT_EQ(result.code, ScriptResult::CommandFailed);
        EXPECT_EQ(result.ret, "untouched");
        EXPECT_EQ(result.retType, ValueType::String);
        EXPECT_EQ(game.script.LastError(), "previous error");
        EXPECT_EQ(StateSnapshot(game), before);
        EXPECT_EQ(shell.media.Messages().size(), messagesBefore);
        EXPECT_EQ(game.map->info.Name, "start");
    }
}

// The table's argument letters are the types the procedures check: each
// typed argument given the other type fails the call, and the author is
// told which argument of which command it was.
TEST_F(BindingsTest, TheTablesArgumentTypesAreTheOnesTheCommandsCheck) {
    for (const bindings::CommandEntry& entry : bindings::GameCommandsInRegistrationOrder()) {
        const std::string letters = entry.arguments;
        for (size_t wrong = 0; wrong < letters.size(); ++wrong) {
            if (letters[wrong] == 'a')
                continue;
            std::string arguments;
            for (size_t i = 0; i < letters.size(); ++i) {
                const bool number = (letters[i] == 's') == (i == wrong);
                arguments += std::string(i == 0 ? "" : ",") + (number ? "1" : "'x'");
            }
            SCOPED_TRACE(std::string(entry.name) + "(" + arguments + ")");
            EXPECT_EQ(CallCommand(game, entry.name, arguments).code, ScriptResult::CommandFailed);
            const bool wantsNumber = letters[wrong] == 'n';
            EXPECT_EQ(
                game.diagnostics.Messages().back(),
                "game: error: " + std::string(entry.name) + ": argument " +
                    std::to_string(wrong + 1) + " must be a " +
                    (wantsNumber ? "number, not the string `x`" : "string, not the number `1`") +
                    " (numbers and strings are not converted; the call fails)");
        }
    }
}

TEST_F(BindingsTest, AnyTypeArgumentsAcceptNumbersAndStrings) {
    EXPECT_EQ(CallCommand(game, "MessageBox", "1,2").code, ScriptResult::Ok);
    ASSERT_FALSE(shell.media.Messages().empty());
    EXPECT_EQ(shell.media.Messages().back().title, "1");
    EXPECT_EQ(shell.media.Messages().back().text, "2");
    EXPECT_EQ(shell.media.Messages().back().buttons, MessageButtons::Ok);

    EXPECT_EQ(CallCommand(game, "AddScreenText", "42,1,2,3,4,5").code, ScriptResult::Ok);
    ASSERT_FALSE(game.screenTexts.empty());
    EXPECT_EQ(game.screenTexts.back().Text, "42");

    game.inventory.push_back("7");
    const test::CallResult has = CallCommand(game, "PlayerHasItem", "7");
    EXPECT_EQ(has.code, ScriptResult::Ok);
    EXPECT_EQ(has.ret, "1");
}

TEST_F(BindingsTest, CommandsWithoutResultSetAnEmptyNoValueReturn) {
    game.script.SetReturnValue("stale", ValueType::String);
    const test::CallResult result = CallCommand(game, "SetPlayerHealth", "4");
    EXPECT_EQ(result.code, ScriptResult::Ok);
    EXPECT_EQ(result.ret, "");
    EXPECT_EQ(result.retType, ValueType::None);
}

}  // namespace
}  // namespace vorn

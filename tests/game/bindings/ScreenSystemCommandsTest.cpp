// Screen and system commands: message boxes, status and screen texts, text
// measuring, camera positions, the script sound, Quit, variables, saving,
// debug mode, the frame clock and random numbers.
#include <gtest/gtest.h>

#include <set>

#include "game/shell/GameShell.h"
#include "tests/game/support/ShellFixtures.h"

namespace vorn {
namespace {

using test::CallCommand;
using test::CallResult;
using test::ShellGame;

class ScreenSystemCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(shell.StartNewGame()); }
    CallResult Call(const std::string& name, const std::string& arguments = "") {
        return CallCommand(game, name, arguments);
    }
    bool EndsWith(const std::string& text, const std::string& tail) {
        return text.size() >= tail.size() &&
               text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    }
    ShellGame shell;
    Game& game = shell.game;
};

TEST_F(ScreenSystemCommandsTest, StatusTextRoundTrips) {
    EXPECT_EQ(Call("SetStatusText", "'Door is locked'").code, ScriptResult::Ok);
    EXPECT_EQ(game.StatusText, "Door is locked");
    const CallResult result = Call("GetStatusText");
    EXPECT_EQ(result.ret, "Door is locked");
    EXPECT_EQ(result.retType, ValueType::String);
}

TEST_F(ScreenSystemCommandsTest, AddScreenTextKeepsTheSixValuesInOrder) {
    game.screenTexts.clear();
    EXPECT_EQ(Call("AddScreenText", "'Ouch',10,20,3000,1500,257").code, ScriptResult::Ok);
    ASSERT_EQ(game.screenTexts.size(), 1u);
    const ScreenText& text = game.screenTexts[0];
    EXPECT_EQ(text.Text, "Ouch");
    EXPECT_EQ(text.X, 10);
    EXPECT_EQ(text.Y, 20);
    EXPECT_EQ(text.Duration, 3000);
    EXPECT_EQ(text.StartTime, 1500);
    EXPECT_EQ(text.ScreenFixed, 1);
}

TEST_F(ScreenSystemCommandsTest, TextLengthMeasuresInTheDefaultFont) {
    const CallResult empty = Call("TextLength", "''");
    // '' evaluates to the empty text, which counts as a number: refused.
    EXPECT_EQ(empty.code, ScriptResult::CommandFailed);

    const CallResult shortText = Call("TextLength", "'ab'");
    const CallResult longText = Call("TextLength", "'abcdefgh'");
    EXPECT_EQ(shortText.code, ScriptResult::Ok);
    EXPECT_EQ(shortText.retType, ValueType::Number);
    EXPECT_GT(std::stoi(shortText.ret), 0);
    EXPECT_GT(std::stoi(longText.ret), std::stoi(shortText.ret));

    shell.media.BeginText();
    const int expected = shell.media.MeasureText("abcdefgh");
    shell.media.EndText();
    EXPECT_EQ(std::stoi(longText.ret), expected);
}

TEST_F(ScreenSystemCommandsTest, MessageBoxShowsTitleAndTextWithOk) {
    EXPECT_EQ(Call("MessageBox", "'Sign','Beware of the dog'").code, ScriptResult::Ok);
    ASSERT_FALSE(shell.media.Messages().empty());
    const auto& box = shell.media.Messages().back();
    EXPECT_EQ(box.title, "Sign");
    EXPECT_EQ(box.text, "Beware of the dog");
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
}

TEST(ShiftedPositionTest, FollowsTheCameraOfTheCurrentFrame) {
    ShellGame shell({"MapWidth=40", "MapHeight=30"});
    ASSERT_TRUE(shell.StartNewGame());
    Game& game = shell.game;
    // Near the top-left corner the map is drawn unshifted.
    game.player.X = 100.0f;
    game.player.Y = 50.0f;
    EXPECT_EQ(CallCommand(game, "GetShiftedX", "600").ret, "600");
    EXPECT_EQ(CallCommand(game, "GetShiftedY", "70").ret, "70");
    // In the middle the player is centred: 160 - 16 = 144 and 128 - 16 = 112.
    game.player.X = 500.0f;
    game.player.Y = 400.0f;
    EXPECT_EQ(CallCommand(game, "GetShiftedX", "600").ret, "244");
    EXPECT_EQ(CallCommand(game, "GetShiftedY", "400").ret, "112");
    // At the right edge the last screen of the map is shown.
    game.player.X = 1270.0f;
    EXPECT_EQ(CallCommand(game, "GetShiftedX", "1280").ret, "320");
}

TEST_F(ScreenSystemCommandsTest, PlaySoundUsesTheFixedScriptSoundAndCutsOffTheLast) {
    shell.Write("sounds/ding.wav", test::MakeWav(200));
    shell.Write("sounds/dong.wav", test::MakeWav(300));
    shell.media.ClearSoundLog();

    CallResult result = Call("PlaySound", "'ding.wav'");
    EXPECT_EQ(result.ret, "1");
    EXPECT_EQ(result.retType, ValueType::Number);
    EXPECT_TRUE(shell.media.IsSoundPlaying(kScriptSoundNumber));

    result = Call("PlaySound", "'dong.wav'");
    EXPECT_EQ(result.ret, "1");
    const auto& log = shell.media.SoundLog();
    using Kind = HeadlessMedia::SoundEvent::Kind;
    std::vector<Kind> kinds;
    for (const auto& event : log) {
        EXPECT_EQ(event.sound, kScriptSoundNumber);
        kinds.push_back(event.kind);
    }
    // The second call frees the first sound before loading its own.
    ASSERT_GE(kinds.size(), 5u);
    EXPECT_EQ(kinds[0], Kind::Load);
    EXPECT_TRUE(EndsWith(log[0].path, "/sounds/ding.wav")) << log[0].path;
    EXPECT_EQ(kinds[1], Kind::Play);
    EXPECT_EQ(log[1].loop, 0);
    EXPECT_EQ(kinds[2], Kind::Free);
    EXPECT_EQ(kinds[3], Kind::Load);
    EXPECT_TRUE(EndsWith(log[3].path, "/sounds/dong.wav")) << log[3].path;
    EXPECT_EQ(kinds.back(), Kind::Play);
}

TEST_F(ScreenSystemCommandsTest, PlaySoundOfAMissingFileGivesZeroWithoutMessage) {
    shell.Write("sounds/ding.wav", test::MakeWav(200));
    Call("PlaySound", "'ding.wav'");
    const auto messages = shell.media.Messages().size();
    const CallResult result = Call("PlaySound", "'missing.wav'");
    EXPECT_EQ(result.code, ScriptResult::Ok);
    EXPECT_EQ(result.ret, "0");
    EXPECT_FALSE(shell.media.IsSoundPlaying(kScriptSoundNumber));
    EXPECT_EQ(shell.media.Messages().size(), messages);
}

TEST_F(ScreenSystemCommandsTest, ResetSymbolsDeletesEveryVariable) {
    game.script.SetSymbol("GOLD", "10", ValueType::Number);
    game.script.SetSymbol("NAME", "Bob", ValueType::String);
    EXPECT_EQ(Call("ResetSymbols").code, ScriptResult::Ok);
    EXPECT_EQ(game.script.GetSymbol("GOLD"), nullptr);
    EXPECT_EQ(game.script.GetSymbol("NAME"), nullptr);
    // Commands and constants stay.
    EXPECT_TRUE(game.script.CommandExists("GetTime"));
    EXPECT_EQ(game.script.ExpandConstants("#TILEWIDTH"), "32");
}

TEST_F(ScreenSystemCommandsTest, SaveGameWritesSlotZero) {
    game.player.X = 10.5f;
    game.player.Health = 7;
    EXPECT_EQ(Call("SaveGame").code, ScriptResult::Ok);
    ASSERT_TRUE(shell.folder.Exists("saves/save0.ini"));
    const std::string ini = shell.folder.Read("saves/save0.ini");
    EXPECT_NE(ini.find("PlayerX=10\r\n"), std::string::npos);
    EXPECT_NE(ini.find("PlayerHealth=7\r\n"), std::string::npos);
    EXPECT_NE(ini.find("CurrentMap=start\r\n"), std::string::npos);
}

TEST_F(ScreenSystemCommandsTest, SetDebugModeChangesTheSetting) {
    Call("SetDebugMode", "3");
    EXPECT_EQ(game.settings.DebugMode, 3);
    Call("SetDebugMode", "0");
    EXPECT_EQ(game.settings.DebugMode, 0);
}

TEST_F(ScreenSystemCommandsTest, GetTimeIsTheClockOfTheFrameStart) {
    shell.media.AdvanceTimeMs(1234);
    RunFrame(game);
    const int32_t frameTime = game.clock.FrameTime;
    shell.media.AdvanceTimeMs(50);  // later in the frame
    EXPECT_EQ(Call("GetTime").ret, std::to_string(frameTime));
    EXPECT_LT(frameTime, shell.media.ElapsedMs());
}

TEST_F(ScreenSystemCommandsTest, RandomStaysWithinZeroAndMaximum) {
    shell.media.SeedRandom(12345);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(Call("Random", "0").ret, "0");
    std::set<int> seen;
    for (int i = 0; i < 300; ++i) {
        const int value = std::stoi(Call("Random", "5").ret);
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 5);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 6u);
}

TEST_F(ScreenSystemCommandsTest, QuitEndsAtOnceWithoutQuestionOrSave) {
    shell.Write("global_tick.ds", "BEFORE=1\r\nQuit()\r\nAFTER=1\r\n");
    game.script.LoadScript(game.ModFolder + "/global_tick.ds", 1, slots::kGlobalTick);
    game.settings.TickMs = 10;
    const auto messages = shell.media.Messages().size();
    MainLoop(game);  // returns because the game ended
    AskQuitQuestion(game);
    EXPECT_TRUE(game.ended);
    EXPECT_EQ(shell.Variable("BEFORE"), "1");
    EXPECT_EQ(shell.Variable("AFTER"), "<unset>");
    EXPECT_EQ(shell.media.Messages().size(), messages);
    EXPECT_FALSE(shell.folder.Exists("saves/save0.ini"));
}

}  // namespace
}  // namespace vorn

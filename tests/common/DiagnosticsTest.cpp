// The diagnostics every program reports through, the name suggestions in
// them, and the INI check judged against the lookups a reader made.
#include <gtest/gtest.h>

#include <sstream>

#include "common/Diagnostics.h"
#include "common/IniCheck.h"
#include "common/NameSuggestion.h"

namespace vorn {
namespace {

TEST(Diagnostics, FormatsLikeACompilerAndTellsEachLineOnce) {
    std::ostringstream echo;
    Diagnostics diagnostics;
    diagnostics.EchoTo(&echo);
    diagnostics.Error("./mod/maps/a.wpl", 2, "warp target map `x` not found");
    diagnostics.Warning("mod/settings.ini", 0, "no group [Colors]");
    diagnostics.Error("./mod/maps/a.wpl", 2, "warp target map `x` not found");
    EXPECT_EQ(diagnostics.Messages(),
              (std::vector<std::string>{"mod/maps/a.wpl:2: error: warp target map `x` not found",
                                        "mod/settings.ini: warning: no group [Colors]"}));
    EXPECT_EQ(diagnostics.ErrorCount(), 1);
    EXPECT_EQ(diagnostics.WarningCount(), 1);
    // The cause of a fatal error is written again, right before its box.
    diagnostics.Cause("./mod/maps/a.wpl", 2, "warp target map `x` not found");
    EXPECT_EQ(echo.str(),
              "mod/maps/a.wpl:2: error: warp target map `x` not found\n"
              "mod/settings.ini: warning: no group [Colors]\n"
              "mod/maps/a.wpl:2: error: warp target map `x` not found\n");
    EXPECT_EQ(diagnostics.Messages().size(), 2u);
}

TEST(NameSuggestion, FindsSlipsOfTheFingerAndCaseButNotStrangers) {
    const std::vector<std::string> names = {"TileWidth", "TileHeight", "GetTime", "grass"};
    EXPECT_EQ(ClosestName("TileWidht", names), "TileWidth");
    EXPECT_EQ(ClosestName("GETTIEM", names), "GetTime");
    EXPECT_EQ(ClosestName("Grass", names), "grass");
    EXPECT_EQ(ClosestName("gras", names), "grass");
    EXPECT_EQ(ClosestName("sand", names), "");
    EXPECT_EQ(DidYouMean("GetTiem", names), "; did you mean `GetTime`?");
    EXPECT_EQ(DidYouMean("Random", names), "");
}

TEST(IniFile, AnswersCarryTheirLineAndLookupsAreRemembered) {
    IniFile file;
    file.LoadText("; notes\r\n[Settings]\r\nMapWidth=30\r\nTitle=A\r\n", "s.ini");
    EXPECT_EQ(file.Number("Settings", "MapWidth"), 30);
    const IniAnswer title = file.Find("Settings", "Title");
    EXPECT_EQ(title.value, "A");
    EXPECT_EQ(title.line, 4);
    EXPECT_EQ(file.Find("Settings", "Nothing").line, 0);
    ASSERT_EQ(file.Lookups().size(), 3u);
    EXPECT_EQ(file.Lookups()[0].kind, IniValueKind::Number);
    EXPECT_EQ(file.Lookups()[0].line, 3);
}

TEST(IniCheck, NamesEveryLineTheLookupsDoNotReadAsMeant) {
    IniFile file;
    file.LoadText(
        "[Settings]\n"
        "TileWidht=32\n"
        "SpeechTextY=40\n"
        "SpeechText=Hi\n"
        "Music = theme.wav\n"
        "Size=12px\n"
        "Speed=fast\n"
        " Title=x\n"
        "Colour=red\n"
        "Size=13\n"
        "tickms=5\n"
        "[Other]\n"
        "[Settings]\n",
        "mod/settings.ini");
    file.Number("Settings", "TileWidth");
    file.Text("Settings", "SpeechText");
    file.Number("Settings", "SpeechTextY");
    file.Text("Settings", "Music");
    file.Number("Settings", "Size");
    file.Number("Settings", "Speed");
    file.Text("Settings", "Title");
    file.Number("Settings", "TickMs");
    file.Number("Colors", "StatusBackRed");
    Diagnostics diagnostics;
    CheckIniFile(file, diagnostics);
    EXPECT_EQ(
        diagnostics.Messages(),
        (std::vector<std::string>{
            "mod/settings.ini:2: error: unknown key `TileWidht` in [Settings]; did you mean "
            "`TileWidth`?",
            "mod/settings.ini:3: error: `SpeechTextY=40` also answers the lookup of SpeechText, "
            "since keys are matched as prefixes: write the SpeechText line above it",
            "mod/settings.ini:5: error: a blank before `=`: Music reads as `= theme.wav`; write "
            "`Music=theme.wav`",
            "mod/settings.ini:8: warning: the line starts with a blank, so no key ever matches "
            "it: ` Title=x`",
            "mod/settings.ini:9: warning: unknown key `Colour` in [Settings]: the game never "
            "reads it",
            "mod/settings.ini:10: warning: Size is set again; only the first line of a key in "
            "[Settings] is read",
            "mod/settings.ini:11: error: unknown key `tickms` in [Settings]; did you mean "
            "`TickMs`? (keys are case-sensitive)",
            "mod/settings.ini:13: warning: a second [Settings] group: only the first one is read",
            "mod/settings.ini:6: warning: Size is read as the number 12, the rest `px` is "
            "ignored",
            "mod/settings.ini:7: error: Speed must be a whole number; `fast` is read as 0",
            "mod/settings.ini: error: no group [Colors], so every key of it reads as empty or 0",
        }));
}

TEST(IniCheck, AGroupInTheWrongCaseIsNamed) {
    IniFile file;
    file.LoadText("[settings]\nMapWidth=3\n", "m/settings.ini");
    file.Number("Settings", "MapWidth");
    Diagnostics diagnostics;
    CheckIniFile(file, diagnostics);
    EXPECT_EQ(diagnostics.Messages(),
              (std::vector<std::string>{"m/settings.ini:1: error: the group is written "
                                        "[settings], but group names are case-sensitive: "
                                        "write [Settings]"}));
}

}  // namespace
}  // namespace vorn

// Reading script files (comments, includes and their guards) and parsing
// them into slots: line fields, GOTO resolution, slot choice and sizes.
#include <gtest/gtest.h>

#include "tests/game/script/ScriptFixtures.h"

namespace vorn::test {
namespace {

TEST(ReadScriptText, DropsCommentsAndBlankLines) {
    TempFolder dir;
    ScriptHarness h;
    const std::string path = dir.Write("a.ds", "; comment\r\n\r\n\t\nX = 1 ; kept\rY=2");
    EXPECT_EQ(h.engine.ReadScriptText(path, 1), "X = 1 ; kept\nY=2\n");
    EXPECT_EQ(h.engine.ReadScriptText(path, 0), "; comment\n\n\t\nX = 1 ; kept\nY=2\n");
    // A blank after a leading tab survives the test (tabs go after trimming).
    const std::string tabbed = dir.Write("b.ds", "\t ;x\n\t \nZ=1\n");
    EXPECT_EQ(h.engine.ReadScriptText(tabbed, 1), "\t ;x\nZ=1\n");
}

TEST(ReadScriptText, MissingFileGivesEmptyTextAndAnErrorText) {
    ScriptHarness h;
    EXPECT_EQ(h.engine.ReadScriptText("no/such/file.ds", 1), "");
    EXPECT_EQ(h.engine.LastError(), "Could not load the specified file: no/such/file.ds");
    // It still loads: one empty line that runs successfully.
    EXPECT_EQ(h.engine.LoadScript("no/such/file.ds", 1, 3), 3);
    EXPECT_EQ(h.engine.RunScript(3), ScriptResult::Ok);
}

TEST(ReadScriptText, IncludesFilesInPlace) {
    TempFolder dir;
    ScriptHarness h;
    const std::string lib = dir.Write("lib.ds", "; lib\nA=1\n");
    const std::string main =
        dir.Write("main.ds", "INCLUDEFILE '" + lib + "'\nincludefile " + lib + "\n INCLUDEFILE " +
                                 lib + "\nINCLUDEFILE missing.ds\nB=2\n");
    EXPECT_EQ(h.engine.ReadScriptText(main, 1), "A=1\n\nA=1\n\n INCLUDEFILE " + lib + "\n\nB=2\n");
    EXPECT_EQ(h.engine.LastError(), "Could not load the specified file: missing.ds");
}

TEST(ReadScriptText, IncludeCyclesAreRefusedAndTheLoadFinishes) {
    TempFolder dir;
    ScriptHarness h;
    const std::string a = dir.Path() + "/a.ds";
    const std::string b = dir.Path() + "/b.ds";
    dir.Write("a.ds", "A=1\nINCLUDEFILE " + b + "\n");
    dir.Write("b.ds", "B=1\nINCLUDEFILE " + a + "\n");
    EXPECT_EQ(h.engine.ReadScriptText(a, 1), "A=1\nB=1\n\n\n");
    EXPECT_EQ(h.engine.LastError(), "Include error. The file " + a + " includes itself.");
}

TEST(ReadScriptText, DeepAndRepeatedIncludesAreBounded) {
    TempFolder dir;
    ScriptHarness h;
    // The same file under ever longer names ("./" prefixes) defeats the cycle
    // test; the depth limit ends it.
    dir.Write("self.ds", "S=1\nINCLUDEFILE ./" + std::string("self.ds") + "\n");
    std::string text;
    {
        // Paths are used as written, relative to the working directory.
        const std::string path = dir.Path() + "/deep.ds";
        dir.Write("deep.ds", "D=1\nINCLUDEFILE " + dir.Path() + "/./deep.ds\n");
        text = h.engine.ReadScriptText(path, 1);
    }
    EXPECT_NE(text.find("D=1"), std::string::npos);
    EXPECT_EQ(h.engine.LastError().rfind("Include error.", 0), 0u) << h.engine.LastError();

    // A file that includes another one many times: the number of files read
    // is bounded, so this ends quickly instead of reading 10^6 files.
    std::string wide;
    for (int i = 0; i < 10; ++i) {
        wide += "INCLUDEFILE " + dir.Path() + "/wide2.ds\n";
    }
    dir.Write("wide1.ds", wide);
    std::string wide2;
    for (int i = 0; i < 10; ++i) {
        wide2 += "INCLUDEFILE " + dir.Path() + "/wide3.ds\n";
    }
    dir.Write("wide2.ds", wide2);
    std::string wide3;
    for (int i = 0; i < 10; ++i) {
        wide3 += "INCLUDEFILE " + dir.Path() + "/leaf.ds\n";
    }
    dir.Write("wide3.ds", wide3);
    dir.Write("leaf.ds", "L=1\n");
    const std::string all = h.engine.ReadScriptText(dir.Path() + "/wide1.ds", 1);
    size_t leaves = 0;
    for (size_t pos = 0; (pos = all.find("L=1", pos)) != std::string::npos; ++pos) {
        ++leaves;
    }
    EXPECT_GT(leaves, 800u);
    EXPECT_LE(leaves, 1000u);
}

TEST(ParseScript, FieldsOfEachLine) {
    ScriptHarness h;
    // Observed through running: the condition operands keep their blanks.
    EXPECT_EQ(h.Run("N='Bob'\nIF N = 'Bob'\nA = 1\nENDIF\nIF N='Bob'\nB = 1\nENDIF\n"),
              ScriptResult::Ok);
    EXPECT_EQ(h.Value("A"), "<none>");
    EXPECT_EQ(h.Value("B"), " 1");
    // "<>" is found before "<", and its ">" is removed from the operands.
    EXPECT_EQ(h.Run("X = 1\nIF X <> 2\nC = 1\nENDIF\nIF X >= 1\nD = 1\nENDIF\n"
                    "IF X <= 0\nE = 1\nENDIF\n"),
              ScriptResult::Ok);
    EXPECT_EQ(h.Value("C"), " 1");
    EXPECT_EQ(h.Value("D"), " 1");
    EXPECT_EQ(h.Value("E"), "<none>");
    // IF(X = 1) is not an IF line (the keyword must be the whole first word)
    // but an assignment to "IF(X".
    EXPECT_EQ(h.Run("IF(X = 1)\n"), ScriptResult::Ok);
    EXPECT_EQ(h.Value("IF(X"), " 1)");
}

TEST(ParseScript, GotoResolution) {
    ScriptHarness h;
    EXPECT_EQ(h.engine.ParseScript("GOTO done\nX=1\nlabel Done\n", 0), 0);
    EXPECT_EQ(h.engine.ParseScript("GOTO done\nLABEL  DONE\n", 1), -1);
    EXPECT_EQ(h.engine.LastError(), "Syntax error: Label 'done' not found.");
    EXPECT_FALSE(h.engine.SlotInUse(1));
    EXPECT_EQ(h.engine.RunScript(1), ScriptResult::BadSlot);
    // A backward GOTO loop ends through its own condition.
    EXPECT_EQ(h.Run("I=0\nLABEL top\nI=I+1\nIF I < 5\nGOTO top\nENDIF\n"), ScriptResult::Ok);
    EXPECT_EQ(h.Value("I"), "5");
}

TEST(ParseScript, SlotChoiceAndSizes) {
    ScriptHarness h;
    for (int slot = 0; slot < 4; ++slot) {
        ASSERT_EQ(h.engine.ParseScript("X=1\n", slot), slot);
    }
    EXPECT_EQ(h.engine.ParseScript("X=1\n", -1), 4);
    EXPECT_TRUE(h.engine.ClearSlot(2));
    EXPECT_EQ(h.engine.ParseScript("X=1\n", -1), 2);
    EXPECT_EQ(h.engine.ParseScript("X=1\n", 50), -1);
    EXPECT_EQ(h.engine.ParseScript("X=1\n", -2), -1);
    EXPECT_FALSE(h.engine.ClearSlot(50));
    EXPECT_FALSE(h.engine.ClearSlot(-1));

    ScriptEngine full;
    full.InitScriptEngine(2, 10);
    EXPECT_EQ(full.ParseScript("", -1), 0);
    EXPECT_EQ(full.ParseScript("", -1), 1);
    EXPECT_EQ(full.ParseScript("", -1), -1);
}

TEST(ParseScript, ExactlyLinesPerSlotLinesLoadAndRun) {
    ScriptHarness h;
    std::string text;
    for (int i = 0; i < 499; ++i) {
        text += "N = " + std::to_string(i) + "\n";
    }
    // 499 lines and a final line end: 500 lines, the end mark past them.
    ASSERT_EQ(h.engine.ParseScript(text, 0), 0);
    EXPECT_EQ(h.engine.RunScript(0), ScriptResult::Ok);
    EXPECT_EQ(h.Value("N"), " 498");
    EXPECT_EQ(h.engine.CurrentLine(), 500);
    // One more line does not fit.
    EXPECT_EQ(h.engine.ParseScript(text + "N = 499\n", 0), -1);
    // A scan that runs to the end stops there.
    const std::string shorter = text.substr(0, text.rfind("N = 498"));
    EXPECT_EQ(h.engine.ParseScript("IF 1 = 2\n" + shorter, 0), 0);
    EXPECT_EQ(h.engine.RunScript(0), ScriptResult::ExpectedEndif);
    EXPECT_EQ(h.engine.ErrorReportText(), "Syntax error: Expected 'ENDIF' Line 501");
}

TEST(ParseScript, ReloadingReplacesEveryField) {
    ScriptHarness h;
    ASSERT_EQ(h.engine.ParseScript("A=1\nB=1\nC=1\nIF A = 2\nENDIF\n", 0), 0);
    ASSERT_EQ(h.engine.ParseScript("A=1\nB=1\nC=1\nRecord(4)\n", 0), 0);
    EXPECT_EQ(h.engine.RunScript(0), ScriptResult::Ok);
    EXPECT_EQ(h.calls, (std::vector<std::string>{"4"}));
}

TEST(ParseScript, ConstantsAreReplacedAtLoadAndLater) {
    ScriptHarness h;
    h.engine.RegisterConstant("TILEWIDTH", "32");
    ASSERT_EQ(h.engine.ParseScript("X = #TILEWIDTH * 2\nY = #LATER + 1\n", 0), 0);
    h.engine.FreeConstant("TILEWIDTH");  // already in the stored line
    h.engine.RegisterConstant("LATER", "10");
    EXPECT_EQ(h.engine.RunScript(0), ScriptResult::Ok);
    EXPECT_EQ(h.Value("X"), "64");
    EXPECT_EQ(h.Value("Y"), "11");
}

TEST(ParseScript, TabsBecomeBlanks) {
    ScriptHarness h;
    EXPECT_EQ(h.Run("X = 1\nIF\tX = 1\nY\t=\t2\nENDIF\n"), ScriptResult::Ok);
    EXPECT_EQ(h.Value("Y"), " 2");
}

}  // namespace
}  // namespace vorn::test

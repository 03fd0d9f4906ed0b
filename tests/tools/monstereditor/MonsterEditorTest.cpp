// The monster editor's buttons: labels of the list, binding of the form,
// saving, deleting and renumbering, and presses that refer to no entry.
#include "tools/monstereditor/MonsterEditor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "tests/tools/monstereditor/ScratchFolder.h"

namespace vorn::monstereditor {
namespace {

using tooltest::ScratchFolder;

const std::string kThreeMonsters =
    "Goblin,gob.png,a.wav,h.wav,d.wav,5,20,40,32,32,20,20,30,3,0\r\n"
    "  Bat , bat.png ,,,,1,5,90,16,16,12,12,10,0,255\r\n"
    "Imp,imp.png\r\n";

class MonsterEditorTest : public ::testing::Test {
protected:
    void SetUp() override { folder_.Write("monsters.ini", kThreeMonsters); }

    MonsterEditor OpenEditor() {
        MonsterEditor editor(folder_.Path());
        editor.LoadList();
        return editor;
    }
    std::string File() const { return folder_.Read("monsters.ini"); }

    ScratchFolder folder_;
};

TEST_F(MonsterEditorTest, ListItemsAreNumberedFromOneWithTrimmedNames) {
    const MonsterEditor editor = OpenEditor();
    const std::vector<std::string> expected = {"1. Goblin", "2. Bat", "3. Imp"};
    EXPECT_EQ(editor.ItemLabels(), expected);
    EXPECT_EQ(editor.Entries().size(), 3u);
    EXPECT_EQ(editor.CurrentIndex(), kNoEntry);
    EXPECT_EQ(editor.Form(), MonsterFormTexts{});
}

TEST_F(MonsterEditorTest, MissingFileGivesAnEmptyList) {
    MonsterEditor editor(folder_.File("elsewhere"));
    editor.LoadList();
    EXPECT_TRUE(editor.Entries().empty());
    EXPECT_TRUE(editor.ItemLabels().empty());
}

TEST_F(MonsterEditorTest, EditFillsTheFormAndBindsIt) {
    MonsterEditor editor = OpenEditor();
    editor.Edit(1);
    EXPECT_EQ(editor.CurrentIndex(), 1);
    const MonsterFormTexts expected = {"Bat", "bat.png", "",   "",   "",   "1", "5", "90",
                                       "16",  "16",      "12", "12", "10", "0", "-1"};
    EXPECT_EQ(editor.Form(), expected);
}

TEST_F(MonsterEditorTest, NewEmptiesAndUnbindsTheForm) {
    MonsterEditor editor = OpenEditor();
    editor.Edit(0);
    editor.New();
    EXPECT_EQ(editor.CurrentIndex(), kNoEntry);
    EXPECT_EQ(editor.Form(), MonsterFormTexts{});
}

TEST_F(MonsterEditorTest, SaveWritesEveryEntryInFileOrderWithTheFormAsTyped) {
    MonsterEditor editor = OpenEditor();
    editor.Edit(2);
    editor.Form()[0] = "Imp ";  // a blank typed at the end stays
    editor.Form()[14] = "300";
    ASSERT_TRUE(editor.Save().Ok());
    EXPECT_EQ(File(),
              "Goblin,gob.png,a.wav,h.wav,d.wav,5,20,40,32,32,20,20,30,3,0\r\n"
              "Bat,bat.png,,,,1,5,90,16,16,12,12,10,0,-1\r\n"
              "Imp ,imp.png,,,,0,0,0,0,0,0,0,0,0,44\r\n");
    EXPECT_EQ(editor.ItemLabels()[2], "3. Imp ");
    EXPECT_EQ(editor.CurrentIndex(), kNoEntry);
    EXPECT_EQ(editor.Form(), MonsterFormTexts{});
}

TEST_F(MonsterEditorTest, SaveRelabelsOnlyTheBoundItem) {
    MonsterEditor editor = OpenEditor();
    editor.Edit(0);
    editor.Form()[0] = "Hobgoblin";
    ASSERT_TRUE(editor.Save().Ok());
    const std::vector<std::string> expected = {"1. Hobgoblin", "2. Bat", "3. Imp"};
    EXPECT_EQ(editor.ItemLabels(), expected);
    EXPECT_EQ(editor.Entries()[0].name, "Hobgoblin");
    EXPECT_EQ(editor.Entries()[0].health, 20);
}

TEST_F(MonsterEditorTest, SaveWithAFreeFormAppendsANewMonster) {
    MonsterEditor editor = OpenEditor();
    editor.New();
    editor.Form() = {"Wolf", "wolf.png", "",   "",   "",   "7", "30", "60",
                     "32",   "32",       "28", "28", "20", "4", "0"};
    ASSERT_TRUE(editor.Save().Ok());
    ASSERT_EQ(editor.ItemLabels().size(), 4u);
    EXPECT_EQ(editor.ItemLabels()[3], "4. Wolf");
    EXPECT_EQ(File(),
              "Goblin,gob.png,a.wav,h.wav,d.wav,5,20,40,32,32,20,20,30,3,0\r\n"
              "Bat,bat.png,,,,1,5,90,16,16,12,12,10,0,-1\r\n"
              "Imp,imp.png,,,,0,0,0,0,0,0,0,0,0,0\r\n"
              "Wolf,wolf.png,,,,7,30,60,32,32,28,28,20,4,0\r\n");
}

TEST_F(MonsterEditorTest, SaveIntoAMissingFileCreatesIt) {
    ScratchFolder empty;
    MonsterEditor editor(empty.Path());
    editor.LoadList();
    editor.Form()[0] = "First";
    ASSERT_TRUE(editor.Save().Ok());
    EXPECT_EQ(empty.Read("monsters.ini"), "First,,,,,0,0,0,0,0,0,0,0,0,0\r\n");
}

TEST_F(MonsterEditorTest, DeletingTheSecondOfThreeRenumbersTheRest) {
    MonsterEditor editor = OpenEditor();
    ASSERT_TRUE(editor.Delete(1).Ok());
    EXPECT_EQ(File(),
              "Goblin,gob.png,a.wav,h.wav,d.wav,5,20,40,32,32,20,20,30,3,0\r\n"
              "Imp,imp.png,,,,0,0,0,0,0,0,0,0,0,0\r\n");
    const std::vector<std::string> expected = {"1. Goblin", "2. Imp"};
    EXPECT_EQ(editor.ItemLabels(), expected);
}

TEST_F(MonsterEditorTest, DeleteReloadsSoTypedBlanksAreTrimmedInTheLabels) {
    MonsterEditor editor = OpenEditor();
    editor.Edit(0);
    editor.Form()[0] = " Goblin King ";
    ASSERT_TRUE(editor.Save().Ok());
    EXPECT_EQ(editor.ItemLabels()[0], "1.  Goblin King ");
    ASSERT_TRUE(editor.Delete(2).Ok());
    const std::vector<std::string> expected = {"1. Goblin King", "2. Bat"};
    EXPECT_EQ(editor.ItemLabels(), expected);
}

TEST_F(MonsterEditorTest, PressesThatReferToNoEntryChangeNothing) {
    MonsterEditor editor = OpenEditor();
    editor.Form()[0] = "typed";
    editor.Edit(-1);
    editor.Edit(3);
    EXPECT_EQ(editor.Form()[0], "typed");
    EXPECT_EQ(editor.CurrentIndex(), kNoEntry);
    EXPECT_TRUE(editor.Delete(-1).Ok());
    EXPECT_TRUE(editor.Delete(7).Ok());
    EXPECT_EQ(editor.Entries().size(), 3u);
    EXPECT_EQ(File(), kThreeMonsters);  // not even rewritten
}

TEST_F(MonsterEditorTest, FormStaysBoundToTheSameMonsterAcrossADelete) {
    MonsterEditor editor = OpenEditor();
    editor.Edit(2);  // Imp
    ASSERT_TRUE(editor.Delete(0).Ok());
    EXPECT_EQ(editor.CurrentIndex(), 1);
    editor.Form()[5] = "9";
    ASSERT_TRUE(editor.Save().Ok());
    EXPECT_EQ(File(),
              "Bat,bat.png,,,,1,5,90,16,16,12,12,10,0,-1\r\n"
              "Imp,imp.png,,,,9,0,0,0,0,0,0,0,0,0\r\n");
}

TEST_F(MonsterEditorTest, DeletingTheBoundMonsterUnbindsTheForm) {
    MonsterEditor editor = OpenEditor();
    editor.Edit(2);
    ASSERT_TRUE(editor.Delete(2).Ok());
    EXPECT_EQ(editor.CurrentIndex(), kNoEntry);
    // Saving now appends instead of overwriting some other monster.
    ASSERT_TRUE(editor.Save().Ok());
    EXPECT_EQ(editor.Entries().size(), 3u);
    EXPECT_EQ(editor.Entries()[2].name, "Imp");
    EXPECT_EQ(editor.Entries()[0].name, "Goblin");
}

TEST_F(MonsterEditorTest, WriteThatFailsKeepsTheListAndTheFormForAnotherTry) {
    MonsterEditor editor = OpenEditor();
    editor.Edit(1);
    editor.Form()[0] = "Vampire Bat";
    // A folder in the file's place can be written neither whole nor in place.
    const std::string file = folder_.File("monsters.ini");
    ASSERT_EQ(std::rename(file.c_str(), folder_.File("kept.ini").c_str()), 0);
    ASSERT_EQ(mkdir(file.c_str(), 0755), 0);

    EXPECT_EQ(editor.Delete(0).error, EISDIR);
    EXPECT_EQ(editor.Save().error, EISDIR);
    EXPECT_EQ(editor.Form()[0], "Vampire Bat");
    EXPECT_EQ(editor.Form()[1], "bat.png");
    EXPECT_EQ(editor.CurrentIndex(), 1);
    const std::vector<std::string> labels = {"1. Goblin", "2. Bat", "3. Imp"};
    EXPECT_EQ(editor.ItemLabels(), labels);

    // Once the file is back, pressing "Save" again saves the same edit.
    ASSERT_EQ(rmdir(file.c_str()), 0);
    ASSERT_EQ(std::rename(folder_.File("kept.ini").c_str(), file.c_str()), 0);
    ASSERT_TRUE(editor.Save().Ok());
    EXPECT_EQ(File(),
              "Goblin,gob.png,a.wav,h.wav,d.wav,5,20,40,32,32,20,20,30,3,0\r\n"
              "Vampire Bat,bat.png,,,,1,5,90,16,16,12,12,10,0,-1\r\n"
              "Imp,imp.png,,,,0,0,0,0,0,0,0,0,0,0\r\n");
    EXPECT_EQ(editor.ItemLabels()[1], "2. Vampire Bat");
}

TEST_F(MonsterEditorTest, SaveWithEveryBoxEmptySavesNothing) {
    MonsterEditor editor = OpenEditor();
    EXPECT_TRUE(editor.Save().Ok());
    EXPECT_TRUE(editor.Save().Ok());
    EXPECT_EQ(editor.Entries().size(), 3u);
    EXPECT_EQ(File(), kThreeMonsters);  // not even rewritten
}

TEST_F(MonsterEditorTest, EditThenSaveKeepsEveryByteOfANameShownAsTheGameShowsIt) {
    // "Caf" and the UTF-8 pair of an e-acute, which the game shows as two
    // characters, then every byte from 0x80 to 0xFF.
    std::string name = "Caf\xC3\xA9 ";
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        name += static_cast<char>(byte);
    }
    const std::string line = name + ",caf\xC3\xA9.png,,,,1,2,3,4,5,6,7,8,9,1\r\n";
    folder_.Write("monsters.ini", line);
    MonsterEditor editor = OpenEditor();
    editor.Edit(0);
    const std::string shown = "Caf\xC3\x83\xC2\xA9 ";  // "CafÃ© "
    EXPECT_EQ(editor.Form()[0].substr(0, shown.size()), shown);
    EXPECT_EQ(editor.ItemLabels()[0], "1. " + editor.Form()[0]);
    EXPECT_EQ(editor.Form()[1], "caf\xC3\xA9.png");  // file names keep their bytes
    ASSERT_TRUE(editor.Save().Ok());
    EXPECT_EQ(File(), line);
}

}  // namespace
}  // namespace vorn::monstereditor

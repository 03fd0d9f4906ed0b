// The monsters.ini line format: lenient reading, the friendly byte, the exact
// bytes written, and files that are missing, odd or cannot be written.
#include "tools/monstereditor/MonsterFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "tests/tools/monstereditor/ScratchFolder.h"

namespace vorn::monstereditor {
namespace {

using tooltest::FileSizeLimit;
using tooltest::RunUnprivileged;
using tooltest::ScratchFolder;

const char kGoblinLine[] = "Goblin,gob.png,atk.wav,hit.wav,die.wav,5,20,40,32,48,20,24,30,3,0";

TEST(MonsterLineTest, ReadsAllFifteenFieldsInFileOrder) {
    const MonsterEntry entry = ParseMonsterLine(kGoblinLine);
    EXPECT_EQ(entry.name, "Goblin");
    EXPECT_EQ(entry.graphicFile, "gob.png");
    EXPECT_EQ(entry.attackSound, "atk.wav");
    EXPECT_EQ(entry.hitSound, "hit.wav");
    EXPECT_EQ(entry.deathSound, "die.wav");
    EXPECT_EQ(entry.damage, 5);
    EXPECT_EQ(entry.health, 20);
    EXPECT_EQ(entry.speed, 40);
    EXPECT_EQ(entry.frameWidth, 32);
    EXPECT_EQ(entry.frameHeight, 48);
    EXPECT_EQ(entry.clipWidth, 20);
    EXPECT_EQ(entry.clipHeight, 24);
    EXPECT_EQ(entry.deathDuration, 30);
    EXPECT_EQ(entry.itemDropRate, 3);
    EXPECT_EQ(entry.friendly, 0);
}

TEST(MonsterLineTest, ShortLineGivesEmptyTextsAndZerosAndIsWrittenWhole) {
    const MonsterEntry entry = ParseMonsterLine("Bat,bat.png,a.wav");
    EXPECT_EQ(entry.name, "Bat");
    EXPECT_EQ(entry.attackSound, "a.wav");
    EXPECT_EQ(entry.hitSound, "");
    EXPECT_EQ(entry.deathSound, "");
    EXPECT_EQ(entry.damage, 0);
    EXPECT_EQ(entry.friendly, 0);
    EXPECT_EQ(FormatMonsterLine(entry), "Bat,bat.png,a.wav,,,0,0,0,0,0,0,0,0,0,0");
}

TEST(MonsterLineTest, CommaInNameShiftsEveryLaterField) {
    const MonsterEntry written =
        FormTextsToEntry({"Big, Bad", "wolf.png", "a.wav", "h.wav", "d.wav", "1", "2", "3", "4",
                          "5", "6", "7", "8", "9", "1"});
    const MonsterEntry reread = ParseMonsterLine(FormatMonsterLine(written));
    EXPECT_EQ(reread.name, "Big");
    EXPECT_EQ(reread.graphicFile, "Bad");
    EXPECT_EQ(reread.attackSound, "wolf.png");
    EXPECT_EQ(reread.deathSound, "h.wav");
    EXPECT_EQ(reread.damage, 0);  // "d.wav" has no digits
    EXPECT_EQ(reread.health, 1);
    EXPECT_EQ(reread.itemDropRate, 8);
    EXPECT_EQ(reread.friendly, 9);
}

TEST(MonsterLineTest, FileTextsAreTrimmedOfBlanksOnly) {
    const MonsterEntry entry = ParseMonsterLine("  Orc  , orc.png,\tgrunt.wav ,x, y ,1,2");
    EXPECT_EQ(entry.name, "Orc");
    EXPECT_EQ(entry.graphicFile, "orc.png");
    EXPECT_EQ(entry.attackSound, "\tgrunt.wav");  // tabs are not blanks
    EXPECT_EQ(entry.deathSound, "y");
    EXPECT_EQ(FormatMonsterLine(entry), "Orc,orc.png,\tgrunt.wav,x,y,1,2,0,0,0,0,0,0,0,0");
}

TEST(MonsterLineTest, NumbersUseTheLenientConversion) {
    const MonsterEntry entry =
        ParseMonsterLine("a,b,c,d,e, -7abc,+5,3.9,12px,0x10,,4 2,99999999999,x,");
    EXPECT_EQ(entry.damage, -7);
    EXPECT_EQ(entry.health, 5);
    EXPECT_EQ(entry.speed, 3);
    EXPECT_EQ(entry.frameWidth, 12);
    EXPECT_EQ(entry.frameHeight, 0);
    EXPECT_EQ(entry.clipWidth, 0);
    EXPECT_EQ(entry.clipHeight, 4);
    EXPECT_EQ(entry.deathDuration, static_cast<int32_t>(99999999999LL & 0xFFFFFFFFLL));
    EXPECT_EQ(entry.itemDropRate, 0);
}

TEST(FriendlyByteTest, KeepsTheLowEightBitsAsASignedByte) {
    EXPECT_EQ(FriendlyByte(300), 44);
    EXPECT_EQ(FriendlyByte(255), -1);
    EXPECT_EQ(FriendlyByte(257), 1);
    EXPECT_EQ(FriendlyByte(128), -128);
    EXPECT_EQ(FriendlyByte(127), 127);
    EXPECT_EQ(FriendlyByte(-1), -1);
    EXPECT_EQ(FriendlyByte(-129), 127);
    EXPECT_EQ(FriendlyByte(256), 0);
}

TEST(FriendlyByteTest, FileValueShowsSignedAndIsWrittenSigned) {
    const MonsterEntry fromFile = ParseMonsterLine("Imp,,,,,0,0,0,0,0,0,0,0,0,255");
    EXPECT_EQ(fromFile.friendly, -1);
    EXPECT_EQ(EntryToFormTexts(fromFile)[14], "-1");
    EXPECT_EQ(FormatMonsterLine(fromFile), "Imp,,,,,0,0,0,0,0,0,0,0,0,-1");
    MonsterFormTexts typed = EntryToFormTexts(fromFile);
    typed[14] = "300";
    EXPECT_EQ(FormatMonsterLine(FormTextsToEntry(typed)), "Imp,,,,,0,0,0,0,0,0,0,0,0,44");
}

TEST(MonsterFormTest, TypedTextsAreKeptAsTypedButLineEndsCannotBeStored) {
    MonsterFormTexts typed{};
    typed[0] = " Slime ";
    typed[1] = "sl\r\nime.png";
    typed[5] = "12abc";
    typed[6] = "";
    const MonsterEntry entry = FormTextsToEntry(typed);
    EXPECT_EQ(entry.name, " Slime ");
    EXPECT_EQ(entry.graphicFile, "slime.png");
    EXPECT_EQ(entry.damage, 12);
    EXPECT_EQ(entry.health, 0);
    EXPECT_EQ(FormatMonsterLine(entry), " Slime ,slime.png,,,,12,0,0,0,0,0,0,0,0,0");
}

TEST(MonsterFormTest, FormShowsEveryNumberInDecimal) {
    const MonsterFormTexts texts = EntryToFormTexts(ParseMonsterLine(
        "Goblin,gob.png,atk.wav,hit.wav,die.wav,-5,20,40,32,48,20,24,30,-2147483648,127"));
    const MonsterFormTexts expected = {"Goblin", "gob.png", "atk.wav", "hit.wav",     "die.wav",
                                       "-5",     "20",      "40",      "32",          "48",
                                       "20",     "24",      "30",      "-2147483648", "127"};
    EXPECT_EQ(texts, expected);
}

TEST(MonsterFileTest, ReadsEveryLineWithAnyLineEndAndWritesCrLf) {
    ScratchFolder folder;
    folder.Write("monsters.ini", std::string(kGoblinLine) + "\nBat\r\rImp\r\n");
    std::vector<MonsterEntry> entries;
    ASSERT_TRUE(ReadMonsterFile(folder.File("monsters.ini"), entries));
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[1].name, "Bat");
    EXPECT_EQ(entries[2].name, "");  // an empty line is still a monster
    EXPECT_EQ(entries[3].name, "Imp");

    ASSERT_TRUE(WriteMonsterFile(folder.File("monsters.ini"), entries).Ok());
    EXPECT_EQ(folder.Read("monsters.ini"), std::string(kGoblinLine) +
                                               "\r\n"
                                               "Bat,,,,,0,0,0,0,0,0,0,0,0,0\r\n"
                                               ",,,,,0,0,0,0,0,0,0,0,0,0\r\n"
                                               "Imp,,,,,0,0,0,0,0,0,0,0,0,0\r\n");
}

TEST(MonsterFileTest, RoundTripOfAWrittenFileIsByteExact) {
    ScratchFolder folder;
    const std::string original = std::string(kGoblinLine) +
                                 "\r\n"
                                 "Bat,bat.png,a.wav,b.wav,c.wav,-1,5,90,16,16,12,12,10,0,-1\r\n";
    folder.Write("monsters.ini", original);
    std::vector<MonsterEntry> entries;
    ASSERT_TRUE(ReadMonsterFile(folder.File("monsters.ini"), entries));
    ASSERT_TRUE(WriteMonsterFile(folder.File("monsters.ini"), entries).Ok());
    EXPECT_EQ(folder.Read("monsters.ini"), original);
}

TEST(MonsterFileTest, MissingFileGivesAnEmptyListAndEmptyListWritesEmptyFile) {
    ScratchFolder folder;
    std::vector<MonsterEntry> entries(3);
    EXPECT_FALSE(ReadMonsterFile(folder.File("monsters.ini"), entries));
    EXPECT_TRUE(entries.empty());
    ASSERT_TRUE(WriteMonsterFile(folder.File("monsters.ini"), entries).Ok());
    EXPECT_EQ(folder.Read("monsters.ini"), "");
}

TEST(MonsterFileTest, BinaryBytesAndNulsDoNotBreakReading) {
    ScratchFolder folder;
    std::string bytes = "A\xff\x01,b";
    bytes += '\0';
    bytes += "C,\x80\x90,,,,\xfe";
    folder.Write("monsters.ini", bytes);
    std::vector<MonsterEntry> entries;
    ASSERT_TRUE(ReadMonsterFile(folder.File("monsters.ini"), entries));
    ASSERT_EQ(entries.size(), 2u);  // NUL ends a line
    EXPECT_EQ(entries[0].name, "A\xff\x01");
    EXPECT_EQ(entries[1].graphicFile, "\x80\x90");
    EXPECT_EQ(entries[1].damage, 0);
}

TEST(MonsterFileTest, ThousandsOfLinesAndVeryLongLinesLoad) {
    ScratchFolder folder;
    std::string text;
    for (int i = 0; i < 5000; ++i) {
        text += "M" + std::to_string(i) + ",m.png,,,,1,2,3,4,5,6,7,8,9,1\r\n";
    }
    text += std::string(1 << 20, 'x') + ",long.png\r\n";
    folder.Write("monsters.ini", text);
    std::vector<MonsterEntry> entries;
    ASSERT_TRUE(ReadMonsterFile(folder.File("monsters.ini"), entries));
    ASSERT_EQ(entries.size(), 5001u);
    EXPECT_EQ(entries[4999].name, "M4999");
    EXPECT_EQ(entries[5000].name.size(), 1u << 20);
    EXPECT_EQ(entries[5000].graphicFile, "long.png");
}

TEST(MonsterFileTest, FailedWriteLeavesTheOldFileWhole) {
    ScratchFolder folder;
    const std::string original = std::string(kGoblinLine) + "\r\n";
    folder.Write("monsters.ini", original);
    std::vector<MonsterEntry> many(20000, ParseMonsterLine(kGoblinLine));
    {
        const FileSizeLimit limit(4096);
        EXPECT_FALSE(WriteMonsterFile(folder.File("monsters.ini"), many).Ok());
    }
    EXPECT_EQ(folder.Read("monsters.ini"), original);
    int leftovers = 0;
    for (const auto& item : std::filesystem::directory_iterator(folder.Path())) {
        leftovers += item.path().filename() != "monsters.ini";
    }
    EXPECT_EQ(leftovers, 0);
}

TEST(MonsterFileTest, FileThatIsAFolderOrInAMissingFolderIsNotWritten) {
    ScratchFolder folder;
    // A folder where the file should be cannot be replaced.
    ASSERT_EQ(mkdir(folder.File("monsters.ini").c_str(), 0755), 0);
    EXPECT_FALSE(WriteMonsterFile(folder.File("monsters.ini"), {MonsterEntry{}}).Ok());
    struct stat info {};
    ASSERT_EQ(stat(folder.File("monsters.ini").c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));

    // A mod folder that does not exist gets nothing.
    EXPECT_FALSE(WriteMonsterFile(folder.File("absent/monsters.ini"), {MonsterEntry{}}).Ok());
}

TEST(MonsterFileTest, ReadOnlyFileIsNotReplaced) {
    ScratchFolder folder;
    folder.OpenToEveryone();
    folder.Write("monsters.ini", "Keep\r\n");
    ASSERT_EQ(chmod(folder.File("monsters.ini").c_str(), 0444), 0);
    // The folder is writable, so only the file's own permission stops the
    // replacement.
    EXPECT_TRUE(RunUnprivileged([&] {
        return WriteMonsterFile(folder.File("monsters.ini"), {ParseMonsterLine("New")}).error ==
               EACCES;
    }));
    EXPECT_EQ(folder.Read("monsters.ini"), "Keep\r\n");
}

// A mod folder that takes no new files, holding a monsters.ini that may be
// written, as an ordinary user sees it; the backup copy goes to a folder of
// its own.
class LockedFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.Write("monsters.ini", original_);
        ASSERT_EQ(chmod(folder_.File("monsters.ini").c_str(), 0666), 0);
        ASSERT_EQ(chmod(folder_.Path().c_str(), 0555), 0);
        temporary_.OpenToEveryone();
    }

    // Writes `entries` as the ordinary user, with file writes limited to
    // `sizeLimit` bytes; true when `check` holds for the result.
    template <typename Check>
    bool WriteUnprivileged(const std::vector<MonsterEntry>& entries, rlim_t sizeLimit,
                           Check check) {
        return RunUnprivileged([&] {
            setenv("TMPDIR", temporary_.Path().c_str(), 1);
            const FileSizeLimit limit(sizeLimit);
            return check(WriteMonsterFile(folder_.File("monsters.ini"), entries));
        });
    }
    bool NoBackupLeft() const { return std::filesystem::is_empty(temporary_.Path()); }

    const std::string original_ = std::string(kGoblinLine) + "\r\n";
    ScratchFolder folder_;
    ScratchFolder temporary_;
};

TEST_F(LockedFolderTest, FileIsWrittenInPlace) {
    EXPECT_TRUE(WriteUnprivileged({ParseMonsterLine("New")}, RLIM_INFINITY,
                                  [](const FileWriteResult& result) { return result.Ok(); }));
    EXPECT_EQ(folder_.Read("monsters.ini"), "New,,,,,0,0,0,0,0,0,0,0,0,0\r\n");
    EXPECT_TRUE(NoBackupLeft());
}

TEST_F(LockedFolderTest, WriteThatFailsHalfWayPutsTheOldBytesBack) {
    const std::vector<MonsterEntry> many(20000, ParseMonsterLine(kGoblinLine));
    EXPECT_TRUE(WriteUnprivileged(many, 4096, [](const FileWriteResult& result) {
        return result.error == EFBIG && result.keptCopy.empty();
    }));
    EXPECT_EQ(folder_.Read("monsters.ini"), original_);
    EXPECT_TRUE(NoBackupLeft());
}

TEST(MonsterFileTest, WritingKeepsPermissionsAndSymbolicLinks) {
    ScratchFolder folder;
    folder.Write("real.ini", "Old\r\n");
    ASSERT_EQ(chmod(folder.File("real.ini").c_str(), 0640), 0);
    ASSERT_EQ(symlink("real.ini", folder.File("monsters.ini").c_str()), 0);

    ASSERT_TRUE(WriteMonsterFile(folder.File("monsters.ini"), {ParseMonsterLine("New")}).Ok());
    EXPECT_EQ(folder.Read("real.ini"), "New,,,,,0,0,0,0,0,0,0,0,0,0\r\n");
    struct stat link {};
    ASSERT_EQ(lstat(folder.File("monsters.ini").c_str(), &link), 0);
    EXPECT_TRUE(S_ISLNK(link.st_mode));
    struct stat real {};
    ASSERT_EQ(stat(folder.File("real.ini").c_str(), &real), 0);
    EXPECT_EQ(real.st_mode & 0777, 0640u);
}

}  // namespace
}  // namespace vorn::monstereditor

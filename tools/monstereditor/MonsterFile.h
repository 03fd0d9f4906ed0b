// The monsters.ini record as the monster editor sees it: one line per
// monster, fifteen comma-separated fields, read leniently and written back in
// the exact shape the game's loader expects.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/FileIO.h"

namespace vorn::monstereditor {

// Fields per monsters.ini line, which is also the number of form rows.
inline constexpr int kMonsterFieldCount = 15;

// One monster in file field order. The five texts are kept as the bytes they
// are written as; the numbers as the game reads them.
struct MonsterEntry {
    std::string name;
    std::string graphicFile;
    std::string attackSound;
    std::string hitSound;
    std::string deathSound;
    int32_t damage = 0;
    int32_t health = 0;
    int32_t speed = 0;
    int32_t frameWidth = 0;
    int32_t frameHeight = 0;
    int32_t clipWidth = 0;
    int32_t clipHeight = 0;
    int32_t deathDuration = 0;
    int32_t itemDropRate = 0;
    int8_t friendly = 0;

    bool operator==(const MonsterEntry&) const = default;
};

// The texts of the fifteen form boxes, in field order.
using MonsterFormTexts = std::array<std::string, kMonsterFieldCount>;

// The friendly flag is a byte: only the low 8 bits of the number survive, read
// back as a signed value (300 becomes 44, 255 becomes -1).
int8_t FriendlyByte(int32_t value);

// A file line: missing fields read as "" or 0; the texts lose their leading
// and trailing blanks, as the game trims them too.
MonsterEntry ParseMonsterLine(std::string_view line);

// The fifteen fields joined by "," without blanks and without a line end.
std::string FormatMonsterLine(const MonsterEntry& entry);

// Every entry as one line ended by CR LF, in list order.
std::string FormatMonsterFile(const std::vector<MonsterEntry>& entries);

// Every line of the file (empty ones included) as one entry. An unreadable
// or missing file gives an empty list and false.
bool ReadMonsterFile(const std::string& path, std::vector<MonsterEntry>& entries);

// Replaces the file with the given entries. The new text goes to a temporary
// file that is renamed over the old one, so a failed write leaves the old
// file whole; where the folder takes no new file but the file itself may be
// written, the file is overwritten in place instead. A file the user may not
// write is left alone. The result says why nothing was written.
FileWriteResult WriteMonsterFile(const std::string& path, const std::vector<MonsterEntry>& entries);

// The form shows numbers in decimal and the name as the game shows it: each
// byte as its Windows-1252 character, in UTF-8 as the boxes hold it. The four
// file names keep their bytes, as files are opened by those bytes.
MonsterFormTexts EntryToFormTexts(const MonsterEntry& entry);

// Texts are taken as typed (no trimming); numbers with the lenient integer
// conversion. Line-end characters cannot be stored inside a field of a
// line-based file, so they are dropped. The name goes back to the game's
// code page, so a name shown by EntryToFormTexts and left alone keeps its
// bytes; the four file names keep the bytes of the box.
MonsterEntry FormTextsToEntry(const MonsterFormTexts& texts);

}  // namespace vorn::monstereditor

// One line of monsters.ini as the game and the monster editor both read and
// write it: fifteen comma-separated fields, read leniently.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// Fields per monsters.ini line.
inline constexpr int kMonsterFieldCount = 15;

// One monster in file field order (the file lists the sounds attack, hit,
// death). The five texts are the bytes of the file, trimmed of blanks; the
// numbers are read with the lenient integer conversion.
struct MonsterRecord {
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

    bool operator==(const MonsterRecord&) const = default;
};

// The friendly flag is a byte: only the low 8 bits of the number survive, read
// back as a signed value (300 becomes 44, 255 becomes -1).
int8_t FriendlyByte(int32_t value);

// A file line: missing fields read as "" or 0.
MonsterRecord ParseMonsterLine(std::string_view line);

// Every line of the file, empty ones included, as one record each. An
// unreadable or missing file gives no records and false.
bool ReadMonsterFile(const std::string& path, std::vector<MonsterRecord>& records);

// The fifteen fields as they are written: texts as their bytes, numbers in
// decimal.
std::array<std::string, kMonsterFieldCount> MonsterFieldTexts(const MonsterRecord& record);

// The fifteen fields joined by "," without blanks and without a line end.
std::string FormatMonsterLine(const MonsterRecord& record);

// Every record as one line ended by CR LF, in list order.
std::string FormatMonsterFile(const std::vector<MonsterRecord>& records);

}  // namespace vorn

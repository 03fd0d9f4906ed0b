// Parsing and formatting monsters.ini lines.
#include "common/MonsterRecord.h"

#include "common/TextPrimitives.h"

namespace vorn {

namespace {

std::string TrimmedField(std::string_view line, int n) {
    return std::string(TrimSpaces(TextField(line, n, ',')));
}

int32_t NumberField(std::string_view line, int n) {
    return TextToInt(TextField(line, n, ','));
}

}  // namespace

int8_t FriendlyByte(int32_t value) {
    return static_cast<int8_t>(static_cast<uint8_t>(static_cast<uint32_t>(value) & 0xFFu));
}

MonsterRecord ParseMonsterLine(std::string_view line) {
    MonsterRecord record;
    record.name = TrimmedField(line, 1);
    record.graphicFile = TrimmedField(line, 2);
    record.attackSound = TrimmedField(line, 3);
    record.hitSound = TrimmedField(line, 4);
    record.deathSound = TrimmedField(line, 5);
    record.damage = NumberField(line, 6);
    record.health = NumberField(line, 7);
    record.speed = NumberField(line, 8);
    record.frameWidth = NumberField(line, 9);
    record.frameHeight = NumberField(line, 10);
    record.clipWidth = NumberField(line, 11);
    record.clipHeight = NumberField(line, 12);
    record.deathDuration = NumberField(line, 13);
    record.itemDropRate = NumberField(line, 14);
    record.friendly = FriendlyByte(NumberField(line, 15));
    return record;
}

bool ReadMonsterFile(const std::string& path, std::vector<MonsterRecord>& records) {
    records.clear();
    TextReader reader;
    if (!reader.Open(path)) {
        return false;
    }
    std::string line;
    while (reader.ReadTextLine(line)) {
        records.push_back(ParseMonsterLine(line));
    }
    return true;
}

std::array<std::string, kMonsterFieldCount> MonsterFieldTexts(const MonsterRecord& record) {
    return {record.name,
            record.graphicFile,
            record.attackSound,
            record.hitSound,
            record.deathSound,
            IntToText(record.damage),
            IntToText(record.health),
            IntToText(record.speed),
            IntToText(record.frameWidth),
            IntToText(record.frameHeight),
            IntToText(record.clipWidth),
            IntToText(record.clipHeight),
            IntToText(record.deathDuration),
            IntToText(record.itemDropRate),
            IntToText(record.friendly)};
}

std::string FormatMonsterLine(const MonsterRecord& record) {
    const std::array<std::string, kMonsterFieldCount> texts = MonsterFieldTexts(record);
    std::string line;
    for (int i = 0; i < kMonsterFieldCount; ++i) {
        if (i > 0) {
            line += ',';
        }
        line += texts[i];
    }
    return line;
}

std::string FormatMonsterFile(const std::vector<MonsterRecord>& records) {
    std::string text;
    for (const MonsterRecord& record : records) {
        text += FormatMonsterLine(record);
        text += "\r\n";
    }
    return text;
}

}  // namespace vorn

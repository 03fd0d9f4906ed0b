// monsters.ini as the monster editor uses it: the game's own line reader and
// writer (common/MonsterRecord.h), the safe replacement of the file and the
// texts of the form's boxes.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "common/FileIO.h"
#include "common/MonsterRecord.h"

namespace vorn::monstereditor {

// One monster of the list; the line format is the game's (common/).
using MonsterEntry = MonsterRecord;

// The texts of the fifteen form boxes (one per field), in field order.
using MonsterFormTexts = std::array<std::string, kMonsterFieldCount>;

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

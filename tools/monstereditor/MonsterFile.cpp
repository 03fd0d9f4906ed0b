// Reading and writing monsters.ini for the monster editor.
#include "tools/monstereditor/MonsterFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "common/CodePage1252.h"
#include "common/TextPrimitives.h"

namespace vorn::monstereditor {

namespace {

std::string WithoutLineEnds(const std::string& text) {
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        if (c != '\r' && c != '\n' && c != '\0') {
            kept += c;
        }
    }
    return kept;
}

// The path to replace: a symbolic link is followed so the link itself
// survives the rename of the temporary file.
std::string ResolvedTarget(const std::string& path) {
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) != nullptr) {
        return resolved;
    }
    return path;
}

}  // namespace

FileWriteResult WriteMonsterFile(const std::string& path,
                                 const std::vector<MonsterEntry>& entries) {
    const std::string target = ResolvedTarget(path);
    struct stat before {};
    const bool existed = stat(target.c_str(), &before) == 0;
    if (existed && !S_ISREG(before.st_mode)) {
        return {S_ISDIR(before.st_mode) ? EISDIR : EINVAL, ""};
    }
    if (existed && access(target.c_str(), W_OK) != 0) {
        return {errno, ""};
    }
    const std::string bytes = FormatMonsterFile(entries);
    FileWriteResult result = ReplaceFileAtomically(target, bytes);
    if (existed && (result.error == EACCES || result.error == EPERM)) {
        // The folder takes no temporary file (or no rename), but the file
        // itself may be written.
        return ReplaceFileInPlace(target, bytes);
    }
    if (result.Ok() && existed) {
        // The temporary file got default permissions; keep the ones the user chose.
        chmod(target.c_str(), before.st_mode & 07777);
    }
    return result;
}

MonsterFormTexts EntryToFormTexts(const MonsterEntry& entry) {
    MonsterFormTexts texts = MonsterFieldTexts(entry);
    texts[0] = Cp1252TextToUtf8(entry.name);
    return texts;
}

MonsterEntry FormTextsToEntry(const MonsterFormTexts& texts) {
    MonsterEntry entry;
    entry.name = LenientUtf8TextToCp1252(WithoutLineEnds(texts[0]));
    entry.graphicFile = WithoutLineEnds(texts[1]);
    entry.attackSound = WithoutLineEnds(texts[2]);
    entry.hitSound = WithoutLineEnds(texts[3]);
    entry.deathSound = WithoutLineEnds(texts[4]);
    entry.damage = TextToInt(texts[5]);
    entry.health = TextToInt(texts[6]);
    entry.speed = TextToInt(texts[7]);
    entry.frameWidth = TextToInt(texts[8]);
    entry.frameHeight = TextToInt(texts[9]);
    entry.clipWidth = TextToInt(texts[10]);
    entry.clipHeight = TextToInt(texts[11]);
    entry.deathDuration = TextToInt(texts[12]);
    entry.itemDropRate = TextToInt(texts[13]);
    entry.friendly = FriendlyByte(TextToInt(texts[14]));
    return entry;
}

}  // namespace vorn::monstereditor

// The monster editor's file logic on an untrusted monsters.ini: the input is
// "<file>|||<form texts, one per line>|||<button presses>". The file is read,
// then each press byte runs New, Edit, Save or Del (on the position in the
// byte) with the form filled from the texts. Besides memory errors it checks
// that every line read survives a format-and-parse round trip, and that after
// every write the file holds exactly the editor's list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/mod/FuzzSupport.h"
#include "tools/monstereditor/MonsterEditor.h"
#include "tools/monstereditor/MonsterFile.h"

namespace {

using namespace vorn::monstereditor;
using vorn::ParseMonsterLine;

void Check(bool condition) {
    if (!condition)
        abort();
}

MonsterFormTexts FormFrom(std::string_view texts) {
    MonsterFormTexts form;
    size_t start = 0;
    for (std::string& box : form) {
        const size_t end = texts.find('\n', start);
        box = std::string(texts.substr(std::min(start, texts.size()), end - std::min(start, end)));
        if (end == texts.npos)
            break;
        start = end + 1;
    }
    return form;
}

// The written file read back is the list the editor holds.
void CheckFileMatches(const MonsterEditor& editor) {
    std::vector<MonsterEntry> reread;
    Check(ReadMonsterFile(editor.FilePath(), reread));
    Check(reread.size() == editor.Entries().size());
    for (size_t i = 0; i < reread.size(); ++i) {
        Check(ParseMonsterLine(FormatMonsterLine(reread[i])) == reread[i]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto pieces = vorn::fuzz::SplitInput(input, 3);
    const std::string& folder = vorn::fuzz::ScratchFolder("monstereditor");
    vorn::fuzz::WriteBytes(folder + "/monsters.ini", pieces[0]);

    MonsterEditor editor(folder);
    editor.LoadList();
    for (const MonsterEntry& entry : editor.Entries()) {
        Check(ParseMonsterLine(FormatMonsterLine(entry)) == entry);
        Check(FormTextsToEntry(EntryToFormTexts(entry)).damage == entry.damage);
    }
    Check(editor.ItemLabels().size() == editor.Entries().size());

    const MonsterFormTexts typed = FormFrom(pieces[1]);
    for (unsigned char press : pieces[2].substr(0, 16)) {
        const int position = (press >> 2) - 4;  // a few stale positions too
        switch (press & 3) {
            case 0:
                editor.New();
                break;
            case 1:
                editor.Edit(position);
                break;
            case 2:
                editor.Form() = typed;
                if (editor.Save().Ok())
                    CheckFileMatches(editor);
                break;
            case 3:
                if (editor.Delete(position).Ok())
                    CheckFileMatches(editor);
                break;
        }
        Check(editor.ItemLabels().size() == editor.Entries().size());
        Check(editor.CurrentIndex() >= kNoEntry &&
              editor.CurrentIndex() < static_cast<int>(editor.Entries().size()));
    }
    return 0;
}

// What the monster editor's buttons do, kept apart from the widgets: the
// monster list, the labels of the drop-down list, the texts of the fifteen
// form boxes and the entry the form is bound to.
#pragma once

#include <string>
#include <vector>

#include "tools/monstereditor/MonsterFile.h"

namespace vorn::monstereditor {

// Current index of a form that is bound to no entry.
inline constexpr int kNoEntry = -1;

class MonsterEditor {
public:
    // `modFolder` is used as given; the file is modFolder + "/monsters.ini".
    explicit MonsterEditor(std::string modFolder);

    // Reads the list and its labels from the file; a missing or unreadable
    // file gives an empty list and no message.
    void LoadList();

    // "New": empties the form and unbinds it.
    void New();
    // "Edit": loads the entry at `selected` (a drop-down position) into the
    // form and binds the form to it. No selection (or a stale one) does nothing.
    void Edit(int selected);
    // "Save": copies the form into the bound entry and relabels its item; a
    // free form is appended as a new monster with a new item. Then the whole
    // list is written and the form is emptied and unbound. When the file
    // cannot be written the list, its labels and the form stay as they were,
    // so pressing "Save" again repeats the same change. A form whose fifteen
    // boxes are all empty saves nothing.
    FileWriteResult Save();
    // "Del": removes the entry at `selected`, writes the file and reads the
    // list back so the labels are renumbered. No selection does nothing; when
    // the file cannot be written the list stays as it was.
    FileWriteResult Delete(int selected);

    const std::string& FilePath() const { return filePath_; }
    const std::vector<MonsterEntry>& Entries() const { return entries_; }
    const std::vector<std::string>& ItemLabels() const { return labels_; }
    int CurrentIndex() const { return currentIndex_; }

    // The form boxes; the window copies what the user typed in here before a
    // button's action and shows them again afterwards.
    MonsterFormTexts& Form() { return form_; }
    const MonsterFormTexts& Form() const { return form_; }

    // position + 1, ". ", then the name as the name box shows it: how every
    // drop-down item reads.
    static std::string ItemLabel(int position, const std::string& shownName);

private:
    bool IsBound() const;

    std::string filePath_;
    std::vector<MonsterEntry> entries_;
    std::vector<std::string> labels_;
    MonsterFormTexts form_;
    int currentIndex_ = kNoEntry;
};

}  // namespace vorn::monstereditor

// The monster editor's button actions on the list, the labels and the form.
#include "tools/monstereditor/MonsterEditor.h"

#include <algorithm>
#include <utility>

#include "common/CodePage1252.h"
#include "common/TextPrimitives.h"

namespace vorn::monstereditor {

MonsterEditor::MonsterEditor(std::string modFolder)
    : filePath_(std::move(modFolder) + "/monsters.ini") {}

std::string MonsterEditor::ItemLabel(int position, const std::string& shownName) {
    return IntToText(position + 1) + ". " + shownName;
}

void MonsterEditor::LoadList() {
    ReadMonsterFile(filePath_, entries_);
    labels_.clear();
    labels_.reserve(entries_.size());
    for (const MonsterEntry& entry : entries_) {
        labels_.push_back(
            ItemLabel(static_cast<int>(labels_.size()), Cp1252TextToUtf8(entry.name)));
    }
}

void MonsterEditor::New() {
    form_ = MonsterFormTexts{};
    currentIndex_ = kNoEntry;
}

void MonsterEditor::Edit(int selected) {
    if (selected < 0 || selected >= static_cast<int>(entries_.size())) {
        return;
    }
    form_ = EntryToFormTexts(entries_[selected]);
    currentIndex_ = selected;
}

bool MonsterEditor::Save() {
    if (std::all_of(form_.begin(), form_.end(),
                    [](const std::string& box) { return box.empty(); })) {
        return true;
    }
    const MonsterEntry edited = FormTextsToEntry(form_);
    // The item shows the name box as typed, even where the entry differs.
    const std::string& typedName = form_[0];
    if (currentIndex_ >= 0 && currentIndex_ < static_cast<int>(entries_.size())) {
        entries_[currentIndex_] = edited;
        labels_[currentIndex_] = ItemLabel(currentIndex_, typedName);
    } else {
        entries_.push_back(edited);
        labels_.push_back(ItemLabel(static_cast<int>(labels_.size()), typedName));
    }
    New();
    return WriteList();
}

bool MonsterEditor::Delete(int selected) {
    if (selected < 0 || selected >= static_cast<int>(entries_.size())) {
        return true;
    }
    entries_.erase(entries_.begin() + selected);
    const bool written = WriteList();
    // Keep the form bound to the same monster: entries after the removed one
    // moved up by one, and the removed one itself no longer exists. When the
    // write failed the file still holds every entry.
    if (written) {
        if (currentIndex_ == selected) {
            currentIndex_ = kNoEntry;
        } else if (currentIndex_ > selected) {
            --currentIndex_;
        }
    }
    LoadList();
    if (currentIndex_ >= static_cast<int>(entries_.size())) {
        currentIndex_ = kNoEntry;
    }
    return written;
}

bool MonsterEditor::WriteList() const {
    return WriteMonsterFile(filePath_, entries_);
}

}  // namespace vorn::monstereditor

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

FileWriteResult MonsterEditor::Save() {
    if (std::all_of(form_.begin(), form_.end(),
                    [](const std::string& box) { return box.empty(); })) {
        return {};
    }
    std::vector<MonsterEntry> saved = entries_;
    const int position = IsBound() ? currentIndex_ : static_cast<int>(saved.size());
    if (IsBound()) {
        saved[position] = FormTextsToEntry(form_);
    } else {
        saved.push_back(FormTextsToEntry(form_));
    }
    FileWriteResult result = WriteMonsterFile(filePath_, saved);
    if (!result.Ok()) {
        return result;
    }
    entries_ = std::move(saved);
    // The item shows the name box as typed, even where the entry differs.
    std::string label = ItemLabel(position, form_[0]);
    if (position < static_cast<int>(labels_.size())) {
        labels_[position] = std::move(label);
    } else {
        labels_.push_back(std::move(label));
    }
    New();
    return result;
}

FileWriteResult MonsterEditor::Delete(int selected) {
    if (selected < 0 || selected >= static_cast<int>(entries_.size())) {
        return {};
    }
    std::vector<MonsterEntry> remaining = entries_;
    remaining.erase(remaining.begin() + selected);
    FileWriteResult result = WriteMonsterFile(filePath_, remaining);
    if (!result.Ok()) {
        return result;
    }
    // Keep the form bound to the same monster: entries after the removed one
    // moved up by one, and the removed one itself no longer exists.
    if (currentIndex_ == selected) {
        currentIndex_ = kNoEntry;
    } else if (currentIndex_ > selected) {
        --currentIndex_;
    }
    LoadList();
    if (currentIndex_ >= static_cast<int>(entries_.size())) {
        currentIndex_ = kNoEntry;
    }
    return result;
}

bool MonsterEditor::IsBound() const {
    return currentIndex_ >= 0 && currentIndex_ < static_cast<int>(entries_.size());
}

}  // namespace vorn::monstereditor

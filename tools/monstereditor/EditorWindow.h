// The monster editor's window: the fifteen labelled boxes, the buttons and
// the monster list. Every button forwards to MonsterEditor; this class only
// moves texts between the widgets and the editor.
#pragma once

#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Progress.H>
#include <FL/Fl_Window.H>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "tools/monstereditor/MonsterEditor.h"

namespace vorn::monstereditor {

class EditorWindow {
public:
    explicit EditorWindow(MonsterEditor& editor);
    ~EditorWindow();
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // Shows the window with the list loaded; Fl::run() then drives it.
    void Show();

private:
    void OnNew();
    void OnEdit();
    void OnSave();
    void OnDelete();

    // A message box naming the file and the reason it was not written.
    void ReportUnwritten(const FileWriteResult& result) const;
    void ReadForm();
    void ShowForm();
    // Refills the drop-down list from the editor's labels; the selection is
    // kept when `keepSelection` and it still exists.
    void ShowList(bool keepSelection);

    MonsterEditor& editor_;
    std::unique_ptr<Fl_Window> window_;
    std::array<Fl_Input*, kMonsterFieldCount> boxes_{};
    Fl_Choice* list_ = nullptr;
    // The list's items point into these; they live until the next ShowList.
    std::vector<std::string> menuTexts_;
    std::vector<Fl_Menu_Item> menuItems_;
};

// Menu item texts give "&" and "@" a meaning; doubling them makes a text
// show as written.
std::string EscapeMenuLabel(const std::string& text);

}  // namespace vorn::monstereditor

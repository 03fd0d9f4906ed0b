// Builds the monster editor's controls at their fixed positions and wires the
// buttons to MonsterEditor.
#include "tools/monstereditor/EditorWindow.h"

#include <FL/Fl.H>
#include <FL/fl_ask.H>

#include <cstring>

#include "common/TextPrimitives.h"
#include "tools/monstereditor/DigitsInput.h"

namespace vorn::monstereditor {

namespace {

constexpr int kWindowX = 224;
constexpr int kWindowY = 32;
constexpr int kClientWidth = 255;
constexpr int kClientHeight = 318;
constexpr int kRowPitch = 18;
constexpr int kLabelX = 0;
constexpr int kLabelWidth = 75;
constexpr int kLabelHeight = 15;
constexpr int kBoxX = 78;
constexpr int kBoxWidth = 177;
constexpr int kBoxHeight = 18;
constexpr int kFontSize = 10;
constexpr char kMessageTitle[] = "Monster Editor";
// Small enough for the row labels to fit their 75 pixels.
constexpr int kRowLabelFontSize = 9;

struct FormRow {
    const char* label;
    bool digitsOnly;
};

// Field order of monsters.ini. "Firendly:" is the label users know.
constexpr std::array<FormRow, kMonsterFieldCount> kRows = {{
    {"Monster Name:", false},
    {"Graphic File:", false},
    {"Attack Sound:", false},
    {"Hit Sound:", false},
    {"Death Sound:", false},
    {"Damage:", false},
    {"Health:", true},
    {"Speed:", false},
    {"Frame Width:", true},
    {"Frame Height:", true},
    {"Clip Width:", true},
    {"Clip Height:", true},
    {"Death Duration:", true},
    {"Item Drop Rate:", true},
    {"Firendly:", true},
}};

// Long names and sound lists must survive an Edit and Save unshortened.
constexpr int kMaximumBoxText = 1 << 24;

template <void (EditorWindow::*Action)()>
void Forward(Fl_Widget*, void* self) {
    (static_cast<EditorWindow*>(self)->*Action)();
}

// Only the close box ends the editor; FLTK would also close a window on
// Escape, which would throw away a form being typed.
void CloseUnlessEscape(Fl_Widget* window, void*) {
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) {
        return;
    }
    window->hide();
}

Fl_Button* MakeButton(int x, int y, int w, int h, const char* label) {
    auto* button = new Fl_Button(x, y, w, h, label);
    button->labelsize(kFontSize);
    return button;
}

}  // namespace

std::string EscapeMenuLabel(const std::string& text) {
    return DoubledCharacters(text, "&@");
}

EditorWindow::EditorWindow(MonsterEditor& editor) : editor_(editor) {
    window_ = std::make_unique<Fl_Window>(kWindowX, kWindowY, kClientWidth, kClientHeight,
                                          "VornEngine - Monster Editor");
    for (int row = 0; row < kMonsterFieldCount; ++row) {
        const int labelY = 3 + kRowPitch * row;
        auto* label = new Fl_Box(kLabelX, labelY, kLabelWidth, kLabelHeight, kRows[row].label);
        label->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
        label->labelsize(kRowLabelFontSize);
        Fl_Input* box = kRows[row].digitsOnly
                            ? new DigitsInput(kBoxX, labelY - 3, kBoxWidth, kBoxHeight)
                            : new Fl_Input(kBoxX, labelY - 3, kBoxWidth, kBoxHeight);
        box->textsize(kFontSize);
        box->maximum_size(kMaximumBoxText);
        boxes_[row] = box;
    }
    MakeButton(204, 273, 51, 18, "Save")->callback(Forward<&EditorWindow::OnSave>, this);

    auto* divider = new Fl_Progress(0, 294, 306, 2);
    divider->minimum(0);
    divider->maximum(10);
    divider->value(0);
    divider->box(FL_THIN_DOWN_BOX);

    MakeButton(0, 297, 31, 21, "New")->callback(Forward<&EditorWindow::OnNew>, this);
    MakeButton(33, 297, 31, 21, "Del")->callback(Forward<&EditorWindow::OnDelete>, this);
    MakeButton(66, 297, 31, 21, "Edit")->callback(Forward<&EditorWindow::OnEdit>, this);
    auto* listLabel = new Fl_Box(102, 300, 42, 15, "Monster:");
    listLabel->align(FL_ALIGN_RIGHT | FL_ALIGN_INSIDE);
    listLabel->labelsize(kFontSize);
    // The list shows one line; its items drop down below it.
    list_ = new Fl_Choice(144, 297, 111, 21);
    list_->textsize(kFontSize);

    // The window can be resized, but the controls keep their places: the
    // resizable area lies beyond every control.
    auto* stretch = new Fl_Box(306, kClientHeight, 1, 1);
    window_->resizable(stretch);
    window_->end();
    window_->callback(CloseUnlessEscape);
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::Show() {
    editor_.LoadList();
    ShowList(false);
    ShowForm();
    window_->show();
}

void EditorWindow::OnNew() {
    ReadForm();
    editor_.New();
    ShowForm();
}

void EditorWindow::OnEdit() {
    ReadForm();
    editor_.Edit(list_->value());
    ShowForm();
}

void EditorWindow::OnSave() {
    ReadForm();
    const FileWriteResult result = editor_.Save();
    if (!result.Ok()) {
        ReportUnwritten(result);
    }
    ShowList(true);
    ShowForm();
}

void EditorWindow::OnDelete() {
    ReadForm();
    const FileWriteResult result = editor_.Delete(list_->value());
    if (!result.Ok()) {
        ReportUnwritten(result);
    }
    ShowList(!result.Ok());
    ShowForm();
}

void EditorWindow::ReportUnwritten(const FileWriteResult& result) const {
    std::string text =
        "Could not write " + editor_.FilePath() + ":\n" + std::strerror(result.error) + "\n\n";
    if (!result.keptCopy.empty()) {
        text += "The file may be damaged; its old contents are kept in " + result.keptCopy + ".\n";
    }
    text += "The list and the form are kept as they were: nothing you typed is lost.";
    fl_message_title(kMessageTitle);
    // The message box gives "@" a meaning, as a path may hold it.
    fl_alert("%s", DoubledCharacters(text, "@").c_str());
}

void EditorWindow::ReadForm() {
    for (int row = 0; row < kMonsterFieldCount; ++row) {
        const Fl_Input* box = boxes_[row];
        editor_.Form()[row].assign(box->value(), static_cast<size_t>(box->size()));
    }
}

void EditorWindow::ShowForm() {
    for (int row = 0; row < kMonsterFieldCount; ++row) {
        const std::string& text = editor_.Form()[row];
        boxes_[row]->value(text.data(), static_cast<int>(text.size()));
        // A new value redraws only from its first changed byte; where that
        // byte lies inside a character ("é" becoming "Ã©" shares the lead
        // byte), the old character would stay on screen.
        boxes_[row]->redraw();
    }
}

void EditorWindow::ShowList(bool keepSelection) {
    const int selected = keepSelection ? list_->value() : -1;
    // The items are given to the list as one array, not added one by one:
    // adding compares every new item with all earlier ones, which is slow
    // for lists of thousands of monsters.
    std::vector<std::string> texts;
    texts.reserve(editor_.ItemLabels().size());
    for (const std::string& label : editor_.ItemLabels()) {
        texts.push_back(EscapeMenuLabel(label));
    }
    std::vector<Fl_Menu_Item> items(texts.size() + 1, Fl_Menu_Item{});
    for (size_t i = 0; i < texts.size(); ++i) {
        items[i].text = texts[i].c_str();
    }
    list_->menu(items.data());
    // The list now shows the new array; the old one may go.
    menuTexts_ = std::move(texts);
    menuItems_ = std::move(items);
    const int count = static_cast<int>(menuTexts_.size());
    if (selected >= 0 && selected < count) {
        list_->value(selected);
    } else {
        list_->value(static_cast<const Fl_Menu_Item*>(nullptr));
    }
    list_->redraw();
}

}  // namespace vorn::monstereditor

// FLTK dialogs for the animation creator. Each dialog runs its own small
// event loop until it is answered or closed.
#include "tools/animationmaker/FltkQuestions.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>

#include "common/TextPrimitives.h"

namespace vorn::animationmaker {

namespace {

constexpr int kQuestionWidth = 360;
constexpr int kQuestionHeight = 100;
constexpr int kStageWindowWidth = 300;
constexpr int kStageWindowHeight = 30;

// Answers from a dialog's callbacks.
struct DialogState {
    Fl_Window* window = nullptr;
    bool answered = false;
};

void Answer(Fl_Widget*, void* state) {
    auto* dialog = static_cast<DialogState*>(state);
    dialog->answered = true;
    dialog->window->hide();
}

void Close(Fl_Widget*, void* state) {
    static_cast<DialogState*>(state)->window->hide();
}

// The draw-stage window goes away only through its close box; FLTK would
// also close it on Escape.
void CloseUnlessEscape(Fl_Widget* widget, void* state) {
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) {
        return;
    }
    Close(widget, state);
}

void RunUntilHidden(Fl_Window& window) {
    while (window.shown()) {
        Fl::wait();
    }
}

// The folder chooser ends its answer with a separator; the file name
// "/animations.ini" is appended to the folder later.
std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// Menu item texts treat "/" as a submenu separator unless it is escaped.
std::string MenuItemText(const char* text) {
    std::string escaped;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '/' || *c == '\\') {
            escaped += '\\';
        }
        escaped += *c;
    }
    return escaped;
}

}  // namespace

std::string FltkQuestions::ChooseFolder(const std::string& prompt, const std::string& initial) {
    const char* chosen = fl_dir_chooser(prompt.c_str(), initial.c_str(), 0);
    return chosen == nullptr ? std::string() : WithoutTrailingSeparators(chosen);
}

std::string FltkQuestions::ChooseImage(const std::string& prompt, const std::string& initialPath) {
    // Ending the folder with "/" makes the chooser open inside it.
    const std::string start = initialPath + "/";
    const char* chosen = fl_file_chooser(prompt.c_str(), "*", start.c_str(), 0);
    return chosen == nullptr ? std::string() : std::string(chosen);
}

std::string FltkQuestions::AskText(const std::string& title, const std::string& prompt,
                                   const std::string& initial) {
    Fl_Window window(kQuestionWidth, kQuestionHeight, title.c_str());
    DialogState state{&window};
    Fl_Box label(10, 8, kQuestionWidth - 20, 20, prompt.c_str());
    label.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    Fl_Input input(10, 34, kQuestionWidth - 20, 24);
    input.value(initial.c_str());
    input.when(FL_WHEN_ENTER_KEY_ALWAYS);
    input.callback(Answer, &state);
    Fl_Button ok(kQuestionWidth - 90, 66, 80, 26, "Ok");
    ok.callback(Answer, &state);
    window.end();
    window.callback(Close, &state);
    window.set_modal();
    window.position((Fl::w() - kQuestionWidth) / 2, (Fl::h() - kQuestionHeight) / 2);
    window.show();
    input.take_focus();
    // Typing replaces the initial text.
    input.position(input.size(), 0);
    RunUntilHidden(window);
    return state.answered ? std::string(input.value(), static_cast<size_t>(input.size()))
                          : std::string();
}

int FltkQuestions::ChooseDrawStage() {
    Fl_Window window((Fl::w() - kStageWindowWidth) / 2, (Fl::h() - kStageWindowHeight) / 2,
                     kStageWindowWidth, kStageWindowHeight, kDrawStageTitle);
    DialogState state{&window};
    Fl_Choice list(0, 0, kStageWindowWidth, kStageWindowHeight);
    for (const char* item : kDrawStageItems) {
        list.add(MenuItemText(item).c_str(), 0, nullptr);
    }
    list.value(static_cast<const Fl_Menu_Item*>(nullptr));
    window.end();
    window.callback(CloseUnlessEscape, &state);
    window.show();
    RunUntilHidden(window);
    return list.value();
}

void FltkQuestions::ShowMessage(const std::string& title, const std::string& text) {
    fl_close = "OK";
    fl_message_title(title.c_str());
    // The message box gives "@" a meaning, as a path may hold it.
    fl_message("%s", DoubledCharacters(text, "@").c_str());
}

}  // namespace vorn::animationmaker

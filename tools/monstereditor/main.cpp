// monstereditor [modfolder]: edits the monster definitions (monsters.ini) of
// a VornEngine mod folder in a form. Without a folder on the command line it
// asks for one; cancelling that question ends the program.
#include <FL/Fl.H>
#include <FL/Fl_File_Chooser.H>

#include <string>

#include "tools/monstereditor/EditorWindow.h"
#include "tools/monstereditor/MonsterEditor.h"

namespace {

// The folder chooser ends its answer with a separator; the editor appends
// "/monsters.ini" itself.
std::string WithoutTrailingSeparators(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

}  // namespace

int main(int argc, char** argv) {
    std::string modFolder = argc > 1 ? argv[1] : "";
    if (modFolder.empty()) {
        const char* chosen =
            fl_dir_chooser("Choose the folder of the VornEngine mod...", "./vorn3");
        if (chosen == nullptr || chosen[0] == '\0') {
            return 0;
        }
        modFolder = WithoutTrailingSeparators(chosen);
    }
    vorn::monstereditor::MonsterEditor editor(modFolder);
    vorn::monstereditor::EditorWindow window(editor);
    window.Show();
    return Fl::run();
}

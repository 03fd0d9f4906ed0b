// The developer mode's variables screen (F4): every script variable with
// its type and value, filtered by the start of its name as the author types
// it, a page at a time.
#pragma once

#include <string>
#include <vector>

#include "game/shell/DeveloperPanel.h"
#include "game/world/Game.h"

namespace vorn {

class VariablesScreen {
public:
    // Letters, digits and '_' add to the filter, Backspace takes the last
    // one back, Escape empties it; Page Up and Page Down turn pages.
    void HandleKey(char code);
    // The lines of the screen for a panel of `rows` text lines: a heading,
    // the column names and one page of variables.
    std::vector<PanelLine> Lines(const ScriptEngine& script, int rows);
    const std::string& Filter() const { return filter_; }

private:
    std::string filter_;
    int firstShown_ = 0;
    int pageRows_ = 1;
};

}  // namespace vorn

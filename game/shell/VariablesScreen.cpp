// The variables screen: its filter and page, and its lines.
#include "game/shell/VariablesScreen.h"

#include <algorithm>

#include "common/TextPrimitives.h"
#include "game/media/ShellKeys.h"

namespace vorn {

namespace {

// Rows of the screen that are not variables: the heading, the column names.
constexpr int kHeadingRows = 2;
// Columns of the name and type; the value takes the rest of the line.
constexpr size_t kNameColumns = 20;
constexpr size_t kTypeColumns = 8;

const char* TypeName(ValueType type) {
    switch (type) {
        case ValueType::Number:
            return "number";
        case ValueType::String:
            return "string";
        case ValueType::None:
        case ValueType::Unchanged:
            break;
    }
    return "none";
}

std::string Padded(std::string text, size_t width) {
    if (text.size() >= width)
        return text + " ";
    text.resize(width, ' ');
    return text;
}

}  // namespace

void VariablesScreen::HandleKey(char code) {
    switch (code) {
        case shellkeys::PageDown:
            firstShown_ += pageRows_;
            return;
        case shellkeys::PageUp:
            firstShown_ = std::max(0, firstShown_ - pageRows_);
            return;
        case shellkeys::Backspace:
            if (!filter_.empty())
                filter_.pop_back();
            firstShown_ = 0;
            return;
        case shellkeys::Escape:
            filter_.clear();
            firstShown_ = 0;
            return;
        default:
            break;
    }
    const bool typed = (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') || code == '_';
    if (typed) {
        filter_ += code;
        firstShown_ = 0;
    }
}

std::vector<PanelLine> VariablesScreen::Lines(const ScriptEngine& script, int rows) {
    // Names are stored upper-cased; the filter is typed so.
    std::vector<const ScriptVariable*> matching;
    for (const ScriptVariable& variable : script.Variables()) {
        if (UpperCaseText(variable.name).rfind(filter_, 0) == 0)
            matching.push_back(&variable);
    }
    pageRows_ = std::max(1, rows - kHeadingRows);
    const int count = static_cast<int>(matching.size());
    firstShown_ = std::clamp(firstShown_, 0, std::max(0, count - 1) / pageRows_ * pageRows_);
    const int lastShown = std::min(count, firstShown_ + pageRows_);

    std::vector<PanelLine> lines;
    std::string heading = "Script variables";
    heading += filter_.empty() ? ": " + std::to_string(count)
                               : " starting with " + filter_ + ": " + std::to_string(count) +
                                     " of " + std::to_string(script.Variables().size());
    if (count > pageRows_) {
        heading += "  (" + std::to_string(firstShown_ + 1) + "-" + std::to_string(lastShown) +
                   ", PgUp/PgDn)";
    }
    lines.push_back({heading, panel_colours::kHeading});
    lines.push_back({Padded("NAME", kNameColumns) + Padded("TYPE", kTypeColumns) + "VALUE",
                     panel_colours::kDim});
    for (int i = firstShown_; i < lastShown; ++i) {
        const ScriptVariable& variable = *matching[static_cast<size_t>(i)];
        std::string line = Padded(variable.name, kNameColumns) +
                           Padded(TypeName(variable.type), kTypeColumns) + variable.value;
        // One line per variable, whatever its value holds.
        std::replace(line.begin(), line.end(), '\n', ' ');
        std::replace(line.begin(), line.end(), '\r', ' ');
        lines.push_back({line});
    }
    if (count == 0)
        lines.push_back({"(none)", panel_colours::kDim});
    return lines;
}

}  // namespace vorn

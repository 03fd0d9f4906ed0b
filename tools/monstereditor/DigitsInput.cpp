// Filtering what reaches a digits-only box.
#include "tools/monstereditor/DigitsInput.h"

#include <FL/Fl.H>

#include <string>
#include <string_view>

namespace vorn::monstereditor {

namespace {

// True when the key's text holds a character that would be typed into the
// box (anything from the space up, Delete excepted) other than a digit.
bool TypesANonDigit(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool typed = byte >= 0x20 && byte != 0x7F;
        if (typed && (byte < '0' || byte > '9')) {
            return true;
        }
    }
    return false;
}

std::string DigitsOf(std::string_view text) {
    std::string digits;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digits += c;
        }
    }
    return digits;
}

}  // namespace

int DigitsInput::handle(int event) {
    const std::string_view text(Fl::event_text() != nullptr ? Fl::event_text() : "",
                                static_cast<size_t>(Fl::event_length()));
    if (event == FL_KEYBOARD && TypesANonDigit(text)) {
        return 1;
    }
    if (event == FL_PASTE) {
        const std::string digits = DigitsOf(text);
        if (!digits.empty()) {
            insert(digits.data(), static_cast<int>(digits.size()));
        }
        return 1;
    }
    return Fl_Input::handle(event);
}

}  // namespace vorn::monstereditor

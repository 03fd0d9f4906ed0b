// An input box that takes only the digits 0-9, typed or pasted. FLTK's own
// integer box also takes signs and hexadecimal ("0x1F"), which the lenient
// number conversion would then save as something else without a word.
#pragma once

#include <FL/Fl_Input.H>

namespace vorn::monstereditor {

class DigitsInput : public Fl_Input {
public:
    DigitsInput(int x, int y, int w, int h) : Fl_Input(x, y, w, h) {}

    // Key presses that would type anything but a digit are swallowed; pasted
    // or dropped text keeps only its digits. Keys without text (arrows,
    // Backspace) and control keys (Ctrl+A, Ctrl+V) work as in any box.
    int handle(int event) override;
};

}  // namespace vorn::monstereditor

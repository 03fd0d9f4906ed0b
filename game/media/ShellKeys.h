// Keys of the program around the game: the function keys of the developer
// mode and of screenshots, and the letters typed into the developer mode's
// variable filter. They never reach the game's own key state (KeyboardState)
// and a recorded session does not contain them.
#pragma once

namespace vorn {

// A press is told by one code: the character for a typed key ('A' to 'Z',
// '0' to '9', '_'), a control code for the others.
namespace shellkeys {
constexpr char Backspace = 8;
constexpr char Escape = 27;
constexpr char F3 = 3;
constexpr char F4 = 4;
constexpr char F5 = 5;
constexpr char F6 = 6;
constexpr char F12 = 12;
constexpr char PageUp = 16;
constexpr char PageDown = 17;
}  // namespace shellkeys

}  // namespace vorn

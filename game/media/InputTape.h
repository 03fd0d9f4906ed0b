// Everything that comes into the game from outside the program, seen at the
// one place the game reads it: the state of the game's keys, the clock, the
// window's close request, the answers of message boxes and the random
// numbers. A recorder writes each answer down; a replayer replaces it by
// the one it recorded. Nothing else the game does depends on the machine, so
// a recorded session plays back exactly.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "game/media/KeyboardState.h"
#include "game/media/MediaTypes.h"

namespace vorn {

class InputTape {
public:
    virtual ~InputTape() = default;

    // Each is given the live answer and returns the one the game gets.
    virtual void Keys(KeyboardState::Keys& keys) = 0;
    virtual int32_t Clock(int32_t now) = 0;
    virtual WindowEvent Window(WindowEvent event) = 0;
    // A number from 0 to `maximum` that the layer's generator drew.
    virtual int Random(int maximum, int drawn) = 0;
    // `show` shows the box and returns the user's answer; a replayer answers
    // without showing it.
    virtual MessageResult Message(const std::string& title, const std::string& text,
                                  MessageButtons buttons,
                                  const std::function<MessageResult()>& show) = 0;
    // The end of what one presented frame read.
    virtual void FramePresented() = 0;
};

}  // namespace vorn

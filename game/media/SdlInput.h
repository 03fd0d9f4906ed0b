// The player's hands on the SDL platform: the keyboard's state and every game
// controller plugged in (before start-up or while playing), turned into the
// game's keys by the player's bindings.
#pragma once

#include <SDL.h>

#include <memory>
#include <vector>

#include "game/media/InputBindings.h"
#include "game/media/KeyboardState.h"

namespace vorn {

class SdlTestPad;

class SdlInput {
public:
    SdlInput();
    ~SdlInput();
    SdlInput(const SdlInput&) = delete;
    SdlInput& operator=(const SdlInput&) = delete;

    // Starts SDL's game-controller support (after its events); without it
    // the keyboard alone plays.
    void Open();
    void SetBindings(const InputBindings& bindings) { bindings_ = bindings; }
    // Opens a controller that was plugged in, closes one that was pulled out.
    void HandleEvent(const SDL_Event& event);
    void Read(KeyboardState::Keys& live);

private:
    bool controllersReady_ = false;
    InputBindings bindings_ = InputBindings::Defaults();
    std::vector<SDL_GameController*> pads_;
    std::vector<PadState> padStates_;  // read each frame; kept to reuse its memory
    std::unique_ptr<SdlTestPad> testPad_;
};

}  // namespace vorn

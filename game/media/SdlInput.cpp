#include "game/media/SdlInput.h"

#include <algorithm>
#include <cstdio>

#include "game/media/SdlTestPad.h"

namespace vorn {

namespace {

SDL_JoystickID InstanceOf(SDL_GameController* pad) {
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
}

PadState ReadPad(SDL_GameController* pad) {
    PadState state;
    for (int button = 0; button < SDL_CONTROLLER_BUTTON_MAX; ++button) {
        state.buttons[static_cast<size_t>(button)] =
            SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(button)) != 0;
    }
    state.leftX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    state.leftY = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    return state;
}

}  // namespace

SdlInput::SdlInput() = default;

SdlInput::~SdlInput() {
    testPad_.reset();
    for (SDL_GameController* pad : pads_) {
        SDL_GameControllerClose(pad);
    }
    if (controllersReady_) {
        SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

void SdlInput::Open() {
    if (controllersReady_) {
        return;
    }
    controllersReady_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!controllersReady_) {
        std::fprintf(stderr, "No game controllers (%s); the keyboard plays.\n", SDL_GetError());
        return;
    }
    // Controllers already plugged in are announced as added, like new ones.
    testPad_ = SdlTestPad::FromEnvironment();
}

void SdlInput::HandleEvent(const SDL_Event& event) {
    if (event.type == SDL_CONTROLLERDEVICEADDED) {
        const SDL_JoystickID instance = SDL_JoystickGetDeviceInstanceID(event.cdevice.which);
        const bool open = std::any_of(pads_.begin(), pads_.end(), [instance](auto* pad) {
            return InstanceOf(pad) == instance;
        });
        if (!open) {
            if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which)) {
                pads_.push_back(pad);
            }
        }
    } else if (event.type == SDL_CONTROLLERDEVICEREMOVED) {
        // Here `which` is the instance id.
        const auto gone = std::find_if(pads_.begin(), pads_.end(), [&event](auto* pad) {
            return InstanceOf(pad) == event.cdevice.which;
        });
        if (gone != pads_.end()) {
            SDL_GameControllerClose(*gone);
            pads_.erase(gone);
        }
    }
}

void SdlInput::Read(KeyboardState::Keys& live) {
    if (testPad_ != nullptr) {
        testPad_->Advance();
    }
    SDL_PumpEvents();
    PhysicalInput input;
    input.keys = SDL_GetKeyboardState(&input.keyCount);
    padStates_.clear();
    for (SDL_GameController* pad : pads_) {
        padStates_.push_back(ReadPad(pad));
    }
    input.pads = padStates_;
    live.fill(false);
    PressBoundKeys(bindings_, input, live);
}

}  // namespace vorn

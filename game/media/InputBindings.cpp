// Names through SDL's own tables, the defaults, and the physical input
// turned into the game's keys.
#include "game/media/InputBindings.h"

#include <SDL.h>

#include <cstdlib>

#include "game/media/MediaTypes.h"

namespace vorn {

namespace {

static_assert(SDL_CONTROLLER_BUTTON_MAX <= std::tuple_size_v<decltype(PadState::buttons)>);

bool KeyHeld(const PhysicalInput& input, SDL_Scancode key) {
    return key < input.keyCount && input.keys[key] != 0;
}

void Press(KeyboardState::Keys& live, Action action) {
    live[static_cast<size_t>(kActions[static_cast<size_t>(action)].gameKey)] = true;
}

// The stick walks in eight directions: an axis counts when the stick is
// outside the dead zone and within 67.5 degrees of that axis's direction
// (tan 22.5 degrees is 0.4142), so a diagonal presses two keys.
void PressStick(const PadState& pad, KeyboardState::Keys& live) {
    const int64_t x = pad.leftX;
    const int64_t y = pad.leftY;
    if (x * x + y * y <= int64_t{kStickDeadZone} * kStickDeadZone) {
        return;
    }
    const int64_t ax = std::llabs(x);
    const int64_t ay = std::llabs(y);
    if (ax * 10000 >= ay * 4142) {
        Press(live, x < 0 ? Action::Left : Action::Right);
    }
    if (ay * 10000 >= ax * 4142) {
        Press(live, y < 0 ? Action::Up : Action::Down);
    }
}

void PressPad(const InputBindings& bindings, const PadState& pad, KeyboardState::Keys& live) {
    constexpr std::pair<SDL_GameControllerButton, Action> kDpad[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_UP, Action::Up},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, Action::Down},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, Action::Left},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, Action::Right},
    };
    for (const auto& [button, action] : kDpad) {
        if (pad.buttons[static_cast<size_t>(button)]) {
            Press(live, action);
        }
    }
    PressStick(pad, live);
    for (const ActionInfo& info : kActions) {
        for (int button : bindings.padButtons[static_cast<size_t>(info.action)]) {
            if (button >= 0 && static_cast<size_t>(button) < pad.buttons.size() &&
                pad.buttons[static_cast<size_t>(button)]) {
                live[static_cast<size_t>(info.gameKey)] = true;
            }
        }
    }
}

}  // namespace

const std::array<ActionInfo, kActionCount> kActions = {{
    {Action::Up, "Up", keys::Up},
    {Action::Down, "Down", keys::Down},
    {Action::Left, "Left", keys::Left},
    {Action::Right, "Right", keys::Right},
    // The game attacks while either Ctrl key is down; one of them is enough.
    {Action::Attack, "Attack", keys::LeftCtrl},
    {Action::PickUp, "PickUp", keys::Return},
    {Action::Save, "Save", keys::S},
    {Action::Stats, "Stats", keys::Tab},
    {Action::NewGame, "NewGame", keys::Space},
    {Action::LoadGame, "LoadGame", keys::L},
}};

InputBindings InputBindings::Defaults() {
    InputBindings bindings;
    auto keysOf = [&bindings](Action action) -> std::vector<int>& {
        return bindings.keys[static_cast<size_t>(action)];
    };
    auto buttonsOf = [&bindings](Action action) -> std::vector<int>& {
        return bindings.padButtons[static_cast<size_t>(action)];
    };
    keysOf(Action::Up) = {SDL_SCANCODE_UP};
    keysOf(Action::Down) = {SDL_SCANCODE_DOWN};
    keysOf(Action::Left) = {SDL_SCANCODE_LEFT};
    keysOf(Action::Right) = {SDL_SCANCODE_RIGHT};
    keysOf(Action::Attack) = {SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL};
    keysOf(Action::PickUp) = {SDL_SCANCODE_RETURN};
    keysOf(Action::Save) = {SDL_SCANCODE_S};
    keysOf(Action::Stats) = {SDL_SCANCODE_TAB};
    keysOf(Action::NewGame) = {SDL_SCANCODE_SPACE};
    keysOf(Action::LoadGame) = {SDL_SCANCODE_L};
    buttonsOf(Action::Attack) = {SDL_CONTROLLER_BUTTON_A};
    buttonsOf(Action::PickUp) = {SDL_CONTROLLER_BUTTON_B};
    buttonsOf(Action::Stats) = {SDL_CONTROLLER_BUTTON_BACK};
    buttonsOf(Action::Save) = {SDL_CONTROLLER_BUTTON_START};
    return bindings;
}

int KeyFromName(std::string_view name) {
    const SDL_Scancode key = SDL_GetScancodeFromName(std::string(name).c_str());
    return key == SDL_SCANCODE_UNKNOWN ? -1 : static_cast<int>(key);
}

int PadButtonFromName(std::string_view name) {
    return SDL_GameControllerGetButtonFromString(std::string(name).c_str());
}

std::string KeyName(int key) {
    return SDL_GetScancodeName(static_cast<SDL_Scancode>(key));
}

std::string PadButtonName(int button) {
    const char* name =
        SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(button));
    return name != nullptr ? name : "";
}

void PressBoundKeys(const InputBindings& bindings, const PhysicalInput& input,
                    KeyboardState::Keys& live) {
    const bool altHeld = KeyHeld(input, SDL_SCANCODE_LALT) || KeyHeld(input, SDL_SCANCODE_RALT);
    for (const ActionInfo& info : kActions) {
        for (int key : bindings.keys[static_cast<size_t>(info.action)]) {
            if (key == SDL_SCANCODE_RETURN && altHeld) {
                continue;
            }
            if (key >= 0 && KeyHeld(input, static_cast<SDL_Scancode>(key))) {
                live[static_cast<size_t>(info.gameKey)] = true;
            }
        }
    }
    for (const PadState& pad : input.pads) {
        PressPad(bindings, pad, live);
    }
}

}  // namespace vorn

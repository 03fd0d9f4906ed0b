// The player's controls: which keys and pad buttons feed each of the game's
// ten actions. The game reads an action as the key it always read (walking
// reads keys::Up, attacking keys::LeftCtrl ...), so every rule of play works
// unchanged under any mapping; both platforms turn what the player presses
// into those keys here, before the game's key snapshot is taken.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/media/KeyboardState.h"

namespace vorn {

enum class Action { Up, Down, Left, Right, Attack, PickUp, Save, Stats, NewGame, LoadGame };
constexpr int kActionCount = 10;

// An action's name in the player's preferences and the game key it feeds.
struct ActionInfo {
    Action action;
    const char* name;
    int gameKey;
};
// In the order of the Action values.
extern const std::array<ActionInfo, kActionCount> kActions;

struct InputBindings {
    // SDL scan codes (key positions, named as SDL names them: "Left Ctrl").
    std::array<std::vector<int>, kActionCount> keys;
    // SDL game-controller buttons ("a", "start"). The d-pad and the left
    // stick always walk as well.
    std::array<std::vector<int>, kActionCount> padButtons;

    // Arrows, Ctrl, Return, S, Tab, Space and L; pad a, b, back and start.
    static InputBindings Defaults();
};

// Names as SDL spells them, case ignored on reading; -1 when unknown.
int KeyFromName(std::string_view name);
int PadButtonFromName(std::string_view name);
std::string KeyName(int key);
std::string PadButtonName(int button);

// The stick must leave this circle (of 32767) before it walks.
constexpr int kStickDeadZone = 8000;

// One game controller as the platform read it.
struct PadState {
    // Indexed by SDL game-controller button.
    std::array<bool, 32> buttons{};
    int leftX = 0;  // -32768 (left) .. 32767 (right)
    int leftY = 0;  // -32768 (up) .. 32767 (down)
};

// What the player presses: the keyboard by SDL scan code and every pad.
struct PhysicalInput {
    const uint8_t* keys = nullptr;  // non-zero: down
    int keyCount = 0;
    std::span<const PadState> pads;
};

// Sets the game key of every action the input presses (others stay as
// they are). Any pad counts; the d-pad and the stick walk, the stick in
// eight directions (a diagonal presses two keys). While Alt is held, Return
// presses nothing: Alt+Enter switches fullscreen and must not pick up.
void PressBoundKeys(const InputBindings& bindings, const PhysicalInput& input,
                    KeyboardState::Keys& live);

}  // namespace vorn

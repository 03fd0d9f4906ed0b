// A game controller for the game's own tests, never for players: when the
// environment variable VORN_TEST_PAD is set, the SDL layer plugs in one of
// SDL's virtual game controllers at start-up and moves its controls at the
// times the variable names, so a test can drive the real program with a pad
// on a machine without one. The value is a comma-separated list of
// MS:CONTROL=VALUE, milliseconds after start-up, controls named as SDL names
// them ("a", "dpright", "leftx"): "1500:dpright=1,2500:dpright=0".
#pragma once

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

namespace vorn {

class SdlTestPad {
public:
    // Null when the variable is not set, names no change or the pad cannot
    // be plugged in (the reason goes to stderr).
    static std::unique_ptr<SdlTestPad> FromEnvironment();
    ~SdlTestPad();
    SdlTestPad(const SdlTestPad&) = delete;
    SdlTestPad& operator=(const SdlTestPad&) = delete;

    // Makes every change whose time has come; SDL reports them at its next
    // event pump.
    void Advance();

private:
    struct Change {
        Uint64 atMs = 0;
        bool axis = false;
        int control = 0;
        int value = 0;
    };
    SdlTestPad() = default;

    int device_ = -1;
    SDL_Joystick* joystick_ = nullptr;
    Uint64 startMs_ = 0;
    std::vector<Change> changes_;  // in time order
    size_t next_ = 0;
};

}  // namespace vorn

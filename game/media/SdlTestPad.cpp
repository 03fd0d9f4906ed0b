#include "game/media/SdlTestPad.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "common/TextPrimitives.h"

namespace vorn {

namespace {

constexpr const char* kVariable = "VORN_TEST_PAD";

bool ParseChange(std::string_view text, Uint64& atMs, std::string& control, int& value) {
    const size_t colon = text.find(':');
    const size_t equals = text.find('=');
    if (colon == std::string_view::npos || equals == std::string_view::npos || equals < colon) {
        return false;
    }
    atMs = static_cast<Uint64>(std::max(TextToInt(text.substr(0, colon)), 0));
    control = std::string(TrimSpaces(text.substr(colon + 1, equals - colon - 1)));
    value = TextToInt(text.substr(equals + 1));
    return true;
}

}  // namespace

std::unique_ptr<SdlTestPad> SdlTestPad::FromEnvironment() {
    const char* value = std::getenv(kVariable);
    if (value == nullptr || *value == '\0') {
        return nullptr;
    }
    std::unique_ptr<SdlTestPad> pad(new SdlTestPad());
    const std::string_view text(value);
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, end - start);
        start = end + 1;
        Change change;
        std::string control;
        if (ParseChange(item, change.atMs, control, change.value)) {
            const int button = SDL_GameControllerGetButtonFromString(control.c_str());
            const int axis = SDL_GameControllerGetAxisFromString(control.c_str());
            change.axis = button == SDL_CONTROLLER_BUTTON_INVALID;
            change.control = change.axis ? axis : button;
            if (change.control >= 0) {
                pad->changes_.push_back(change);
                continue;
            }
        }
        std::fprintf(stderr, "%s: ignored '%s'\n", kVariable, std::string(item).c_str());
    }
    std::stable_sort(pad->changes_.begin(), pad->changes_.end(),
                     [](const Change& a, const Change& b) { return a.atMs < b.atMs; });
    // A virtual game controller's buttons and axes are numbered like SDL's
    // game-controller buttons and axes.
    pad->device_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER,
                                             SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    if (pad->device_ >= 0) {
        pad->joystick_ = SDL_JoystickOpen(pad->device_);
    }
    if (pad->changes_.empty() || pad->joystick_ == nullptr) {
        std::fprintf(stderr, "%s: no test pad (%s)\n", kVariable, SDL_GetError());
        return nullptr;
    }
    pad->startMs_ = SDL_GetTicks64();
    return pad;
}

SdlTestPad::~SdlTestPad() {
    if (joystick_ != nullptr) {
        SDL_JoystickClose(joystick_);
    }
    if (device_ >= 0) {
        SDL_JoystickDetachVirtual(device_);
    }
}

void SdlTestPad::Advance() {
    const Uint64 now = SDL_GetTicks64() - startMs_;
    for (; next_ < changes_.size() && changes_[next_].atMs <= now; ++next_) {
        const Change& change = changes_[next_];
        if (change.axis) {
            SDL_JoystickSetVirtualAxis(
                joystick_, change.control,
                static_cast<Sint16>(std::clamp(change.value, -32768, 32767)));
        } else {
            SDL_JoystickSetVirtualButton(joystick_, change.control, change.value != 0 ? 1 : 0);
        }
    }
}

}  // namespace vorn

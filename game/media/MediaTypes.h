// The small value types every user of the media layer speaks in: colours,
// window events, message boxes, text backgrounds and the game's keys.
#pragma once

#include <compare>
#include <cstdint>
#include <ostream>

namespace vorn {

// A sprite or sound the media layer handed out. The empty handle (0) means
// "nothing loaded", and every operation given it does nothing. A handle is
// made from the number the layer hands out (implicitly, so that tables and
// tests can name one), but never turns back into a number by accident, and a
// sprite handle is no sound handle.
template <typename Tag>
class MediaHandle {
public:
    constexpr MediaHandle() = default;
    constexpr MediaHandle(int id) : id_(id) {}
    constexpr int Id() const { return id_; }
    constexpr explicit operator bool() const { return id_ != 0; }
    friend constexpr auto operator<=>(MediaHandle, MediaHandle) = default;
    friend std::ostream& operator<<(std::ostream& out, MediaHandle handle) {
        return out << handle.id_;
    }

private:
    int id_ = 0;
};
using SpriteHandle = MediaHandle<struct SpriteTag>;
using SoundHandle = MediaHandle<struct SoundTag>;

struct Colour {
    int r = 0;
    int g = 0;
    int b = 0;
};

// Red in the low byte, green in the next, blue in the third.
constexpr int32_t PackColour(int r, int g, int b) {
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

enum class WindowEvent { None, CloseRequested, Other };
enum class MessageButtons { Ok, YesNo };
enum class MessageResult { Ok, Yes, No };
enum class TextBackground { Transparent, Opaque };

// The eleven keys the game reads, by the scan codes the game uses.
namespace keys {
constexpr int Up = 0xC8;
constexpr int Down = 0xD0;
constexpr int Left = 0xCB;
constexpr int Right = 0xCD;
constexpr int LeftCtrl = 0x1D;
constexpr int RightCtrl = 0x9D;
constexpr int Return = 0x1C;
constexpr int S = 0x1F;
constexpr int Tab = 0x0F;
constexpr int L = 0x26;
constexpr int Space = 0x39;
}  // namespace keys

}  // namespace vorn

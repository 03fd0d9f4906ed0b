// The small value types every user of the media layer speaks in: colours,
// window events, message boxes, text backgrounds and the game's keys.
#pragma once

#include <cstdint>

namespace vorn {

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

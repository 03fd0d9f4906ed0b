// vorn_bind_keys TEXT: gives every character of TEXT (UTF-8) that the
// display's keyboard map lacks a keycode of its own, for as long as the X
// server runs. xdotool types a character missing from the map by binding a
// spare keycode, pressing it and unbinding it at once; a program that reads
// the press only after the unbinding sees no character, which happens when the
// machine is busy. Once bound here, xdotool finds the characters in the map
// and presses them like any other key.
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

// The code points of `text`; a malformed byte stands for itself.
std::vector<uint32_t> CodePoints(std::string_view text) {
    std::vector<uint32_t> points;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80           ? 1
                              : (lead >> 5) == 0x6  ? 2
                              : (lead >> 4) == 0xE  ? 3
                              : (lead >> 3) == 0x1E ? 4
                                                    : 1;
        if (length == 1 || i + length > text.size()) {
            points.push_back(lead);
            ++i;
            continue;
        }
        uint32_t point = lead & (0x7F >> length);
        for (size_t k = 1; k < length; ++k)
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        points.push_back(point);
        i += length;
    }
    return points;
}

// X names Latin-1 characters by their code point, all others by the Unicode
// range of keysyms.
KeySym KeysymOf(uint32_t point) {
    return point <= 0xFF ? point : 0x01000000 | point;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vorn_bind_keys TEXT\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "vorn_bind_keys: cannot open the display\n");
        return 1;
    }
    int minCode = 0;
    int maxCode = 0;
    XDisplayKeycodes(display, &minCode, &maxCode);
    int symsPerCode = 0;
    KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(minCode), maxCode - minCode + 1,
                                      &symsPerCode);
    auto isFree = [&](int code) {
        for (int s = 0; s < symsPerCode; ++s)
            if (map[(code - minCode) * symsPerCode + s] != NoSymbol)
                return false;
        return true;
    };
    int status = 0;
    int code = maxCode;
    std::vector<KeySym> bound;
    for (const uint32_t point : CodePoints(argv[1])) {
        const KeySym keysym = KeysymOf(point);
        if (point < 0x80 || XKeysymToKeycode(display, keysym) != 0 ||
            std::find(bound.begin(), bound.end(), keysym) != bound.end())
            continue;
        while (code >= minCode && !isFree(code))
            --code;
        if (code < minCode) {
            std::fprintf(stderr, "vorn_bind_keys: no free keycode left for U+%04X\n",
                         static_cast<unsigned>(point));
            status = 1;
            break;
        }
        KeySym symbols[] = {keysym};
        XChangeKeyboardMapping(display, code, 1, symbols, 1);
        map[(code - minCode) * symsPerCode] = keysym;
        bound.push_back(keysym);
        --code;
    }
    XFree(map);
    XSync(display, False);
    XCloseDisplay(display);
    return status;
}

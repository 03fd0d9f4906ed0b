// A map cell's attribute code: the text the ".atl" file or SetTileAttribute
// gave it, and what that text makes of the cell, decided once when the text
// is stored so that the collision test compares no strings.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace vorn {

// Codes compare exactly, case-sensitive. A spawn number acts when the map is
// entered; afterwards its cell is free like any other code.
enum class CellKind : uint8_t {
    Free,
    Wall,         // "X": blocks the player and monsters
    MonsterWall,  // "M": blocks monsters only
    WarpMarker,   // "W": blocks monsters only; counted against the warp list
    ScriptTile,   // "S": runs its tile script when the player touches it
};

constexpr CellKind KindOfAttribute(std::string_view text) {
    if (text.size() != 1) {
        return CellKind::Free;
    }
    switch (text[0]) {
        case 'X':
            return CellKind::Wall;
        case 'M':
            return CellKind::MonsterWall;
        case 'W':
            return CellKind::WarpMarker;
        case 'S':
            return CellKind::ScriptTile;
        default:
            return CellKind::Free;
    }
}

class CellAttribute {
public:
    CellAttribute() = default;
    CellAttribute(std::string_view text) { assign(text); }
    CellAttribute& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    // Stores the text and decides the kind.
    void assign(std::string_view text) {
        text_.assign(text);
        kind_ = KindOfAttribute(text);
    }
    // `count` copies of `c`: tests and benchmarks store one-letter codes so,
    // as a literal copied inline trips GCC's false -Wrestrict warning in
    // optimised builds.
    void assign(size_t count, char c);

    const std::string& Text() const { return text_; }
    operator const std::string&() const { return text_; }
    CellKind Kind() const { return kind_; }

    friend bool operator==(const CellAttribute& a, std::string_view b) { return a.text_ == b; }
    friend std::ostream& operator<<(std::ostream& out, const CellAttribute& a) {
        return out << a.text_;
    }

private:
    std::string text_;
    CellKind kind_ = CellKind::Free;
};

}  // namespace vorn

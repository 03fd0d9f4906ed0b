// The monster name as the game stores and shows it: single-byte Windows-1252
// text. The form's boxes hold UTF-8, in which a byte that is not part of a
// valid UTF-8 sequence is shown as its Windows-1252 character, so names read
// from the file show right; what the user types arrives as UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace vorn::monstereditor {

// Turns every valid UTF-8 sequence of `text` into its Windows-1252 byte ("?"
// where the character has none) and keeps every other byte as it is, so the
// result holds exactly the characters the box showed.
std::string BoxTextToCodePage(std::string_view text);

}  // namespace vorn::monstereditor

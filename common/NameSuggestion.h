// "Did you mean ...?" for names an author mistyped: keys, tiles, maps,
// commands, files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorn {

// The name of `candidates` closest to `word`: one that differs only in case,
// else the first with the fewest single-character edits (an exchange of two
// neighbours counts as one), if that is few enough for the word's length to
// be a slip of the finger. "" when none is close.
std::string ClosestName(std::string_view word, const std::vector<std::string>& candidates);

// "; did you mean `NAME`?" for the closest name, or "".
std::string DidYouMean(std::string_view word, const std::vector<std::string>& candidates);

}  // namespace vorn

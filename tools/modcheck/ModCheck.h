// modcheck: checks a whole mod folder before it is played, with the game's
// own readers, and tells every problem in the compiler form editors jump to.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "common/Diagnostics.h"

namespace vorn::modcheck {

// Exit statuses of the program.
constexpr int kClean = 0;       // no errors (warnings may be there)
constexpr int kErrors = 1;      // at least one error
constexpr int kUnreadable = 2;  // the folder cannot be read, or bad usage

// Checks the mod in `folder` (a path as the user typed it; its files are
// named from it in the messages) into `diagnostics`. False when the folder
// cannot be read at all.
bool CheckMod(const std::string& folder, Diagnostics& diagnostics);

// The program: `arguments` without the program's name. Writes one line per
// problem and then "N errors, M warnings" to `out`, usage and unreadable
// folders to `err`; returns the exit status.
int RunModCheck(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace vorn::modcheck

// The player's own preferences, apart from every mod: how the window looks
// and which keys and pad buttons play. One file per user, player.ini in
// $XDG_CONFIG_HOME/vornengine/ (~/.config/vornengine/ without it), read once
// at start. The game never writes it unless asked to (--write-player-config).
#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "game/media/DisplayOptions.h"
#include "game/media/InputBindings.h"

namespace vorn {

struct PlayerOptions {
    DisplayOptions display;
    InputBindings bindings = InputBindings::Defaults();
};

// player.ini under $XDG_CONFIG_HOME when that is an absolute path, else under
// $HOME/.config; "" when neither is known.
std::string PlayerOptionsPath();

// The options of the file at `path`: a missing file or key keeps the
// default, and so does a bad entry, which is reported on `warnings` as
// "PATH:LINE: warning: ..." naming the value and what would be right.
PlayerOptions ReadPlayerOptions(const std::string& path, std::ostream& warnings);
// The same for text already read (`path` names it in the warnings).
PlayerOptions ReadPlayerOptionsText(std::string_view text, const std::string& path,
                                    std::ostream& warnings);

// The file with every default and a comment on each key.
std::string DefaultPlayerOptionsText();

// Writes the defaults to `path`, making its folders; an existing file is
// never replaced. "" on success, else what went wrong.
std::string WriteDefaultPlayerOptions(const std::string& path);

}  // namespace vorn

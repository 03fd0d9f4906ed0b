#!/usr/bin/env bash
# The developer mode and recorded sessions in the real game program on a
# private X display: F3 and F4 draw their dark translucent panels over the
# frame; F5 after editing a map layer and a tile picture, and F6 after
# editing the enter script, show the changes in place; a session recorded
# in the window replays to the same summary headless and in the window.
# Usage: devmode-gui-test.sh <game> <vorn_close_window>
set -euo pipefail
source "$(dirname "$0")/game-gui-helpers.sh"
start_game_gui_test "$1" "$2"
mod="$work/guimod"
write_gui_mod "$mod"

# start_game ARGUMENTS...: the game in the work folder, its window focused.
start_game() {
    (cd "$work" && exec "$GAME_PROGRAM" "$@" >"$work/stdout" 2>"$work/stderr") &
    game=$!
    window="$(wait_window "GUI Check - 2.03")"
    xdotool windowfocus "$window"
    sleep 0.5
}
# The grass (30a030) under the panels' dark translucent colour.
panel=142d1c

# --- Overlay, variables, live reload -----------------------------------------
start_game --dev guimod
hold_key space 0.3
expect_pixel "$window" 6 6 30a030 "grass before the overlay"
xdotool key F3
expect_pixel "$window" 6 6 "$panel" "the overlay's panel over the grass"
expect_pixel "$window" 6 250 30a030 "grass below the overlay"
xdotool key F3 F4
expect_pixel "$window" 6 250 "$panel" "the variables screen over the map"
xdotool key F4
expect_pixel "$window" 6 250 30a030 "grass after the variables screen"

bmp "$mod/tiles/wall.bmp" 32 32 806040
mv "$mod/tiles/wall.bmp" "$mod/tiles/wall.png"
sed -i '8s/^grass/wall/' "$mod/maps/start.gtl"
bmp "$mod/tiles/grass.png" 32 32 c00000
xdotool key F5
expect_pixel "$window" 16 240 806040 "the new wall tile of the edited ground layer"
expect_pixel "$window" 200 200 c00000 "the edited grass picture"
expect_pixel "$window" 80 112 2040c0 "the player where he stood"
printf 'SetPlayerX(224)\r\n' >"$mod/maps/start_enter.ds"
xdotool key F6
expect_pixel "$window" 240 112 2040c0 "the player where the new enter script put him"
close_window "$window"
answer_box "$(wait_box Confirm)" Escape
wait_exit "$game" || fail "the game did not end"

# --- Record, then replay headless and in the window ---------------------------
rm -rf "$mod/saves"
start_game --record "$work/session.rec" guimod
hold_key space 0.3
hold_key Right 0.6
hold_key Down 0.4
hold_key s 0.3
close_window "$window"
answer_box "$(wait_box Confirm)" Return
wait_exit "$game" || fail "the recorded game did not end"
recorded="$(cat "$work/stdout")"
[[ "$recorded" == frames=* ]] || fail "no summary after recording: '$recorded'"
cp "$mod/saves/save0.ini" "$work/recorded-save.ini"
rm -rf "$mod/saves"

headless="$(cd "$work" && "$GAME_PROGRAM" --replay session.rec --headless)" ||
    fail "the headless replay failed: $headless"
[ "$headless" = "$recorded" ] || fail "headless replay: '$headless', recorded: '$recorded'"
cmp -s "$mod/saves/save0.ini" "$work/recorded-save.ini" || fail "the headless replay saved otherwise"
rm -rf "$mod/saves"

(cd "$work" && exec "$GAME_PROGRAM" --replay session.rec >"$work/stdout" 2>"$work/stderr") &
game=$!
window="$(wait_window "GUI Check - 2.03")"
wait_exit "$game" 60 || fail "the replay in the window did not end"
[ "$EXIT_CODE" -eq 0 ] || fail "the replay in the window ended with $EXIT_CODE: $(cat "$work/stderr")"
[ "$(cat "$work/stdout")" = "$recorded" ] || fail "window replay: '$(cat "$work/stdout")'"
cmp -s "$mod/saves/save0.ini" "$work/recorded-save.ini" || fail "the window replay saved otherwise"
echo "developer mode and replay GUI session passed"

#!/usr/bin/env bash
# The player's comfort in the real game program on a private 1920 x 1080 X
# display: the window opened at twice the mod's size (WindowScale=2); F11
# and Alt+Enter switching desktop fullscreen, with the picture at the
# largest whole scale, centred in black, and back to the window's size; a
# game controller starting a game and walking the player; and a map whose
# enter script never ends, where the close box still asks its question: No
# lets the script go on, Yes ends the program with exit code 0, unsaved.
#
# The controller is SDL's virtual one, which the game plugs in only when the
# test-only variable VORN_TEST_PAD is set ("MS:CONTROL=VALUE,...", times after
# start-up; see game/media/SdlTestPad.h). Players never set it.
# Usage: game-comfort-gui-test.sh <game> <vorn_close_window>
set -euo pipefail
source "$(dirname "$0")/game-gui-helpers.sh"
start_game_gui_test "$1" "$2" 1920x1080
write_gui_mod "$work/guimod"
mod="$work/guimod"
export XDG_CONFIG_HOME="$work/config"
prefs="$XDG_CONFIG_HOME/vornengine/player.ini"
mkdir -p "$(dirname "$prefs")"

start_game() {
    (cd "$work" && exec "$GAME_PROGRAM" guimod) &
    game=$!
    STARTED_PIDS+=("$game")
    window="$(wait_window "GUI Check - 2.03" 60)"
    xdotool windowfocus "$window"
    sleep 0.5
}
# Waits up to 10 seconds for window $1 to be $2 (WIDTHxHEIGHT) large.
expect_size() {
    local got tries=0
    got="$(xdotool getwindowgeometry "$1" | awk '/Geometry/ {print $2}')"
    while [ "$got" != "$2" ] && [ "$tries" -lt 40 ]; do
        sleep 0.25
        tries=$((tries + 1))
        got="$(xdotool getwindowgeometry "$1" | awk '/Geometry/ {print $2}')"
    done
    [ "$got" = "$2" ] || fail "the window is $got, expected $2 ($3)"
}
# Closes the window, answers the quit question with $2 when given, and
# expects the program to end with exit code 0.
end_game() {
    close_window "$window"
    if [ -n "${2:-}" ]; then
        answer_box "$(wait_box Confirm)" "$2"
    fi
    wait_exit "$game" || fail "the game did not end ($1)"
    [ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE ($1)"
}

# --- WindowScale=2, then F11 and Alt+Enter -----------------------------------
printf '[Display]\nWindowScale=2 ; twice\n' >"$prefs"
start_game
expect_size "$window" 640x592 "WindowScale=2 on a 320 x 296 mod"
expect_pixel "$window" 600 500 c02020 "the title picture, doubled"
expect_pixel "$window" 600 520 ffffff "white below it, doubled"
xdotool key F11
expect_size "$window" 1920x1080 "F11"
# 320 x 296 three times is 960 x 888, centred: from (480, 96) to (1439, 983).
expect_pixel "$window" 960 540 c02020 "the centre of the picture"
expect_pixel "$window" 480 96 c02020 "the picture's top-left pixel"
expect_pixel "$window" 1439 983 ffffff "the picture's bottom-right pixel"
expect_pixel "$window" 479 540 000000 "the bar left of the picture"
expect_pixel "$window" 1440 540 000000 "the bar right of the picture"
expect_pixel "$window" 960 95 000000 "the bar above the picture"
expect_pixel "$window" 960 984 000000 "the bar below the picture"
xdotool key alt+Return
expect_size "$window" 640x592 "Alt+Enter back to the window"
expect_pixel "$window" 600 500 c02020 "the title picture after fullscreen"
end_game "closing the title screen"

# --- A game controller: "y" starts the game, the d-pad and the stick walk ----
printf '[Pad]\nNewGame=y\n' >"$prefs"
export SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS=1
export VORN_TEST_PAD="200:y=1,6000:y=0,6000:dpright=1,7000:dpright=0,7500:lefty=32767,8500:lefty=0"
start_game
unset VORN_TEST_PAD
expect_pixel "$window" 16 16 30a030 "the start map after the pad's y"
# One second right and one second down at 64 pixels a second, from tile (2, 3).
sleep 8
expect_pixel "$window" 144 176 2040c0 "the player walked right and down by pad"
expect_pixel "$window" 80 112 30a030 "no player on the start tile"
end_game "closing after walking by pad" Escape
[ ! -e "$mod/saves" ] || fail "something was saved"

# --- An enter script that never ends -------------------------------------------
rm "$prefs"
printf 'WHILE 1 = 1\r\nX = X + 1\r\nWEND\r\n' >"$mod/maps/start_enter.ds"
start_game
hold_key space 0.3
sleep 3
close_window "$window"
answer_box "$(wait_box Confirm)" Escape
sleep 1.5
kill -0 "$game" 2>/dev/null || fail "No ended the game"
close_window "$window"
answer_box "$(wait_box Confirm)" Return
wait_exit "$game" || fail "Yes did not end the game"
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE after Yes"
[ ! -e "$mod/saves" ] || fail "Yes saved the game"
echo "game comfort GUI session passed"

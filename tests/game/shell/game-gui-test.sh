#!/usr/bin/env bash
# Runs the real game program on a private X display: the title screen, a new
# game with Space, walking, saving with S, the quit question (No), a second
# run that loads the save with L and quits with Yes, and L without a saved
# game. Checks the window, pixels of the screen and the saved files.
# Usage: game-gui-test.sh <game> <vorn_close_window>
set -euo pipefail
source "$(dirname "$0")/game-gui-helpers.sh"
start_game_gui_test "$1" "$2"
write_gui_mod "$work/guimod"
mod="$work/guimod"

start_game() {
    (cd "$work" && exec "$GAME_PROGRAM" guimod) &
    game=$!
    window="$(wait_window "GUI Check - 2.03")"
    xdotool windowfocus "$window"
    sleep 0.5
}

# --- First run: new game, walk, save with S, close, answer No ----------------
start_game
geometry="$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')"
[ "$geometry" = "320x296" ] || fail "window is $geometry, expected 320x296"
expect_pixel "$window" 10 10 c02020 "title picture"
expect_pixel "$window" 318 292 ffffff "white below the title picture"

hold_key space 0.3
expect_pixel "$window" 16 16 30a030 "grass of the start map"
expect_pixel "$window" 80 112 2040c0 "player on its start tile (2, 3)"

hold_key Right 0.6
sleep 0.5
# An attack swing into the empty meadow: the game keeps running and drawing.
hold_key Control_L 0.4
sleep 0.3
xwininfo -id "$window" >/dev/null 2>&1 || fail "the window went away after the attack"
expect_pixel "$window" 16 16 30a030 "grass after the attack"
hold_key s 0.3
wait_file "$mod/saves/save0.ini" || fail "S did not save"
sleep 0.5
# Every key of the save, with the values the settings give a fresh player.
grep -q $'^\[Save0\]\r$' "$mod/saves/save0.ini" || fail "the save has no [Save0] group"
for expected in PlayerY=96 PlayerHealth=5 PlayerMaxHealth=5 PlayerDamage=2 PlayerSpeed=64 \
    PlayerKillCount=0; do
    grep -q "^$expected"$'\r$' "$mod/saves/save0.ini" || fail "the save lacks $expected"
done
savedX="$(sed -n 's/^PlayerX=\([0-9]*\)\r$/\1/p' "$mod/saves/save0.ini")"
[ -n "$savedX" ] && [ "$savedX" -gt 64 ] || fail "saved PlayerX '$savedX' is not right of 64"
grep -q $'^CurrentMap=start\r$' "$mod/saves/save0.ini" || fail "saved map is not start"
cp "$mod/saves/save0.ini" "$work/first-save.ini"

close_window "$window"
answer_box "$(wait_box Confirm)" Escape
wait_exit "$game" || fail "the game did not end after No"
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE after No"
cmp -s "$mod/saves/save0.ini" "$work/first-save.ini" || fail "No changed the save"

# --- Second run: L loads the save; close and answer Yes ----------------------
start_game
hold_key l 0.3
expect_pixel "$window" $((savedX + 16)) 112 2040c0 "player where the save put it"
expect_pixel "$window" 70 112 30a030 "no player at the start tile"
rm "$mod/saves/save0.ini"
close_window "$window"
answer_box "$(wait_box Confirm)" Return
wait_exit "$game" || fail "the game did not end after Yes"
wait_file "$mod/saves/save0.ini" || fail "Yes did not save"
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE after Yes"
cmp -s "$mod/saves/save0.ini" "$work/first-save.ini" || fail "Yes did not save the same game"

# --- Third run: L without a saved game shows the error and ends --------------
rm -rf "$mod/saves"
start_game
hold_key l 0.3
answer_box "$(wait_box Error)" Return
wait_exit "$game" || fail "the game did not end after the missing save"
[ "$EXIT_CODE" -eq 0 ] || fail "exit code $EXIT_CODE after the missing save"
echo "game GUI session passed"

#!/usr/bin/env bash
# Runs the real monster editor on a private X display, edits, adds and
# deletes monsters through its controls and checks monsters.ini byte for
# byte, also after a save that could not be written; then checks that
# cancelling the folder question ends the program.
# Usage: monstereditor-gui-test.sh <monstereditor> <vorn_close_window> <vorn_bind_keys>
set -euo pipefail
EDITOR_PROGRAM="$1"
CLOSE_WINDOW="$2"
BIND_KEYS="$3"
source "$(dirname "$0")/gui-session.sh"
require_tools Xvfb xdotool
SUPPRESSIONS="$(cd "$(dirname "$0")" && pwd)/lsan-suppressions.txt"
# Our own leaks fail the run; those inside the font library are known.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$SUPPRESSIONS:print_suppressions=0"

work="$(mktemp -d)"
start_display
WORK_DIR="$work"
mod="$work/mod"
mkdir "$mod"
printf 'Goblin ,gob.png, hit.wav ,ouch.wav,die.wav,5,20,40,32,32,20,20,30,3,255\r\n' >"$mod/monsters.ini"
printf 'Bat,bat.png,a.wav,b.wav,c.wav,1,5,90,16,16,12,12,10,0,1\r\n' >>"$mod/monsters.ini"
# A name in the game's code page that holds a UTF-8-looking pair.
printf 'Caf\303\251 \351\200\377,imp.png\r\n' >>"$mod/monsters.ini"

# Control centres inside the window (the form rows are 18 pixels apart).
box_y() { echo $((18 * ($1 - 1) + 9)); }
BOX_X=166
LIST_X=200
BUTTONS_Y=307
NEW_X=15
DEL_X=48
EDIT_X=81
SAVE_X=229
SAVE_Y=282

# Picks item $3 (from 1) of the monster list, whose selection is item $2 (0: none).
select_item() {
    local window="$1" from="$2" to="$3" key=Down steps
    click_in "$window" "$LIST_X" "$BUTTONS_Y"
    wait_unnamed_window >/dev/null
    if [ "$from" -eq 0 ]; then
        steps="$to"
    elif [ "$to" -ge "$from" ]; then
        steps=$((to - from))
    else
        key=Up
        steps=$((from - to))
    fi
    for _ in $(seq 1 "$steps"); do
        xdotool key "$key"
        sleep 0.1
    done
    xdotool key Return
    sleep 0.3
}

start_program "$EDITOR_PROGRAM" "$mod"
editor=$STARTED
window="$(wait_window "VornEngine - Monster Editor")"

# Edit the Goblin: its file value 255 is shown as -1 and written back as -1;
# the name gets a blank typed at its end.
select_item "$window" 0 1
click_in "$window" "$EDIT_X" "$BUTTONS_Y"
type_into "$window" "$BOX_X" "$(box_y 1)" "Orc "
click_in "$window" "$SAVE_X" "$SAVE_Y"

# Edit the Bat: 300 typed for the friendly byte is stored as 44.
select_item "$window" 1 2
click_in "$window" "$EDIT_X" "$BUTTONS_Y"
type_into "$window" "$BOX_X" "$(box_y 15)" "300"
type_into "$window" "$BOX_X" "$(box_y 7)" "77"
click_in "$window" "$SAVE_X" "$SAVE_Y"

# Edit and Save the third monster without typing: its name keeps every byte.
select_item "$window" 2 3
click_in "$window" "$EDIT_X" "$BUTTONS_Y"
click_in "$window" "$SAVE_X" "$SAVE_Y"

expected="$work/expected.ini"
printf 'Orc ,gob.png,hit.wav,ouch.wav,die.wav,5,20,40,32,32,20,20,30,3,-1\r\n' >"$expected"
printf 'Bat,bat.png,a.wav,b.wav,c.wav,1,77,90,16,16,12,12,10,0,44\r\n' >>"$expected"
printf 'Caf\303\251 \351\200\377,imp.png,,,,0,0,0,0,0,0,0,0,0,0\r\n' >>"$expected"
expect_same_bytes "$expected" "$mod/monsters.ini"

# Delete the Bat, then add a wolf through "New" and "Save".
select_item "$window" 3 2
click_in "$window" "$DEL_X" "$BUTTONS_Y"
click_in "$window" "$NEW_X" "$BUTTONS_Y"
# The name is stored in the game's single-byte code page (ö is byte 0xF6,
# é 0xE9). Bound first: xdotool's own short-lived binding of a character the
# keyboard lacks can be undone before a busy editor reads the key.
"$BIND_KEYS" "Wölfé"
type_into "$window" "$BOX_X" "$(box_y 1)" "Wölfé"
type_into "$window" "$BOX_X" "$(box_y 2)" "wolf.png"
type_into "$window" "$BOX_X" "$(box_y 6)" "7"
type_into "$window" "$BOX_X" "$(box_y 9)" "32"
# Digits-only boxes: signs, letters and hexadecimal are refused.
type_into "$window" "$BOX_X" "$(box_y 10)" "-4+x8"
type_into "$window" "$BOX_X" "$(box_y 11)" "0x1F"
click_in "$window" "$SAVE_X" "$SAVE_Y"

# "Del" read the list back from the file, which trimmed the Orc's blank.
printf 'Orc,gob.png,hit.wav,ouch.wav,die.wav,5,20,40,32,32,20,20,30,3,-1\r\n' >"$expected"
printf 'Caf\303\251 \351\200\377,imp.png,,,,0,0,0,0,0,0,0,0,0,0\r\n' >>"$expected"
printf 'W\366lf\351,wolf.png,,,,7,0,0,32,48,1,0,0,0,0\r\n' >>"$expected"
expect_same_bytes "$expected" "$mod/monsters.ini"

# A save that cannot be written (a folder stands where the file was) shows a
# message box and keeps the form: once the file is back, "Save" saves it.
mv "$mod/monsters.ini" "$work/kept.ini"
mkdir "$mod/monsters.ini"
click_in "$window" "$NEW_X" "$BUTTONS_Y"
type_into "$window" "$BOX_X" "$(box_y 1)" "Kept"
click_in "$window" "$SAVE_X" "$SAVE_Y"
message="$(wait_window "^Monster Editor$" 15)"
xdotool mousemove --window "$message" 20 20
xdotool key Return
rmdir "$mod/monsters.ini"
mv "$work/kept.ini" "$mod/monsters.ini"
click_in "$window" "$SAVE_X" "$SAVE_Y"
printf 'Kept,,,,,0,0,0,0,0,0,0,0,0,0\r\n' >>"$expected"
expect_same_bytes "$expected" "$mod/monsters.ini"

# Escape does not close the editor; closing the window ends the program
# without writing anything more.
type_into "$window" "$BOX_X" "$(box_y 1)" "Unsaved"
xdotool key Escape
sleep 1
kill -0 "$editor" 2>/dev/null || { echo "Escape ended the editor" >&2; exit 1; }
close_window "$window"
wait_exit "$editor" 30
[ "$EXIT_CODE" -eq 0 ] || { echo "monstereditor ended with $EXIT_CODE" >&2; exit 1; }
expect_same_bytes "$expected" "$mod/monsters.ini"

# Without a folder the editor asks for one; cancelling ends it at once.
start_program "$EDITOR_PROGRAM"
editor=$STARTED
dialog="$(wait_window "Choose the folder of the VornEngine mod...")"
xdotool mousemove --window "$dialog" 40 40
sleep 0.3
xdotool key Escape
wait_exit "$editor" 30
[ "$EXIT_CODE" -eq 0 ] || { echo "monstereditor ended with $EXIT_CODE" >&2; exit 1; }
if xdotool search --name "VornEngine - Monster Editor" >/dev/null 2>&1; then
    echo "the editor window opened after a cancelled folder choice" >&2
    exit 1
fi
echo "monstereditor GUI test passed"

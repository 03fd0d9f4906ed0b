#!/usr/bin/env bash
# Runs the real animation creator on a private X display: answers its
# questions by typing, picks a draw stage (or none) and closes the stage
# window, and checks animations.ini byte for byte after two runs; then checks
# the image chooser, a cancelled folder choice and the message shown when
# animations.ini cannot be opened.
# Usage: animationmaker-gui-test.sh <animationmaker> <vorn_close_window>
set -euo pipefail
MAKER_PROGRAM="$1"
CLOSE_WINDOW="$2"
source "$(dirname "$0")/../monstereditor/gui-session.sh"
require_tools Xvfb xdotool
SUPPRESSIONS="$(cd "$(dirname "$0")/../monstereditor" && pwd)/lsan-suppressions.txt"
# Our own leaks fail the run; those inside the font library are known.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export LSAN_OPTIONS="suppressions=$SUPPRESSIONS:print_suppressions=0"

work="$(mktemp -d)"
start_display
WORK_DIR="$work"
mod="$work/mod"
mkdir -p "$mod" "$work/art"

# Answers the next "Create Animation" question with $1 (typed over the
# initial text, which starts selected) and Enter.
answer() {
    local dialog
    dialog="$(wait_window "^Create Animation$")"
    xdotool mousemove --window "$dialog" 60 45
    sleep 0.2
    if [ -n "$1" ]; then
        xdotool type --delay 30 -- "$1"
    fi
    xdotool key Return
    # The next dialog replaces this one.
    local waited=0
    while xdotool search --onlyvisible --name "^Create Animation$" 2>/dev/null | grep -qx "$dialog"; do
        sleep 0.1
        waited=$((waited + 1))
        [ "$waited" -lt 100 ] || { echo "question did not close" >&2; exit 1; }
    done
}

# Picks item $1 of the draw-stage list (0: none) and closes the window.
choose_stage() {
    local stage
    stage="$(wait_window "^Choose Draw Stage$")"
    if [ "$1" -gt 0 ]; then
        click_in "$stage" 150 15
        wait_unnamed_window >/dev/null
        for _ in $(seq 1 "$1"); do
            xdotool key Down
            sleep 0.1
        done
        xdotool key Return
        sleep 0.3
    else
        # Escape is not a way on: the window stays.
        xdotool mousemove --window "$stage" 150 15
        xdotool key Escape
        sleep 1
        xdotool search --onlyvisible --name "^Choose Draw Stage$" | grep -qx "$stage" ||
            { echo "Escape closed the draw-stage window" >&2; exit 1; }
    fi
    close_window "$stage"
}

expect_clean_exit() {
    wait_exit "$1" 30
    [ "$EXIT_CODE" -eq 0 ] || { echo "animationmaker ended with $EXIT_CODE" >&2; exit 1; }
}

# First run: both parameters, an image from another folder, stage 3; the
# name is stored in the game's code page (é is byte 0xE9).
start_program "$MAKER_PROGRAM" "$mod" "$work/art/torch.png"
maker=$STARTED
answer "Torché"
answer "4"
answer "32"
answer "8"
choose_stage 3
expect_clean_exit "$maker"
expected="$work/expected.ini"
printf '\r\nTorch\351,torch.png,4,32,8,3' >"$expected"
expect_same_bytes "$expected" "$mod/animations.ini"

# Second run: the image is picked in the file chooser, which opens in the
# mod folder (listing "../", "animations.ini", "smoke.png"); the initial "0"s
# are kept by pressing Enter, and the stage window is closed without a choice.
touch "$mod/smoke.png"
start_program "$MAKER_PROGRAM" "$mod" ""
maker=$STARTED
chooser="$(wait_window "^Choose the animation image...$")"
# The first row of the file list, then two rows down.
click_in "$chooser" 60 50
xdotool key Down
sleep 0.2
xdotool key Down
sleep 0.3
xdotool key Return
answer "Smoke"
answer ""
answer "16"
answer ""
choose_stage 0
expect_clean_exit "$maker"
printf '\r\nTorch\351,torch.png,4,32,8,3\r\nSmoke,smoke.png,0,16,0,0' >"$expected"
expect_same_bytes "$expected" "$mod/animations.ini"

# Without parameters the folder is asked for; cancelling ends the program
# before any other question.
start_program "$MAKER_PROGRAM"
maker=$STARTED
chooser="$(wait_window "^Choose the folder of the VornEngine mod...$")"
xdotool mousemove --window "$chooser" 40 40
sleep 0.3
xdotool key Escape
expect_clean_exit "$maker"
expect_same_bytes "$expected" "$mod/animations.ini"

# An animations.ini that cannot be opened: the message box (empty title)
# appears after the last question, and its button ends the program.
mkdir -p "$work/broken/animations.ini"
start_program "$MAKER_PROGRAM" "$work/broken" "torch.png"
maker=$STARTED
answer "Torch"
answer "4"
answer "32"
answer "8"
choose_stage 1
message="$(wait_unnamed_window 30)"
sleep 0.5
xdotool mousemove --window "$message" 20 20
sleep 0.2
xdotool key Return
expect_clean_exit "$maker"
[ -d "$work/broken/animations.ini" ] || { echo "the folder was replaced" >&2; exit 1; }
echo "animationmaker GUI test passed"

#!/usr/bin/env bash
# Runs the real game program on a private X display: the title screen, a new
# game with Space, walking, saving with S, the quit question (No), a second
# run that loads the save with L and quits with Yes, and L without a saved
# game. Checks the window, pixels of the screen and the saved files.
# Usage: game-gui-test.sh <game> <vorn_close_window>
set -euo pipefail
GAME_PROGRAM="$(realpath "$1")"
CLOSE_WINDOW="$2"
source "$(dirname "$0")/../../tools/monstereditor/gui-session.sh"
require_tools Xvfb xdotool xwininfo import convert
# Leaks inside the X, D-Bus and sound libraries are not ours to find here.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"

work="$(mktemp -d)"
start_display
trap 'kill "$XVFB_PID" 2>/dev/null; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# --- A small mod of Windows bitmaps (the game reads "BM" files as bitmaps) ---
le32() {
    printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) \
        $((($1 >> 16) & 255)) $((($1 >> 24) & 255))
}
# bmp <file> <width> <height> <RRGGBB>: a 24-bit picture of one colour.
bmp() {
    local file="$1" width="$2" height="$3" rgb="$4" pixel row=""
    pixel="\\x${rgb:4:2}\\x${rgb:2:2}\\x${rgb:0:2}"
    for ((x = 0; x < width; x++)); do row+="$pixel"; done
    mkdir -p "$(dirname "$file")"
    {
        printf "BM$(le32 $((54 + width * height * 3)))$(le32 0)$(le32 54)"
        printf "$(le32 40)$(le32 "$width")$(le32 "$height")\\x01\\x00\\x18\\x00"
        printf "$(le32 0)$(le32 $((width * height * 3)))$(le32 2835)$(le32 2835)$(le32 0)$(le32 0)"
        for ((y = 0; y < height; y++)); do printf "$row"; done
    } >"$file"
}

mkdir -p "$work/guimod/maps"
mod="$work/guimod"
{
    printf '[Settings]\r\nGameTitle=GUI Check\r\nMapWidth=10\r\nMapHeight=8\r\n'
    printf 'ScreenHeight=8\r\nScreenWidth=10\r\nTileWidth=32\r\nTileHeight=32\r\n'
    printf 'PlayerWidth=32\r\nPlayerHeight=32\r\nPlayerClipX=20\r\nPlayerClipY=16\r\n'
    printf 'StartMap=start\r\nStartX=2\r\nStartY=3\r\nStartHealth=5\r\nStartDamage=2\r\n'
    printf 'PlayerSprite=player.bmp\r\nMoveFrameCount=2\r\nAttackFrameCount=2\r\n'
    printf 'AnimationSpeed=150\r\nPlayerStartSpeed=64\r\nFontSize=12\r\nStatusFontSize=10\r\n'
    printf 'StatusBarHeight=40\r\nStatusHealthChar=*\r\nFontName=Sans\r\nStatusFontName=Sans\r\n'
    printf 'TitleScreen=title.bmp\r\n[Colors]\r\nStatusBackBlue=80\r\nStatusTextRed=255\r\n'
} >"$mod/settings.ini"
bmp "$mod/tiles/grass.bmp" 32 32 30a030
mv "$mod/tiles/grass.bmp" "$mod/tiles/grass.png"  # the tile list takes *.png names
bmp "$mod/sprites/title.bmp" 320 256 c02020
bmp "$mod/sprites/player.bmp" 128 128 2040c0
for _ in 1 2 3 4 5 6 7 8; do printf 'grass grass grass grass grass grass grass grass grass grass\r\n'; done \
    >"$mod/maps/start.gtl"
for _ in 1 2 3 4 5 6 7 8; do printf '0 0 0 0 0 0 0 0 0 0\r\n'; done >"$mod/maps/start.atl"
printf '[Properties]\r\nTitle=Meadow\r\n' >"$mod/maps/start.ini"

# --- Helpers ----------------------------------------------------------------
hold_key() {
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
}
# The colour (rrggbb) of window $1's pixel ($2, $3).
pixel() {
    import -window "$1" "$work/shot.png"
    convert "$work/shot.png" -format "%[hex:p{$2,$3}]" info: | tr 'A-F' 'a-f' | cut -c1-6
}
# Waits up to 10 seconds for window $1's pixel ($2, $3) to become $4 (the
# machine may be busy; frames then come late).
expect_pixel() {
    local got tries=0
    got="$(pixel "$1" "$2" "$3")"
    while [ "$got" != "$4" ] && [ "$tries" -lt 40 ]; do
        sleep 0.25
        tries=$((tries + 1))
        got="$(pixel "$1" "$2" "$3")"
    done
    [ "$got" = "$4" ] || fail "pixel ($2, $3) is $got, expected $4 ($5)"
}
# Waits up to 10 seconds for file $1.
wait_file() {
    local tries=0
    while [ ! -f "$1" ] && [ "$tries" -lt 40 ]; do
        sleep 0.25
        tries=$((tries + 1))
    done
    [ -f "$1" ]
}
# The id of the message box titled $1 once it is shown.
wait_box() {
    local id="" waited=0
    while [ -z "$id" ]; do
        id="$(xwininfo -root -tree | awk -v name="\"$1\":" '$2 == name {print $1; exit}')"
        if [ -z "$id" ]; then
            sleep 0.2
            waited=$((waited + 1))
            [ "$waited" -lt 100 ] || fail "no '$1' box appeared"
        fi
    done
    sleep 0.5
    echo "$id"
}
answer_box() {
    xdotool windowfocus "$1"
    sleep 0.2
    hold_key "$2" 0.2
}
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

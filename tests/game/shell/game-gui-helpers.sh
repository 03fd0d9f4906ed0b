# Shell functions shared by the game's GUI tests: their start, a small mod of
# bitmaps, keys held for a while, pixels of a window, message boxes and files
# that appear. A test sources this file and calls start_game_gui_test first;
# `work` names the test's scratch folder and `fail` is defined here.

# start_game_gui_test GAME CLOSE_WINDOW [SCREEN]: the programs under test, the
# tools every game GUI test needs, a scratch folder `work` and a private X
# display of SCREEN (default 1024x768); gui-session.sh's end_session removes
# both and ends every program when the script exits.
start_game_gui_test() {
    GAME_PROGRAM="$(realpath "$1")"
    CLOSE_WINDOW="$2"
    source "$(dirname "${BASH_SOURCE[0]}")/../../tools/monstereditor/gui-session.sh"
    require_tools Xvfb xdotool xwininfo import convert
    # Leaks inside the X, D-Bus and sound libraries are not ours to find here.
    export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"
    work="$(mktemp -d)"
    WORK_DIR="$work"
    start_display "${3:-1024x768}"
}

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

# write_gui_mod DIR: a mod of one 10 x 8 map "start" of grass tiles (30a030),
# a red title picture (c02020, 320 x 256 on a 320 x 296 screen) and a blue
# player (2040c0) starting on tile (2, 3), walking 64 pixels a second.
write_gui_mod() {
    local mod="$1"
    mkdir -p "$mod/maps"
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
}

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

#!/usr/bin/env bash
# scripts/package-game.sh on a copy of vorn3 with a saved game in it: the
# package leaves the save out and names the Debian packages; unpacked
# elsewhere, its run.sh started from another folder opens the game on a
# private X display with the title picture; a second packaging into the same
# place is refused instead of overwriting, and so is a mod modcheck finds an
# error in.
# Usage: packaged-game-test.sh <build dir>
set -euo pipefail
BUILD_DIR="$(realpath "$1")"
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
source "$source_dir/tests/tools/monstereditor/gui-session.sh"
require_tools Xvfb xdotool import compare dpkg-shlibdeps
# Leaks inside the X, D-Bus and sound libraries are not ours to find here.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1"

WORK_DIR="$(mktemp -d)"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

mkdir "$WORK_DIR/author"
cp -R "$source_dir/vorn3" "$WORK_DIR/author/vorn3"
mkdir -p "$WORK_DIR/author/vorn3/saves"
printf '[Save0]\r\n' >"$WORK_DIR/author/vorn3/saves/save0.ini"
"$source_dir/scripts/package-game.sh" --build-dir "$BUILD_DIR" "$WORK_DIR/author/vorn3" \
    "$WORK_DIR/out" >"$WORK_DIR/package.log" || fail "packaging failed: $(cat "$WORK_DIR/package.log")"

mkdir "$WORK_DIR/player"
tar -C "$WORK_DIR/player" -xzf "$WORK_DIR/out/vorn3.tar.gz"
game_dir="$WORK_DIR/player/vorn3"
[ -x "$game_dir/run.sh" ] && [ -x "$game_dir/bin/game" ] || fail "run.sh or bin/game is missing"
[ ! -e "$game_dir/vorn3/saves" ] || fail "the author's saved game was packaged"
grep -q "apt-get install .*libsdl2-2.0-0.* fonts-dejavu-core" "$game_dir/README.txt" ||
    fail "README.txt does not name the packages: $(cat "$game_dir/README.txt")"

status=0
"$source_dir/scripts/package-game.sh" --build-dir "$BUILD_DIR" "$WORK_DIR/author/vorn3" \
    "$WORK_DIR/out" >/dev/null 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "packaging over an earlier package gave exit $status"

# One error (a start map that is not there): modcheck names it, and nothing
# is packaged.
mkdir "$WORK_DIR/careless"
cp -R "$source_dir/vorn3" "$WORK_DIR/careless/vorn3"
sed -i 's/^StartMap=meadow/StartMap=medow/' "$WORK_DIR/careless/vorn3/settings.ini"
status=0
"$source_dir/scripts/package-game.sh" --build-dir "$BUILD_DIR" "$WORK_DIR/careless/vorn3" \
    "$WORK_DIR/refused" >"$WORK_DIR/refused.log" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "a mod with an error was packaged (exit $status)"
grep -qF "$WORK_DIR/careless/vorn3/settings.ini:18: error: StartMap \`medow\` cannot be loaded" \
    "$WORK_DIR/refused.log" || fail "modcheck did not name the error: $(cat "$WORK_DIR/refused.log")"
[ -z "$(ls -A "$WORK_DIR/refused")" ] || fail "the refused package left files: $(ls "$WORK_DIR/refused")"

start_display
start_program sh -c "cd / && exec '$game_dir/run.sh'"
window="$(wait_window "The Relic of Vorn - 2.03" 60)" || fail "the game window did not open"
# The title screen shows the title picture unchanged at the top left (the
# first frames may come late on a busy machine).
for _ in $(seq 40); do
    import -window "$window" -crop 640x480+0+0 +repage "$WORK_DIR/shot.png"
    differing="$(compare -metric AE "$WORK_DIR/shot.png" "$game_dir/vorn3/sprites/title.png" null: 2>&1 || true)"
    [ "$differing" = "0" ] && break
    sleep 0.25
done
[ "$differing" = "0" ] || fail "$differing pixels of the title screen differ from the title picture"
echo "packaged game test passed"

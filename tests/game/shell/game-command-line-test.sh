#!/usr/bin/env bash
# The game program as a user starts it in a terminal: --help lists the
# arguments and keys, and a folder that is not there is named on standard
# error before the start-up error box, with exit status 0 as on every path.
# Runs on SDL's dummy video driver: no display is needed.
# Usage: game-command-line-test.sh <game>
set -euo pipefail
GAME="$(realpath "$1")"
WORK_DIR="$(mktemp -d)"
trap 'rm -rf "$WORK_DIR"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$GAME" --help >"$WORK_DIR/help.txt" || fail "game --help ended with $?"
grep -q "^usage: game \[OPTION ...\] \[MODFOLDER\]" "$WORK_DIR/help.txt" || fail "no usage line"
grep -q "Space starts a new game" "$WORK_DIR/help.txt" || fail "the keys are not listed"
grep -q -- "--write-player-config  *write the player's preferences" "$WORK_DIR/help.txt" ||
    fail "not every option is listed"

cd "$WORK_DIR"
status=0
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$GAME" nosuchmod >"$WORK_DIR/out.txt" \
    2>"$WORK_DIR/err.txt" || status=$?
[ "$status" -eq 0 ] || fail "game nosuchmod ended with $status"
first="$(head -n1 "$WORK_DIR/err.txt")"
[ "$first" = "game: error: there is no folder ./nosuchmod to run: the game reads the folder its argument names in the folder it is started in ($WORK_DIR)" ] ||
    fail "first line on standard error: $first"
grep -q "Couldn't initialize the window." "$WORK_DIR/err.txt" ||
    fail "the error box did not follow: $(cat "$WORK_DIR/err.txt")"
echo "game command line test passed"

#!/usr/bin/env bash
# Replays every recording of tests/replays headless on a fresh copy of
# vorn3/ and compares the summary each prints with the one stored beside it.
# A difference fails: an engine change that changes what a recorded game
# does must be made on purpose, with scripts/update-replays.sh.
# Usage: replay-test.sh <game>
set -euo pipefail
GAME="$(realpath "$1")"
REPO="$(cd "$(dirname "$0")/../.." && pwd)"
source "$REPO/tests/replays/replay-common.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
new_vorn3_copy "$work"
cd "$work"

failed=0
for name in $(replay_names); do
    recording="$REPO/tests/replays/$name.rec"
    expected="$(cat "$REPO/tests/replays/$name.summary")"
    status=0
    got="$("$GAME" --replay "$recording" --headless 2>"$work/stderr")" || status=$?
    if [ "$status" -ne 0 ] || [ "$got" != "$expected" ]; then
        echo "FAIL: $name (exit status $status)" >&2
        echo "  expected: $expected" >&2
        echo "  got:      $got" >&2
        sed 's/^/  /' "$work/stderr" >&2
        failed=1
    else
        echo "ok: $name: $got"
    fi
done
if [ "$failed" -ne 0 ]; then
    echo "If the engine was changed on purpose, run scripts/update-replays.sh" \
        "(with --record when a replay drifted) and commit the new files." >&2
fi
exit "$failed"

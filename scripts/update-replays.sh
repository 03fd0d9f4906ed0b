#!/usr/bin/env bash
# Brings the replay tests (tests/replays) up to date after an intended
# change of the engine or of vorn3/: replays every recording headless and
# writes the summary it ends with to NAME.summary. With --record it first
# records every scenario (NAME.keys) again with replaygen, which is needed
# when vorn3/ changed (a recording names the mod files' hash) or a replay
# drifted. Either way `git diff tests/replays` then shows what changed.
#
# It builds game and replaygen into build/replays (Release), or takes them
# from --build-dir DIR.
set -euo pipefail
REPO="$(cd "$(dirname "$0")/.." && pwd)"
source "$REPO/tests/replays/replay-common.sh"

record=0
build_dir=""
while [ $# -gt 0 ]; do
    case "$1" in
        --record) record=1 ;;
        --build-dir)
            [ $# -ge 2 ] || { echo "usage: $0 [--record] [--build-dir DIR]" >&2; exit 2; }
            build_dir="$(cd "$2" && pwd)"
            shift
            ;;
        *) echo "usage: $0 [--record] [--build-dir DIR]" >&2; exit 2 ;;
    esac
    shift
done
if [ -z "$build_dir" ]; then
    build_dir="$REPO/build/replays"
    cmake -S "$REPO" -B "$build_dir" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build_dir" --target game replaygen -j"$(nproc)"
fi
game="$build_dir/game/shell/game"
replaygen="$build_dir/tests/replays/replaygen"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

if [ "$record" -eq 1 ]; then
    new_vorn3_copy "$work"
    for name in $(replay_names); do
        echo "recording $name"
        "$replaygen" "$REPO/tests/replays/$name.keys" vorn3 "$REPO/tests/replays/$name.rec" \
            >"$work/$name.recorded"
    done
fi

new_vorn3_copy "$work"
for name in $(replay_names); do
    summary="$("$game" --replay "$REPO/tests/replays/$name.rec" --headless)" || {
        echo "$name: the replay failed (see above); record it again with --record" >&2
        exit 1
    }
    if [ -f "$work/$name.recorded" ] && [ "$summary" != "$(cat "$work/$name.recorded")" ]; then
        echo "$name: the replay ends otherwise than the recorded game:" >&2
        echo "  recorded: $(cat "$work/$name.recorded")" >&2
        echo "  replayed: $summary" >&2
        exit 1
    fi
    echo "$summary" >"$REPO/tests/replays/$name.summary"
    echo "$name: $summary"
done
git -C "$REPO" diff --stat -- tests/replays || true

# Shared by the replay test and scripts/update-replays.sh: a fresh copy of
# vorn3/ (without saved games) to play the recordings on, so the
# repository's vorn3/saves is never touched, and the recordings in the
# order they are played (3-save writes the game 4-load loads).
# Expects REPO to name the repository's root.

# new_vorn3_copy DIR: DIR/vorn3 as in the repository, without saves. The
# game runs from DIR, where the demo's INCLUDEFILE ./vorn3/lib/... lines
# find the copy's own library.
new_vorn3_copy() {
    rm -rf "$1/vorn3"
    mkdir -p "$1"
    cp -r "$REPO/vorn3" "$1/vorn3"
    rm -rf "$1/vorn3/saves" "$1/vorn3/screenshots"
}

# The scenario names (1-relic, ...) in playing order.
replay_names() {
    local file
    for file in "$REPO"/tests/replays/*.keys; do
        basename "$file" .keys
    done | sort
}

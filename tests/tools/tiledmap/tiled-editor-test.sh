#!/usr/bin/env bash
# The real Tiled opens every map tiledmap exports from vorn3/ and saves it
# again as TMX and as JSON; importing Tiled's TMX gives the map's files byte
# for byte. Then a scripted edit of one map, saved through Tiled, arrives in
# the imported files.
# Usage: tiled-editor-test.sh TILEDMAP VORN3_FOLDER
set -euo pipefail
tiledmap="$1"
vorn3="$2"
source "$(dirname "$0")/../monstereditor/gui-session.sh"
require_tools tiled

WORK_DIR="$(mktemp -d)"
# Tiled keeps its settings in the home folder; it gets a private one, and
# draws on no screen.
export HOME="$WORK_DIR/home" XDG_RUNTIME_DIR="$WORK_DIR/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$WORK_DIR/saved"
chmod 700 "$XDG_RUNTIME_DIR"

# tiled_save FORMAT IN OUT: Tiled opens IN and writes it as OUT.
tiled_save() {
    timeout 120 tiled --export-map "$1" "$2" "$3" >"$WORK_DIR/tiled.log" 2>&1 || {
        echo "FAIL: Tiled could not open or save $2:" >&2
        cat "$WORK_DIR/tiled.log" >&2
        exit 1
    }
}

# import_into TMX MAP: a new mod folder with vorn3's settings and the map
# imported from TMX; prints its path.
import_into() {
    local mod
    mod="$(mktemp -d -p "$WORK_DIR")"
    cp "$vorn3/settings.ini" "$mod/"
    "$tiledmap" import "$1" "$mod" "$2" >&2
    echo "$mod"
}

for ini in "$vorn3"/maps/*.ini; do
    map="$(basename "$ini" .ini)"
    "$tiledmap" export "$vorn3" "$map" "$WORK_DIR/$map.tmx"
    tiled_save tmx "$WORK_DIR/$map.tmx" "$WORK_DIR/saved/$map.tmx"
    tiled_save json "$WORK_DIR/$map.tmx" "$WORK_DIR/saved/$map.json"
    grep -q '"name":"Attributes"\|"name": "Attributes"' "$WORK_DIR/saved/$map.json" || {
        echo "FAIL: Tiled's JSON of $map lacks the Attributes layer" >&2
        exit 1
    }
    mod="$(import_into "$WORK_DIR/saved/$map.tmx" "$map")"
    for file in "$vorn3/maps/$map".{gtl,btl,ftl,atl,ani,obl,wpl,ini}; do
        copy="$mod/maps/$(basename "$file")"
        if [ -e "$file" ]; then
            cmp "$file" "$copy" || { echo "FAIL: $copy differs from $file" >&2; exit 1; }
        elif [ -e "$copy" ]; then
            echo "FAIL: import made $copy, which vorn3 does not have" >&2
            exit 1
        fi
    done
    echo "ok: $map through Tiled"
done

# A scripted edit: the meadow's first ground cell becomes sand and its title
# changes; Tiled saves the edited map, and the import carries both.
sand="$(grep -B3 'value="sand"' "$WORK_DIR/meadow.tmx" | sed -n 's/.*<tile id="\([0-9]*\)">.*/\1/p')"
sed -i "/name=\"Ground\"/,/<\/data>/{/<data encoding=\"csv\">/{n;s/^[0-9]*/$((sand + 1))/}}" \
    "$WORK_DIR/meadow.tmx"
sed -i 's/value="Sunny Meadow"/value="Sandy Meadow"/' "$WORK_DIR/meadow.tmx"
tiled_save tmx "$WORK_DIR/meadow.tmx" "$WORK_DIR/saved/edited.tmx"
mod="$(import_into "$WORK_DIR/saved/edited.tmx" meadow)"
first_row="$(head -n1 "$mod/maps/meadow.gtl")"
expected_row="$(head -n1 "$vorn3/maps/meadow.gtl" | sed 's/^[^ ]*/sand/')"
[ "$first_row" = "$expected_row" ] || {
    echo "FAIL: edited ground row is '$first_row', expected '$expected_row'" >&2
    exit 1
}
grep -q '^Title=Sandy Meadow$' "$mod/maps/meadow.ini" || {
    echo "FAIL: the edited title did not arrive" >&2
    exit 1
}
cmp <(tail -n +2 "$mod/maps/meadow.gtl") <(tail -n +2 "$vorn3/maps/meadow.gtl")
echo "ok: an edit saved by Tiled arrives in the map files"

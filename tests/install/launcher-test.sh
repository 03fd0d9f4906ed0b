#!/usr/bin/env bash
# The vornengine launcher on an install tree of its own: the first start
# copies the installed game to the player's data folder and runs `game` there;
# a second start keeps the saves; an update of the installed game refreshes
# its files but keeps the saves and whatever else the game wrote. `game` here
# is a stand-in that records where and how it was started and writes a save,
# as the real one does when the player presses S.
# Usage: launcher-test.sh <configured launcher>
set -euo pipefail
LAUNCHER="$(realpath "$1")"

work="$(mktemp -d)"
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix="$work/usr"
installed="$prefix/share/vornengine/vorn3"
mkdir -p "$prefix/bin" "$installed/tiles" "$installed/maps"
cp "$LAUNCHER" "$prefix/bin/vornengine"
cat >"$prefix/bin/game" <<'EOF'
#!/bin/sh
printf '%s|%s\n' "$(pwd)" "$*" >>"$GAME_LOG"
mkdir -p "$1/saves"
[ -f "$1/saves/save0.ini" ] || printf 'PlayerX=%s\r\n' "$$" >"$1/saves/save0.ini"
EOF
chmod 755 "$prefix/bin/game"
printf 'GameTitle=Old\r\n' >"$installed/settings.ini"
printf 'old tile' >"$installed/tiles/old.png"
printf 'meadow' >"$installed/maps/meadow.gtl"
printf 'kept as it was' >"$installed/maps/name with spaces.ini"
chmod -R a-w "$installed"  # installed files are read-only to the player

export HOME="$work/home" GAME_LOG="$work/game.log"
unset XDG_DATA_HOME
copy="$HOME/.local/share/vornengine/vorn3"

# --- First start, with no argument, from an unrelated folder ----------------
(cd / && "$prefix/bin/vornengine") >/dev/null
[ "$(cat "$GAME_LOG")" = "$HOME/.local/share/vornengine|vorn3" ] ||
    fail "game started as '$(cat "$GAME_LOG")', expected in the data folder with argument vorn3"
diff -r "$installed" "$copy" -x saves >/dev/null || fail "the copy differs from the installed game"
[ -f "$copy/saves/save0.ini" ] || fail "the game could not save into the copy"
save="$(cat "$copy/saves/save0.ini")"
printf 'player notes' >"$copy/notes.txt"  # something else the game wrote

# --- Second start through a symbolic link, as /usr/games might hold it --------
ln -s "$prefix/bin/vornengine" "$work/vornengine-link"
"$work/vornengine-link" vorn3 >/dev/null
[ "$(wc -l <"$GAME_LOG")" -eq 2 ] || fail "the second start did not run the game"
[ "$(cat "$copy/saves/save0.ini")" = "$save" ] || fail "the second start changed the save"
[ -f "$copy/notes.txt" ] || fail "the second start removed a file the game wrote"

# --- An update: one file changed, one dropped, one new; it ships a save -----
chmod -R u+w "$installed"
printf 'GameTitle=New\r\n' >"$installed/settings.ini"
rm "$installed/tiles/old.png"
printf 'new tile' >"$installed/tiles/new.png"
mkdir "$installed/saves"
printf 'the installed save' >"$installed/saves/save0.ini"
chmod -R a-w "$installed"
XDG_DATA_HOME=relative/is/ignored "$prefix/bin/vornengine" vorn3 >/dev/null
[ "$(cat "$copy/settings.ini")" = "$(cat "$installed/settings.ini")" ] || fail "settings.ini was not refreshed"
[ -f "$copy/tiles/new.png" ] || fail "the new tile was not copied"
[ ! -e "$copy/tiles/old.png" ] || fail "the tile the update dropped is still in the copy"
[ -f "$copy/maps/name with spaces.ini" ] || fail "an unchanged file went missing"
[ "$(cat "$copy/saves/save0.ini")" = "$save" ] || fail "the update replaced the player's save"
[ -f "$copy/notes.txt" ] || fail "the update removed a file the game wrote"
[ -n "$(find "$copy/settings.ini" -perm -u+w)" ] || fail "the refreshed files are not the player's to change"

# --- XDG_DATA_HOME, wrong names and games that are not installed --------------
XDG_DATA_HOME="$work/xdg" "$prefix/bin/vornengine" >/dev/null
[ "$(tail -n1 "$GAME_LOG")" = "$work/xdg/vornengine|vorn3" ] || fail "XDG_DATA_HOME was not used"
for wrong in ../vorn3 /tmp .hidden -x; do
    status=0
    "$prefix/bin/vornengine" "$wrong" >/dev/null 2>&1 || status=$?
    [ "$status" -eq 2 ] || fail "'$wrong' was taken as a game name (exit $status)"
done
status=0
"$prefix/bin/vornengine" nosuchgame >"$work/out" 2>&1 || status=$?
[ "$status" -eq 1 ] && grep -q "installed games: vorn3" "$work/out" ||
    fail "an unknown game gave exit $status and: $(cat "$work/out")"
echo "launcher test passed"

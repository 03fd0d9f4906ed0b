#!/usr/bin/env bash
# Packages a game for players: scripts/package-game.sh MODFOLDER OUT makes
# OUT/NAME/ and OUT/NAME.tar.gz (NAME: the mod folder's name) holding the
# release `game` program, the mod folder, run.sh that starts the game from
# the right folder, and README.txt naming the Debian packages it needs.
# modcheck checks the mod first; a mod with errors is not packaged.
#
# It builds the release programs into build/release first (installing what
# is missing, as scripts/play.sh does). --build-dir DIR takes the programs of
# an existing build instead, without building anything.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
caller_dir="$PWD"

usage() {
    echo "usage: scripts/package-game.sh [--build-dir DIR] MODFOLDER OUT" >&2
    exit 2
}
fail() {
    echo "package-game: $*" >&2
    exit 1
}

build_dir=""
if [ "${1:-}" = "--build-dir" ]; then
    [ $# -ge 2 ] || usage
    build_dir="$(cd "$2" && pwd)"
    shift 2
fi
[ $# -eq 2 ] || usage
mod_argument="$1"
[ -f "$1/settings.ini" ] || fail "$1: error: not a mod folder (it has no settings.ini)"
mod="$(cd "$1" && pwd)"
name="$(basename "$mod")"
mkdir -p "$2"
out="$(cd "$2" && pwd)"
case "$name" in
    bin | run.sh | README.txt) fail "$mod: error: a mod folder named '$name' would clash with the package's own $name; rename it" ;;
    *"'"* | *$'\n'*) fail "$mod: error: the folder name has a quote or a line break; rename it" ;;
esac
for made in "$out/$name" "$out/$name.tar.gz"; do
    [ ! -e "$made" ] || fail "$made is in the way; remove it, then package again"
done

if [ -z "$build_dir" ]; then
    cd "$root"
    scripts/install-deps.sh
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DVORN_BUILD_TESTS=OFF >/dev/null
    cmake --build build/release -j"$(nproc)"
    build_dir="$root/build/release"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The programs as they install (each program installs itself), stripped.
cmake --install "$build_dir" --prefix "$work/stage" --strip >/dev/null

# An unchecked package is never made: a build without modcheck is an old one.
[ -x "$work/stage/bin/modcheck" ] ||
    fail "$build_dir has no modcheck to check $name with; build it again (cmake --build $build_dir)"
# From the caller's folder, so its messages name the files as the caller does.
(cd "$caller_dir" && "$work/stage/bin/modcheck" "$mod_argument") ||
    fail "$mod_argument has errors (listed above); fix them, then package again"

package="$work/$name"
mkdir -p "$package/bin"
cp "$work/stage/bin/game" "$package/bin/game"
cp -R "$mod" "$package/$name"
# The author's own saved games stay with the author.
rm -rf "$package/$name/saves"

# The Debian packages of the libraries `game` links, as dpkg-shlibdeps names
# them (it wants to run inside a source package), and a font: the game finds
# its fonts through fontconfig and cannot start without any.
mkdir -p "$work/shlibs/debian"
: >"$work/shlibs/debian/control"
depends="$(cd "$work/shlibs" && dpkg-shlibdeps -O --ignore-missing-info "$package/bin/game" 2>/dev/null)" ||
    fail "dpkg-shlibdeps could not list the libraries of $package/bin/game"
depends="${depends#shlibs:Depends=}, fonts-dejavu-core"
packages="$(printf '%s\n' "$depends" | tr ',' '\n' | sed 's/|.*//; s/(.*)//; s/ //g' | grep -v '^$' | tr '\n' ' ')"
packages="${packages% }"

cat >"$package/run.sh" <<EOF
#!/bin/sh
# Starts the game. The game runs the folder ./$name of its working folder,
# so this script starts it from its own folder, wherever it is called from.
here="\$(cd "\$(dirname -- "\$0")" && pwd)"
cd "\$here"
if ldd ./bin/game 2>/dev/null | grep -q 'not found'; then
    echo "The game needs libraries this system does not have. On Debian 12 install them with:" >&2
    echo "    sudo apt-get install $packages" >&2
    exit 1
fi
exec ./bin/game '$name'
EOF
chmod 755 "$package/run.sh"

title="$(sed -n 's/^GameTitle=//p' "$mod/settings.ini" | head -n1 | tr -d '\r')"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")"
cat >"$package/README.txt" <<EOF
${title:-$name}
(made with VornEngine $version)

To play, unpack this folder where you can write, your home folder for
example, and start run.sh in it (from any folder). Saved games go into the
folder $name/saves.

The game runs on Debian 12 with these packages installed (a desktop system
has most of them already):

    sudo apt-get install $packages

Keys: arrow keys walk, Ctrl attacks, Return picks up the object you stand
on, S saves, Tab shows your stats while held. On the title screen Space
starts a new game and L loads the saved one. Closing the window asks
whether to save first.
EOF

tar -C "$work" -czf "$work/$name.tar.gz" --owner=0 --group=0 --numeric-owner "$name"
mv "$package" "$out/$name"
mv "$work/$name.tar.gz" "$out/$name.tar.gz"
echo "package-game: $out/$name/ and $out/$name.tar.gz ($(du -h "$out/$name.tar.gz" | cut -f1)); players start $name/run.sh"

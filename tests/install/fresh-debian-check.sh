#!/usr/bin/env bash
# The Debian package and a packaged game the way a player meets them, on a
# brand-new Debian 12 made by fresh-machine-check (run as root):
#
#   FRESH_REPO=$PWD fresh-machine-check 'tests/install/fresh-debian-check.sh --throw-away-system'
#
# It builds the release programs, the .deb and a packaged vorn3, then REMOVES
# every build package again (so only what the package and the README ask for
# is there), installs the .deb with apt-get, starts `vornengine vorn3` and the
# packaged game's run.sh under Xvfb, saves a game, removes the package and
# checks that the save is still there. The screenshots are printed as base64
# lines between "SCREENSHOT <name>" and "END SCREENSHOT".
set -euo pipefail
if [ "${1:-}" != "--throw-away-system" ]; then
    echo "This check removes the build packages of the machine it runs on; run it only through" >&2
    echo "fresh-machine-check, with the argument --throw-away-system." >&2
    exit 2
fi
cd "$(dirname "$0")/../.."
export DEBIAN_FRONTEND=noninteractive
step() { echo "=== $*"; }
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

step "build the release programs, the Debian package and a packaged vorn3"
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DVORN_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"
(cd build/release && cpack -G DEB) | tail -n1
deb="$(ls "$PWD"/build/release/vornengine_*.deb)"
scripts/package-game.sh --build-dir build/release vorn3 /tmp/shipped
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KB, installed size $(dpkg-deb -f "$deb" Installed-Size) KB"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"

step "remove every build package: back to a bare system"
mapfile -t build_packages < <(sed -n '/^packages=(/,/^)/p' scripts/install-deps.sh |
    sed '1d;$d; s/#.*//' | tr ' ' '\n' | grep -v '^$')
apt-get purge -y -qq --auto-remove "${build_packages[@]}" >/dev/null
dpkg -s libsdl2-2.0-0 >/dev/null 2>&1 && fail "libsdl2-2.0-0 is still installed"

step "the packaged game on the bare system names what is missing"
mkdir -p /home/player && tar -C /home/player -xzf /tmp/shipped/vorn3.tar.gz
status=0
/home/player/vorn3/run.sh 2>/tmp/run.err || status=$?
cat /tmp/run.err
[ "$status" -eq 1 ] && grep -q "apt-get install" /tmp/run.err || fail "run.sh gave exit $status"
step "install the packages its README names"
readme_install="$(sed -n 's/^ *sudo apt-get install //p' /home/player/vorn3/README.txt)"
echo "apt-get install $readme_install"
# shellcheck disable=SC2086 # the README's list of package names
apt-get install -y -qq --no-install-recommends $readme_install >/dev/null
ldd /home/player/vorn3/bin/game | grep "not found" && fail "the README's packages are not enough"

step "apt-get install ./$(basename "$deb")"
apt-get install -y -qq "$deb" >/dev/null
for program in game monstereditor animationmaker scriptrun tiledmap; do
    ldd "/usr/bin/$program" | grep "not found" && fail "$program lacks a library the package does not depend on"
done
ls -l /usr/bin/vornengine /usr/share/applications/org.vornengine.vorn3.desktop

step "tools to watch the game (installed only now: they bring X libraries of their own)"
apt-get install -y -qq --no-install-recommends xvfb xauth xdotool imagemagick >/dev/null

# play NAME COMMAND...: starts the game on a private display, waits for its
# window, prints a screenshot, presses Space (new game) and S (save), ends it.
play() {
    local name="$1"
    shift
    xvfb-run -a -s "-screen 0 800x600x24" bash -c '
        "$@" >/tmp/game.log 2>&1 &
        game=$!
        for _ in $(seq 100); do
            window="$(xdotool search --onlyvisible --name "The Relic of Vorn" 2>/dev/null | head -n1)"
            [ -n "$window" ] && break
            sleep 0.2
        done
        [ -n "$window" ] || { cat /tmp/game.log; exit 1; }
        sleep 2
        import -window root /tmp/shot.png
        xdotool windowfocus "$window"; sleep 0.3
        xdotool keydown space; sleep 0.3; xdotool keyup space; sleep 1
        xdotool keydown s; sleep 0.3; xdotool keyup s; sleep 1
        kill "$game"' play "$@" || fail "$name: no game window"
    echo "SCREENSHOT $name"
    base64 -w0 /tmp/shot.png
    echo
    echo "END SCREENSHOT"
}

step "vornengine vorn3 (started from /tmp)"
(cd /tmp && play launcher vornengine vorn3)
save=/root/.local/share/vornengine/vorn3/saves/save0.ini
[ -f "$save" ] || fail "no saved game in $save"
cat "$save"

step "the packaged game's run.sh (started from /)"
(cd / && play packaged /home/player/vorn3/run.sh)
[ -f /home/player/vorn3/vorn3/saves/save0.ini ] || fail "the packaged game did not save"

step "apt-get remove vornengine keeps the player's saves"
apt-get remove -y -qq vornengine >/dev/null
[ ! -e /usr/bin/game ] || fail "/usr/bin/game is still there"
[ -f "$save" ] || fail "removing the package removed $save"
ls -l "$save"
echo "fresh Debian 12 check passed"

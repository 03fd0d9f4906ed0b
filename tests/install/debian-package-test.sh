#!/usr/bin/env bash
# `cpack -G DEB` of the build: the package's file name, its Depends line (the
# libraries dpkg-shlibdeps found and the font), and what it puts under /usr.
# Usage: debian-package-test.sh <build dir> <project version>
set -euo pipefail
BUILD_DIR="$1"
VERSION="$2"
source "$(dirname "$0")/../tools/monstereditor/gui-session.sh"
require_tools cpack dpkg-deb dpkg-shlibdeps file

WORK_DIR="$(mktemp -d)"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack -G DEB --config "$BUILD_DIR/CPackConfig.cmake" -B "$WORK_DIR" >"$WORK_DIR/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$WORK_DIR/cpack.log")"
deb="$WORK_DIR/vornengine_${VERSION}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$WORK_DIR")"

depends="$(dpkg-deb -f "$deb" Depends)"
for package in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libpng16-16 libfontconfig1 \
    fonts-dejavu-core; do
    [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
        fail "Depends lacks $package: $depends"
done

dpkg-deb -c "$deb" | awk '{print $1, $2, $6}' >"$WORK_DIR/contents"
for entry in "-rwxr-xr-x root/root ./usr/bin/game" "-rwxr-xr-x root/root ./usr/bin/vornengine" \
    "-rw-r--r-- root/root ./usr/share/vornengine/vorn3/settings.ini" \
    "-rw-r--r-- root/root ./usr/share/applications/org.vornengine.vorn3.desktop" \
    "-rw-r--r-- root/root ./usr/share/doc/vornengine/README.md"; do
    grep -qxF -- "$entry" "$WORK_DIR/contents" || fail "the package lacks '$entry'"
done
echo "Debian package test passed: $(basename "$deb"), $(du -k "$deb" | cut -f1) KB; Depends: $depends"

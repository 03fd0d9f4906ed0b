#!/usr/bin/env bash
# `cmake --install` into a fresh prefix: the programs, the demo game without
# anyone's saves, the guides, and desktop files that the desktop's own
# validators accept and that name each other correctly.
# Usage: install-tree-test.sh <build dir> <project version>
set -euo pipefail
BUILD_DIR="$1"
VERSION="$2"
source "$(dirname "$0")/../tools/monstereditor/gui-session.sh"
require_tools desktop-file-validate appstreamcli
source_dir="$(cd "$(dirname "$0")/../.." && pwd)"

WORK_DIR="$(mktemp -d)"
prefix="$WORK_DIR/prefix"
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null
for program in game scriptrun modcheck tiledmap vornengine; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is not installed"
done
for file in share/doc/vornengine/README.md share/doc/vornengine/docs/modding.md \
    share/doc/vornengine/docs/scripting.md share/doc/vornengine/docs/screenshots/title.png; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done
diff -r -x saves "$source_dir/vorn3" "$prefix/share/vornengine/vorn3" >/dev/null ||
    fail "the installed vorn3 differs from the source tree's"
[ ! -e "$prefix/share/vornengine/vorn3/saves" ] || fail "saved games were installed with vorn3"

id=org.vornengine.vorn3
desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $id.metainfo.xml"

# What the validators cannot know: the names point at installed files.
grep -qx "Exec=vornengine vorn3" "$desktop" || fail "the desktop entry does not start vornengine vorn3"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not $id"
for size in 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"
    [ "$(identify -format '%wx%h %[channels]' "$icon" 2>/dev/null)" = "${size}x$size srgba" ] ||
        fail "the ${size}x$size icon is $(identify -format '%wx%h %[channels]' "$icon" 2>&1)"
done
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
newest="$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)"
[ "$newest" = "$VERSION" ] || fail "the newest release in the metadata is '$newest', the project is $VERSION"

# The installed launcher finds the installed game from its own folder.
"$prefix/bin/vornengine" --help | grep -q "installed games: vorn3" ||
    fail "the installed launcher does not see vorn3: $("$prefix/bin/vornengine" --help)"
echo "install tree test passed"

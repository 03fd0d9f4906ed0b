#!/usr/bin/env bash
# Installs the Debian packages VornEngine needs to build, run and test, and
# only those that are missing. When nothing is missing it calls neither apt
# nor sudo. As an ordinary user it installs through sudo when sudo is there,
# and otherwise prints the command to run as root and stops.
set -euo pipefail

packages=(
    # compilers and build
    build-essential cmake pkg-config g++ clang
    # the game's libraries
    libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev
    libpng-dev zlib1g-dev libfontconfig-dev fontconfig fonts-dejavu-core
    # the editors; tiledmap reads Tiled's XML with pugixml
    libfltk1.3-dev libpugixml-dev
    # tests and benchmarks
    libgtest-dev libbenchmark-dev lua5.4
    # GUI tests: a private X server, key presses, window lookup, screenshots,
    # and the X core fonts SDL's message boxes draw their text with
    xvfb xauth xdotool x11-utils imagemagick xfonts-base
    # the map editor Tiled, which opens and saves tiledmap's maps in its test
    tiled
    # installing and packaging: the desktop files' validators, and what
    # cpack's Debian package and scripts/package-game.sh read libraries with
    desktop-file-utils appstream dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

install_command=(apt-get install -y -qq --no-install-recommends "${missing[@]}")
echo "Missing Debian packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if [ "$(id -u)" -eq 0 ]; then
    echo "Installing them."
    apt-get update -qq
    "${install_command[@]}"
elif command -v sudo >/dev/null; then
    echo "Installing them through sudo (it may ask for your password)."
    sudo DEBIAN_FRONTEND=noninteractive apt-get update -qq
    sudo DEBIAN_FRONTEND=noninteractive "${install_command[@]}"
else
    echo "This user cannot install them (not root, and sudo is not installed)." >&2
    echo "Run this as root, then run this command again:" >&2
    echo "    apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
fi

#!/usr/bin/env bash
# Installs the Debian packages VornEngine needs to build, run and test, and
# only those that are missing. Run as root on Debian 12.
set -euo pipefail

packages=(
    build-essential cmake pkg-config g++ clang
    libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev
    libpng-dev zlib1g-dev libfontconfig-dev fontconfig fonts-dejavu-core
    libfltk1.3-dev
    libgtest-dev libbenchmark-dev lua5.4
    xvfb xauth xdotool imagemagick
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

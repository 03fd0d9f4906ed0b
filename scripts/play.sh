#!/usr/bin/env bash
# Installs what is missing, builds the release programs and starts the game on
# the bundled mod folder vorn3/ (from the repository root, where the game
# looks for ./vorn3).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DVORN_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"

if [ ! -x build/release/game/shell/game ]; then
    echo "The game program is not built yet: nothing was started (it would run build/release/game/shell/game in $root)."
    exit 1
fi
exec build/release/game/shell/game "$@"

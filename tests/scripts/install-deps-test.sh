#!/usr/bin/env bash
# scripts/install-deps.sh with stand-ins for dpkg-query, id, apt-get and sudo
# on the PATH, each logging its call: nothing missing calls neither apt nor
# sudo; a missing package as root runs apt-get; as an ordinary user it goes
# through sudo, and without sudo it prints the command and stops.
# Usage: install-deps-test.sh <repository root>
set -euo pipefail
script="$1/scripts/install-deps.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# stand_ins <uid> <missing package or ""> <with sudo: yes|no>
stand_ins() {
    rm -rf "$work/bin" "$work/calls"
    mkdir "$work/bin"
    touch "$work/calls"
    cat >"$work/bin/dpkg-query" <<STUB
#!/bin/bash
[ "\${@: -1}" = "$2" ] && exit 1
echo "install ok installed"
STUB
    printf '#!/bin/bash\necho %s\n' "$1" >"$work/bin/id"
    printf '#!/bin/bash\necho "apt-get $*" >>"%s"\n' "$work/calls" >"$work/bin/apt-get"
    if [ "$3" = yes ]; then
        printf '#!/bin/bash\necho "sudo $*" >>"%s"\n' "$work/calls" >"$work/bin/sudo"
    fi
    chmod +x "$work/bin/"*
}

# run: the script with only the stand-ins and the basic tools it uses.
run() {
    PATH="$work/bin:/usr/bin:/bin" bash "$script" >"$work/out" 2>&1
}
# /usr/bin may hold a real sudo; a PATH without it keeps "no sudo" honest.
no_sudo_path() {
    mkdir -p "$work/base"
    for tool in bash grep cat; do ln -sf "$(command -v "$tool")" "$work/base/$tool"; done
    PATH="$work/bin:$work/base" "$work/base/bash" "$script" >"$work/out" 2>&1
}

stand_ins 1000 "" yes
run || fail "nothing missing: exit status $?"
[ ! -s "$work/calls" ] || fail "nothing missing, yet called: $(cat "$work/calls")"

stand_ins 0 xdotool no
run || fail "root with xdotool missing: exit status $?"
grep -q "^apt-get install .* xdotool$" "$work/calls" || fail "root did not install xdotool: $(cat "$work/calls")"

stand_ins 1000 xdotool yes
run || fail "user with sudo: exit status $?"
grep -q "^sudo .*apt-get install .* xdotool$" "$work/calls" || fail "no sudo apt-get install: $(cat "$work/calls")"

stand_ins 1000 xdotool no
if no_sudo_path; then fail "user without sudo and a missing package: exit status 0"; fi
[ ! -s "$work/calls" ] || fail "user without sudo called: $(cat "$work/calls")"
grep -q "apt-get update && apt-get install --no-install-recommends xdotool" "$work/out" ||
    fail "the command to run as root is not printed: $(cat "$work/out")"
echo "install-deps behaves for root, sudo users and users without sudo"

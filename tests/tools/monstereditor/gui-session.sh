# Shell functions shared by the tools' GUI tests: a private X display, window
# waits with time limits, and closing a window as its close box would.
# Sourced by the test scripts; expects CLOSE_WINDOW to name vorn_close_window.

# xdotool reads the texts to type in the locale's encoding; the scripts are
# UTF-8 whatever the caller's locale is.
export LC_ALL=C.UTF-8
# The game reads the player's preferences from $XDG_CONFIG_HOME: tests play
# with the defaults, whatever the user who runs them prefers (a test that
# needs a preferences file points it elsewhere).
export XDG_CONFIG_HOME=/nonexistent/vornengine-test-config

# require_tools TOOL...: a GUI test cannot run without these programs. Outside
# CI it is skipped (exit 77, which CTest reports as skipped); under CI (CI set
# and not "false" or "0") a missing tool fails the test, since a skipped test
# there would hide a missing install step.
require_tools() {
    local tool missing=()
    for tool in "$@"; do
        command -v "$tool" >/dev/null || missing+=("$tool")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    case "${CI:-}" in
        "" | false | 0)
            echo "SKIPPED: not installed: ${missing[*]} (scripts/install-deps.sh installs them)"
            exit 77
            ;;
    esac
    echo "FAIL: not installed: ${missing[*]}; CI must run every test (scripts/install-deps.sh installs them)" >&2
    exit 1
}

# Everything a test started, ended when the script exits however it exits,
# so no program is left holding ctest's output open; WORK_DIR is removed.
STARTED_PIDS=()
WORK_DIR=""
end_session() {
    local pid
    for pid in "${STARTED_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
    fi
    if [ -n "$WORK_DIR" ]; then
        rm -rf "$WORK_DIR"
    fi
}
trap end_session EXIT

# Starts a program in the background and sets STARTED to its process id.
start_program() {
    "$@" &
    STARTED=$!
    STARTED_PIDS+=("$STARTED")
}

# Starts Xvfb on a free display number with a screen of $1 (default
# 1024x768) and exports DISPLAY. Without -noreset the server resets whenever
# its last client leaves, and a program started just then cannot connect.
start_display() {
    local displayFile
    displayFile="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -noreset 3>"$displayFile" >/dev/null 2>&1 &
    XVFB_PID=$!
    local waited=0
    while [ ! -s "$displayFile" ]; do
        sleep 0.1
        waited=$((waited + 1))
        if [ "$waited" -gt 200 ]; then
            echo "Xvfb did not start" >&2
            exit 1
        fi
    done
    export DISPLAY=":$(head -n1 "$displayFile")"
    rm -f "$displayFile"
}

# Prints the id of the first visible window whose title matches $1 once it
# exists; fails after $2 seconds (default 30).
wait_window() {
    local name="$1" limit="${2:-30}" id="" waited=0
    while [ -z "$id" ]; do
        id="$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n1)"
        if [ -z "$id" ]; then
            sleep 0.2
            waited=$((waited + 1))
            if [ "$waited" -gt $((limit * 5)) ]; then
                echo "window '$name' did not appear" >&2
                return 1
            fi
        fi
    done
    # Give the toolkit time to draw and take input.
    sleep 0.5
    echo "$id"
}

# Waits up to $2 seconds (default 30) for our child process $1 to end and
# sets EXIT_CODE to its exit code. Fails (and ends it) when it is still running.
wait_exit() {
    local pid="$1" limit="${2:-30}" waited=0
    while kill -0 "$pid" 2>/dev/null; do
        sleep 0.2
        waited=$((waited + 1))
        if [ "$waited" -gt $((limit * 5)) ]; then
            echo "process $pid did not end" >&2
            kill "$pid" 2>/dev/null
            return 1
        fi
    done
    EXIT_CODE=0
    wait "$pid" || EXIT_CODE=$?
}

close_window() {
    "$CLOSE_WINDOW" "$1"
}

# Clicks at a point given relative to the top-left corner of window $1.
click_in() {
    local window="$1" x="$2" y="$3"
    xdotool mousemove --window "$window" "$x" "$y" click 1
    sleep 0.3
}

# Replaces the text of the input box at ($2, $3) of window $1 with $4.
type_into() {
    local window="$1" x="$2" y="$3" text="$4"
    click_in "$window" "$x" "$y"
    xdotool key --clearmodifiers ctrl+a BackSpace
    xdotool type --delay 30 -- "$text"
    sleep 0.2
}

# Waits up to $1 seconds (default 10) until an unnamed window other than the
# root shows, such as an open drop-down list or a message box, and prints its
# id; fails when none shows.
wait_unnamed_window() {
    local limit="${1:-10}" root id="" waited=0
    root="$(xdotool search --maxdepth 0 --name '^$')"
    while [ -z "$id" ]; do
        id="$(xdotool search --onlyvisible --name '^$' 2>/dev/null | grep -vx "$root" | head -n1 || true)"
        if [ -z "$id" ]; then
            sleep 0.2
            waited=$((waited + 1))
            if [ "$waited" -gt $((limit * 5)) ]; then
                echo "no unnamed window appeared" >&2
                return 1
            fi
        fi
    done
    sleep 0.3
    echo "$id"
}

# Waits up to 15 seconds for file $2 to hold exactly the bytes of file $1
# (the program writes it a moment after the click); fails the test with both
# dumps when it does not.
expect_same_bytes() {
    local waited=0
    while ! cmp -s "$1" "$2"; do
        sleep 0.2
        waited=$((waited + 1))
        if [ "$waited" -gt 75 ]; then
            echo "files differ: $1 $2" >&2
            echo "expected:" >&2
            od -c "$1" >&2
            echo "got:" >&2
            od -c "$2" >&2 || true
            exit 1
        fi
    done
}

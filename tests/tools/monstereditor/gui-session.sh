# Shell functions shared by the tools' GUI tests: a private X display, window
# waits with time limits, and closing a window as its close box would.
# Sourced by the test scripts; expects CLOSE_WINDOW to name vorn_close_window.

# Starts Xvfb on a free display number and exports DISPLAY. The display is
# stopped again when the test script exits.
start_display() {
    local displayFile
    displayFile="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$displayFile" >/dev/null 2>&1 &
    XVFB_PID=$!
    trap 'kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null' EXIT
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

# Fails the test with a message when files $1 and $2 differ in any byte.
expect_same_bytes() {
    if ! cmp -s "$1" "$2"; then
        echo "files differ: $1 $2" >&2
        echo "expected:" >&2
        od -c "$1" >&2
        echo "got:" >&2
        od -c "$2" >&2
        exit 1
    fi
}

# Shared helpers of the fault tests. Each test runs the real program, copied into a fresh
# temporary folder (the record lives beside the program), on its own virtual X server.
#   source lib.sh PROGRAM
set -uo pipefail

program_source=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/rz6-faults.XXXXXX")
game_pid=
xvfb_pid=
title='ソードリズム！　第弐章'
# The battle window's client area is 9270 twips wide: 618 pixels.
battle_width=618

cleanup() {
    [[ -n "$game_pid" ]] && kill -KILL "$game_pid" 2>/dev/null
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [[ -f "$work/game.log" ]] && sed 's/^/  game: /' "$work/game.log" >&2
    exit 1
}

skip() {
    echo "SKIPPED: $*"
    exit 77
}

# A fresh game folder: the program and nothing else.
game_dir() {
    local dir="$work/$1"
    mkdir -p "$dir"
    cp "$program_source" "$dir/rz6"
    echo "$dir"
}

start_xvfb() {
    command -v Xvfb >/dev/null || skip "Xvfb is not installed"
    command -v xdotool >/dev/null || skip "xdotool is not installed"
    local attempt number fifo
    # Servers of other tests start at the same time; a display lost in that race is retried.
    for attempt in 1 2 3; do
        fifo="$work/display$attempt"
        mkfifo "$fifo"
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset -ac 3>"$fifo" \
            2>"$work/xvfb.log" &
        xvfb_pid=$!
        if read -r -t 20 number <"$fifo" && DISPLAY=":$number" xdotool getdisplaygeometry \
            >/dev/null 2>&1; then
            export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
            return 0
        fi
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
        xvfb_pid=
    done
    fail "the virtual X server did not start"
}

# Starts the program of a game folder in the background; extra arguments go before it (a
# command such as setpriv, or a wrapper that sets limits).
start_game() {
    local dir=$1; shift
    "$@" "$dir/rz6" >"$work/game.log" 2>&1 &
    game_pid=$!
}

# Prints the ids of the visible windows of the game process, or nothing.
game_windows() {
    local id
    for id in $(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null); do
        [[ "$(xdotool getwindowname "$id" 2>/dev/null)" == "$title" ]] && echo "$id"
    done
}

window_width() {
    xdotool getwindowgeometry "$1" 2>/dev/null | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p'
}

# Waits (up to 30 s, the sanitizer build starts slowly) for a window of the game, and prints
# "battle WINDOW" or "message WINDOW": a message box is any window of the game that is not
# as wide as the battle window.
wait_window() {
    local tries=0 id width
    while ((tries++ < 600)); do
        kill -0 "$game_pid" 2>/dev/null || return 1
        for id in $(game_windows); do
            width=$(window_width "$id")
            [[ -z "$width" ]] && continue
            if [[ "$width" == "$battle_width" ]]; then echo "battle $id"; else echo "message $id"; fi
            return 0
        done
        sleep 0.05
    done
    return 1
}

expect_window() {
    local kind=$1 found
    found=$(wait_window) || fail "no window appeared (expected a $kind window)"
    [[ "${found%% *}" == "$kind" ]] || fail "expected a $kind window, saw: $found"
    echo "${found#* }"
}

# Presses OK on a message box.
press_ok() {
    xdotool windowfocus --sync "$1" key --clearmodifiers Return 2>/dev/null ||
        xdotool key --window "$1" Return
}

# Waits (up to 30 s) for the game to end and sets exit_status.
exit_status=
wait_exit() {
    local tries=0
    while kill -0 "$game_pid" 2>/dev/null; do
        ((tries++ < 600)) || fail "the game did not end"
        sleep 0.05
    done
    exit_status=0
    wait "$game_pid" || exit_status=$?
    game_pid=
}

# Leftovers of an interrupted save: the temporary files the new record is written to.
temp_files() {
    find "$1" -maxdepth 1 -name 'rz6.DAT?*' -printf '%f\n'
}

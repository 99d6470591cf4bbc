# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# shellcheck shell=bash
# Shared helpers of the end-to-end and fault tests: each test runs the real rz6 on its own X
# server (Xvfb), in its own temporary folder that holds its own copy of the program (the
# record lives beside it), and drives it with xdotool as a player would or hurts it as a
# fault would. Sourced by the test scripts; $1 of a test is the rz6 executable to copy.
#   source "$(dirname "$0")/../lib/rz6_test_lib.sh"
#
# Every wait polls with a generous bound; nothing waits a fixed time and then checks.

set -euo pipefail

readonly title='ソードリズム！　第弐章'
readonly clientWidth=618  # the battle window's client area, 9270 twips, at scale 1
readonly clientHeight=402 # and 6030 twips
readonly skipCode=77      # ctest's SKIP_RETURN_CODE
waitSeconds=${RZ6_E2E_WAIT:-60}

work=''
startedPids=()
xvfbPid=''

fail() {
    echo "FAIL: $*" >&2
    if [[ -n $work && -d $work ]]; then
        for log in "$work"/*.log; do
            [[ -s $log ]] && { echo "--- $log" >&2; tail -n 20 "$log" >&2; }
        done
    fi
    exit 1
}

skip() {
    echo "SKIP: $*"
    exit "$skipCode"
}

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/deps.sh --test)"
    done
}

# What a test that follows the game over the accessibility bus needs, and the tools named:
# a private D-Bus session, xdotool, the bus itself and Debian's Python (in $python), which
# pyatspi belongs to. Python writes no compiled modules into the source tree.
needAccessibilityBus() {
    need dbus-run-session xdotool "$@"
    python=/usr/bin/python3
    export PYTHONDONTWRITEBYTECODE=1
    [[ -x $python ]] || skip "$python is not installed"
    [[ -x /usr/libexec/at-spi-bus-launcher ]] || skip "at-spi2-core is not installed (scripts/deps.sh --test)"
}

# Ends what this test started, each by its own id, and removes the test's folder. A test
# that mounted something inside its folder names the mount point in mountedInWork.
mountedInWork=''
cleanup() {
    local pid
    for pid in "${startedPids[@]}"; do
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    # The X server is asked politely, so that it removes its socket and lock file.
    if [[ -n $xvfbPid ]]; then
        kill -TERM "$xvfbPid" 2>/dev/null || true
        wait "$xvfbPid" 2>/dev/null || true
    fi
    [[ -n $mountedInWork ]] && umount "$mountedInWork" 2>/dev/null
    [[ -n $work ]] && rm -rf "$work"
    return 0
}

# Makes the test's folder and a home of its own, so no run can touch the real user's data.
setupWork() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/rz6-e2e.XXXXXX")
    trap cleanup EXIT
    export HOME=$work/home XDG_DATA_HOME=$work/xdg-data XDG_CONFIG_HOME=$work/xdg-config
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -p "$HOME" "$XDG_DATA_HOME"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
    export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
}

# Runs "$@" every tenth of a second until it succeeds; fails the test after waitSeconds.
waitFor() {
    local what=$1; shift
    local deadline=$((SECONDS + waitSeconds))
    until "$@"; do
        ((SECONDS < deadline)) || fail "gave up waiting for $what"
        sleep 0.1
    done
}

# A PulseAudio server of the test's own, with a home, a runtime folder and a socket of its
# own: nothing of the machine's sound setup is read or touched. Its null sink "null" takes a
# game's stream as it is (16-bit mono at 48 kHz), so its monitor gives back the samples the
# game mixed. Exports PULSE_SERVER for what the test starts next.
startSoundServer() {
    local server=$work/pulse
    mkdir -p "$server/home"
    mkdir -m 700 "$server/run"
    env -u DBUS_SESSION_BUS_ADDRESS HOME="$server/home" XDG_CONFIG_HOME="$server/home" \
        XDG_RUNTIME_DIR="$server/run" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --realtime=no --high-priority=no \
        --use-pid-file=no \
        --load="module-null-sink sink_name=null rate=48000 channels=1 format=s16le" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$server/run/native" \
        >"$work/pulseaudio.log" 2>&1 &
    startedPids+=("$!")
    export PULSE_SERVER=unix:$server/run/native
    waitFor "the sound server to answer" soundServerAnswers
}

soundServerAnswers() { pactl info >/dev/null 2>&1; }

# Records the null sink's monitor into the file named (raw 16-bit mono at 48 kHz) until
# stopRecording.
recorderPid=''
startRecording() {
    parecord --device=null.monitor --raw --format=s16le --rate=48000 --channels=1 \
        --latency-msec=20 "$1" 2>"$work/parecord.log" &
    recorderPid=$!
    startedPids+=("$recorderPid")
    waitFor "the recording to start" test -s "$1"
}

stopRecording() {
    kill -INT "$recorderPid"
    waitExit "$recorderPid"
}

# Starts a private X server on a display number it picks itself, so tests run in parallel.
# Servers of other tests start at the same moment; a display lost in that race is tried
# again. Access control is off so that a game run as another user (setpriv) can connect too.
startDisplay() {
    local size=${1:-1600x1200x24}
    local attempt numberFile
    for attempt in 1 2 3; do
        numberFile=$work/display$attempt
        Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset -ac 3>"$numberFile" \
            >"$work/xvfb.log" 2>&1 &
        xvfbPid=$!
        if waitUntil 20 displayNumberIn "$numberFile" && DISPLAY=:$(head -n 1 "$numberFile") \
            waitUntil 20 displayAnswers; then
            export DISPLAY=:$(head -n 1 "$numberFile")
            return 0
        fi
        kill -TERM "$xvfbPid" 2>/dev/null || true
        wait "$xvfbPid" 2>/dev/null || true
        xvfbPid=''
    done
    fail "the virtual X server did not start"
}

displayNumberIn() {
    running "$xvfbPid" && [[ -s $1 ]]
}

displayAnswers() {
    xdotool getmouselocation >/dev/null 2>&1
}

# Like waitFor, but gives up quietly after the given seconds with a status of 1.
waitUntil() {
    local seconds=$1; shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# A folder with its own copy of the game, as a player moves an installed game: the build
# installed once into a prefix of the test's own, then that whole prefix copied, so that the
# program finds its companions (the 戦績 screen's library) where an install puts them. Prints
# the folder the program is in; its record lives beside it.
gameFolder() {
    local installed=$work/installed
    if [[ ! -d $installed ]]; then
        cmake --install "$(dirname "$rz6Binary")" --prefix "$installed.partial" \
            >"$work/install.log" 2>&1 || fail "the build does not install: $(tail -n 5 "$work/install.log")"
        mv "$installed.partial" "$installed"
    fi
    local folder=$work/$1 program
    mkdir -p "$folder"
    cp -a "$installed/." "$folder/"
    program=$(find "$folder" -type f -name rz6 -perm -u+x -print -quit)
    [[ -n $program ]] || fail "the install holds no program"
    dirname "$program"
}

# Starts the program in the background from a working folder of its own (the record must
# follow the program, not the working folder). Extra arguments go before the program: VAR=value
# assignments for its environment, then optionally a command that runs it (setpriv, or a
# wrapper that sets limits) and execs it in the end. Sets gamePid.
gamePid=''
startGame() {
    local program=$1; shift
    local log
    log=$work/game-$((${#startedPids[@]} + 1)).log
    mkdir -p "$work/cwd"
    (cd "$work/cwd" && exec env "$@" "$program") >"$log" 2>&1 &
    gamePid=$!
    startedPids+=("$gamePid")
}

# True while the process runs (a finished child that was not yet waited for counts as ended).
running() {
    local state
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
    [[ $state != Z ]]
}

notRunning() {
    ! running "$1"
}

# Waits for the process to end and puts its exit status in exitStatus (128 + the signal's
# number when a signal ended it). The process is then forgotten, so that the clean-up never
# signals a number the system may have handed to someone else since.
exitStatus=''
waitExit() {
    local pid=$1
    waitFor "process $pid to end" notRunning "$pid"
    exitStatus=0
    wait "$pid" 2>/dev/null || exitStatus=$?
    forget "$pid"
}

# Kills the process outright and waits for it.
killGame() {
    kill -KILL "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
    forget "$1"
}

forget() {
    local kept=() pid
    for pid in "${startedPids[@]}"; do
        [[ $pid == "$1" ]] || kept+=("$pid")
    done
    startedPids=("${kept[@]}")
}

# The visible windows of a process that carry the game's title.
titledWindows() {
    xdotool search --all --onlyvisible --pid "$1" --name "^${title}\$" 2>/dev/null || true
}

hasTitledWindow() {
    running "$1" || fail "process $1 ended before it showed a window"
    [[ -n $(titledWindows "$1") ]]
}

# Waits for the process's titled window and prints its id.
waitWindow() {
    waitFor "a window of process $1" hasTitledWindow "$1"
    titledWindows "$1" | head -n 1
}

# Waits for the process's titled window and prints its id, failing unless it is of the kind
# expected: "battle" (as wide as the battle window) or "message" (a message box, narrower).
expectWindow() {
    local kind=$1 pid=$2 window seen=message
    window=$(waitWindow "$pid")
    (($(windowWidth "$window") == clientWidth)) && seen=battle
    [[ $seen == "$kind" ]] || fail "expected a $kind window, saw a $seen window"
    echo "$window"
}

# Presses OK on a message box. A box that never came (its wait failed in a command
# substitution) fails the test here, rather than leaving xdotool to wait for ever.
pressOk() {
    [[ -n $1 ]] || fail "no message box to answer"
    timeout 10 xdotool windowfocus --sync "$1" key --clearmodifiers Return 2>/dev/null ||
        xdotool key --window "$1" Return
}

# Prints the id of a message box of the process (a titled window narrower than the battle
# window); fails when it shows none.
messageBoxOf() {
    local id
    for id in $(titledWindows "$1"); do
        if (($(windowWidth "$id") != clientWidth)); then
            echo "$id"
            return 0
        fi
    done
    return 1
}

hasMessageBox() {
    running "$1" || fail "process $1 ended before it showed a message"
    messageBoxOf "$1" >/dev/null
}

# Waits for a message box of the process, whatever other windows it shows, and prints its id.
waitMessageBox() {
    waitFor "a message box of process $1" hasMessageBox "$1"
    messageBoxOf "$1"
}

# The window on show in front of all others, as a decimal id: xwininfo lists the root's
# children in the X server's stacking order, topmost first (no window manager here, so
# every top-level window is a child of the root).
topWindow() {
    local id
    for id in $(xwininfo -root -children | awk '$1 ~ /^0x/ {print $1}'); do
        if xwininfo -id "$id" | grep -q 'Map State: IsViewable'; then
            echo $((id))
            return 0
        fi
    done
    return 1
}

isTopWindow() {
    [[ $(topWindow) == "$1" ]]
}

# Waits until the window is in front of every other; fails the test if it stays behind.
expectInFront() {
    waitFor "window $1 ($2) to come in front" isTopWindow "$1"
}

windowWidth() {
    xwininfo -id "$1" | awk '/^  Width:/ {print $2}'
}

windowHeight() {
    xwininfo -id "$1" | awk '/^  Height:/ {print $2}'
}

# Gives the window the keyboard, as a click on it would under a window manager.
focusWindow() {
    xdotool windowfocus --sync "$1"
}

# Captures the window's pixels into a file.
capture() {
    xwd -silent -id "$1" >"$2"
}

# Waits until two captures in a row agree: the window has finished drawing itself.
captureSteady() {
    local window=$1 file=$2
    capture "$window" "$file"
    waitFor "the window to finish drawing" steadyAgainst "$window" "$file"
}

steadyAgainst() {
    local next=$2.next
    capture "$1" "$next"
    if cmp -s "$2" "$next"; then
        rm -f "$next"
        return 0
    fi
    mv "$next" "$2"
    return 1
}

changedFrom() {
    local now=$2.now
    capture "$1" "$now"
    ! cmp -s "$2" "$now"
}

# Sends keys with xdotool and waits until the window shows that they arrived.
keysChangeWindow() {
    local window=$1; shift
    local before=$work/before.xwd
    captureSteady "$window" "$before"
    xdotool "$@"
    waitFor "the window to answer 'xdotool $*'" changedFrom "$window" "$before"
}

# Chooses the menu 試合 and in it 終了, with the pointer, at scale 1. The menu bar sits above
# the client area; its first title is 試合. 終了 is the last entry of the menu that opens.
quitThroughMenu() {
    local pid=$1 window=$2
    local barHeight=$(($(windowHeight "$window") - clientHeight))
    ((barHeight > 0)) || fail "the battle window has no menu bar"
    xdotool mousemove --sync --window "$window" 20 $((barHeight / 2)) click 1
    waitFor "the menu 試合 to open" popupMenuOf "$pid"
    local menu
    menu=$(popupMenuOf "$pid")
    xdotool mousemove --sync --window "$menu" 30 $(($(windowHeight "$menu") - 12)) click 1
}

# Prints the id of the process's open pop-up menu; fails when none is open.
popupMenuOf() {
    local id
    for id in $(xdotool search --all --onlyvisible --pid "$1" --name '' 2>/dev/null); do
        if xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q POPUP_MENU; then
            echo "$id"
            return 0
        fi
    done
    return 1
}

# Writes a 32-bit little-endian signed integer.
le32() {
    local v=$(($1 & 0xFFFFFFFF))
    printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $((v & 255)) $((v >> 8 & 255)) \
        $((v >> 16 & 255)) $((v >> 24 & 255)))"
}

# Size, inode and modification time in nanoseconds: any write or replacement changes them.
fileStamp() {
    stat -c '%s %i %.9Y' "$1"
}

fileSize() {
    stat -c %s "$1"
}

isAllZero() {
    local file=$1
    cmp -s "$file" <(head -c "$(fileSize "$file")" /dev/zero)
}

# Leftovers of an interrupted save in a game folder: the temporary files a new record is
# written to before it takes the record's place.
tempFiles() {
    find "$1" -maxdepth 1 -name 'rz6.DAT?*' -printf '%f\n'
}

rz6Binary=${1:?usage: $0 path/to/rz6}
[[ -x $rz6Binary ]] || fail "no program at $rz6Binary"
rz6Binary=$(realpath "$rz6Binary")
need Xvfb xdotool xwininfo xprop xwd

# --- helpers of the sweep (screens × ways out) ---

# Prints the first visible window of the process with exactly this title; fails when none.
windowTitled() {
    local id
    id=$(xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null | head -n 1)
    [[ -n $id ]] && echo "$id"
}

hasWindowTitled() {
    [[ -n $(windowTitled "$1" "$2") ]]
}

# Waits for the process's window with this title and prints its id.
waitTitled() {
    waitFor "the window $2" hasWindowTitled "$1" "$2"
    windowTitled "$1" "$2"
}

# Clicks at a point of a window's client area. The pointer comes from elsewhere, as a hand's
# does: a window that opened under a pointer that never moved may not know it is there.
clickAt() {
    xdotool mousemove --sync 0 0
    xdotool mousemove --sync --window "$1" "$2" "$3" click 1
}

# Asks a window to close as a window manager does (WM_DELETE_WINDOW), without one running.
closeLikeWindowManager() {
    python3 - "$1" <<'PY'
import ctypes, sys
x = ctypes.cdll.LoadLibrary("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
display = x.XOpenDisplay(None)
window = int(sys.argv[1])
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
event.xclient.data[1] = 0  # CurrentTime
x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x.XFlush(display)
x.XCloseDisplay(display)
PY
}

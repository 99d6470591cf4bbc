#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# The battle window opens in the middle of the screen. Moved elsewhere, it stays there
# through a restart (Ctrl+R after F5): the restart gives the same window a fresh match, and
# writes the record before it reads it back.
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
setupWork
readonly screenWidth=1600 screenHeight=1200
startDisplay "${screenWidth}x${screenHeight}x24"

# Fails unless the window's middle is within 2 px of the screen's (no window manager here,
# so the window has no frame and the whole screen is free).
expectCentred() {
    local info left top width height
    info=$(xwininfo -id "$1")
    left=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
    top=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
    width=$(awk '/^  Width:/ {print $2}' <<<"$info")
    height=$(awk '/^  Height:/ {print $2}' <<<"$info")
    local dx=$((2 * left + width - screenWidth)) dy=$((2 * top + height - screenHeight))
    ((dx >= -4 && dx <= 4 && dy >= -4 && dy <= 4)) ||
        fail "$2 is at $left,$top (${width}x$height), not in the middle of a ${screenWidth}x$screenHeight screen"
}

# Prints the window's top left corner as "X,Y".
cornerOf() {
    xwininfo -id "$1" | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
                             END {print x "," y}'
}

recordWritten() {
    [[ $(fileSize "$1") == 180 ]]
}

folder=$(gameFolder game)
startGame "$folder/rz6"
pid=$gamePid
window=$(waitWindow "$pid")
expectCentred "$window" "the battle window"
[[ $(fileSize "$folder/rz6.DAT") == 0 ]] || fail "a fresh start wrote the record before any unload"

# Where a player might drag it.
xdotool windowmove --sync "$window" 120 90
moved=$(cornerOf "$window")
focusWindow "$window"
keysChangeWindow "$window" key F5
xdotool key ctrl+r
waitFor "the restart to write the record" recordWritten "$folder/rz6.DAT"
[[ $(titledWindows "$pid") == "$window" ]] || fail "the restart replaced the battle window"
[[ $(cornerOf "$window") == "$moved" ]] ||
    fail "the battle window moved from $moved to $(cornerOf "$window") at the restart"

kill -TERM "$pid"
waitExit "$pid"
[[ $exitStatus == 0 ]] || fail "the game ended with status $exitStatus"
echo "PASS"

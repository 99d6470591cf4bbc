#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# The battle window opens in the middle of the screen, and so does the fresh one that a
# restart (Ctrl+R after F5) builds; the restart writes the record before it reads it back.
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

newWindowOf() {
    local id
    id=$(titledWindows "$1" | head -n 1)
    [[ -n $id && $id != "$2" ]]
}

folder=$(gameFolder game)
startGame "$folder/rz6"
pid=$gamePid
window=$(waitWindow "$pid")
expectCentred "$window" "the battle window"
[[ $(fileSize "$folder/rz6.DAT") == 0 ]] || fail "a fresh start wrote the record before any unload"

focusWindow "$window"
keysChangeWindow "$window" key F5
xdotool key ctrl+r
waitFor "the fresh battle window of the restart" newWindowOf "$pid" "$window"
window=$(titledWindows "$pid" | head -n 1)
expectCentred "$window" "the battle window after a restart"
[[ $(fileSize "$folder/rz6.DAT") == 180 ]] || fail "the restart did not write the record"

kill -TERM "$pid"
waitExit "$pid"
[[ $exitStatus == 0 ]] || fail "the game ended with status $exitStatus"
echo "PASS"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# At twice the pixel density (QT_SCALE_FACTOR=2) the battle window is exactly twice as wide
# and twice as high as at scale 1: every widget, the menu bar and the status bar grow alike.
# When RZ6_E2E_SHOTS names a folder and ImageMagick's import is installed, the window at
# scale 2 is saved there as hidpi.png for a person to look at.
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
setupWork
startDisplay 2000x1400x24

folder=$(gameFolder game)
windowSizeAt() {
    startGame "$folder/rz6" "QT_SCALE_FACTOR=$1"
    local pid=$gamePid window
    window=$(waitWindow "$pid")
    width=$(windowWidth "$window")
    height=$(windowHeight "$window")
    if [[ $1 == 2 && -n ${RZ6_E2E_SHOTS:-} ]] && command -v import >/dev/null; then
        focusWindow "$window"
        keysChangeWindow "$window" key F5
        captureSteady "$window" "$work/steady.xwd"
        mkdir -p "$RZ6_E2E_SHOTS"
        import -window "$window" "$RZ6_E2E_SHOTS/hidpi.png"
    fi
    kill -TERM "$pid"
    waitExit "$pid"
    [[ $exitStatus == 0 ]] || fail "the game at scale $1 ended with status $exitStatus"
}

windowSizeAt 1
width1=$width height1=$height
[[ $width1 == "$clientWidth" ]] || fail "at scale 1 the battle window is $width1 px wide, expected $clientWidth"
windowSizeAt 2
((width == 2 * width1 && height == 2 * height1)) ||
    fail "at scale 2 the window is ${width}x$height, expected $((2 * width1))x$((2 * height1))"
echo "PASS"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Takes a picture of the battle window for the README: starts the game on a private X server
# in a temporary folder, starts a match with F5, types a few digits and saves the window.
#   scripts/screenshot.sh [path/to/rz6] [out.png]
# Defaults: the program of build-e2e (build it first with scripts/build.sh build-e2e) and
# docs/screenshot.png. Needs Xvfb and xdotool (scripts/deps.sh --test) and ImageMagick's import.
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build-e2e/rz6}
out=$(realpath -m "${2:-$root/docs/screenshot.png}")
set -- "$program"
source "$root/tests/lib/rz6_test_lib.sh"
need import
setupWork
startDisplay 1280x1024x24

folder=$(gameFolder game)
startGame "$folder/rz6"
window=$(waitWindow "$gamePid")
focusWindow "$window"
keysChangeWindow "$window" key F5
keysChangeWindow "$window" type 741
captureSteady "$window" "$work/steady.xwd"
import -window "$window" "$out"
kill -TERM "$gamePid"
waitExit "$gamePid"
echo "Saved $out ($(stat -c %s "$out") bytes)"

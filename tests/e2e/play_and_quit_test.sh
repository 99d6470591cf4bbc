#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# A short session with no record yet: start a match with F5, type two digits and abandon them
# with Enter, then leave the game, either through the menu 試合 → 終了 or by the signal a
# desktop, a terminal or a kill sends. Whichever way, the game ends normally, frees its lock
# and leaves a whole 180-byte record beside itself: nothing was landed, so all zero.
#   usage: play_and_quit_test.sh path/to/rz6 menu|TERM|HUP|INT
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
way=${2:?menu, TERM, HUP or INT}
setupWork
startDisplay

folder=$(gameFolder game)
startGame "$folder/rz6"
pid=$gamePid
window=$(waitWindow "$pid")
[[ $(windowWidth "$window") == "$clientWidth" ]] ||
    fail "the battle window is $(windowWidth "$window") px wide, expected $clientWidth"

focusWindow "$window"
keysChangeWindow "$window" key F5
keysChangeWindow "$window" type 12
keysChangeWindow "$window" key Return

case $way in
menu) quitThroughMenu "$pid" "$window" ;;
TERM | HUP | INT) kill "-$way" "$pid" ;;
*) fail "unknown way to quit: $way" ;;
esac

waitExit "$pid"
[[ $exitStatus == 0 ]] || fail "the game ended with status $exitStatus after quitting by $way"
[[ -f $folder/rz6.DAT ]] || fail "no record beside the program"
[[ $(fileSize "$folder/rz6.DAT") == 180 ]] ||
    fail "the record is $(fileSize "$folder/rz6.DAT") bytes, expected 180"
isAllZero "$folder/rz6.DAT" || fail "a session that landed nothing left counts in the record"
[[ ! -e $folder/rz6.lock ]] || fail "the lock stayed behind after a normal end"
[[ -z $(ls -A "$work/cwd") ]] || fail "the game wrote into its working folder: $(ls -A "$work/cwd")"
[[ -z $(ls -A "$XDG_DATA_HOME") ]] || fail "a portable copy wrote into the data folder"
echo "PASS"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# A second start of the game, while the first copy runs, shows the notice
# "既に起動されています。" and ends after OK; the first copy plays on, and neither the record
# nor the first copy's lock is touched.
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
setupWork
startDisplay

folder=$(gameFolder game)
record=$folder/rz6.DAT
{
    for total in 9000 7000 5000 3000 1000; do le32 "$total"; done
    for id in $(seq 0 39); do le32 $((id * 7 + 1)); done
} >"$record"

startGame "$folder/rz6"
first=$gamePid
firstWindow=$(waitWindow "$first")
[[ -s $folder/rz6.lock ]] || fail "the running game holds no lock beside its record"

cp "$record" "$work/record-before"
cp "$folder/rz6.lock" "$work/lock-before"
stampBefore=$(fileStamp "$record")

startGame "$folder/rz6"
second=$gamePid
notice=$(waitWindow "$second")
# The notice is a message box, not a second battle window, and it waits for the player.
(($(windowWidth "$notice") < $(windowWidth "$firstWindow"))) ||
    fail "the second start showed a window as wide as the battle window"
running "$second" || fail "the second start ended before the notice was answered"

focusWindow "$notice"
xdotool key Return
waitExit "$second"
[[ $exitStatus == 0 ]] || fail "the refused start ended with status $exitStatus, expected 0"

running "$first" || fail "the first copy ended together with the refused one"
[[ -n $(titledWindows "$first") ]] || fail "the first copy lost its battle window"
[[ $(fileStamp "$record") == "$stampBefore" ]] ||
    fail "the record was written or replaced by the refused start"
cmp -s "$record" "$work/record-before" || fail "the record's bytes changed"
cmp -s "$folder/rz6.lock" "$work/lock-before" || fail "the refused start took over the lock"

# The first copy still answers the player.
focusWindow "$firstWindow"
keysChangeWindow "$firstWindow" key F5

kill -TERM "$first"
waitExit "$first"
[[ $exitStatus == 0 ]] || fail "the first copy ended with status $exitStatus on SIGTERM"
echo "PASS"

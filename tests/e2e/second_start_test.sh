#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# A second start of the game, while the first copy runs, shows the notice
# "既に起動されています。" and ends after OK; the first copy plays on, and neither the record
# nor the first copy's lock is touched. The same once the lock file was deleted: one copy per
# record whatever happens to rz6.lock. Then the whole folder is deleted under the first copy:
# its save at the end makes the folder again, readable by the player alone, with the record.
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

# Starts a second copy and answers its notice; the copy must end without a battle window.
startRefused() {
    startGame "$folder/rz6"
    local second=$gamePid notice
    notice=$(waitWindow "$second")
    # The notice is a message box, not a second battle window, and it waits for the player.
    (($(windowWidth "$notice") < $(windowWidth "$firstWindow"))) ||
        fail "$1: the second start showed a window as wide as the battle window"
    running "$second" || fail "$1: the second start ended before the notice was answered"
    focusWindow "$notice"
    xdotool key Return
    waitExit "$second"
    [[ $exitStatus == 0 ]] || fail "$1: the refused start ended with status $exitStatus, expected 0"
}

startRefused "lock in place"

running "$first" || fail "the first copy ended together with the refused one"
[[ -n $(titledWindows "$first") ]] || fail "the first copy lost its battle window"
[[ $(fileStamp "$record") == "$stampBefore" ]] ||
    fail "the record was written or replaced by the refused start"
cmp -s "$record" "$work/record-before" || fail "the record's bytes changed"
cmp -s "$folder/rz6.lock" "$work/lock-before" || fail "the refused start took over the lock"

rm "$folder/rz6.lock"
startRefused "lock deleted"
cmp -s "$record" "$work/record-before" || fail "the record's bytes changed"

# The first copy still answers the player.
focusWindow "$firstWindow"
keysChangeWindow "$firstWindow" key F5

rm -rf "$folder"
kill -TERM "$first"
waitExit "$first"
[[ $exitStatus == 0 ]] || fail "the first copy ended with status $exitStatus on SIGTERM"
cmp -s "$record" "$work/record-before" || fail "the record was not saved into the folder made again"
[[ $(stat -c %a "$folder") == 700 ]] || fail "the folder made again has mode $(stat -c %a "$folder")"
[[ ! -e $folder/rz6.lock ]] || fail "the lock stayed behind"
echo "PASS"

#!/usr/bin/env bash
# A copy of the game that was killed leaves its lock behind; the next start recognises it as
# stale and plays, instead of claiming the game is already running.
source "$(dirname "$0")/e2e_lib.sh"
setupWork
startDisplay

folder=$(gameFolder game)
startGame "$folder/rz6"
killed=$gamePid
waitWindow "$killed" >/dev/null
kill -KILL "$killed"
waitExit "$killed"
[[ $exitStatus == 137 ]] || fail "the killed copy ended with status $exitStatus"
[[ -s $folder/rz6.lock ]] || fail "no lock was left behind by the killed copy"

startGame "$folder/rz6"
next=$gamePid
window=$(waitWindow "$next")
[[ $(windowWidth "$window") == 618 ]] ||
    fail "the next start showed a ${window} window $(windowWidth "$window") px wide, not the battle window"
grep -q "^$next\$" "$folder/rz6.lock" || fail "the next start did not take the lock over"

kill -TERM "$next"
waitExit "$next"
[[ $exitStatus == 0 ]] || fail "the next start ended with status $exitStatus"
[[ $(fileSize "$folder/rz6.DAT") == 180 ]] || fail "the record was not saved after the stale lock"
[[ ! -e $folder/rz6.lock ]] || fail "the lock stayed behind after a normal end"
echo "PASS"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# The game is asked to quit (SIGTERM saves, then quits) and killed outright a moment later,
# hundreds of times. Whenever the kill lands, the record must be whole: either the file as
# it was before the run or the file the save meant to write, never a torn or empty one.
# The delays come from a fixed seed, so every run tries the same moments.
#   kill_during_save.sh PROGRAM [ITERATIONS] [SECONDS]
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
iterations=${2:-300}
budget=${3:-100} # bounds the loop on a slow (sanitizer) build; at least 40 rounds must run
setupWork
startDisplay
folder=$(gameFolder game)
record=$folder/rz6.DAT
RANDOM=4711

# A whole record of 45 values that differ from round to round.
wholeRecord() {
    local i
    for ((i = 0; i < 45; i++)); do le32 $(($1 * 1000 + i - 3)); done
}

# The record before a run, by round: empty, only the best totals, whole, whole with extra
# bytes, and a long tail that is copied in several pieces.
writeOldRecord() {
    local round=$1
    case $((round % 5)) in
        0) : >"$record" ;;
        1) head -c 20 <(wholeRecord "$round") >"$record" ;;
        2) wholeRecord "$round" >"$record" ;;
        3) { wholeRecord "$round"; printf 'EXTRA%015d' "$round"; } >"$record" ;;
        4) { wholeRecord "$round"; head -c 150000 /dev/zero | tr '\0' 'T'; } >"$record" ;;
    esac
    cp "$record" "$work/old"
    # What a save writes: the record padded with zero bytes to 180, then the old tail.
    local size
    size=$(fileSize "$work/old")
    cp "$work/old" "$work/new"
    if ((size < 180)); then
        head -c $((180 - size)) /dev/zero >>"$work/new"
    fi
}

# True once this copy holds the lock (a killed one leaves a stale lock behind).
holdsLock() {
    running "$1" || fail "round $rounds: the game ended at start"
    [[ $(head -n 1 "$folder/rz6.lock" 2>/dev/null) == "$1" ]]
}

SECONDS=0
rounds=0 oldSeen=0 newSeen=0 leftovers=0
while ((rounds < iterations && (SECONDS < budget || rounds < 40))); do
    writeOldRecord "$rounds"
    startGame "$folder/rz6"
    waitFor "round $rounds: the game to take the lock" holdsLock "$gamePid"
    sleep "0.$(printf '%03d' $((RANDOM % 600)))"
    kill -TERM "$gamePid" 2>/dev/null || true
    sleep "0.$(printf '%03d' $((RANDOM % 40)))"
    killGame "$gamePid"

    if cmp -s "$record" "$work/old"; then
        ((++oldSeen))
    elif cmp -s "$record" "$work/new"; then
        ((++newSeen))
    else
        fail "round $rounds: the record is neither the old nor the new one ($(fileSize "$record") bytes)"
    fi
    # An interrupted save may leave its unfinished temporary file; it must never be taken
    # for the record, and it is cleared here so that the folder does not fill up.
    for file in $(tempFiles "$folder"); do
        ((++leftovers))
        rm -f "${folder:?}/$file"
    done
    rm -f "$work"/game-*.log
    ((++rounds))
done
echo "PASS: $rounds kills, $oldSeen left the old record, $newSeen the new one," \
    "$leftovers unfinished temporary files cleared, ${SECONDS}s"

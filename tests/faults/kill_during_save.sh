#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# The game is asked to quit (SIGTERM saves, then quits) and killed outright a moment later,
# hundreds of times. Whenever the kill lands, the record must be whole: either the file as
# it was before the run or the file the save meant to write, never a torn or empty one.
# The delays come from a fixed seed, so every run tries the same moments. Before that, one
# save is traced to show why: the new file is synced to the disk before it takes the
# record's place. After it, the display itself is killed in the middle of a match: the
# record is written as it stands and the lock let go before the game ends.
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

# The pid in the lock is the game's own, also when a tracer runs it.
lockHolder() {
    head -n 1 "$folder/rz6.lock" 2>/dev/null
}

hasLockHolder() {
    [[ -n $(lockHolder) ]]
}

# The order of one save's sync and rename, as the system saw them.
if command -v strace >/dev/null; then
    writeOldRecord 2
    # LeakSanitizer cannot work under a tracer and would end a sanitizer build at exit with a
    # fatal error, so the traced run checks no leaks; the kill loop below still does.
    startGame "$folder/rz6" "ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" \
        strace -f -y -o "$work/trace" -e trace=fsync,fdatasync,rename,renameat,renameat2
    waitFor "the traced game to take the lock" hasLockHolder
    kill -TERM "$(lockHolder)"
    waitExit "$gamePid"
    renamed=$(grep -m1 -o 'rz6\.DAT\.[A-Za-z0-9]\{6\}", [^)]*rz6\.DAT"' "$work/trace" | cut -d'"' -f1) ||
        fail "the traced save renamed nothing into the record's place: $(cat "$work/trace")"
    synced=$(grep -n "fsync([0-9]*<[^>]*$renamed>) = 0" "$work/trace" | head -n 1 | cut -d: -f1)
    moved=$(grep -n "rename.*$renamed\"" "$work/trace" | head -n 1 | cut -d: -f1)
    [[ -n $synced ]] && ((synced < moved)) ||
        fail "the new record was not synced before it took the old one's place: $(cat "$work/trace")"
    cmp -s "$record" "$work/new" || fail "the traced save did not write the record"
    echo "sync before rename: ok"
fi

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
echo "$rounds kills, $oldSeen left the old record, $newSeen the new one," \
    "$leftovers unfinished temporary files cleared, ${SECONDS}s"

# The display killed in the middle of a match (a crashed X server, a dropped remote session):
# the record is written with the match's landings so far, and no lock stays behind. The
# strikes try the repeated-digit techniques, so one may land before the kill; the file is
# new (another inode) in any case, and no count has gone down.
rm -f "$folder/rz6.lock"
wholeRecord 7 >"$record"
cp "$record" "$work/old"
before=$(fileStamp "$record")
startGame "$folder/rz6"
window=$(waitWindow "$gamePid")
focusWindow "$window"
keysChangeWindow "$window" key --window "$window" F5
# Killed as soon as the first strike shows; the rest wait behind its pause.
keysChangeWindow "$window" type --window "$window" --delay 0 111022203330444055506660777088809990
kill -KILL "$xvfbPid"
wait "$xvfbPid" 2>/dev/null || true
xvfbPid=''
waitExit "$gamePid"
[[ ! -e $folder/rz6.lock ]] || fail "the lock stayed behind after the display was lost"
[[ $(fileStamp "$record") != "$before" ]] || fail "the record was not written when the display was lost"
[[ $(fileSize "$record") == 180 ]] || fail "the record is $(fileSize "$record") bytes"
cmp -s <(head -c 20 "$record") <(head -c 20 "$work/old") || fail "the best totals changed"
landed=0
for ((id = 0; id < 40; id++)); do
    was=$(od -An -t d4 -j $((20 + 4 * id)) -N 4 "$work/old" | tr -d ' ')
    now=$(od -An -t d4 -j $((20 + 4 * id)) -N 4 "$record" | tr -d ' ')
    ((now >= was)) || fail "the count of technique $id went down from $was to $now"
    landed=$((landed + now - was))
done
echo "display lost: ok (status $exitStatus, $landed landings saved)"
echo "PASS"

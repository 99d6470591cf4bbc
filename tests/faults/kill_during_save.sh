#!/usr/bin/env bash
# The game is asked to quit (SIGTERM saves, then quits) and killed outright a moment later,
# hundreds of times. Whenever the kill lands, the record must be whole: either the file as
# it was before the run or the file the save meant to write, never a torn or empty one.
# The delays come from a fixed seed, so every run tries the same moments.
#   kill_during_save.sh PROGRAM [ITERATIONS] [SECONDS]
source "$(dirname "$0")/lib.sh" "$1"
iterations=${2:-300}
budget=${3:-100}  # bounds the loop on a slow (sanitizer) build; at least 40 rounds must run
start_xvfb
dir=$(game_dir game)
record="$dir/rz6.DAT"
RANDOM=4711

# The record before a run, by round: empty, only the best totals, whole, whole with extra
# bytes, and a long tail that is copied in several pieces.
# One 32-bit value, little-endian.
le32() {
    local v=$(( $1 & 0xFFFFFFFF ))
    printf "\\x$(printf %02x $((v & 255)))\\x$(printf %02x $((v >> 8 & 255)))"
    printf "\\x$(printf %02x $((v >> 16 & 255)))\\x$(printf %02x $((v >> 24 & 255)))"
}

# A whole record of 45 values that differ from round to round.
whole_record() {
    local i
    for ((i = 0; i < 45; i++)); do le32 $(($1 * 1000 + i - 3)); done
}

# The record before a run, by round: empty, only the best totals, whole, whole with extra
# bytes, and a long tail that is copied in several pieces.
write_old_record() {
    local round=$1
    case $((round % 5)) in
        0) : >"$record" ;;
        1) whole_record "$round" | head -c 20 >"$record" ;;
        2) whole_record "$round" >"$record" ;;
        3) { whole_record "$round"; printf 'EXTRA%015d' "$round"; } >"$record" ;;
        4) { whole_record "$round"; head -c 150000 /dev/zero | tr '\0' 'T'; } >"$record" ;;
    esac
    cp "$record" "$work/old"
    # What a save writes: the record padded with zero bytes to 180, then the old tail.
    local size
    size=$(stat -c %s "$work/old")
    { cat "$work/old"; ((size < 180)) && head -c $((180 - size)) /dev/zero; } >"$work/new"
}

SECONDS=0
rounds=0 old_seen=0 new_seen=0 leftovers=0
while ((rounds < iterations && (SECONDS < budget || rounds < 40))); do
    write_old_record "$rounds"
    start_game "$dir"
    # Wait until this copy holds the lock (a killed one leaves a stale lock behind).
    tries=0
    until [[ "$(head -n 1 "$dir/rz6.lock" 2>/dev/null)" == "$game_pid" ]]; do
        ((tries++ < 1000)) || fail "round $rounds: the game never took the lock"
        kill -0 "$game_pid" 2>/dev/null || fail "round $rounds: the game ended at start"
        sleep 0.01
    done
    sleep "0.$(printf '%03d' $((RANDOM % 600)))"
    kill -TERM "$game_pid" 2>/dev/null
    sleep "0.$(printf '%03d' $((RANDOM % 40)))"
    kill -KILL "$game_pid" 2>/dev/null
    wait "$game_pid" 2>/dev/null
    game_pid=

    if cmp -s "$record" "$work/old"; then
        ((old_seen++))
    elif cmp -s "$record" "$work/new"; then
        ((new_seen++))
    else
        fail "round $rounds: the record is neither the old nor the new one ($(stat -c %s "$record") bytes)"
    fi
    # An interrupted save may leave its unfinished temporary file; it must never be taken
    # for the record, and it is cleared here so that the folder does not fill up.
    for f in $(temp_files "$dir"); do
        ((leftovers++))
        rm -f "$dir/$f"
    done
    ((rounds++))
done
echo "PASS: $rounds kills, $old_seen left the old record, $new_seen the new one," \
     "$leftovers unfinished temporary files cleared, ${SECONDS}s"

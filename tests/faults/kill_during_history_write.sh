#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Matches are written to the history through the game's store, and the writer is killed
# outright at random moments, many times over the same file. After every kill the file must
# open, pass SQLite's own check, and hold every match the writer had reported written, each
# whole (its techniques and all its keys); the next writer goes on from there.
# The delays come from a fixed seed, so every run tries the same moments.
#   kill_during_history_write.sh PROGRAM WRITER [ITERATIONS]
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
writer=$2
iterations=${3:-60}
need sqlite3
setupWork
history=$work/rz6-history.sqlite
RANDOM=2026

next=0
for ((round = 0; round < iterations; round++)); do
    "$writer" "$history" "$next" 1000 >"$work/written" 2>"$work/errors" &
    pid=$!
    sleep "0.$(printf '%03d' $((RANDOM % 300)))"
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    [[ -s "$work/errors" ]] && fail "round $round: the writer failed: $(cat "$work/errors")"
    last=$(tail -n 1 "$work/written" | sed -n 's/^written //p')
    [[ -n "$last" ]] && next=$((last + 1))

    # A writer killed before it made its tables leaves no history, or one without them;
    # that is whole too, as long as it reported nothing. Read only, so nothing is created.
    tables=$(sqlite3 -readonly "$history" "SELECT count(*) FROM sqlite_master WHERE name = 'matches'" 2>/dev/null || true)
    if [[ $tables != 1 ]]; then
        ((next == 0)) || fail "round $round: the history lost the matches it had"
        continue
    fi
    check=$(sqlite3 "$history" "PRAGMA integrity_check" 2>&1)
    [[ "$check" == ok ]] || fail "round $round: the history does not pass its check: $check"
    # Every reported match is there; one more may be there too (killed after its commit,
    # before it was reported), never half of one.
    counts=$(sqlite3 "$history" "SELECT count(*) FROM matches WHERE overall_score < $next;
        SELECT count(*) FROM matches m WHERE (SELECT count(*) FROM match_keys k WHERE k.match_id = m.id) != 200
            OR NOT EXISTS (SELECT 1 FROM match_techniques t WHERE t.match_id = m.id);
        SELECT max(overall_score) FROM matches;")
    read -r reported torn highest <<<"$(echo $counts)"
    ((reported == next)) || fail "round $round: $reported of the $next reported matches are there"
    ((torn == 0)) || fail "round $round: $torn matches are not whole"
    # A match committed but not reported is kept; the next writer starts after it.
    [[ -n "$highest" ]] && ((highest >= next)) && next=$((highest + 1))
done
echo "PASS: $iterations kills, $next matches kept whole"

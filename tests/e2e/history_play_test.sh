#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Two matches played by keys (the first copy killed at its result screen) appear in 戦績,
# read over the accessibility bus, and come out in the CSV (history_play.py); the history
# then holds both, whole, and the record is still its 180 bytes.
#   usage: history_play_test.sh path/to/rz6
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
needAccessibilityBus sqlite3
setupWork
startDisplay

folder=$(gameFolder game)
mkdir -p "$work/cwd"
status=0
RZ6_TITLE=$title PYTHONPATH=$(dirname "$0") dbus-run-session -- "$python" "$(dirname "$0")/history_play.py" \
    "$folder/rz6" "$work/cwd" "$work/senseki.csv" || status=$?
[[ $status == 0 ]] || exit "$status"

history=$folder/rz6-history.sqlite
[[ $(sqlite3 "$history" "PRAGMA integrity_check") == ok ]] || fail "the history does not pass its check"
[[ $(sqlite3 "$history" "SELECT count(*) FROM matches") == 2 ]] || fail "the history does not hold two matches"
[[ $(sqlite3 "$history" "SELECT count(*) FROM match_keys") -gt 20 ]] || fail "the keys are not in the history"
[[ $(fileSize "$folder/rz6.DAT") == 180 ]] || fail "the record is $(fileSize "$folder/rz6.DAT") bytes"
echo "PASS"

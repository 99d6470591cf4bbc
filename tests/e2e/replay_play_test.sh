#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Two matches played by keys, watched again from 戦績 (「再生」 and Enter on a row) and from a
# replay file in a second copy (rz6 --replay) beside the running game, each replay read over
# the accessibility bus and held to what was read live (replay_play.py); watching leaves the
# record and the history as they were, and the record is still its 180 bytes.
#   usage: replay_play_test.sh path/to/rz6
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
needAccessibilityBus sqlite3
setupWork
startDisplay

folder=$(gameFolder game)
mkdir -p "$work/cwd"
status=0
RZ6_TITLE=$title PYTHONPATH=$(dirname "$0") dbus-run-session -- "$python" "$(dirname "$0")/replay_play.py" \
    "$folder/rz6" "$work/cwd" "$work/match.rz6replay" || status=$?
[[ $status == 0 ]] || exit "$status"

[[ -s $work/match.rz6replay ]] || fail "the replay file is not where it was written"
[[ $(sqlite3 "$folder/rz6-history.sqlite" "SELECT count(*) FROM matches") == 2 ]] ||
    fail "the history does not hold the two matches"
[[ $(fileSize "$folder/rz6.DAT") == 180 ]] || fail "the record is $(fileSize "$folder/rz6.DAT") bytes"
echo "PASS"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# A whole session with the keyboard alone, followed only through the accessibility bus, as
# with a screen reader: start, strike, hear the outcomes, finish, hear the result, rematch,
# read the record and pick a character, each screen left with its key (accessible_play.py).
# The bus runs in a private D-Bus session, so nothing of the desktop's own is touched.
# With "en", the same session on an English desktop, heard in English.
#   usage: accessible_play_test.sh path/to/rz6 [ja|en]
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
needAccessibilityBus
setupWork
startDisplay

folder=$(gameFolder game)
mkdir -p "$work/cwd"
language=${2:-ja}
shownTitle=$title
if [[ $language == en ]]; then shownTitle='Sword Rhythm II'; fi
status=0
RZ6_TITLE=$shownTitle RZ6_LANGUAGE=$language dbus-run-session -- \
    "$python" "$(dirname "$0")/accessible_play.py" "$folder/rz6" "$work/cwd" || status=$?
[[ $status == 0 ]] || exit "$status"

[[ $(fileSize "$folder/rz6.DAT") == 180 ]] ||
    fail "the record is $(fileSize "$folder/rz6.DAT") bytes, expected 180"
isAllZero "$folder/rz6.DAT" && fail "the technique landed by keys is not in the record"
echo "PASS"

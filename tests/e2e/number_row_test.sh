#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# The number row and the keypad strike on a French and a German keyboard, without a digit in
# what the keys type (number_row_play.py); the record then counts each landing of 金剛撃.
#   usage: number_row_test.sh path/to/rz6
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
needAccessibilityBus setxkbmap xkbcomp
[[ -f /usr/share/X11/xkb/symbols/fr && -f /usr/share/X11/xkb/symbols/de ]] ||
    skip "the keyboard layouts are not installed (xkb-data)"
setupWork
startDisplay

folder=$(gameFolder game)
mkdir -p "$work/cwd"
status=0
RZ6_TITLE=$title PYTHONPATH=$(dirname "$0") dbus-run-session -- "$python" \
    "$(dirname "$0")/number_row_play.py" "$folder/rz6" "$work/cwd" || status=$?
[[ $status == 0 ]] || exit "$status"

# 金剛撃 is technique 3; its count is the record's element 3 + 5.
landed=$(od -An -t d4 --endian=little -j $(((3 + 5) * 4)) -N 4 "$folder/rz6.DAT" | tr -d ' ')
[[ $landed == 3 ]] || fail "the record counts $landed landings of 金剛撃, expected 3"
echo "PASS"

#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# A record with counts of every kind and 120 bytes after the first 180 (left there by other
# copies of the game) comes back byte for byte after a start and a quit: the game takes the
# values as they stand, negative or at the largest a count can hold, and keeps bytes it does
# not use.
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
setupWork
startDisplay

folder=$(gameFolder game)
record=$folder/rz6.DAT
{
    for total in 123456 65536 4000 -50 0; do le32 "$total"; done
    for id in $(seq 0 39); do le32 $((id * 1000 + id)); done
    for ((i = 0; i < 120; i++)); do printf "\\x$(printf %02x $((255 - i)))"; done
} >"$record"
[[ $(fileSize "$record") == 300 ]] || fail "the prepared record is not 300 bytes"
# The largest count, 2147483647, and a negative one, where counts 5 and 6 sit.
printf '\xff\xff\xff\x7f\xfe\xff\xff\xff' | dd of="$record" bs=1 seek=$((20 + 4 * 5)) conv=notrunc status=none
cp "$record" "$work/record-before"

startGame "$folder/rz6"
pid=$gamePid
waitWindow "$pid" >/dev/null
kill -TERM "$pid"
waitExit "$pid"
[[ $exitStatus == 0 ]] || fail "the game ended with status $exitStatus"

[[ $(fileSize "$record") == 300 ]] || fail "the record is now $(fileSize "$record") bytes, was 300"
cmp "$record" "$work/record-before" >&2 || fail "the record did not come back byte for byte"
echo "PASS"

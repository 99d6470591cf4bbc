#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# A save on a full disk keeps the old record exactly as it was. The game is asked to end by a
# signal, as a desktop or a service manager does: it must end at once with a non-zero status
# and the reason on standard error, with no box left waiting for a click. The game runs from
# a small tmpfs that is filled up before it quits; mounting one needs root and a system that
# allows mounts, otherwise the test is skipped. The tmpfs lives in a mount namespace of the
# test's own, so it goes with the test however the test ends, even killed by the runner.
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
[[ $(id -u) == 0 ]] || skip "mounting a small tmpfs needs root"
if [[ -z ${RZ6_OWN_MOUNTS:-} ]]; then
    unshare --mount --propagation private true 2>/dev/null ||
        skip "this system gives no mount namespace of the test's own"
    RZ6_OWN_MOUNTS=1 exec unshare --mount --propagation private bash "$0" "$@"
fi
setupWork
disk=$work/disk
mkdir -p "$disk"
sizeKib=$(($(fileSize "$rz6Binary") / 1024 + 1024))
mount -t tmpfs -o "size=${sizeKib}k" tmpfs "$disk" 2>/dev/null ||
    skip "this system does not allow mounting a tmpfs (no mount rights in this container)"
mountedInWork=$disk

startDisplay
cp "$rz6Binary" "$disk/rz6"
# A record with 64 KiB of the player's own bytes after it: the new file needs as much again.
{ head -c 180 /dev/zero | tr '\0' '\002'; head -c 65536 /dev/zero | tr '\0' 'F'; } >"$disk/rz6.DAT"
cp "$disk/rz6.DAT" "$work/old"
startGame "$disk/rz6"
expectWindow battle "$gamePid" >/dev/null
# Fill the disk, then give back a little, far less than a new record needs.
dd if=/dev/zero of="$disk/filler" bs=4k 2>/dev/null || true
truncate -s -16k "$disk/filler"
kill -TERM "$gamePid"
waitExit "$gamePid"
[[ $exitStatus == 1 ]] || fail "the failed save on SIGTERM ended with status $exitStatus, expected 1"
grep -q 'rz6.DAT」に書き込めませんでした' "$work"/game-1.log || fail "no reason on standard error"
cmp -s "$disk/rz6.DAT" "$work/old" || fail "the old record was not kept"
[[ -z $(tempFiles "$disk") ]] || fail "the failed save left files behind: $(tempFiles "$disk")"
echo "PASS"

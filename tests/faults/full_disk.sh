#!/usr/bin/env bash
# A save on a full disk must tell the player and keep the old record exactly as it was. The
# game runs from a small tmpfs that is filled up before it quits; mounting one needs root
# and a system that allows mounts, otherwise the test is skipped.
source "$(dirname "$0")/lib.sh" "$1"
[[ $(id -u) == 0 ]] || skip "mounting a small tmpfs needs root"
mnt="$work/disk"
mkdir -p "$mnt"
size_kib=$(( $(stat -c %s "$program_source") / 1024 + 1024 ))
mount -t tmpfs -o "size=${size_kib}k" tmpfs "$mnt" 2>/dev/null ||
    skip "this system does not allow mounting a tmpfs (no mount rights in this container)"
unmount() { umount "$mnt" 2>/dev/null; cleanup; }
trap unmount EXIT

start_xvfb
cp "$program_source" "$mnt/rz6"
# A record with 64 KiB of the player's own bytes after it: the new file needs as much again.
{ head -c 180 /dev/zero | tr '\0' '\002'; head -c 65536 /dev/zero | tr '\0' 'F'; } >"$mnt/rz6.DAT"
cp "$mnt/rz6.DAT" "$work/old"
start_game "$mnt"
expect_window battle >/dev/null
# Fill the disk, then give back a little, far less than a new record needs.
dd if=/dev/zero of="$mnt/filler" bs=4k 2>/dev/null
truncate -s -16k "$mnt/filler"
kill -TERM "$game_pid"
box=$(expect_window message)
press_ok "$box"
wait_exit
[[ "$exit_status" == 0 ]] || fail "the game ended with status $exit_status"
cmp -s "$mnt/rz6.DAT" "$work/old" || fail "the old record was not kept"
[[ -z "$(temp_files "$mnt")" ]] || fail "the failed save left files behind: $(temp_files "$mnt")"
echo "PASS"

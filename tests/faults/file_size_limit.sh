#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# A save that runs into the file-size limit (RLIMIT_FSIZE, with SIGXFSZ ignored as a shell's
# `ulimit -f` leaves it) must tell the player and keep the old record exactly as it was. The
# player quits through the menu, so the message waits in front until it has been read.
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
setupWork
startDisplay

folder=$(gameFolder game)
# A whole record followed by 3000 bytes of the player's own: the new file would be 3180 bytes,
# more than the 2 KiB the game may write.
{ head -c 180 /dev/zero | tr '\0' '\001'; head -c 3000 /dev/zero | tr '\0' 'X'; } >"$folder/rz6.DAT"
cp "$folder/rz6.DAT" "$work/old"

limited() { trap '' XFSZ; ulimit -f 2; exec "$@"; }
export -f limited
startGame "$folder/rz6" bash -c 'limited "$@"' limited

window=$(expectWindow battle "$gamePid")
quitThroughMenu "$gamePid" "$window"
box=$(waitMessageBox "$gamePid")
expectInFront "$box" "the message about the failed save"
running "$gamePid" || fail "the game ended before the player saw the message"
pressOk "$box"
waitExit "$gamePid"
[[ $exitStatus == 0 ]] || fail "the game ended with status $exitStatus"
cmp -s "$folder/rz6.DAT" "$work/old" || fail "the old record was not kept"
[[ -z $(tempFiles "$folder") ]] || fail "the failed save left files behind: $(tempFiles "$folder")"
echo "PASS"

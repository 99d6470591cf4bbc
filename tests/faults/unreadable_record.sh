#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Records the game cannot use: a folder in the record's place, a file the player may not
# read, a named pipe, and a 1 MiB file of noise. Each has one defined outcome and loses
# nothing it could keep:
# - a folder or an unreadable file: a message at start, the game plays, a second message at
#   quit says the record was not overwritten, and the file or folder is left as it was;
# - a named pipe: every message (at start, at the result screen, after a rematch) opens in
#   front of the window it is about, and SIGTERM ends the game at once with status 1, the
#   reason on standard error and no box waiting;
# - noise: read as a record (its first 180 bytes), and saved back with every other byte kept.
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
setupWork
startDisplay

# Plays a run that must warn at start and at quit and end normally.
runWithTwoWarnings() {
    local folder=$1; shift
    startGame "$folder/rz6" "$@"
    local box window
    box=$(waitMessageBox "$gamePid")
    window=$(expectWindow battle "$gamePid")
    expectInFront "$box" "the message at start"
    pressOk "$box"
    waitFor "the message at start to close" eval "! hasMessageBox $gamePid"
    quitThroughMenu "$gamePid" "$window"
    pressOk "$(waitMessageBox "$gamePid")"
    waitExit "$gamePid"
    [[ $exitStatus == 0 ]] || fail "the game ended with status $exitStatus"
}

# A folder named like the record, with something of the player's inside.
folder=$(gameFolder folder)
mkdir "$folder/rz6.DAT"
echo "keep me" >"$folder/rz6.DAT/note"
runWithTwoWarnings "$folder"
[[ -d $folder/rz6.DAT && $(cat "$folder/rz6.DAT/note") == "keep me" ]] ||
    fail "the folder in the record's place was changed"
[[ -z $(tempFiles "$folder") ]] || fail "files left behind: $(tempFiles "$folder")"
echo "folder: ok"

# A record without read permission, for a player who is not root (root reads anything).
if [[ $(id -u) == 0 ]] && command -v setpriv >/dev/null; then
    folder=$(gameFolder unreadable)
    chmod 755 "$work"
    chmod 777 "$folder"
    head -c 200 /dev/zero | tr '\0' '\007' >"$folder/rz6.DAT"
    cp "$folder/rz6.DAT" "$work/old"
    chown 65534:65534 "$folder/rz6.DAT"
    chmod 000 "$folder/rz6.DAT"
    mkdir -p "$work/nobody" && chown 65534:65534 "$work/nobody"
    # A sanitizer build reads its leak suppressions as that player too: hand it a copy it may
    # read, wherever the checkout lies.
    sanitizerEnv=()
    if [[ ${LSAN_OPTIONS:-} =~ suppressions=([^:]*) ]]; then
        install -m 644 "${BASH_REMATCH[1]}" "$work/lsan.supp"
        sanitizerEnv=("LSAN_OPTIONS=${LSAN_OPTIONS/"${BASH_REMATCH[1]}"/$work/lsan.supp}")
    fi
    runWithTwoWarnings "$folder" setpriv --reuid=65534 --regid=65534 --clear-groups \
        env HOME="$work/nobody" XDG_RUNTIME_DIR= "${sanitizerEnv[@]}"
    [[ $(stat -c %a "$folder/rz6.DAT") == 0 ]] || fail "the unreadable record's permissions changed"
    cmp -s "$folder/rz6.DAT" "$work/old" || fail "the unreadable record was changed"
    echo "unreadable: ok"
elif [[ $(id -u) != 0 ]]; then
    folder=$(gameFolder unreadable)
    head -c 200 /dev/zero | tr '\0' '\007' >"$folder/rz6.DAT"
    cp "$folder/rz6.DAT" "$work/old"
    chmod 000 "$folder/rz6.DAT"
    runWithTwoWarnings "$folder"
    chmod 600 "$folder/rz6.DAT"
    cmp -s "$folder/rz6.DAT" "$work/old" || fail "the unreadable record was changed"
    echo "unreadable: ok"
else
    echo "unreadable: skipped, setpriv is not installed to drop root's rights"
fi

# A named pipe at the record's name, through a whole match and a rematch. Nothing may ever
# open the pipe, so no writer is needed: a game that did would hang here.
folder=$(gameFolder pipe)
mkfifo "$folder/rz6.DAT"
startGame "$folder/rz6"
box=$(waitMessageBox "$gamePid")
window=$(expectWindow battle "$gamePid")
expectInFront "$box" "the message at start"
pressOk "$box"
waitFor "the message at start to close" eval "! hasMessageBox $gamePid"
focusWindow "$window"
xdotool key --window "$window" F5
xdotool type --window "$window" --delay 0 "$(printf '112112112%.0s' {1..15})"
result=$(waitTitled "$gamePid" '競技終了')
box=$(waitMessageBox "$gamePid")
expectInFront "$box" "the message about the save at the result screen"
pressOk "$box"
waitFor "the message at the result to close" eval "! hasMessageBox $gamePid"
clickAt "$result" 368 388 # 再試合
waitFor "the result screen to close" eval "! hasWindowTitled $gamePid 競技終了"
box=$(waitMessageBox "$gamePid")
expectInFront "$box" "the message about the save at the rematch"
# Asked to end by a signal with that box still open: nothing waits for a click.
signalled=$SECONDS
kill -TERM "$gamePid"
waitExit "$gamePid"
((SECONDS - signalled <= 5)) || fail "the game took $((SECONDS - signalled)) s to end on SIGTERM"
[[ $exitStatus == 1 ]] || fail "SIGTERM with an unsavable record ended with status $exitStatus"
grep -q '上書きしませんでした' "$work"/game-*.log || fail "no reason on standard error"
[[ -p $folder/rz6.DAT ]] || fail "the named pipe in the record's place was changed"
echo "pipe: ok"

# 1 MiB of noise from a fixed seed.
folder=$(gameFolder noise)
awk 'BEGIN { srand(1234); for (i = 0; i < 1048576; i++) printf "%c", int(rand() * 256) }' \
    LC_ALL=C >"$folder/rz6.DAT"
[[ $(fileSize "$folder/rz6.DAT") == 1048576 ]] || fail "could not make the noise file"
cp "$folder/rz6.DAT" "$work/old"
startGame "$folder/rz6"
expectWindow battle "$gamePid" >/dev/null
kill -TERM "$gamePid"
waitExit "$gamePid"
[[ $exitStatus == 0 ]] || fail "the game ended with status $exitStatus"
cmp "$folder/rz6.DAT" "$work/old" || fail "the noise record did not come back byte for byte"
echo "noise: ok"
echo "PASS"

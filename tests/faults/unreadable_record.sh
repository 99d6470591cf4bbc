#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Records the game cannot use: a folder in the record's place, a file the player may not
# read, and a 1 MiB file of noise. Each has one defined outcome and loses nothing it could keep:
# - a folder or an unreadable file: a message at start, the game plays, a second message at
#   quit says the record was not overwritten, and the file or folder is left as it was;
# - noise: read as a record (its first 180 bytes), and saved back with every other byte kept.
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
setupWork
startDisplay

# Plays a run that must warn at start and at quit and end normally.
runWithTwoWarnings() {
    local folder=$1; shift
    startGame "$folder/rz6" "$@"
    pressOk "$(expectWindow message "$gamePid")"
    expectWindow battle "$gamePid" >/dev/null
    kill -TERM "$gamePid"
    pressOk "$(expectWindow message "$gamePid")"
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

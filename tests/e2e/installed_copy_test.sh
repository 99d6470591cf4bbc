#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# An installed copy sits in a folder the player cannot write to: it keeps its record and its
# lock in $XDG_DATA_HOME/rz6 and writes nothing beside itself. A portable copy in a folder of
# the player's own keeps its record beside itself and leaves the data folder alone. With no
# folder it can write at all, the game says so and ends instead of playing without a record.
#   usage: installed_copy_test.sh path/to/rz6 path/to/cmake build-folder
#
# The installed tree is made read-only with a bind mount inside a private mount namespace,
# so the mount vanishes with the test whatever becomes of it.
if [[ -z ${RZ6_E2E_PRIVATE_MOUNTS:-} ]]; then
    if ! command -v unshare >/dev/null ||
        ! unshare --mount --propagation private true 2>/dev/null; then
        echo "SKIP: no private mount namespace here (unshare needs root or CAP_SYS_ADMIN)," \
            "so the install cannot be made read-only"
        exit 77
    fi
    RZ6_E2E_PRIVATE_MOUNTS=1 exec unshare --mount --propagation private bash "$0" "$@"
fi

source "$(dirname "$0")/../lib/rz6_test_lib.sh"
cmakeCommand=${2:?path to cmake}
buildFolder=${3:?build folder}
setupWork

prefix=$work/prefix
"$cmakeCommand" --install "$buildFolder" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed"
installed=$prefix/bin/rz6
[[ -x $installed ]] || fail "the install put no program at bin/rz6"
if ! mount --bind "$prefix" "$prefix" 2>"$work/mount.log"; then
    skip "mount --bind is not allowed here: $(cat "$work/mount.log")"
fi
mountedInWork=$prefix
mount -o remount,bind,ro "$prefix" 2>>"$work/mount.log" ||
    skip "a read-only bind mount is not allowed here: $(cat "$work/mount.log")"
if touch "$prefix/bin/probe" 2>/dev/null; then
    fail "the read-only mount of the install can still be written"
fi
find "$prefix" -printf '%P %s %T@\n' | sort >"$work/tree-before"

startDisplay

# The installed copy.
startGame "$installed"
pid=$gamePid
window=$(waitWindow "$pid")
[[ $(windowWidth "$window") == "$clientWidth" ]] ||
    fail "the installed copy showed a window $(windowWidth "$window") px wide, not the battle window"
dataFolder=$XDG_DATA_HOME/rz6
[[ -s $dataFolder/rz6.lock ]] || fail "the running installed copy holds no lock in $dataFolder"
[[ -f $dataFolder/rz6.DAT ]] || fail "the installed copy did not open its record in $dataFolder"
kill -TERM "$pid"
waitExit "$pid"
[[ $exitStatus == 0 ]] || fail "the installed copy ended with status $exitStatus"
[[ $(fileSize "$dataFolder/rz6.DAT") == 180 ]] ||
    fail "the installed copy's record is $(fileSize "$dataFolder/rz6.DAT") bytes, expected 180"
[[ ! -e $dataFolder/rz6.lock ]] || fail "the installed copy left its lock behind"
find "$prefix" -printf '%P %s %T@\n' | sort >"$work/tree-after"
diff "$work/tree-before" "$work/tree-after" >&2 || fail "the installed tree changed"

# Nowhere to keep a record: the installed copy in its read-only folder, with a data folder
# that cannot be written either. It says so in a message box captioned with the game's title,
# waits for OK, ends with a failure status and writes nothing anywhere.
export XDG_DATA_HOME=$prefix/share
startGame "$installed"
pid=$gamePid
notice=$(waitWindow "$pid")
(($(windowWidth "$notice") < $clientWidth)) || fail "with no writable folder the game still showed a battle window"
running "$pid" || fail "the game ended before its message was answered"
focusWindow "$notice"
xdotool key Return
waitExit "$pid"
[[ $exitStatus == 1 ]] || fail "with no writable folder the game ended with status $exitStatus, expected 1"
find "$prefix" -printf '%P %s %T@\n' | sort >"$work/tree-after"
diff "$work/tree-before" "$work/tree-after" >&2 || fail "the installed tree changed"

# A portable copy of the same program, in a folder of the player's own.
folder=$work/portable
mkdir -p "$folder"
cp "$installed" "$folder/rz6"
export XDG_DATA_HOME=$work/other-data
mkdir -p "$XDG_DATA_HOME"
startGame "$folder/rz6"
pid=$gamePid
waitWindow "$pid" >/dev/null
[[ -s $folder/rz6.lock ]] || fail "the running portable copy holds no lock beside itself"
kill -TERM "$pid"
waitExit "$pid"
[[ $exitStatus == 0 ]] || fail "the portable copy ended with status $exitStatus"
[[ $(fileSize "$folder/rz6.DAT") == 180 ]] || fail "the portable copy's record is not beside it"
[[ -z $(ls -A "$XDG_DATA_HOME") ]] || fail "the portable copy wrote into the data folder"
echo "PASS"

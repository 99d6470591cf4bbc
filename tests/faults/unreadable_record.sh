#!/usr/bin/env bash
# Records the game cannot use: a folder in the record's place, a file the player may not
# read, and a 1 MiB file of noise. Each has one defined outcome and loses nothing it could keep:
# - a folder or an unreadable file: a message at start, the game plays, a second message at
#   quit says the record was not overwritten, and the file or folder is left as it was;
# - noise: read as a record (its first 180 bytes), and saved back with every other byte kept.
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb

# Plays a run that must warn at start and at quit and end normally.
run_with_two_warnings() {
    local dir=$1; shift
    start_game "$dir" "$@"
    press_ok "$(expect_window message)"
    expect_window battle >/dev/null
    kill -TERM "$game_pid"
    box=$(expect_window message)
    press_ok "$box"
    wait_exit
    [[ "$exit_status" == 0 ]] || fail "the game ended with status $exit_status"
}

# A folder named like the record, with something of the player's inside.
dir=$(game_dir folder)
mkdir "$dir/rz6.DAT"
echo "keep me" >"$dir/rz6.DAT/note"
run_with_two_warnings "$dir"
[[ -d "$dir/rz6.DAT" && "$(cat "$dir/rz6.DAT/note")" == "keep me" ]] ||
    fail "the folder in the record's place was changed"
[[ -z "$(temp_files "$dir")" ]] || fail "files left behind: $(temp_files "$dir")"
echo "folder: ok"

# A record without read permission, for a player who is not root (root reads anything).
if [[ $(id -u) == 0 ]] && command -v setpriv >/dev/null; then
    dir=$(game_dir unreadable)
    chmod 755 "$work"
    chmod 777 "$dir"
    head -c 200 /dev/zero | tr '\0' '\007' >"$dir/rz6.DAT"
    cp "$dir/rz6.DAT" "$work/old"
    chown 65534:65534 "$dir/rz6.DAT"
    chmod 000 "$dir/rz6.DAT"
    mkdir -p "$work/home" && chown 65534:65534 "$work/home"
    run_with_two_warnings "$dir" setpriv --reuid=65534 --regid=65534 --clear-groups \
        env HOME="$work/home" XDG_RUNTIME_DIR= 
    [[ "$(stat -c %a "$dir/rz6.DAT")" == 0 ]] || fail "the unreadable record's permissions changed"
    cmp -s "$dir/rz6.DAT" "$work/old" || fail "the unreadable record was changed"
    echo "unreadable: ok"
elif [[ $(id -u) != 0 ]]; then
    dir=$(game_dir unreadable)
    head -c 200 /dev/zero | tr '\0' '\007' >"$dir/rz6.DAT"
    cp "$dir/rz6.DAT" "$work/old"
    chmod 000 "$dir/rz6.DAT"
    run_with_two_warnings "$dir"
    chmod 600 "$dir/rz6.DAT"
    cmp -s "$dir/rz6.DAT" "$work/old" || fail "the unreadable record was changed"
    echo "unreadable: ok"
else
    echo "unreadable: skipped, setpriv is not installed to drop root's rights"
fi

# 1 MiB of noise from a fixed seed.
dir=$(game_dir noise)
awk 'BEGIN { srand(1234); for (i = 0; i < 1048576; i++) printf "%c", int(rand() * 256) }' \
    LC_ALL=C >"$dir/rz6.DAT"
[[ $(stat -c %s "$dir/rz6.DAT") == 1048576 ]] || fail "could not make the noise file"
cp "$dir/rz6.DAT" "$work/old"
start_game "$dir"
expect_window battle >/dev/null
kill -TERM "$game_pid"
wait_exit
[[ "$exit_status" == 0 ]] || fail "the game ended with status $exit_status"
cmp "$dir/rz6.DAT" "$work/old" || fail "the noise record did not come back byte for byte"
echo "noise: ok"
echo "PASS"

#!/usr/bin/env bash
# A save that runs into the file-size limit (RLIMIT_FSIZE, with SIGXFSZ ignored as a shell's
# `ulimit -f` leaves it) must tell the player and keep the old record exactly as it was.
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb
dir=$(game_dir game)
# A whole record followed by 3000 bytes of the player's own: the new file would be 3180 bytes,
# more than the 2 KiB the game may write.
{ head -c 180 /dev/zero | tr '\0' '\001'; head -c 3000 /dev/zero | tr '\0' 'X'; } >"$dir/rz6.DAT"
cp "$dir/rz6.DAT" "$work/old"

limited() { trap '' XFSZ; ulimit -f 2; exec "$@"; }
export -f limited
start_game "$dir" bash -c 'limited "$@"' limited

expect_window battle >/dev/null
kill -TERM "$game_pid"
box=$(expect_window message)
kill -0 "$game_pid" 2>/dev/null || fail "the game ended before the player saw the message"
press_ok "$box"
wait_exit
[[ "$exit_status" == 0 ]] || fail "the game ended with status $exit_status"
cmp -s "$dir/rz6.DAT" "$work/old" || fail "the old record was not kept"
[[ -z "$(temp_files "$dir")" ]] || fail "the failed save left files behind: $(temp_files "$dir")"
echo "PASS"

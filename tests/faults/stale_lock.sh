#!/usr/bin/env bash
# A game killed outright leaves its lock behind: the next start must take it over and play,
# while a start beside a live game is still refused, without touching the record.
source "$(dirname "$0")/lib.sh" "$1"
start_xvfb
dir=$(game_dir game)

start_game "$dir"
expect_window battle >/dev/null
kill -KILL "$game_pid"; wait "$game_pid" 2>/dev/null; game_pid=
[[ -e "$dir/rz6.lock" ]] || fail "the killed game left no lock; this test proves nothing"

start_game "$dir"
expect_window battle >/dev/null
first=$game_pid

# A second copy beside the live one is refused with a message and ends after OK.
start_game "$dir"
box=$(expect_window message)
cmp -s "$dir/rz6.DAT" /dev/null || fail "the refused copy touched the record"
press_ok "$box"
wait_exit
[[ "$exit_status" == 0 ]] || fail "the refused copy ended with status $exit_status"

game_pid=$first
kill -TERM "$game_pid"
wait_exit
[[ "$exit_status" == 0 ]] || fail "the game ended with status $exit_status after SIGTERM"
[[ $(stat -c %s "$dir/rz6.DAT") == 180 ]] || fail "the quit did not save a whole record"
[[ ! -e "$dir/rz6.lock" ]] || fail "a game that quit left its lock behind"
echo "PASS"

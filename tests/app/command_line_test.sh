#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
#
# The real program answers its command line with no screen at all, and a start without a
# usable screen ends in one line that says what is missing, never in Qt's abort.
#   usage: command_line_test.sh PATH/TO/rz6
set -uo pipefail
program=${1:?program}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A record folder of its own, so that nothing the program might write lands in the player's.
export XDG_DATA_HOME=$work/data
# The game as an unconfigured machine shows it: in Japanese, with no remembered language.
export LC_ALL=C.UTF-8 XDG_CONFIG_HOME=$work/config

failures=0
# case name | expected status | expected first line (a glob) | environment, then arguments
check() {
    local name=$1 status=$2 first=$3; shift 3
    local out got lines
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE \
        "$@" 2>&1)
    got=$?
    lines=$(printf '%s\n' "$out" | wc -l)
    if [[ $got -ne $status || $(printf '%s\n' "$out" | head -n 1) != $first ||
        ($status -ne 0 && $lines -ne 1) || $out == *Reinstalling* ]]; then
        echo "FAIL $name: status $got (want $status), said:"
        printf '%s\n' "$out" | head -n 5
        failures=$((failures + 1))
    else
        echo "ok   $name: $(printf '%s\n' "$out" | head -n 1)"
    fi
}
check "--help" 0 "使い方: rz6 *" "$program" --help
check "--help in English" 0 "Usage: rz6 *" "$program" --lang en --help
check "--help on an English desktop" 0 "Usage: rz6 *" env LC_ALL=en_GB.UTF-8 "$program" --help
check "no screen, in English" 1 "rz6: no display *" env LC_ALL=en_GB.UTF-8 "$program"
check "-h, with a screen named" 0 "使い方: rz6 *" DISPLAY=:97 "$program" -h
check "--version" 0 "rz6 0.80" "$program" --version
check "-v" 0 "rz6 0.80" "$program" -v
check "an unknown option" 2 "rz6: *--frobnicate*" "$program" --frobnicate
check "an operand" 2 "rz6: *extra*" "$program" extra
check "no screen at all" 1 "rz6: *DISPLAY*WAYLAND_DISPLAY*" "$program"
# A display number nobody serves: the connection is refused.
check "X server refuses" 1 "rz6: *DISPLAY=:97*" DISPLAY=:97 "$program"
check "Wayland compositor absent" 1 "rz6: *WAYLAND_DISPLAY=rz6-test-none*" \
    WAYLAND_DISPLAY=rz6-test-none XDG_RUNTIME_DIR="$work" "$program"
[[ -e $work/data ]] && { echo "FAIL: a start that could not show a window wrote $work/data"; failures=$((failures + 1)); }
# A pipe at the settings file's name never holds the command line up (nobody writes to it).
mkdir -p "$work/config/rz6" && mkfifo "$work/config/rz6/rz6.conf"
check "--help, a pipe for settings" 0 "使い方: rz6 *" timeout 5 "$program" --help
check "--version, a pipe for settings" 0 "rz6 0.80" timeout 5 "$program" --version
check "no screen, a pipe for settings" 1 "rz6: *DISPLAY*" timeout 5 "$program"
rm -f "$work/config/rz6/rz6.conf"
# --help's own lines name every option it understands.
help=$("$program" --help)
for option in -h --help -v --version --lang; do
    [[ $help == *" $option"* ]] || { echo "FAIL: --help does not name $option"; failures=$((failures + 1)); }
done
# ... and their summaries start in one column, in both languages.
for language in ja en; do
    columns=$("$program" --lang "$language" --help |
        awk 'match($0, /^ +(-[a-z], )?--[a-z]+(=[A-Z]+)? +/) { print RLENGTH }' | sort -u)
    [[ $(wc -l <<<"$columns") -eq 1 && -n $columns ]] ||
        { echo "FAIL: --help ($language) starts its summaries in columns" $columns; failures=$((failures + 1)); }
    # Every line fits an 80-column terminal (wc -L counts a Japanese character as two).
    for option in --help --version; do
        width=$("$program" --lang "$language" "$option" | wc -L)
        ((width <= 80)) || { echo "FAIL: $option ($language) is $width columns wide"; failures=$((failures + 1)); }
    done
done
# In English the terminal is answered in English: Japanese only in the game's name.
english=$("$program" --lang en --help; "$program" --lang en --version)
[[ $(grep -c -P '[\p{Han}\p{Hiragana}\p{Katakana}]' <<<"${english//ソードリズム！　第弐章/}") -eq 0 ]] ||
    { echo "FAIL: English --help or --version holds Japanese"; failures=$((failures + 1)); }
exit $((failures > 0))

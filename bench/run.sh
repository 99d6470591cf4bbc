#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# Builds the game and its benchmarks in release mode and prints every figure beside its
# baseline or goal, all measured in this one run on a private virtual X server. The machine
# may be busy: start-up and memory are medians of several alternating runs.
#   bench/run.sh [RUNS] [IDLE_SECONDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-9}
idle=${2:-20}
build="$root/build-bench"
# What the benchmarks run on (a virtual X server, xdotool, a sound server, the DAMAGE headers)
# is what the tests need too.
"$root/scripts/deps.sh" --test
"$root/scripts/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DRZ6_BUILD_BENCH=ON >/dev/null

work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
    [[ -n "$game_pid" ]] && kill -KILL "$game_pid" 2>/dev/null
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
read -r number <"$work/display"
# The settings file is the run's own too, and the desktop's language unset (C.UTF-8): the plain
# start speaks Japanese whatever the one running the benchmark chose in the 設定 menu.
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" \
    XDG_CONFIG_HOME="$work/config" LC_ALL=C.UTF-8
mkdir -m 700 "$work/runtime"
# The game keeps its record beside itself: run a copy in a folder of its own, with the
# libraries it loads from beside itself (the sound library only where the build has one; it
# needs libpulse).
game_copy() {
    mkdir -p "$1"
    cp "$build/rz6" "$build/librz6_history_screen.so" "$1/"
    local library
    for library in librz6_sound.so librz6_history_store.so; do
        if [[ -f "$build/$library" ]]; then cp "$build/$library" "$1/"; fi
    done
}
game_copy "$work"
# A copy with a long history beside its record: 10 000 generated matches in the store's own
# file, made by the game's store.
history_name=$(sed -n 's/.*historyFileName\[\] = "\(.*\)";/\1/p' "$build/generated/common/app_info.h")
game_copy "$work/long-history"
"$build/bench/rz6_history_bench" --fill 10000 "$work/long-history/$history_name" >/dev/null
bare="$build/bench/rz6_bare_window"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
field() { sed -n "s/.*$1=\([-0-9.]*\).*/\1/p"; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "== start-up and memory: $runs alternating runs each, medians"
starts=(game english history bare)
: >"$work/game.txt"; : >"$work/english.txt"; : >"$work/history.txt"; : >"$work/bare.txt"
declare -A command=([game]="$work/rz6" [english]="$work/rz6 --lang=en"
    [history]="$work/long-history/rz6" [bare]="$bare")
# Each round starts one place further along, so that no start is always the one that follows
# the same other (the first of a round came out several ms slower whichever it was).
for ((i = 0; i < runs; i++)); do
    for ((k = 0; k < ${#starts[@]}; k++)); do
        start=${starts[(i + k) % ${#starts[@]}]}
        # shellcheck disable=SC2086  # the command is split into program and argument
        "$build/bench/rz6_first_paint" ${command[$start]} >>"$work/$start.txt" 2>/dev/null || true
    done
done
declare -A ms kib
for start in "${starts[@]}"; do
    ms[$start]=$(field first_paint_ms <"$work/$start.txt" | median)
    kib[$start]=$(field peak_rss_kib <"$work/$start.txt" | median)
done
printf '%-48s %9s %9s %6s %s\n' figure game bare ratio goal
row() {  # label start
    printf '%-48s %9s %9s %6s %s\n' "$1: exec to first paint (ms)" "${ms[$2]}" "${ms[bare]}" \
        "$(ratio "${ms[$2]}" "${ms[bare]}")" "<= 1.10"
    printf '%-48s %9s %9s %6s %s\n' "$1: peak resident memory (KiB)" "${kib[$2]}" \
        "${kib[bare]}" "$(ratio "${kib[$2]}" "${kib[bare]}")" "<= 1.15"
}
row "plain start" game
row "--lang=en" english
row "history of 10 000" history

# CPU time (ms) and context switches of a process so far.
cpu_ms() { awk -v hz="$(getconf CLK_TCK)" '{ print ($14 + $15) * 1000 / hz }' "/proc/$1/stat"; }
switches() { awk '/ctxt_switches/ { s += $2 } END { print s }' "/proc/$1/status"; }
wait_for_window() {
    local tries=0
    until xdotool search --onlyvisible --pid "$1" >/dev/null 2>&1; do
        ((tries++ < 400)) || { echo "no window" >&2; return 1; }
        sleep 0.05
    done
    sleep 1  # let start-up work settle
}
idle_cost() {  # label pid
    local c0 s0 c1 s1
    c0=$(cpu_ms "$2"); s0=$(switches "$2")
    sleep "$idle"
    c1=$(cpu_ms "$2"); s1=$(switches "$2")
    awk -v l="$1" -v c="$((c1 - c0))" -v s="$((s1 - s0))" -v t="$idle" 'BEGIN {
        printf "%-34s %9.3f %% of a core  %6.1f wake-ups/s\n", l, c / (t * 10), s / t }'
}

echo "== idle cost over ${idle}s (goal: under 0.5 % of a core; the clock stands still)"
"$bare" & game_pid=$!
wait_for_window "$game_pid"
idle_cost "bare window" "$game_pid"
kill "$game_pid"; wait "$game_pid" 2>/dev/null || true
"$work/rz6" 2>/dev/null & game_pid=$!
wait_for_window "$game_pid"
idle_cost "battle window, waiting" "$game_pid"
window=$(xdotool search --onlyvisible --pid "$game_pid" | head -n 1)
xdotool windowfocus --sync "$window" key F5
sleep 1
if kill -0 "$game_pid" 2>/dev/null; then
    idle_cost "battle window, match, no input" "$game_pid"
else
    echo "battle window, match, no input: the game ended on F5 (see its output)"
fi
kill -KILL "$game_pid"; wait "$game_pid" 2>/dev/null || true
game_pid=

echo "== clock accuracy (goal: median within 1 ms, 99th percentile within 5 ms)"
"$build/bench/rz6_battle_bench" clock 2>/dev/null
echo "== key to screen (goal: under 2 ms)"
timeout 120 "$build/bench/rz6_battle_bench" keys 2>/dev/null || echo "key_to_screen: no figure (the benchmark did not finish)"
echo "== 戦績 with 10 000 matches (goals: writing a match under 20 ms, the screen under 150 ms, 再生 of a 200-event match to its window under 100 ms)"
"$build/bench/rz6_history_bench" 10000 2>/dev/null
echo "== the same screen at 2x"
QT_SCALE_FACTOR=2 "$build/bench/rz6_history_bench" 10000 2>/dev/null | grep -v '^write_match\|^history_matches\|^replay_'
echo "== checking every match of a 10 000-match history for replay (goal: < 2000 ms)"; "$build/bench/rz6_replay_bench" 10000 2>/dev/null || echo "replay_verify_ms: no figure (the benchmark failed)"
echo "== a strike's cue, from the call to its first sample at the sound server (goal: median under 30 ms, 99th percentile under 60 ms)"
if [[ -x "$build/bench/rz6_sound_bench" ]]; then
    "$build/bench/rz6_sound_bench" "$build/librz6_sound.so" 100 2>/dev/null ||
        echo "sound latency: no figure (the benchmark failed)"
else
    echo "sound latency: no figure (built without libpulse)"
fi

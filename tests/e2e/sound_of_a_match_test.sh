#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# The sound of a match, heard where a speaker would hear it: a PulseAudio server of the
# test's own plays into a null sink whose monitor parecord records, while the real program
# plays a match by keys on a known board (sound_play.py): an Enter, two landings in a row, a
# counter, a block, misses up to the last turn, the end and the result screen. Every one of
# those sounds must be in the recording, in the order the outcomes came, each the game's own
# sound for it (the landings a combo step apart), and nothing else (sound_recording_cues).
# Then the same match with 効果音 off in the settings file records silence; and with no
# sound server at all it plays and saves the same record, byte for byte, with no message
# box and one line on standard error at most.
#   usage: sound_of_a_match_test.sh path/to/rz6 path/to/sound_recording_cues
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
findCues=${2:?usage: $0 path/to/rz6 path/to/sound_recording_cues}
needAccessibilityBus pulseaudio parecord pactl
setupWork
startDisplay

startSoundServer

# Plays the match in a copy of the game of its own, recording into the file named (if any);
# with "stream", the game's stream must stand before the first key. Extra arguments are the
# game's environment. Sets played (the folder of the copy) and expected (the sounds made).
played=''
expected=()
play() {
    local name=$1 recording=$2 stream=$3 status=0
    shift 3
    played=$(gameFolder "$name")
    # A record whose five best are the lowest the record can hold, so that even this match's
    # overall score enters them and the new best is heard.
    { for _ in 1 2 3 4 5; do printf '\x00\x00\x00\x80'; done
      head -c 160 /dev/zero; } >"$played/rz6.DAT"
    mkdir -p "$work/cwd" "$work/$name-config"
    [[ -n $recording ]] && startRecording "$recording"
    env XDG_CONFIG_HOME="$work/$name-config" "$@" RZ6_TITLE="$title" PYTHONPATH="$(dirname "$0")" \
        dbus-run-session -- "$python" "$(dirname "$0")/sound_play.py" "$played/rz6" "$work/cwd" \
        "$work/$name.stderr" ${recording:+"$recording"} ${stream:+"$stream"} \
        >"$work/$name.log" 2>&1 || status=$?
    [[ -n $recording ]] && stopRecording
    [[ $status == 0 ]] || { cat "$work/$name.log"; exit "$status"; }
    mapfile -t expected < <(sed -n 's/^SOUND //p' "$work/$name.log")
    echo "$name: $(grep -c . "$work/$name.stderr" || true) lines on standard error"
}

play sound "$work/sound.raw" stream
echo "expected: ${expected[*]}"
"$findCues" "$work/sound.raw" "${expected[@]}" || fail "the match did not sound as it was played"
cp "$played/rz6.DAT" "$work/played.DAT"

# 効果音 off, as the menu item remembers it.
mkdir -p "$work/silent-config/rz6"
printf 'sound_effects=off\n' >"$work/silent-config/rz6/rz6.conf"
play silent "$work/silent.raw" ''
"$findCues" --silent "$work/silent.raw" || fail "the match with 効果音 off made a sound"
cmp "$work/played.DAT" "$played/rz6.DAT" || fail "with 効果音 off the record is not the same"

# No server where the game looks for one.
play serverless '' '' PULSE_SERVER="unix:$work/nowhere/native"
cmp "$work/played.DAT" "$played/rz6.DAT" || fail "without a sound server the record is not the same"
lines=$(grep -c . "$work/serverless.stderr" || true)
((lines <= 1)) || fail "without a sound server the game said $lines lines: $(cat "$work/serverless.stderr")"
cat "$work/serverless.stderr"
echo "PASS"

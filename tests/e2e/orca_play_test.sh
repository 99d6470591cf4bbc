#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
# A match by keys alone with the real screen reader Orca listening (orca_play.py): every
# moment must be spoken as its exact phrase, as Orca's debug log shows. Orca runs on a
# private X server, D-Bus session and accessibility bus of this test; it is never started
# with --replace, which would end every other Orca of the user. Given the cue finder, the game
# plays its sounds to a sound server of the test's own meanwhile, as a blind player hears both:
# the cues must be in the recording, and every phrase still spoken.
#   usage: orca_play_test.sh path/to/rz6 [path/to/sound_recording_cues]
source "$(dirname "$0")/../lib/rz6_test_lib.sh"
needAccessibilityBus pgrep
command -v orca >/dev/null || skip "Orca is not installed (scripts/deps.sh --test)"
setupWork
startDisplay

findCues=${2:-}
if [[ -n $findCues ]]; then
    need pulseaudio parecord pactl
    startSoundServer
    startRecording "$work/sound.raw"
fi

folder=$(gameFolder game)
status=0
RZ6_TITLE=$title dbus-run-session -- "$python" "$(dirname "$0")/orca_play.py" "$folder/rz6" "$work" || status=$?
if [[ -n $findCues ]]; then
    stopRecording
    if ((status == 0)) && "$findCues" --silent "$work/sound.raw" >/dev/null; then
        fail "no cue was heard while Orca spoke the match"
    fi
fi
# The log of the last run stays in the build folder, to read what Orca said.
[[ -n ${RZ6_ORCA_LOG:-} && -f $work/orca-debug.log ]] && cp "$work/orca-debug.log" "$RZ6_ORCA_LOG"
exit "$status"

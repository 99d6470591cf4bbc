# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
"""One match played by keys on a board dealt from a known row of digits, every outcome read
back over the accessibility bus, for the test of the game's sounds (sound_of_a_match_test.sh).
The misses at the end are typed at once: the game queues the keys typed while a strike's
outcome is on show and takes them one strike at a time as each pause ends. Prints the sounds the match must have made, one group a line, in the
order they came ('+' joins sounds that start together), in the names sound_recording_cues
knows; then ends the game with SIGTERM, once the recording (if given) holds two seconds past
the result screen. With "stream", the game's stream must stand on the sound server once the match
has started (the game gets its sounds ready then), before its first key, so that the first sounds are not asked for while it is still being set up.

Runs inside a private D-Bus session. Exits 77 when the bus cannot be reached.

    usage: sound_play.py path/to/rz6 working-folder stderr-file [recording.raw [stream]]
"""

import os
import re
import subprocess
import sys

from bus_client import (SKIP, application, bus_reachable, descendants, find, keys, pyatspi,
                        showing_window, wait_until)

TITLE = os.environ["RZ6_TITLE"]  # the battle window's title, from the shell library
WAIT_SECONDS = float(os.environ.get("RZ6_E2E_WAIT", "60"))
# Dealt over and over from its start: the board reads 1..8 twice, and every strike below
# takes cells that refill with the digits they had. Never a 9: "9990" always misses.
BOARD = "12345678"
BYTES_PER_SECOND = 48000 * 2  # what parecord writes: 16-bit mono at 48 kHz

program, cwd, stderr_path = sys.argv[1:4]
recording = sys.argv[4] if len(sys.argv) > 4 else None
stream = sys.argv[5:] == ["stream"]
game = None


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    if game and game.poll() is None:
        game.kill()
    sys.exit(1)


def wait_for(what, check, showing=lambda: ""):
    return wait_until(what, check, game, fail, WAIT_SECONDS, showing)


def recorded_bytes():
    return os.path.getsize(recording) if recording and os.path.exists(recording) else 0


def main():
    global game
    if not bus_reachable():
        sys.exit(SKIP)

    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               RZ6_REHEARSAL_BOARD=BOARD)
    with open(stderr_path, "w") as errors:
        game = subprocess.Popen([program], cwd=cwd, env=env, stderr=errors)
    frame = wait_for("the battle screen on the bus", lambda: showing_window("frame", TITLE))
    cell = find(frame, "label", description="盤 1行1列")
    typed = find(frame, "label", description="入力")
    message = find(frame, "label", description="メッセージ")
    if None in (cell, typed, message):
        fail("the board or a state label of the battle screen is not on the bus")
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(game.pid),
                             "--name", f"^{TITLE}$"], capture_output=True, text=True).stdout.split()
    if not window:
        fail("the battle window is not on the X server")
    keys("windowfocus", "--sync", window[0])
    sounds = []

    def outcome(keys_typed, shown, sound):
        wait_for(f"{shown} from {keys_typed!r}", lambda: message.name == shown,
                 lambda: f" (showing {message.name!r}, typed {typed.name!r})")
        sounds.append(sound)
        print(f"{keys_typed!r}: {shown}", flush=True)

    keys("key", "F5")
    wait_for("the board dealt from " + BOARD, lambda: cell.name == "1")
    # The sounds get ready as the match starts.
    if stream:
        wait_for("the game's stream on the sound server", lambda: subprocess.run(
            ["pactl", "list", "short", "sink-inputs"], capture_output=True, text=True).stdout.strip())
    keys("key", "Return")
    outcome("Enter", "姿勢を崩した！", "abandon")
    keys("type", "1230")
    outcome("1230", "金剛撃", "landing1")
    # The combo window opens as the pause ends; a strike inside it keeps the combo going.
    window_open = lambda: "連撃受付中" in typed.description
    wait_for("the combo window to open", window_open)
    keys("type", "4560")
    outcome("4560", "旋風斬", "landing2")
    wait_for("the combo window to open again", window_open)
    keys("type", "1320")  # not a technique, struck inside the window
    outcome("1320", "反撃を受けた！", "counter")
    wait_for("the combo window to open after the counter", window_open)
    wait_for("the combo window to close",
             lambda: message.name == "" and typed.description == "入力")
    keys("type", "1320")
    outcome("1320", "防がれた！", "block")
    # Eight turns are left: eight misses, typed at once, each taken as the pause before it
    # ends; the last spends the last turn.
    keys("type", "9990" * 8)
    sounds += ["miss"] * 7 + ["miss+last_turn", "match_end"]
    result = wait_for("the result screen", lambda: showing_window("dialog", "競技終了"))
    at_result = recorded_bytes()
    told = result.description
    print(f"result screen: {told}", flush=True)
    # -50 + 100 + 100 - 200 (the counter, at the combo's third strike) + 0 - 8 × 100
    if not re.search(r"評価点 -850(\D|$)", told):
        fail(f"the match did not go as played: {told}")
    # The record the test gives the game holds the lowest five best there can be: the match's
    # overall score enters them.
    sounds.append("result+new_best")

    shown = [w for w in application() or []
             if w is not None and w.getState().contains(pyatspi.STATE_SHOWING)]
    others = [w for w in shown if (w.getRoleName(), w.name) not in
              (("frame", TITLE), ("dialog", "競技終了"))]
    if others:
        texts = [node.name for w in others for node in descendants(w) if node.name]
        fail(f"a window besides the battle and the result screen shows: {texts}")

    if recording:
        wait_for("two seconds recorded past the result screen",
                 lambda: recorded_bytes() >= at_result + 2 * BYTES_PER_SECOND)
    game.terminate()
    try:
        status = game.wait(timeout=WAIT_SECONDS)
    except subprocess.TimeoutExpired:
        fail("the game did not end on SIGTERM")
    if status != 0:
        fail(f"the game ended with status {status}")
    for sound in sounds:
        print(f"SOUND {sound}", flush=True)
    print("PASS")


if __name__ == "__main__":
    main()

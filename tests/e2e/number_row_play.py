# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
"""Strikes typed on the number row of a French and of a German keyboard, and on the keypad,
land their technique: the game reads where a key sits, not the character the layout makes
of it. The keys go in with xdotool as the layout's own characters (on the French row & é " à,
which sit where 1 2 3 0 do on a US keyboard; on the German row ! " = with Shift), and the
message line, read over the accessibility bus, must show 金剛撃 after each strike. The board
is dealt from "123", so 1, 2, 3 and 0 always land it.

The layout is switched with setxkbmap while the game runs, as a desktop's layout switcher
does; the game stays connected to the X server all the while, so the server keeps the layout.

Runs inside a private D-Bus session (number_row_test.sh). Exits 77 when the bus cannot be
reached.

    usage: number_row_play.py path/to/rz6 working-folder
"""

import os
import re
import subprocess
import sys

from bus_client import SKIP, find, keys, showing_window, bus_reachable, wait_until

TITLE = os.environ["RZ6_TITLE"]  # the battle window's title, from the shell library
WAIT_SECONDS = float(os.environ.get("RZ6_E2E_WAIT", "30"))
TECHNIQUE = "金剛撃"  # 1, 2, 3 and 0

# (layout, a key of its number row and the first two symbols the layout gives it, the keys
# typed as xdotool names the layout's symbols). Every strike types 1 2 3 0 by place.
STRIKES = [
    ("fr", "AE02", ("eacute", "2"), ["ampersand", "eacute", "quotedbl", "agrave"]),
    ("de", "AE03", ("3", "section"), ["1", "2", "3", "0"]),
    ("de", "AE03", ("3", "section"), ["exclam", "quotedbl", "KP_3", "equal"]),
]

program, cwd = sys.argv[1], sys.argv[2]
game = None


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    if game and game.poll() is None:
        game.kill()
    sys.exit(1)


def wait_for(what, check):
    return wait_until(what, check, game, fail, WAIT_SECONDS)




def use_layout(layout, key, symbols):
    """Switches the X server's layout and checks that its number row is now that layout's."""
    subprocess.run(["setxkbmap", layout], check=True)
    keymap = subprocess.run(["xkbcomp", "-xkb", os.environ["DISPLAY"], "-"], check=True,
                            capture_output=True, text=True).stdout
    if not re.search(rf"key <{key}> {{[^}}]*?\[\s*{symbols[0]},\s*{symbols[1]}\b", keymap):
        fail(f"setxkbmap {layout} did not put {' and '.join(symbols)} on <{key}>")


def main():
    global game
    if not bus_reachable():
        sys.exit(SKIP)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               RZ6_REHEARSAL_BOARD="123")
    game = subprocess.Popen([program], cwd=cwd, env=env)

    frame = wait_for("the battle screen on the bus", lambda: showing_window("frame", TITLE))
    cells = [find(frame, "label", description=f"盤 {r}行{c}列") for r in range(1, 5)
             for c in range(1, 5)]
    typed = find(frame, "label", description="入力")
    message = find(frame, "label", description="メッセージ")
    if None in cells or None in (typed, message):
        fail("the board or a state label of the battle screen is not on the bus")

    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(game.pid),
                             "--name", f"^{TITLE}$"], capture_output=True, text=True).stdout.split()
    if not window:
        fail("the battle window is not on the X server")
    keys("windowfocus", "--sync", window[0])
    keys("key", "F5")
    wait_for("the board dealt from 123", lambda: {c.name for c in cells} == {"1", "2", "3"})

    for layout, key, symbols, typing in STRIKES:
        use_layout(layout, key, symbols)
        wait_for("the pause of the last strike to end",
                 lambda: message.name == "" and typed.name == "")
        keys("key", *typing)
        wait_for(f"{TECHNIQUE} from {' '.join(typing)} on the {layout} layout",
                 lambda: message.name == TECHNIQUE and typed.name == "123")
        print(f"{layout}: {' '.join(typing)} struck {typed.name}: {message.name}", flush=True)

    game.terminate()
    try:
        status = game.wait(timeout=WAIT_SECONDS)
    except subprocess.TimeoutExpired:
        fail("the game did not end on SIGTERM")
    if status != 0:
        fail(f"the game ended with status {status}")
    print("PASS")


if __name__ == "__main__":
    main()

# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
"""Two matches played by keys, the first one's copy killed outright at its result screen;
then the 戦績 screen read over the accessibility bus (both matches in its table, the chart
summed up in its description) and the history written to CSV through the file dialog and
read back. Uses the bus helpers of accessible_play.py; run in a private D-Bus session.

    usage: history_play.py path/to/rz6 working-folder csv-path
"""

import csv
import os
import signal
import subprocess
import sys

import accessible_play as ap
from accessible_play import fail, keys, report, showing_window, wait_for

program, cwd, csv_path = sys.argv[1], sys.argv[2], sys.argv[3]
ENV = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")


def start_game():
    ap.game = subprocess.Popen([program], cwd=cwd, env=ENV)
    frame = wait_for("the battle screen on the bus", lambda: showing_window("frame", ap.TITLE))
    wait_for("the battle screen to take the keyboard", lambda: ap.focus_on(ap.TITLE))
    return frame


def play_match(frame):
    """Plays a match to its end by keys; returns the result's 総合評価 as the bus reads it."""
    cells = ap.board(frame)
    typed = ap.find(frame, "label", description="入力")
    message = ap.find(frame, "label", description="メッセージ")
    keys("key", "F5")
    strikes = 0
    while True:
        wait_for("the pause to end or the result",
                 lambda: showing_window("dialog", "競技終了")
                 or (ap.pause_over(cells, message) and typed.description == "入力"))
        result = showing_window("dialog", "競技終了")
        if result:
            break
        strike = ap.choose_strike(ap.digits(cells), strikes % 2 == 0)
        keys("type", strike)
        wait_for(f"the outcome of {strike}", lambda: message.name not in ("", "姿勢を崩した！"))
        strikes += 1
        if strikes > 40:
            fail("the match does not end")
    wait_for("the result screen to take the keyboard", lambda: ap.focus_on("再試合"))
    overall = ap.find(result, "label", description="総合評価").name
    report(f"match over after {strikes} strikes: 総合評価 {overall}")
    return overall


def file_dialog():
    """The file dialog, as whatever kind of window the bus calls it (a file chooser)."""
    app = ap.application()
    for window in app or []:
        if window is not None and window.name == "CSVに書き出す" and \
                window.getState().contains(ap.pyatspi.STATE_SHOWING):
            return window
    return None


def main():
    if not ap.bus_reachable():
        sys.exit(ap.SKIP)
    for kind in ("object:state-changed:focused", "window:activate"):
        ap.pyatspi.Registry.registerEventListener(ap.on_event, kind)

    first = play_match(start_game())
    # Killed outright while the result screen waits: the match is already in the history.
    ap.game.send_signal(signal.SIGKILL)
    ap.game.wait()
    report("killed at the result screen")

    second = play_match(start_game())
    keys("key", "Return")  # 再試合
    wait_for("the rematch", lambda: ap.window_gone("dialog", "競技終了"))
    wait_for("the new battle screen to take the keyboard", lambda: ap.focus_on(ap.TITLE))

    keys("key", "F6")
    screen = wait_for("the 戦績 screen", lambda: showing_window("dialog", "戦績"))
    table = wait_for("its table", lambda: ap.find(screen, "table"))
    grid = table.queryTable()
    headers = [grid.getColumnDescription(c) or grid.getColumnHeader(c).name
               for c in range(grid.nColumns)]
    rows = [[grid.getAccessibleAt(r, c).name for c in range(grid.nColumns)]
            for r in range(grid.nRows)]
    report(f"戦績: table columns {headers}, rows {rows}")
    report(f"戦績: description '{screen.description}'")
    if [row[2] for row in rows] != [second, first]:
        fail(f"the table's 総合評価 {[row[2] for row in rows]} are not {[second, first]}")
    if not screen.description.startswith("総合評価のグラフ。2試合"):
        fail(f"the chart is not summed up: '{screen.description}'")

    ap.tab_to("CSVに書き出す")
    mark = len(ap.heard)
    keys("key", "Return")
    dialog = wait_for("the file dialog", file_dialog)
    # Typed only once the dialog has the keyboard, its file name field focused.
    wait_for("the file dialog to take the keyboard", lambda: ap.activated(mark, "CSVに書き出す"))
    wait_for("the file name field to take the focus",
             lambda: any(e[0] == "object:state-changed:focused" and e[4] == 1 and e[1] == "text"
                         for e in ap.heard[mark:]))
    report(f"file dialog: {dialog.getRoleName()} '{dialog.name}'")
    keys("key", "ctrl+a")
    keys("type", csv_path)
    keys("key", "Return")
    wait_for("the CSV", lambda: os.path.exists(csv_path))
    wait_for("the file dialog to close", lambda: file_dialog() is None)
    with open(csv_path, encoding="utf-8", newline="") as stream:
        lines = list(csv.reader(stream))
    report(f"CSV: header {lines[0][:6]}…, rows {[line[:5] for line in lines[1:]]}")
    if [line[4] for line in lines[1:]] != [first, second]:
        fail(f"the CSV's 総合評価 {[line[4] for line in lines[1:]]} are not {[first, second]}")

    keys("key", "Escape")
    wait_for("Escape to close 戦績", lambda: ap.window_gone("dialog", "戦績"))
    wait_for("the battle screen to take the keyboard back", lambda: ap.focus_on(ap.TITLE))
    ap.tab_to("終\u3000\u3000\u3000了")
    keys("key", "Return")
    if ap.game.wait(timeout=ap.WAIT_SECONDS) != 0:
        fail("the game did not end cleanly")
    print("PASS")


if __name__ == "__main__":
    main()

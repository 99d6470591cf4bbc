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
import sys

import accessible_play as ap
from accessible_play import fail, keys, play_match, report, showing_window, start_game, wait_for

csv_path = sys.argv[3]


def main():
    if not ap.bus_reachable():
        sys.exit(ap.SKIP)
    ap.listen()

    first = play_match(start_game()).overall
    # Killed outright while the result screen waits: the match is already in the history.
    ap.game.send_signal(signal.SIGKILL)
    ap.game.wait()
    report("killed at the result screen")

    second = play_match(start_game()).overall
    keys("key", "Return")  # 再試合
    wait_for("the rematch", lambda: ap.window_gone("dialog", "競技終了"))
    wait_for("the new battle screen to take the keyboard", lambda: ap.focus_on(ap.TITLE))

    keys("key", "F6")
    screen = wait_for("the 戦績 screen", lambda: showing_window("dialog", "戦績"))
    _, headers, rows = ap.history_table(screen)
    report(f"戦績: table columns {headers}, rows {rows}")
    report(f"戦績: description '{screen.description}'")
    if [row[2] for row in rows] != [second, first]:
        fail(f"the table's 総合評価 {[row[2] for row in rows]} are not {[second, first]}")
    if not screen.description.startswith("総合評価のグラフ。2試合"):
        fail(f"the chart is not summed up: '{screen.description}'")

    ap.tab_to("CSVに書き出す")
    ap.save_through_file_dialog("CSVに書き出す", csv_path)
    wait_for("the CSV", lambda: os.path.exists(csv_path))
    with open(csv_path, encoding="utf-8", newline="") as stream:
        lines = list(csv.reader(stream))
    report(f"CSV: header {lines[0][:6]}…, rows {[line[:5] for line in lines[1:]]}")
    if [line[4] for line in lines[1:]] != [first, second]:
        fail(f"the CSV's 総合評価 {[line[4] for line in lines[1:]]} are not {[first, second]}")

    ap.close_history_and_quit()
    print("PASS")


if __name__ == "__main__":
    main()

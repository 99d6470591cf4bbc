# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
"""Two matches played by keys and read over the accessibility bus, then watched again from
戦績: the newer through 「再生」, the older by Enter on its row. Each replay window is stepped
strike by strike with → and must show every outcome, tell the screen reader every phrase
and end on the score that the bus read of the match live; the newer one is also played
again at 4× to the same end. The older match then goes through
「再生ファイルに書き出す」 into a file, which a second copy (rz6 --replay FILE) plays beside the
running game to the same end, and which ends on Escape. Watching leaves the record's bytes
and the history's content as they were. Uses the bus helpers of accessible_play.py; run in a
private D-Bus session (replay_play_test.sh).

    usage: replay_play.py path/to/rz6 working-folder replay-file
"""

import hashlib
import os
import subprocess
import sys

import accessible_play as ap
from accessible_play import Played, descendants, fail, find, keys, report, showing_window, wait_for

replay_path = sys.argv[3]
folder = os.path.dirname(os.path.abspath(ap.program))
record_path = os.path.join(folder, "rz6.DAT")
history_path = os.path.join(folder, "rz6-history.sqlite")


def replay_title(name):
    """A replay window's title: 再生, the character and the match's time or file."""
    return name.startswith("再生\u3000")


def digest(data):
    return hashlib.sha256(data).hexdigest()[:16]


def kept():
    """What watching must leave as it was: the record's bytes and the history's matches as
    SQLite dumps them (its files may be rewritten by a checkpoint without a change)."""
    with open(record_path, "rb") as stream:
        record = stream.read()
    dump = subprocess.run(["sqlite3", "-readonly", history_path, ".dump"], check=True,
                          capture_output=True).stdout
    if b"INSERT INTO" not in dump:
        fail("the history's dump holds no match")
    return {"rz6.DAT": digest(record), "history dump": digest(dump)}


def history_bytes():
    """The history's files as they are on the disk, told but not held to."""
    parts = []
    for suffix in ("", "-wal"):
        if os.path.exists(history_path + suffix):
            with open(history_path + suffix, "rb") as stream:
                parts.append(f"{os.path.basename(history_path + suffix)} {digest(stream.read())}")
    return ", ".join(parts)


def watch(process, mark, what, at_pace=False):
    """Reads the replay window of `process` that opens after event number `mark` and closes
    it with Escape; returns what the bus read of it (Played, without 総合評価).

    The replay is paused, taken back to its start and stepped with →, one strike a key, so
    that each outcome is read once the screen has settled on it. With `at_pace`, Space then
    plays it again from the start at 4× to its end, which must tell the screen reader as
    many phrases and end on the same score."""
    def wait(about, check):
        return ap.wait_until(about, check, process, fail, ap.WAIT_SECONDS)

    def panel_heard(since, text):
        return any(name and "Esc" in name and text in name
                   for name in ap.new_names_since(since, lambda role, d: role == "label"))

    window = wait(f"the replay window of {what}",
                  lambda: showing_window("frame", replay_title, process.pid))
    title = window.name
    wait(f"the replay window '{title}' to take the keyboard", lambda: ap.activated(mark, title))
    panel = wait("the replay's panel", lambda: next(
        (n for n in descendants(window) if n.getRoleName() == "label" and "Esc" in n.name), None))
    since = len(ap.heard)
    keys("key", "space")
    # Heard, not only read: every change the window sent before it has been heard too.
    wait("the replay to pause", lambda: panel_heard(since, "一時停止"))
    message = find(window, "label", description=ap.TEXTS["message"])
    since = len(ap.heard)
    keys("key", "Home")
    shown, announced = [], []
    while not panel_heard(since, "再生終了"):
        before = len(ap.announced_since(since))
        keys("key", "Right")
        wait(f"the next strike of {what}", lambda: len(ap.announced_since(since)) > before
             or panel_heard(since, "再生終了"))
        if len(ap.announced_since(since)) > before:
            shown.append(message.name)
        if len(shown) > 40:
            fail(f"the replay of {what} does not end")
    announced = ap.announced_since(since)
    played = Played(shown, announced, ap.score_shown(window), None)
    if at_pace:
        since = len(ap.heard)
        keys("key", "space")  # at the end, Space plays the match again
        keys("key", "4")
        wait(f"the replay of {what} at 4× to end", lambda: panel_heard(since, "再生終了"))
        paced = (len(ap.announced_since(since)), ap.score_shown(window))
        report(f"{what} at 4×: {paced[0]} phrases, final score {paced[1]}")
        if paced != (len(announced), played.score):
            fail(f"the replay of {what} at 4× does not end as the steps did")
    report(f"replay window '{title}': panel '{panel.name}'")
    keys("key", "Escape")
    wait(f"Escape to close '{title}'",
         lambda: process.poll() is not None or not showing_window("frame", title, process.pid))
    return played


def tell(label, played):
    report(f"{label}: outcomes {played.shown}")
    report(f"{label}: announced {played.announced}")
    report(f"{label}: final score {played.score}"
           + (f", 総合評価 {played.overall}" if played.overall is not None else ""))


def same_as_live(what, live, replayed):
    tell(f"{what} live", live)
    tell(f"{what} replayed", replayed)
    if (replayed.shown, replayed.announced, replayed.score) != (live.shown, live.announced,
                                                                live.score):
        fail(f"the replay of {what} does not show what was played live")


def history_takes_keyboard(mark):
    wait_for("戦績 to take the keyboard back", lambda: ap.activated(mark, "戦績"))


def main():
    if not ap.bus_reachable():
        sys.exit(ap.SKIP)
    ap.listen()

    frame = ap.start_game()
    live = []
    for _ in range(2):
        live.append(ap.play_match(frame))
        keys("key", "Return")  # 再試合
        wait_for("the rematch", lambda: ap.window_gone("dialog", "競技終了"))
        wait_for("the new battle screen to take the keyboard", lambda: ap.focus_on(ap.TITLE))
        frame = showing_window("frame", ap.TITLE)
    older, newer = live

    keys("key", "F6")
    screen = wait_for("the 戦績 screen", lambda: showing_window("dialog", "戦績"))
    table, _, rows = ap.history_table(screen)
    if [row[2] for row in rows] != [newer.overall, older.overall]:
        fail(f"the table's 総合評価 {[row[2] for row in rows]} are not "
             f"{[newer.overall, older.overall]}")
    before = kept()
    report(f"before 再生: {before}; {history_bytes()}")

    # The newer match, on the top row and selected as 戦績 opens, through the button.
    ap.tab_to("再生", "push button")
    mark = len(ap.heard)
    keys("key", "Return")
    same_as_live("the newer match (「再生」)", newer,
                 watch(ap.game, mark, "the newer match", at_pace=True))
    history_takes_keyboard(mark)

    # The older match by Enter on its row.
    ap.tab_to("試合の一覧", "table")
    keys("key", "Down")
    wait_for("the older match's row to be selected", lambda: table.queryTable().isRowSelected(1))
    mark = len(ap.heard)
    keys("key", "Return")
    same_as_live("the older match (Enter on its row)", older,
                 watch(ap.game, mark, "the older match"))
    history_takes_keyboard(mark)

    # The older match, still selected, into a file; a second copy plays it on its own.
    ap.tab_to("再生ファイルに書き出す")
    ap.save_through_file_dialog("再生ファイルに書き出す", replay_path)
    wait_for("the note that the replay file is written",
             lambda: find(screen, "label", name=f"「{replay_path}」に再生ファイルを書き出しました。"))
    mark = len(ap.heard)
    alone = subprocess.Popen([ap.program, "--replay", replay_path], cwd=ap.cwd, env=ap.GAME_ENV)
    same_as_live("the older match (rz6 --replay FILE)", older, watch(alone, mark, "the file"))
    try:
        status = alone.wait(timeout=ap.WAIT_SECONDS)
    except subprocess.TimeoutExpired:
        alone.kill()
        fail("rz6 --replay did not end when its window closed")
    if status != 0:
        fail(f"rz6 --replay ended with status {status}")
    report("rz6 --replay ended with status 0 on Escape, beside the running game")

    after = kept()
    report(f"after every replay: {after}; {history_bytes()}")
    if after != before:
        fail(f"watching changed the record or the history: {before} before, {after} after")

    # The game gets the keyboard back, as a click on its 戦績 would give it under a
    # window manager, and ends through its own 終了.
    mark = len(ap.heard)
    found = subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid",
                            str(ap.game.pid), "--name", "^戦績$"], capture_output=True, text=True)
    if not found.stdout.split():
        fail("the 戦績 screen's window is not on the X server")
    keys("windowfocus", "--sync", found.stdout.split()[0])
    history_takes_keyboard(mark)
    ap.close_history_and_quit()
    print("PASS")


if __name__ == "__main__":
    main()

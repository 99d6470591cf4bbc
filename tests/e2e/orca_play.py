# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
"""A match played by keys alone with the real screen reader Orca listening, as a player who
cannot see the screen plays it. Orca's debug log is the witness: each moment must appear
there as the exact phrase Orca speaks (its SPEECH OUTPUT lines). The board is dealt from a
known row of digits, so the keys that land are known in advance. The accessibility bus is
read only to know when to type (the combo window open, the pause over, the focus moved).

Runs inside a private D-Bus session (orca_play_test.sh). Exits 77, saying why, when the
accessibility bus or Orca cannot start.

    usage: orca_play.py path/to/rz6 work-folder
"""

import os
import re
import subprocess
import sys
import threading
import time
import tty

from bus_client import (SKIP, Gio, GLib, descendants, find, keys, pump, pyatspi, showing_window,
                        wait_until)

TITLE = os.environ["RZ6_TITLE"]  # the battle window's title, from the shell library
WAIT_SECONDS = float(os.environ.get("RZ6_E2E_WAIT", "60"))
# Never a 9 on the board: "9990" always misses. Every board holds 1, 2 and 3.
BOARD = "12345678"

program, work = sys.argv[1], sys.argv[2]
orca_log = os.path.join(work, "orca-debug.log")
game = orca = None
focus = []  # (role, name) of every control that took the focus, in order


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    for line in spoken()[-30:]:
        print(f"  Orca spoke: {line}", file=sys.stderr)
    print(f"  the focus went to: {focus[-8:]}", file=sys.stderr)
    stop()
    sys.exit(1)


def skip(message):
    print(f"SKIP: {message}")
    stop()
    sys.exit(SKIP)


def stop():
    for process in (game, orca):
        if process and process.poll() is None:
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()


def spoken():
    """Every utterance in Orca's debug log so far, in order."""
    try:
        with open(orca_log, encoding="utf-8", errors="replace") as log:
            return re.findall(r"SPEECH OUTPUT: '(.*?)'(?:\s*voice=\w+)?\{", log.read())
    except FileNotFoundError:
        return []


def wait_for(what, check, seconds=WAIT_SECONDS):
    return wait_until(what, check, game, fail, seconds)


def hear(what, phrase, mark):
    """Waits until Orca has spoken exactly `phrase` since utterance number `mark`."""
    # Orca ends a phrase that closes on a letter with a full stop.
    wait_for(f"Orca to say 「{phrase}」 ({what})",
             lambda: {phrase, phrase + "."} & set(spoken()[mark:]))
    print(f"ORCA ({what}): 「{phrase}」", flush=True)


def on_focus(event):
    if event.detail1:
        try:
            focus.append((event.source.getRoleName(), event.source.name))
        except Exception:
            pass


def said_since(mark, start):
    return next((line for line in spoken()[mark:] if line.startswith(start)), None)


def orca_says(what, start, mark):
    """Waits until Orca has spoken a line that begins with `start`; returns the line."""
    line = wait_for(f"Orca to say 「{start}…」 ({what})", lambda: said_since(mark, start))
    print(f"ORCA ({what}): 「{line}」", flush=True)
    return line


def tab_to(name):
    """Tab until `name` has the focus, each step only once Orca has spoken the new focus:
    Orca follows a beat behind the program, and keys sent faster would outrun it."""
    for _ in range(12):
        if focus and focus[-1][1] == name:
            return
        before, mark = len(focus), len(spoken())
        keys("key", "Tab")
        wait_for(f"Tab to move the focus on from {focus[-1:]}", lambda: len(focus) > before)
        moved_to = focus[-1][1]
        wait_for(f"Orca to follow the focus to {moved_to}", lambda: said_since(mark, moved_to))
    fail(f"Tab never reached {name}")


def log_terminal():
    """Orca writes its debug log in blocks, unless the log is a terminal: then line by line.
    So it writes to a pseudo-terminal, and a thread copies every line to orca_log at once."""
    master, follower = os.openpty()
    tty.setraw(follower)  # lines pass unchanged
    path = os.ttyname(follower)

    def copy():
        with open(orca_log, "ab") as log:
            while True:
                try:
                    chunk = os.read(master, 65536)
                except OSError:  # Orca has gone
                    return
                if not chunk:
                    return
                log.write(chunk)
                log.flush()

    threading.Thread(target=copy, daemon=True).start()
    return path


def start_orca():
    if not os.path.exists("/usr/bin/orca"):
        skip("Orca is not installed (scripts/deps.sh --test)")
    # Orca refuses to start beside another Orca of the same user; one may be finishing.
    others = lambda: subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "orca"],
                                    capture_output=True).returncode == 0
    deadline = time.monotonic() + 300
    while others():
        if time.monotonic() > deadline:
            skip("another Orca of this user runs, and Orca starts only once per user")
        time.sleep(1)
    global orca
    # Orca speaks through speech-dispatcher, which it starts on demand. Here is no sound
    # device: the server would load no output module and stop, and a connection made while
    # it goes down can hold Orca up for good. So the start is refused at once (SPEECHD_CMD);
    # Orca then goes on without a voice and still writes every utterance to its log.
    spawn = os.path.join(work, "speechd-spawn")
    with open(spawn, "w") as script:
        script.write("#!/bin/sh\necho 'no sound device in this test' >&2\nexit 1\n")
    os.chmod(spawn, 0o755)
    output = open(os.path.join(work, "orca.out"), "w")
    orca = subprocess.Popen(["orca", "--debug", "--debug-file", log_terminal(),
                             "-u", os.path.join(work, "orca-prefs")],
                            stdout=output, stderr=subprocess.STDOUT,
                            env=dict(os.environ, SPEECHD_CMD=spawn))
    deadline = time.monotonic() + WAIT_SECONDS
    while "Screen reader on." not in spoken():
        if orca.poll() is not None:
            with open(os.path.join(work, "orca.out")) as text:
                skip(f"Orca did not start (status {orca.returncode}): {text.read().strip()}")
        if time.monotonic() > deadline:
            skip("Orca did not come up within the wait")
        pump()  # Orca's start asks every client on the bus; this one must answer
        time.sleep(0.1)


def pause_over(frame):
    """The outcome has left the screen and the combo window is closed."""
    labels = [node for node in descendants(frame) if node.getRoleName() == "label"]
    return (find(frame, "label", description="入力").description == "入力"
            and not any("使用済み" in label.description for label in labels))


def strike(frame, typed_keys, phrase, what):
    wait_for("the board to take keys", lambda: pause_over(frame))
    mark = len(spoken())
    keys("type", typed_keys)
    hear(what, phrase, mark)


def main():
    global game
    try:
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                          None, None, Gio.DBusCallFlags.NONE, 10000, None)
    except GLib.Error as error:
        skip(f"the accessibility bus does not start: {error.message}")
    start_orca()
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")

    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               RZ6_REHEARSAL_BOARD=BOARD)
    mark = len(spoken())
    game = subprocess.Popen([program], cwd=work, env=env)
    frame = wait_for("the battle screen", lambda: showing_window("frame", TITLE))
    wait_for("Orca to name the battle screen", lambda: any(TITLE in s for s in spoken()[mark:]))

    keys("key", "F5")
    wait_for("the board to be dealt",
             lambda: find(frame, "label", description="盤 1行1列").name == "1")
    mark = len(spoken())
    keys("key", "Return")
    hear("Enter drops the sequence", "姿勢を崩した！、-50点", mark)
    strike(frame, "1230", "金剛撃、100点、残り9ターン", "a landing that spends a turn")
    typed = find(frame, "label", description="入力")
    wait_for("the combo window to open", lambda: "連撃受付中" in typed.description)
    mark = len(spoken())
    keys("type", "4560")
    hear("a combo strike", "旋風斬、100点、2連撃", mark)
    strike(frame, "1320", "防がれた！、残り8ターン", "a block")
    strike(frame, "9990", "空振 9、-100点、残り7ターン", "a miss")
    for turns in range(6, 0, -1):
        strike(frame, "9990", f"空振 9、-100点、残り{turns}ターン", "a spent turn")
    mark = len(spoken())
    strike(frame, "9990", "空振 9、-100点、残り0ターン", "the last turn")
    # The result screen opens as the match ends; its name says so, its description the
    # figures and the rank, before the focus moves on to 再試合.
    result = wait_for("the result screen", lambda: showing_window("dialog", "競技終了"))
    rank = next(n for n in descendants(result) if n.getRoleName() == "slider").description
    hear("the match ends: the result screen",
         f"競技終了 dialog 評価点 -650、技術点 -130、総合評価 -780、ランク {rank}", mark)
    wait_for("the focus on 再試合", lambda: focus and focus[-1][1] == "再試合")

    mark = len(spoken())
    keys("key", "Return")
    wait_for("the rematch", lambda: not showing_window("dialog", "競技終了"))
    orca_says("the rematch", f"{TITLE} frame", mark)

    tab_to("履\u3000\u3000\u3000歴")
    mark = len(spoken())
    keys("key", "space")
    record = wait_for("the record screen", lambda: showing_window("dialog", "技履歴"))
    orca_says("the record screen", "技履歴 dialog", mark)
    tabs = next(n for n in descendants(record) if n.getRoleName() == "page tab list")
    tab_to(tabs.name)
    mark = len(spoken())
    keys("key", "Right")
    orca_says("the technique tab", "技履歴", mark)
    row = "金\u3000剛\u3000撃、1回、123"
    mark = len(spoken())
    tab_to(row)
    hear("a record row", f"{row} push button", mark)
    mark = len(spoken())
    keys("key", "Return")
    orca_says("the 技詳細 box", "alert 技詳細", mark)
    mark = len(spoken())
    keys("key", "Escape")
    wait_for("the focus back on the row", lambda: focus and focus[-1][1] == row)
    hear("the 技詳細 box closed", f"{row} push button", mark)
    mark = len(spoken())
    keys("key", "Escape")
    orca_says("the record screen closed", f"{TITLE} frame", mark)

    tab_to("キャラ選択")
    mark = len(spoken())
    keys("key", "Return")
    orca_says("the character select", "使用キャラ選択 dialog", mark)
    mark = len(spoken())
    keys("key", "2")
    hear("a character chosen by key", "灰原\u3000雪菜", mark)
    keys("key", "Escape")
    wait_for("the character select to close", lambda: not showing_window("dialog", "使用キャラ選択"))
    # This screen leaves the keyboard to the window manager, and there is none here.
    mark = len(spoken())
    keys("search", "--onlyvisible", "--pid", str(game.pid), "--name", f"^{TITLE}$",
         "windowfocus", "--sync")
    orca_says("back on the battle screen", f"{TITLE} frame", mark)

    mark = len(spoken())
    keys("key", "F10")
    hear("F10 opens the menus", "試合", mark)
    keys("key", "Escape", "Escape")
    mark = len(spoken())
    keys("key", "F1")
    orca_says("the help screen", "遊び方 dialog", mark)
    help_text = wait_for("the help text on the bus", lambda: next(
        n for n in descendants(showing_window("dialog", "遊び方"))
        if n.name == "遊び方" and n.getRoleName() in ("text", "label"))).queryText()
    orca_says("the help text takes the keyboard", "遊び方 label", mark)
    whole = help_text.getText(0, -1)
    mark = len(spoken())
    keys("key", "Down")
    line = wait_for("Orca to read the next line of the help", lambda: next(
        (s for s in spoken()[mark:] if len(s.strip(" .")) > 4 and s.strip(" .") in whole), None))
    print(f"ORCA (Down in the help text): 「{line}」", flush=True)
    print("PASS")
    stop()


if __name__ == "__main__":
    main()

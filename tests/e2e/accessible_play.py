# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
"""A whole session played with the keyboard alone and followed only through the desktop's
accessibility bus, as a player who cannot see the screen does with a screen reader.

Keys go in with xdotool; everything the test knows about the game it reads from the bus:
the board's digits, the typed sequence, the outcome and its points, the turns and the combo
window. What the screen reader itself speaks (each outcome, the result, a record row, a
character chosen) is heard with the real Orca in orca_play.py; this test keeps what only
the bus shows: the roles and actions, how often a label's name changes, and the keys. Run inside a private D-Bus session (accessible_play_test.sh); the accessibility bus
is started on demand by that session. Exits 77 when the bus cannot be reached. A match by
keys, 戦績's table and the file dialog are here for history_play.py and replay_play.py too.

    usage: accessible_play.py path/to/rz6 working-folder
"""

import os
import subprocess
import sys
import time
from collections import namedtuple

from bus_client import (SKIP, application, bus_reachable, descendants, find, keys, pyatspi,
                        showing_window, wait_until)

TITLE = os.environ["RZ6_TITLE"]  # the battle window's title, from the shell library
# The language the game is played in: "ja", or "en" on an English desktop. Every text the
# test looks for on the bus is the game's own, in that language.
LANGUAGE = os.environ.get("RZ6_LANGUAGE", "ja")
TEXTS = {
    "ja": {"cell": "盤 {}行{}列", "board": "盤", "abandoned": "姿勢を崩した！", "spent": "使用済み",
           "blocked": "防がれた！", "start": "試合開始", "typed": "入力", "message": "メッセージ",
           "points": "得点", "turns": "残りターン", "combo": "連撃", "combo_open": "連撃受付中",
           "result": "競技終了", "rematch": "再試合", "result_quit": "終\u3000了",
           "quit": "終\u3000\u3000\u3000了", "rank": "ランク"},
    "en": {"cell": "Board row {}, column {}", "board": "Board", "abandoned": "Off balance!",
           "spent": "(used)", "blocked": "Blocked!", "start": "Start", "typed": "Sequence",
           "message": "Message", "points": "Points", "turns": "Turns left", "combo": "Combo",
           "combo_open": "combo open", "result": "Match Over", "rematch": "Rematch",
           "result_quit": "Quit", "quit": "Quit", "rank": "Rank"},
}[LANGUAGE]
WAIT_SECONDS = float(os.environ.get("RZ6_E2E_WAIT", "30"))

program, cwd = sys.argv[1], sys.argv[2]
# The game speaks to the bus even where the desktop did not ask for it.
GAME_ENV = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
game = None
# Every event the bus delivered: (type, role, name, description, detail1). Qt's name-change
# events carry no name, so the source is read as the event is handled, its name first: right
# while what changed it is still on show (a phrase until the next one), but a later name
# where the screen changes faster than the test reads (a message cleared and the next
# outcome shown within a few milliseconds). Outcomes are therefore read by the test once the
# screen has settled on them, and the events are counted rather than read.
heard = []


STARTED = time.monotonic()


def report(line):
    print(f"BUS ({time.monotonic() - STARTED:.1f} s): {line}", flush=True)


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    for event in heard[-25:]:
        print("  heard", event, file=sys.stderr)
    if game and game.poll() is None:
        game.kill()
    sys.exit(1)




def on_event(event):
    try:
        source = event.source
        name = source.name
        heard.append((event.type, source.getRoleName(), name, source.description,
                      event.detail1))
    except Exception:  # the object may be gone already
        heard.append((event.type, "?", "?", "?", event.detail1))


def listen(*kinds):
    """Hears what the functions here read (names, the focus, windows taking the keyboard),
    and the events `kinds` besides."""
    for kind in ("object:property-change:accessible-name", "object:state-changed:focused",
                 "window:activate", *kinds):
        pyatspi.Registry.registerEventListener(on_event, kind)


def wait_for(what, check):
    return wait_until(what, check, game, fail, WAIT_SECONDS)


def window_gone(role, name):
    return showing_window(role, name) is None


def focus_events():
    return [e for e in heard if e[0] == "object:state-changed:focused" and e[4] == 1]


def focused():
    """The control that last told the bus it took the focus, as a screen reader follows it:
    (role, name)."""
    gained = focus_events()
    return (gained[-1][1], gained[-1][2]) if gained else None


def focus_on(name, role=None):
    node = focused()
    return node is not None and node[1] == name and role in (None, node[0])


def tab_to(name, role=None):
    """Presses Tab until the named control has the focus, as a player listening to it would."""
    for _ in range(12):
        if focus_on(name, role):
            return
        before = len(focus_events())
        keys("key", "Tab")
        wait_for(f"Tab to move the focus from {focused()}", lambda: len(focus_events()) > before)
    fail(f"Tab never reached {name}")


def activated(mark, name):
    return any(e[0] == "window:activate" and e[2] == name for e in heard[mark:])


def events_since(mark, kind, description=None):
    return [e for e in heard[mark:]
            if e[0] == kind and (description is None or e[3].startswith(description))]


# --- the battle screen -----------------------------------------------------------------

def board(frame):
    cells = [find(frame, "label", description=TEXTS["cell"].format(r, c))
             for r in range(1, 5) for c in range(1, 5)]
    if None in cells:
        fail("the board's sixteen cells are not all on the bus")
    return cells


def digits(cells):
    return [int(cell.name) for cell in cells]


def pause_over(cells, message):
    """The outcome has left the screen (an abandoned sequence's message stays)."""
    return (message.name in ("", TEXTS["abandoned"])
            and not any(TEXTS["spent"] in c.description for c in cells))


def choose_strike(shown, want_technique):
    """Three digits and 0: a digit repeated three times lands a technique; a digit that is
    not on the board misses. Otherwise the first three cells' digits are struck."""
    if want_technique:
        for digit in range(1, 10):
            if shown.count(digit) >= 3:
                return str(digit) * 3 + "0"
    else:
        for digit in range(1, 10):
            if digit not in shown:
                return str(digit) * 3 + "0"
    return "".join(str(d) for d in shown[:3]) + "0"


# --- what other sessions share: a match by keys, 戦績, the file dialog --------------------

# What the bus read of one match: each strike's outcome as the message label showed it and
# as the screen reader was told it, the score on the status bar at the end, and the result
# screen's 総合評価 (None where no result screen comes, as in a replay).
Played = namedtuple("Played", "shown announced score overall")


def new_names_since(mark, keep):
    """The new names since event number `mark` of the objects `keep` takes by their role
    and description, as each was read when its change was heard."""
    return [e[2] for e in heard[mark:]
            if e[0] == "object:property-change:accessible-name" and keep(e[1], e[3])]


def announced_since(mark):
    """Every phrase said to the screen reader since event number `mark`."""
    return new_names_since(mark, lambda role, d: role == "notification")


def score_shown(frame):
    """The score on the battle screen's status bar."""
    bar = find(frame, "status bar")
    return find(bar, "label", description=TEXTS["points"]).name if bar else None


def start_game(arguments=(), env=None):
    """Starts the game (a second copy's process is its own) and waits for its battle screen."""
    global game
    game = subprocess.Popen([program, *arguments], cwd=cwd, env=env or GAME_ENV)
    frame = wait_for("the battle screen on the bus", lambda: showing_window("frame", TITLE))
    wait_for("the battle screen to take the keyboard", lambda: focus_on(TITLE))
    return frame


def play_match(frame):
    """Plays a match to its end by keys, a technique and a miss in turn, and waits for the
    result screen to take the keyboard; returns what the bus read of it (Played)."""
    cells = board(frame)
    typed = find(frame, "label", description=TEXTS["typed"])
    message = find(frame, "label", description=TEXTS["message"])
    mark = len(heard)
    keys("key", "F5")
    read = []  # the message after each strike, read as the test waits for it
    while True:
        wait_for("the pause to end or the result",
                 lambda: showing_window("dialog", TEXTS["result"])
                 or (pause_over(cells, message) and typed.description == TEXTS["typed"]))
        result = showing_window("dialog", TEXTS["result"])
        if result:
            break
        strike = choose_strike(digits(cells), len(read) % 2 == 0)
        keys("type", strike)
        wait_for(f"the outcome of {strike}",
                 lambda: message.name not in ("", TEXTS["abandoned"]))
        read.append(message.name)
        if len(read) > 40:
            fail("the match does not end")
    wait_for("the result screen to take the keyboard", lambda: focus_on(TEXTS["rematch"]))
    played = Played(read, announced_since(mark), score_shown(frame),
                    find(result, "label", description="総合評価").name)
    report(f"match over after {len(read)} strikes: 総合評価 {played.overall}")
    # The screen reader was told each strike once.
    if len(played.announced) != len(read):
        fail(f"the bus sent phrases {played.announced} for the strikes read as {read}")
    return played


def history_table(screen):
    """The 戦績 screen's table, its column headers and its rows' texts, newest match first."""
    table = wait_for("its table", lambda: find(screen, "table"))
    grid = table.queryTable()
    headers = [grid.getColumnDescription(c) or grid.getColumnHeader(c).name
               for c in range(grid.nColumns)]
    rows = [[grid.getAccessibleAt(r, c).name for c in range(grid.nColumns)]
            for r in range(grid.nRows)]
    return table, headers, rows


def close_history_and_quit():
    """Closes 戦績 (which has the keyboard) with Escape and ends the game through the battle
    screen's 終了; the game must end cleanly."""
    keys("key", "Escape")
    wait_for("Escape to close 戦績", lambda: window_gone("dialog", "戦績"))
    wait_for("the battle screen to take the keyboard back", lambda: focus_on(TITLE))
    tab_to("終\u3000\u3000\u3000了")
    keys("key", "Return")
    if game.wait(timeout=WAIT_SECONDS) != 0:
        fail("the game did not end cleanly")


def file_dialog(title):
    """The file dialog, as whatever kind of window the bus calls it (a file chooser)."""
    for window in application() or []:
        if window is not None and window.name == title and \
                window.getState().contains(pyatspi.STATE_SHOWING):
            return window
    return None


def save_through_file_dialog(title, path):
    """Presses the focused button that opens the file dialog `title` and saves as `path`;
    returns once the dialog is gone."""
    mark = len(heard)
    keys("key", "Return")
    dialog = wait_for("the file dialog", lambda: file_dialog(title))
    # Typed only once the dialog has the keyboard, its file name field focused.
    wait_for("the file dialog to take the keyboard", lambda: activated(mark, title))
    wait_for("the file name field to take the focus",
             lambda: any(e[0] == "object:state-changed:focused" and e[4] == 1 and e[1] == "text"
                         for e in heard[mark:]))
    report(f"file dialog: {dialog.getRoleName()} '{dialog.name}'")
    keys("key", "ctrl+a")
    keys("type", path)
    keys("key", "Return")
    wait_for("the file dialog to close", lambda: file_dialog(title) is None)


def main():
    global game
    if not bus_reachable():
        sys.exit(SKIP)
    listen("object:property-change:accessible-description")

    env = dict(GAME_ENV)
    if LANGUAGE == "en":
        env["LC_ALL"] = "en_GB.UTF-8"  # an English desktop: the game speaks English
    game = subprocess.Popen([program], cwd=cwd, env=env)

    frame = wait_for("the battle screen on the bus", lambda: showing_window("frame", TITLE))
    wait_for("the battle screen to take the keyboard", lambda: focus_on(TITLE))
    buttons = [node for node in descendants(frame) if node.getRoleName() == "push button"]
    names = [b.name for b in buttons]
    actions = {b.name: [b.queryAction().getName(i) for i in range(b.queryAction().nActions)]
               for b in buttons}
    if len(buttons) != 4 or any("Press" not in a for a in actions.values()):
        fail(f"the label-buttons are not push buttons with a press action: {actions}")
    report(f"battle screen: frame '{frame.name}', push buttons {names}, actions {actions[TEXTS['start']]}")

    cells = board(frame)
    typed = find(frame, "label", description=TEXTS["typed"])
    message = find(frame, "label", description=TEXTS["message"])
    points = find(frame, "label", description=TEXTS["points"])
    turns = find(frame, "label", description=TEXTS["turns"])
    combo = find(frame, "label", description=TEXTS["combo"])
    if None in (typed, message, points, turns, combo):
        fail("a state label of the battle screen is not on the bus")

    mark = len(heard)
    keys("key", "F5")
    wait_for("the board to be dealt", lambda: events_since(mark, "object:property-change:accessible-name", TEXTS["board"]))
    report(f"start: board {digits(cells)}, turns '{turns.name}', input description '{typed.description}'")

    # A focused label-button leaves digits and Enter to the match.
    tab_to(TEXTS["start"])
    mark = len(heard)
    keys("type", "12")
    wait_for("the digits typed beside a focused button", lambda: typed.name == "12")
    keys("key", "Return")
    wait_for("Enter to drop the sequence", lambda: message.name == TEXTS["abandoned"])
    wait_for("the penalty", lambda: points.name == "-50")
    input_changes = len(events_since(mark, "object:property-change:accessible-name", TEXTS["typed"]))
    report(f"focus on '{TEXTS['start']}': typed '12' heard, then Enter: '{message.name}' '{points.name}'"
           f" ({input_changes} input name changes for 3 changes of the text)")
    if input_changes != 3:
        fail(f"the input's name changed {input_changes} times for three changes of its text")

    landed = None
    outcomes = []
    result = None
    while result is None:
        wait_for("the pause to end and the combo window to close",
                 lambda: showing_window("dialog", TEXTS["result"])
                 or (pause_over(cells, message) and typed.description == TEXTS["typed"]))
        result = showing_window("dialog", TEXTS["result"])
        if result:
            break
        strike = choose_strike(digits(cells), landed is None)
        keys("type", strike)
        wait_for(f"the outcome of {strike}", lambda: message.name not in ("", TEXTS["abandoned"]))
        wait_for("its points", lambda: points.name != "" or message.name == TEXTS["blocked"])
        outcome = (strike, message.name, points.name, combo.name, turns.name)
        outcomes.append(outcome)
        if outcome[2].isdigit() and landed is None:
            landed = outcome[1]
            mark = len(heard)
            window_open = wait_for("the combo window to open",
                                   lambda: typed.description if TEXTS["combo_open"] in typed.description else None)
            # The clock ticks all through the open window; only real changes are announced:
            # the outcome and its points leave the screen once, at the end of the pause.
            wait_for("the combo window to close", lambda: typed.description == TEXTS["typed"])
            cleared = [len(events_since(mark, "object:property-change:accessible-name", d))
                       for d in (TEXTS["message"], TEXTS["points"])]
            report(f"technique '{landed}' for {outcome[2]} points; input description "
                   f"'{window_open}'; name changes of message and points while it drained: {cleared}")
            if cleared != [1, 1]:
                fail(f"the message and points announced {cleared} changes, not one each")
        if len(outcomes) > 40:
            fail(f"the match does not end: {outcomes}")
    report("strikes (keys, message, points, combo, turns left): " + "; ".join(map(str, outcomes)))
    if landed is None:
        fail("no technique landed in the whole match")

    # --- the result screen (its figures and rank as spoken: orca_play.py) -----------------
    wait_for("the result screen to take the keyboard", lambda: focus_on(TEXTS["rematch"]))
    told = result.description
    report(f"result screen: '{result.name}', described as '{told}'")
    if TEXTS["rank"] not in told or not any(ch.isdigit() for ch in told):
        fail(f"the result screen does not tell its figures and rank: '{told}'")
    if LANGUAGE == "en" and any("\u3040" <= ch <= "\u9fff" for ch in told + result.name):
        fail(f"the English result screen speaks Japanese: '{result.name}' '{told}'")
    keys("key", "Escape", "Tab")  # Escape does nothing here; Tab still moves on
    wait_for("Tab to reach the result's quit", lambda: focus_on(TEXTS["result_quit"]))
    if not showing_window("dialog", TEXTS["result"]):
        fail("Escape closed the result screen")
    keys("key", "Tab", "Return")
    wait_for("the rematch", lambda: window_gone("dialog", TEXTS["result"]) and showing_window("frame", TITLE))
    frame = showing_window("frame", TITLE)
    wait_for("the new battle screen to take the keyboard", lambda: focus_on(TITLE))
    report("rematch by Tab, Tab, Enter after Escape left the result screen open")

    # --- the end ---------------------------------------------------------------------------
    tab_to(TEXTS["quit"])
    keys("key", "Return")
    try:
        status_code = game.wait(timeout=WAIT_SECONDS)
    except subprocess.TimeoutExpired:
        fail("the game did not end after 終了")
    if status_code != 0:
        fail(f"the game ended with status {status_code}")
    kinds = sorted({e[0] for e in heard})
    report(f"events heard: {kinds}")
    print("PASS")


if __name__ == "__main__":
    main()

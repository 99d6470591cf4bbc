# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
"""What the tests that follow the game over the accessibility bus share: the client library
(a test without it reports itself skipped), delivering the bus's events, keys sent with
xdotool, and the game's windows and controls found on the bus."""

import subprocess
import sys
import time

SKIP = 77

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import Gio, GLib  # noqa: F401 (the tests take them from here)
    import pyatspi
except (ImportError, ValueError) as error:
    print(f"SKIP: the accessibility client library is missing ({error})")
    sys.exit(SKIP)


def pump(wait_ms=0):
    """Delivers the bus's events that have come in, after waiting up to wait_ms for the
    first when none has (woken as soon as one comes)."""
    context = GLib.MainContext.default()
    if wait_ms and not context.pending():
        timer = GLib.timeout_source_new(wait_ms)
        timer.set_callback(lambda *_: False)
        timer.attach(context)
        context.iteration(True)
        timer.destroy()
    while context.pending():
        context.iteration(False)


def keys(*arguments):
    subprocess.run(["xdotool", *arguments], check=True)


def descendants(root):
    for child in root:
        if child is None:
            continue
        yield child
        yield from descendants(child)


def find(root, role=None, name=None, description=None):
    """The first control under root with the role, the name and a description that begins
    with the one given (each only when given)."""
    for node in descendants(root):
        if role and node.getRoleName() != role:
            continue
        if name is not None and node.name != name:
            continue
        if description is not None and not node.description.startswith(description):
            continue
        return node
    return None


def application(pid=None):
    """The game on the bus: the first copy found, or the one of process `pid` when two run."""
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "rz6" and (pid is None or app.get_process_id() == pid):
            return app
    return None


def showing_window(role, name, pid=None):
    """The game's window with the role and the name (or a name that `name` accepts, when it
    is a function), while it is on the screen; of process `pid` when given."""
    app = application(pid)
    if not app:
        return None
    for window in app:
        if window is None or window.getRoleName() != role:
            continue
        if (name(window.name) if callable(name) else window.name == name) and \
                window.getState().contains(pyatspi.STATE_SHOWING):
            return window
    return None


def bus_reachable():
    """The accessibility bus answers on the session bus (started on demand)."""
    try:
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                          None, None, Gio.DBusCallFlags.NONE, 10000, None)
        return True
    except GLib.Error as error:
        print(f"SKIP: the accessibility bus does not start: {error.message}")
        return False


def wait_until(what, check, game, fail, seconds, showing=lambda: ""):
    """Polls check() while delivering bus events and returns its first true value; calls
    fail() when the game (a Popen, or None before it starts) ends or the time is up, with
    what showing() says of the screen then."""
    deadline = time.monotonic() + seconds
    while True:
        pump()
        try:
            value = check()
        except Exception:  # an object went away between two reads; look again
            value = None
        if value:
            return value
        if game and game.poll() is not None:
            fail(f"the game ended (status {game.returncode}) while waiting for {what}")
        if time.monotonic() > deadline:
            fail(f"gave up waiting for {what}{showing()}")
        pump(wait_ms=50)

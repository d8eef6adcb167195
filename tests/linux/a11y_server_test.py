#!/usr/bin/python3
"""The platform's AT-SPI server as a screen reader meets it (inside tests/linux/a11y_session.sh).

Starts the fixture (tests/linux/a11y_fixture.cpp), then through pyatspi:
  - finds it by process id and, once its window has the focus, reads the window and its two
    buttons: names (from Windows-1252), roles, extents on the screen and in the window, states
    (the window active, the current button focused), the "press" action, the button under a
    point (tests/linux/a11y_client.py prints the listing);
  - the focus going to another window and coming back is told: the window's deactivation and
    activation, the button's focused state, the focus event naming it;
  - presses the unavailable button: nothing runs; presses "Switch": it runs, the program answers
    while the action pumps, and the state changes are told; then Leave can be pressed, and a
    screen reader can give it the focus, which is told again each time the window gets it back;
  - an entry's text, its character count and caret are read, and what is typed into it (the
    characters inserted, the caret's move) and a caret moved are told;
  - a new name and a new part are told;
  - a part gone from the description answers as defunct, its removal is told, and the window
    taken back leaves the application, its tree never read again.

    /usr/bin/python3 tests/linux/a11y_server_test.py FIXTURE
"""
import os
import subprocess
import sys
import time

from gi.repository import GLib
import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import a11y_client  # noqa: E402

CLIENT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "a11y_client.py")

LISTING = [
    'application "Fixture app" at - [] actions: ',
    '  frame "Fixture \u00eb" at 100,80 300x200 [active,enabled,sensitive,showing,visible]'
    ' actions: ',
    '    push button "Switch \u20ac" at 120,110 100x40'
    ' [active,enabled,focusable,focused,sensitive,showing,visible] actions: press',
    '    push button "Leave" at 250,110 100x40 [focusable,showing,visible] actions: press',
    '    entry "Caption" at 250,180 100x20 [enabled,sensitive,showing,visible] actions: '
    ' text "Caf\u00e9" caret 4',
]

events = []


def heard(event):
    try:
        name = event.source.name
    except Exception:  # gone as we look
        name = None
    events.append((event.type, event.detail1, name))


def told(kind, detail1=None, name=None):
    return any(t == kind and detail1 in (None, d) and name in (None, n) for t, d, n in events)


def pump_until(condition, seconds):
    """Turns this client's events until `condition()` holds; whether it did."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.iteration(False):
            pass
        if condition():
            return True
        if time.monotonic() > end:
            return False
        time.sleep(0.02)


def expect(what, ok):
    print(("ok: " if ok else "FAIL: ") + what)
    if not ok:
        raise SystemExit(1)


def client(pid, *args):
    out = subprocess.run([sys.executable, CLIENT, str(pid), *args], capture_output=True,
                         text=True, timeout=15)
    return out.returncode, out.stdout.splitlines()


def main(fixture):
    program = subprocess.Popen([fixture], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)

    def say(command):
        program.stdin.write(command + "\n")
        program.stdin.flush()

    try:
        app = a11y_client.find_application(program.pid, 10)
        frame = app.getChildAtIndex(0)
        switch, leave = frame.getChildAtIndex(0), frame.getChildAtIndex(1)
        expect("the window, once shown, has the focus",
               pump_until(lambda: "active" in a11y_client.states(frame), 5))
        code, listing = client(program.pid)
        expect("the window and its buttons as read:\n  " + "\n  ".join(listing),
               code == 0 and listing == LISTING)
        expect("extents in window coordinates",
               a11y_client.extents(switch, pyatspi.WINDOW_COORDS) == (20, 30, 100, 40))
        under = frame.queryComponent().getAccessibleAtPoint(130, 120, pyatspi.DESKTOP_COORDS)
        expect("the button under a point", under is not None and under.name == "Switch \u20ac")

        pyatspi.Registry.registerEventListener(heard, "object:state-changed",
                                               "object:children-changed",
                                               "object:property-change:accessible-name",
                                               "object:text-changed", "object:text-caret-moved",
                                               "focus:", "window:activate", "window:deactivate")
        time.sleep(0.3)  # the program hears that someone listens, and to what
        say("other")
        expect("the focus gone to another window is told",
               pump_until(lambda: told("window:deactivate", name="Fixture \u00eb") and
                          told("object:state-changed:focused", 0, "Switch \u20ac"), 2) and
               "active" not in a11y_client.states(frame) and
               "focused" not in a11y_client.states(switch))
        del events[:]
        say("back")
        expect("the focus come back is told, and the button's with it",
               pump_until(lambda: told("window:activate", name="Fixture \u00eb") and
                          told("object:state-changed:focused", 1, "Switch \u20ac") and
                          told("focus:", name="Switch \u20ac"), 2))

        leave.queryAction().doAction(0)  # refused: it is unavailable
        switch.queryAction().doAction(0)
        expect("the pause answers while it pumps (Switch unavailable)",
               pump_until(lambda: "enabled" not in a11y_client.states(switch), 0.9))
        expect("Leave becomes available after the pause",
               pump_until(lambda: "enabled" in a11y_client.states(leave), 3))
        expect("the changes are told",
               pump_until(lambda: told("object:state-changed:enabled", 1), 1) and
               told("object:state-changed:enabled", 0))
        code, said = client(program.pid, "--press", "Leave")
        expect("the client presses Leave", code == 0 and said[-1] == 'did "press" on "Leave"')
        del events[:]
        expect("a screen reader gives Leave the focus",
               leave.queryComponent().grabFocus() and
               pump_until(lambda: told("focus:", name="Leave") and
                          told("object:state-changed:focused", 0, "Switch \u20ac"), 2) and
               "focused" in a11y_client.states(leave))
        say("other")
        pump_until(lambda: "active" not in a11y_client.states(frame), 2)
        del events[:]
        say("back")
        expect("the focus come back to the same part is told again",
               pump_until(lambda: told("focus:", name="Leave"), 2))

        del events[:]
        say("rename 1")
        expect("a new name is told",
               pump_until(lambda: told("object:property-change:accessible-name"), 2) and
               switch.name == "Switched")
        del events[:]
        say("type")
        field = frame.getChildAtIndex(2).queryText()
        expect("what was typed is told as inserted, then the caret's move",
               pump_until(lambda: told("object:text-changed:insert", 4, "Caption") and
                          told("object:text-caret-moved", 6, "Caption"), 2) and
               field.getText(0, -1) == "Caf\u00e9 \u20ac" and field.characterCount == 6 and
               field.getText(4, 6) == " \u20ac")
        del events[:]
        say("caret 2")
        expect("a caret moved is told",
               pump_until(lambda: told("object:text-caret-moved", 2, "Caption"), 2) and
               field.caretOffset == 2 and not told("object:text-changed:insert"))
        del events[:]
        say("create 3")
        expect("a new part is told",
               pump_until(lambda: told("object:children-changed:add"), 2) and
               frame.childCount == 4 and frame.getChildAtIndex(2).name == "Later")
        say("forget 2")
        expect("a part gone answers as defunct",
               pump_until(lambda: a11y_client.states(leave) == ["defunct"], 2) and leave.name == "")
        del events[:]
        say("destroyed 2")
        expect("its removal is told",
               pump_until(lambda: told("object:children-changed:remove"), 2) and
               frame.childCount == 3)
        del events[:]
        say("takeback")
        expect("the window taken back leaves the application",
               pump_until(lambda: told("object:children-changed:remove"), 2) and
               app.childCount == 0)
        say("quit")
        out, _ = program.communicate(timeout=5)
        expect("Leave ran only once available, and the tree was not read after it was taken "
               "back: " + repr(out), program.returncode == 0 and out == "pressed 1\npressed 2\n")
    finally:
        if program.poll() is None:
            program.kill()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

#!/usr/bin/python3
"""What a screen reader reads of a running program, through AT-SPI (pyatspi).

Finds the application by its process id on the desktop's accessibility bus and prints one line
per object, indented by depth:

    ROLE "NAME" at X,Y WxH [STATE,...] actions: NAME,...[ text "TEXT" caret N]

extents in screen coordinates ("at -" when the object has none), states and action names as
AT-SPI spells them, and for an object with a text (an entry) its text and caret. With --press NAME, then does the first action of the first object so named.
With --run COMMAND, then listens for the events --listen names (AT-SPI's types, such as focus:
or object:state-changed:focused), runs the shell command (xdotool key Tab), prints one line per
event heard until each type has been heard (or the timeout passes),

    heard TYPE DETAIL1 ROLE "NAME"

and the listing again.

    /usr/bin/python3 tests/linux/a11y_client.py PID [--press NAME]
        [--listen TYPE ... --run COMMAND] [--timeout SECONDS]

Run it with Debian's python3 (/usr/bin/python3), which has python3-pyatspi.
"""
import argparse
import subprocess
import sys
import time

from gi.repository import GLib
import pyatspi


def find_application(pid, timeout):
    """The application object of process `pid`, waiting up to `timeout` seconds for it."""
    end = time.monotonic() + timeout
    while True:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:  # an application leaving as we look
                continue
        if time.monotonic() > end:
            return None
        time.sleep(0.05)


def states(obj):
    return sorted(pyatspi.stateToString(s) for s in obj.getState().getStates())


def extents(obj, coords=pyatspi.DESKTOP_COORDS):
    try:
        return tuple(obj.queryComponent().getExtents(coords))
    except NotImplementedError:
        return None


def actions(obj):
    try:
        action = obj.queryAction()
    except NotImplementedError:
        return []
    return [action.getName(i) for i in range(action.nActions)]


def text(obj):
    """' text "TEXT" caret N' for an object with a text, else nothing."""
    try:
        value = obj.queryText()
    except NotImplementedError:
        return ""
    return ' text "%s" caret %d' % (value.getText(0, -1), value.caretOffset)


def line(obj):
    box = extents(obj)
    where = "-" if box is None else "%d,%d %dx%d" % box
    return '%s "%s" at %s [%s] actions: %s%s' % (obj.getRoleName(), obj.name, where,
                                                 ",".join(states(obj)), ",".join(actions(obj)),
                                                 text(obj))


def walk(obj, depth=0):
    """(depth, object) for the object and everything under it, in order."""
    yield depth, obj
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


def describe(app):
    return ["  " * depth + line(obj) for depth, obj in walk(app)]


def find_named(app, name):
    return next((obj for _, obj in walk(app) if obj.name == name), None)


def pump(seconds, done=lambda: False):
    """Turns this client's events for `seconds` at most, until `done()`."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while not done() and time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def heard_while(command, types, timeout):
    """(type, line) for each event of `types` heard once `command` has run."""
    heard = []

    def on_event(event):
        try:
            source = '%s "%s"' % (event.source.getRoleName(), event.source.name)
        except Exception:  # gone as we look
            source = "-"
        heard.append((event.type, "heard %s %d %s" % (event.type, event.detail1, source)))

    pyatspi.Registry.registerEventListener(on_event, *types)
    pump(0.3)  # the program hears that someone listens, and to what
    subprocess.run(command, shell=True, check=True)
    pump(timeout, lambda: all(any(t.startswith(want) for t, _ in heard) for want in types))
    return heard


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("pid", type=int)
    parser.add_argument("--press", metavar="NAME")
    parser.add_argument("--listen", metavar="TYPE", action="append", default=[])
    parser.add_argument("--run", metavar="COMMAND")
    parser.add_argument("--timeout", type=float, default=10.0)
    args = parser.parse_args()
    app = find_application(args.pid, args.timeout)
    if app is None:
        print("a11y_client: no application of process %d on the accessibility bus" % args.pid,
              file=sys.stderr)
        return 1
    print("\n".join(describe(app)))
    if args.run is not None:
        for _, heard in heard_while(args.run, args.listen, args.timeout):
            print(heard)
        print("\n".join(describe(app)))
    if args.press is None:
        return 0
    target = find_named(app, args.press)
    if target is None or not actions(target):
        print('a11y_client: nothing named "%s" with an action' % args.press, file=sys.stderr)
        return 1
    action = actions(target)[0]  # read first: the action may end the program
    target.queryAction().doAction(0)
    print('did "%s" on "%s"' % (action, args.press))
    return 0


if __name__ == "__main__":
    sys.exit(main())

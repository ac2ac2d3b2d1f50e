"""What a screen reader hears: the real program under Xvfb on the accessibility bus. After a
roll the five dice's names carry their faces, each change announced; a held die says so.

Run inside its own D-Bus session: dbus-run-session -- python3 screen_reader_test.py BINARY"""

import contextlib
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

from xsession import BUSY_MACHINE, XSession

ROLL_BUTTON = (8 + 8 + 116, 8 + 136 + 16)
HOLD_BUTTON_1 = (8 + 8 + 48 + 20, 8 + 80 + 12)


def find(node, predicate, depth=0):
    """The first accessible below `node` (itself included) that satisfies `predicate`."""
    if node is None or depth > 12:
        return None
    if predicate(node):
        return node
    for index in range(node.childCount):
        found = find(node.getChildAtIndex(index), predicate, depth + 1)
        if found is not None:
            return found
    return None


def named(prefix):
    return lambda node: (node.name or "").startswith(prefix)


def spin(seconds, until=lambda: False):
    """Runs the GLib loop (which delivers accessibility events) until `until` holds, for up to
    `seconds` on a quiet machine (more on a busy one)."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds * BUSY_MACHINE
    while time.monotonic() < deadline and not until():
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


@contextlib.contextmanager
def game_on_bus(binary, window_manager=True):
    """Starts `binary` under Xvfb with Qt's accessibility on; yields the session, the game's
    window and its application on the accessibility bus, and ends them all afterwards."""
    session = XSession(window_manager=window_manager)
    os.environ["DISPLAY"] = session.name
    game = subprocess.Popen([binary], env=dict(session.env, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    try:
        window = session.wait_for(lambda: session.find_window("KUBIQ"), 10, "no window KUBIQ")
        desktop = pyatspi.Registry.getDesktop(0)
        app = session.wait_for(
            lambda: find(desktop, lambda n: n.getRoleName() == "application" and
                         find(n, named("Würfel 1: ")) is not None, 0) or None,
            10, "KUBIQ is not on the accessibility bus")
        yield session, window, app
    finally:
        game.kill()
        game.wait()
        session.stop()


def main(binary):
    renamed = []
    with game_on_bus(binary, window_manager=False) as (session, window, app):
        dice = [find(app, named(f"Würfel {i}: ")) for i in range(1, 6)]
        assert [d.name for d in dice] == [f"Würfel {i}: leer" for i in range(1, 6)], [d.name for d in dice]
        roll = find(app, named("Würfeln  (1. Versuch)"))
        assert roll is not None and roll.getRoleName() == "push button", "roll button by its caption"
        assert find(app, named("Würfel 3 halten")) is not None
        assert find(app, named("Kleine Straße halten")) is not None
        assert find(app, named("Punkte TOTAL: leer")) is not None

        listener = lambda event: renamed.append(event.source.name)
        pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
        session.click(window, *ROLL_BUTTON)
        faces = lambda: [d.name for d in dice]
        spin(5, until=lambda: all(not n.endswith("leer") for n in faces()) and
             any(n.startswith("Tip Chance: ") and not n.endswith("leer") for n in renamed))
        for i, name in enumerate(faces(), start=1):
            assert name in [f"Würfel {i}: {f}" for f in range(1, 7)], f"after the roll: {name}"
            assert name in renamed, f"{name} was not announced"
        assert find(app, named("Würfeln  (2. Versuch)")) is not None

        session.click(window, *HOLD_BUTTON_1)
        spin(3, until=lambda: dice[1].name.endswith(", gehalten"))
        assert dice[1].name.endswith(", gehalten"), dice[1].name
        spin(0.5, until=lambda: dice[1].name in renamed)
        assert dice[1].name in renamed, "holding was not announced"
        print("screen reader test passed:", ", ".join(faces()))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

"""The installed program's coach reads the installed table: F2 in the real window under Xvfb
opens the coach, and a screen reader hears its expected final TOTAL (without a table it would
hear only why there is none).

Run inside its own D-Bus session: dbus-run-session -- python3 coach_advice.py PROGRAM"""

import os
import re
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..",
                                "tests", "system"))
from screen_reader_test import find, game_on_bus, named  # noqa: E402

EXPECTED = re.compile(r"Erwartete Endsumme bei bester Spielweise: \d+,\d")


def main(program):
    # The window manager gives the game the keyboard, as a desktop would.
    with game_on_bus(program) as (session, _, app):
        session.key("F2")
        session.wait_for(lambda: session.find_window("KUBIQ – Berater"), 5, "F2 opened no coach")
        coach = session.wait_for(lambda: find(app, named("KUBIQ – Berater")), 5,
                                 "the coach's window is not on the accessibility bus")
        line = session.wait_for(lambda: find(coach, lambda n: EXPECTED.fullmatch(n.name or "")),
                                5, "the coach gives no expected total: " +
                                ", ".join(filter(None, (coach.getChildAtIndex(i).name
                                                        for i in range(coach.childCount)))))
        print(f"the coach advises from the installed table: {line.name}")


if __name__ == "__main__":
    main(sys.argv[1])

"""Smoke test of the real program in a real X window: start, roll, a click queued during the
roll, the coach opened with F2 beside the window, and the close box, which ends the program
with the coach still open."""

import subprocess
import sys
import time

from xsession import XSession

# Centres of controls in the window, in pixels (the design's twips / 15).
ROLL_BUTTON = (8 + 8 + 116, 8 + 136 + 16)
HOLD_BUTTON = [(8 + 8 + 48 * i + 20, 8 + 80 + 12) for i in range(5)]
DIE = [(8 + 8 + 48 * i + 20, 8 + 32 + 6) for i in range(5)]  # above the face's digit
BLACK, RED = (0, 0, 0), (255, 0, 0)


def main(binary):
    session = XSession()
    game = None
    try:
        game = subprocess.Popen([binary], env=session.env)
        window = session.wait_for(lambda: session.find_window("KUBIQ"), 10, "no window KUBIQ")
        geometry = window.get_geometry()
        assert (geometry.width, geometry.height) == (513, 409), f"client area {geometry.width}x{geometry.height}"
        session.wait_for(lambda: all(session.pixel(window, *d) == BLACK for d in DIE), 5,
                         "five black dice")

        session.click(window, *ROLL_BUTTON)
        time.sleep(0.1)  # the roll lasts half a second
        session.click(window, *HOLD_BUTTON[1])
        # No more input: the queued click must be handled by itself once the roll is over.
        session.wait_for(lambda: session.pixel(window, *DIE[1]) == RED, 3,
                         "die 1 did not turn red after the roll")
        assert session.pixel(window, *DIE[0]) == BLACK, "only die 1 is held"

        session.key("F2")
        coach = session.wait_for(lambda: session.find_window("KUBIQ – Berater"), 5,
                                 "F2 opened no coach")
        game_box, coach_box = (session.root.translate_coords(w, 0, 0) for w in (window, coach))
        assert (coach_box.x >= game_box.x + geometry.width
                or coach_box.x + coach.get_geometry().width <= game_box.x), "the coach covers the game"

        session.close_window("KUBIQ")
        started = time.monotonic()
        status = game.wait(timeout=2)
        assert status == 0, f"exit status {status}"
        print(f"smoke test passed; closed in {time.monotonic() - started:.2f} s")
        return 0
    finally:
        if game and game.poll() is None:
            game.kill()
        session.stop()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

"""Faults with the real program in a real X window: closed during a roll, by its close box and by
Alt+E; closed while the game-over box is open (refused), the box closed by Escape and by its own
close box; then "&Ende". Every run must end with status 0 and without a sanitizer report."""

import subprocess
import sys
import tempfile
import time

from Xlib import X

from xsession import XSession

# Centres of controls in the client area, in pixels (the design's twips / 15).
ROLL_BUTTON = (132, 160)
HELP_BUTTON = (72, 384)
EXIT_BUTTON = (192, 384)
OK_BUTTON = (264, 384)
SHEET_ROW = [row for row in range(6)] + [row + 4 for row in range(6, 13)]
CATEGORY_BUTTON = [(428, 48 + 16 * row) for row in SHEET_ROW]
DIE = [(8 + 8 + 48 * i + 20, 8 + 32 + 6) for i in range(5)]
# The inside of the TOTAL cell, LabelPunkte(106), without its frame.
TOTAL_CELL = (354, 378, 29, 12)
BLACK = (0, 0, 0)

ROLL_SECONDS = 0.5
SANITIZER_REPORTS = ("ERROR: AddressSanitizer", "runtime error", "LeakSanitizer", "ERROR: UndefinedBehaviorSanitizer")


class Program:
    """The game started in the session (by `command`, the program last), its error output kept
    in a file."""

    def __init__(self, session, command, env=None):
        self.session = session
        self.errors = tempfile.TemporaryFile(mode="w+")
        self.process = subprocess.Popen(command, env=env or session.env, stderr=self.errors)
        self.window = session.wait_for(lambda: session.find_window("KUBIQ"), 20, "no window KUBIQ")
        session.wait_for(lambda: all(session.pixel(self.window, *d) == BLACK for d in DIE), 10,
                         "five black dice")

    def click(self, position):
        self.session.click(self.window, *position)

    def total_shown(self):
        """Whether the TOTAL cell shows a number: any pixel inside it differs from the rest."""
        x, y, width, height = TOTAL_CELL
        image = self.window.get_image(x, y, width, height, X.ZPixmap, 0xFFFFFFFF)
        pixels = {bytes(image.data[i:i + 3]) for i in range(0, len(image.data), 4)}
        return len(pixels) > 1

    def play_a_game(self):
        """Thirteen turns of one roll each, the categories in order; the clicks on the sheet are
        made during the roll, as a quick player's would be, and wait in the queue."""
        for button in CATEGORY_BUTTON:
            self.click(ROLL_BUTTON)
            time.sleep(0.05)
            self.click(button)
            time.sleep(ROLL_SECONDS + 0.1)

    def ended(self, seconds):
        """Waits for the end of the program; its exit status, or None while it still runs."""
        try:
            return self.process.wait(timeout=seconds)
        except subprocess.TimeoutExpired:
            return None

    def error_output(self):
        self.errors.seek(0)
        return self.errors.read()

    def check_error_output(self):
        output = self.error_output()
        for report in SANITIZER_REPORTS:
            assert report not in output, f"sanitizer report:\n{output}"

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def closed_during_a_roll(session, binary, close, how):
    program = Program(session, [binary])
    try:
        program.click(ROLL_BUTTON)
        rolled = time.monotonic()
        time.sleep(0.15)
        close()
        asked = time.monotonic()
        status = program.ended(2)
        ended = time.monotonic()
        assert status is not None, f"{how}: still running 2 s after the close"
        assert status == 0, f"{how}: exit status {status}"
        assert ended - rolled >= ROLL_SECONDS - 0.02, \
            f"{how}: ended {ended - rolled:.2f} s after the roll began, before it was over"
        program.check_error_output()
        print(f"{how}: ended with status 0, {ended - rolled:.2f} s after the roll began, "
              f"{ended - asked:.2f} s after the close")
    finally:
        program.kill()


def game_over_box(session, binary):
    program = Program(session, [binary])
    try:
        for close_box, how in ((lambda: session.key("Escape"), "Escape"),
                               (lambda: session.close_window("Game Over"), "its close box")):
            program.play_a_game()
            box = session.wait_for(lambda: session.find_window("Game Over"), 5, "no game-over box")
            assert program.total_shown(), "the finished sheet shows under the box"

            session.close_window("KUBIQ")
            assert program.ended(1) is None, "the program ended while its box was open"
            assert session.find_window("Game Over") is not None, "the box went with the refused close"
            assert session.find_window("KUBIQ") is not None, "the window went with the refused close"

            box.set_input_focus(X.RevertToParent, X.CurrentTime)
            session.d.sync()
            close_box()
            session.wait_for(lambda: session.find_window("Game Over") is None, 3,
                             f"the box stayed after {how}")
            session.wait_for(lambda: not program.total_shown(), 3,
                             f"no new game after the box was closed by {how}")
            assert program.process.poll() is None, f"the program ended with the box, by {how}"
            print(f"game-over box: the close of the window refused; closed by {how}, a new game began")

        program.click(EXIT_BUTTON)
        status = program.ended(2)
        assert status == 0, f"after \"&Ende\": exit status {status}"
        program.check_error_output()
        print("\"&Ende\" ended the program with status 0")
    finally:
        program.kill()


def main(binary):
    session = XSession()
    try:
        closed_during_a_roll(session, binary, lambda: session.close_window("KUBIQ"),
                             "close box during a roll")
        closed_during_a_roll(session, binary, lambda: session.key("e", ["Alt_L"]),
                             "Alt+E during a roll")
        game_over_box(session, binary)
        print("fault tests passed")
        return 0
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

"""KUBIQ for Windows under Wine, as a player gets it: the installer run silently in a fresh
prefix; the installed kubiq.exe at its designed size; two whole games played by clicks from
outside (roll, hold, enter, all thirteen categories, the game-over box, the history in the help
panel) with every number on the window checked against the rules after every roll and entry;
the coach opened with F2 showing the expected final TOTAL of a new game that Linux computes from
its table; the game writing nothing into the prefix; the uninstaller leaving the prefix as it
was; and the start-up time against a bare Qt window, under Wine and on Linux.

  wine_game_test.py WINDOWS-BUILD COACH-START-LINE TABLE NATIVE-KUBIQ NATIVE-BARE-WINDOW

WINDOWS-BUILD is a cross build with its package/ (packaging/windows/cross-build.sh); the other
arguments are the Linux build's. Exits 77 (skipped) without the cached Windows Qt, which the
cross build needs. KUBIQ_SCREENSHOT=FILE keeps a picture of the game and its coach.

Wine 8's UI Automation does not yet carry Qt's accessibility tree across processes, so the
window's texts are read where a program outside can read them: the game-over box and the history
through the clipboard (Ctrl+C, which Wine hands on to X), and the numbers on the sheet, the dice
and the coach off the screen, against digits and lines that text_line.exe, built like the game,
draws in the game's face under the same Wine: what is compared was drawn the same way, whatever
font Wine finds."""

import collections
import glob
import os
import re
import statistics
import subprocess
import sys
import time
import zipfile

from Xlib import X

from wine_session import WineSession, wait_for
import sheet_twin as twin

GAME_OVER_TEXT = ("GAME OVER\nDen Spielstand finden Sie unter 'Hilfe/Spielstand'.\n"
                  "Es folgt die nächste Runde.")
DESIGNED_SIZE = (513, 409)  # the client area, the design's twips / 15
INSTALLED = r"C:\Program Files\KUBIQ\kubiq.exe"


def px(twips):
    return (2 * twips + 15) // 30


# Centres of controls in the window's client area, from the design's twips (as form1.cpp lays
# them out: frames at (120, 120) and (4080, 120), their controls inside).
ROLL = (px(120) + px(120) + px(3495) // 2, px(120) + px(2040) + px(495) // 2)
HOLD = [(px(120) + px(120 + 720 * i) + px(615) // 2, px(120) + px(1200) + px(375) // 2) for i in range(5)]
DIE_BOX = [(px(120) + px(120 + 720 * i), px(120) + px(480), px(615), px(615)) for i in range(5)]
DIE_BACK = [(x + 3, y + 3) for x, y, _, _ in DIE_BOX]  # a corner: the die's colour, not its digit
HELP = (px(240) + px(1695) // 2, px(5520) + px(492) // 2)
EXIT = (px(2040) + px(1695) // 2, px(5520) + px(495) // 2)
OK = (px(3120) + px(1695) // 2, px(5520) + px(495) // 2)
HISTORY = (px(120) + px(120) + px(7215) // 2, px(120) + px(240) + px(4935) // 2)
BLACK, RED = (0, 0, 0), (255, 0, 0)


def category(c):
    row = c if c < 6 else c + 4
    return (px(4080) + px(1920) + px(855) // 2, px(120) + px(480 + 240 * row) + px(240) // 2)


def sheet_row_top(row):
    return px(120) + px(480 + 240 * row)


def score_box(c):
    """Inside the frame of LabelPunkte(c)."""
    row = c if c < 6 else c + 4
    return (px(4080) + px(1200) + 2, sheet_row_top(row) + 2, px(495) - 4, px(240) - 4)


def tip_box(c):
    row = c if c < 6 else c + 4
    return (px(4080) + px(2880), sheet_row_top(row), px(375), px(240))


# The sum cells in the order twin.sums names them, inside their frames.
SUM_BOXES = [(px(4080) + px(1200) + 2, sheet_row_top(row) + 2, px(495) - 4, px(240) - 4)
             for row in (6, 7, 8, 17, 18, 19, 21)]


def clipboard(session):
    """The text on X's CLIPBOARD, as UTF-8, asked for through a window of our own."""
    d = session.x.d
    window = session.x.root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
    target, prop = d.intern_atom("UTF8_STRING"), d.intern_atom("KUBIQ_CLIP")
    window.convert_selection(d.intern_atom("CLIPBOARD"), target, prop, X.CurrentTime)
    d.flush()
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline:
        while d.pending_events():
            event = d.next_event()
            if event.type == X.SelectionNotify and event.requestor == window:
                value = window.get_full_property(prop, X.AnyPropertyType)
                window.destroy()
                return value.value.decode("utf-8").replace("\r\n", "\n") if value else ""
        time.sleep(0.02)
    window.destroy()
    raise AssertionError("nothing on the clipboard")


class Roller:
    """A roll as a player sees it, for a game that can click, and tell each die's picture and
    whether it shows a face."""

    def roll(self):
        self.click(ROLL)
        # The roll shows its faces for half a second; then the dice stand still.
        wait_for(lambda: all(self.faces_shown()), 5, "the roll showed no faces")
        time.sleep(0.8)
        first = [self.die(i)[0] for i in range(5)]
        time.sleep(0.3)
        assert [self.die(i)[0] for i in range(5)] == first, "the dice still move after the roll"


class Game(Roller):
    """The game's window on the display, clicked and looked at as a player does."""

    def __init__(self, session, window):
        self.session, self.window = session, window

    def click(self, point):
        self.session.x.click(self.window, *point)

    def pixel(self, point):
        return self.session.x.pixel(self.window, *point)

    def die(self, i):
        """The die's picture, and whether it shows a face (white digit pixels on it)."""
        x, y, w, h = DIE_BOX[i]
        image = self.window.get_image(x, y, w, h, X.ZPixmap, 0xFFFFFFFF).data
        white = sum(1 for p in range(0, len(image), 4) if image[p] > 200 and image[p + 1] > 200 and image[p + 2] > 200)
        return bytes(image), white > 0

    def faces_shown(self):
        return [self.die(i)[1] for i in range(5)]

    def ink(self, light=False):
        return ink(self.window, light)

def check_sheet(game, digits, scores, tips):
    """Every score, sum and tip on the sheet, read off the screen, against the rules' twin;
    given a few seconds to be painted."""
    deadline = time.monotonic() + 5
    while True:
        try:
            return check_sheet_now(game, digits, scores, tips)
        except AssertionError:
            if time.monotonic() > deadline:
                raise
            time.sleep(0.2)


def check_sheet_now(game, digits, scores, tips):
    rows = game.ink()
    shown = [digits.read(rows, score_box(c)) for c in range(13)]
    assert shown == scores, f"scores on screen {shown}, by the rules {scores}"
    sums = [digits.read(rows, box) for box in SUM_BOXES]
    assert sums == list(twin.sums(scores).values()), \
        f"sums on screen {sums}, by the rules {list(twin.sums(scores).values())}"
    shown = [digits.read(rows, tip_box(c)) for c in range(13)]
    assert shown == tips, f"tips on screen {shown}, by the rules {tips}"


def play_turns(game, digits, holds):
    """The thirteen turns of a game by clicks, as play_game() plays them; every number on the
    window checked after every roll and entry. Returns the scores entered."""
    small, big = digits
    scores = [None] * 13
    check_sheet(game, small, scores, [None] * 13)
    for turn in range(13):
        game.roll()
        assert all(game.pixel(DIE_BACK[i]) == BLACK for i in range(5)), "a die held after the first roll"
        if holds and turn < 3:
            keep = turn
            face = big.read(game.ink(light=True), DIE_BOX[keep])
            game.click(HOLD[keep])
            wait_for(lambda: game.pixel(DIE_BACK[keep]) == RED, 5, f"die {keep + 1} did not turn red")
            game.roll()
            assert big.read(game.ink(light=True), DIE_BOX[keep]) == face, \
                f"the held die {keep + 1} changed in the second roll"
            assert [game.pixel(DIE_BACK[i]) == RED for i in range(5)].count(True) == 1
        light = game.ink(light=True)
        faces = [big.read(light, DIE_BOX[i]) for i in range(5)]
        assert all(f in range(1, 7) for f in faces), f"dice {faces}"
        tips = twin.tips(faces, scores)
        check_sheet(game, small, scores, tips)
        choice = twin.choose(tips, scores)
        scores[choice] = tips[choice] or 0
        game.click(category(choice))
        if turn < 12:
            wait_for(lambda: not any(game.faces_shown()), 5, f"entering category {choice} kept the dice")
            check_sheet(game, small, scores, [None] * 13)
    return scores


def play_game(session, game, digits, holds):
    """A whole game by clicks, each turn's category the one the tips rate highest; every number
    on the window checked after every roll and entry; the last entry's game-over box read and
    answered. With `holds`, the first three turns hold a die and roll again. Returns the TOTAL."""
    small = digits[0]
    scores = play_turns(game, digits, holds)
    box = wait_for(lambda: session.x.find_window("Game Over"), 10, "no game-over box")
    time.sleep(0.3)
    session.x.key("c", ("Control_L",))  # Windows message boxes copy their text
    text = wait_for(lambda: GAME_OVER_TEXT in clipboard(session) and clipboard(session), 5,
                    "the game-over box's text is not on the clipboard")
    assert "Game Over" in text, text
    session.x.key("Return")
    wait_for(lambda: not session.x.find_window("Game Over"), 10, "the game-over box stayed")
    del box
    time.sleep(0.3)
    check_sheet(game, small, [None] * 13, [None] * 13)  # the next game's empty sheet
    return twin.sums(scores)["TOTAL"]


def history(session, game):
    """The help panel's text, by Ctrl+A and Ctrl+C; the panel is closed again."""
    game.click(HELP)
    time.sleep(0.5)

    def copied():
        game.click(HISTORY)
        session.x.key("a", ("Control_L",))
        session.x.key("c", ("Control_L",))
        time.sleep(0.3)
        text = clipboard(session)
        return text if "\nSpielstand:\n" in text else None
    text = wait_for(copied, 10, "Ctrl+A, Ctrl+C in the help panel copied no history")
    game.click(OK)
    time.sleep(0.3)
    assert "\nSpielstand:\n" in text, f"no history in the help panel: {text!r}"
    return text.split("\nSpielstand:\n", 1)[1].split("\n", 1)[1]  # below the rule under it


def take_screenshot(session, path, titles):
    """The screen around the windows named."""
    boxes = []
    for title in titles:
        window = session.x.find_window(title)
        origin = session.x.root.translate_coords(window, 0, 0)
        geometry = window.get_geometry()
        boxes.append((origin.x, origin.y, geometry.width, geometry.height))
    left = max(0, min(b[0] for b in boxes) - 8)
    top = max(0, min(b[1] for b in boxes) - 30)
    right = max(b[0] + b[2] for b in boxes) + 8
    bottom = max(b[1] + b[3] for b in boxes) + 8
    subprocess.run(["import", "-display", session.x.name, "-window", "root",
                    "-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage",
                    "-strip", path], check=True)


def snapshot(session):
    """Every file of the prefix with its size and time, and every registry value (Wine's own
    time stamps of keys left out); taken with Wine at rest, so that the registry is on disk."""
    session.wait_idle()
    files = {}
    for root, _, names in os.walk(session.prefix):
        for name in names:
            path = os.path.join(root, name)
            if os.path.islink(path) or name.endswith(".reg"):
                continue
            status = os.stat(path)
            files[os.path.relpath(path, session.prefix)] = (status.st_size, status.st_mtime_ns)
    registry = set()
    for hive in ("system.reg", "user.reg", "userdef.reg"):
        key = None
        with open(os.path.join(session.prefix, hive), encoding="utf-8", errors="replace") as file:
            for line in file:
                line = line.rstrip("\n")
                if line.startswith("["):
                    key = line[:line.rindex("]") + 1]
                    registry.add((hive, key, None))
                elif line and not line.startswith((";", "#", "WINE REGISTRY")):
                    registry.add((hive, key, line))
    return files, registry


def differences(before, after, wine_own=frozenset()):
    """What changed between two snapshots, as lines; leaves out what `wine_own` names (files,
    and registry values as hive, key and value name), which Wine changes for any program."""
    files = sorted({f for f, _ in set(before[0].items()) ^ set(after[0].items())} - wine_own)
    keys = sorted((k for k in before[1] ^ after[1] if value_name(k) not in wine_own), key=str)
    return [f"file {f}" for f in files] + [f"registry {k[0]} {k[1]} {k[2] or ''}" for k in keys]


def value_name(entry):
    hive, key, line = entry
    return (hive, key, line.split("=", 1)[0] if line else None)


def wine_own(before, after):
    """What a run of the bare window changed: Wine's doing at any program's start."""
    files = {f for f, _ in set(before[0].items()) ^ set(after[0].items())}
    return frozenset(files | {value_name(k) for k in before[1] ^ after[1]})


def startup(start, title, session, runs=5):
    """Median seconds from starting a program to its window on the display."""
    times = []
    for _ in range(runs):
        began = time.monotonic()
        process = start()
        wait_for(lambda: session.x.find_window(title), 30, f"no window {title}")
        times.append(time.monotonic() - began)
        process.kill()
        process.wait()
        wait_for(lambda: not session.x.find_window(title), 10, f"window {title} stayed")
    return statistics.median(times)


def ink(window, light=False):
    """The window's picture as rows of bytes, 1 where a pixel is text (dark, or with `light`
    white as on the dice), 0 elsewhere."""
    geometry = window.get_geometry()
    width, height = geometry.width, geometry.height
    data = window.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data
    # White on the dice is told by green alone: a black and a red (held) die have none, so a
    # digit's soft edges come out the same on both.
    return [bytes(1 if (data[p + 1] > 127 if light else data[p] + data[p + 1] + data[p + 2] < 384) else 0
                  for p in range(4 * width * y, 4 * width * (y + 1), 4)) for y in range(height)]


def cropped(rows):
    """The rows cut to the box around their ink; [] without ink."""
    inked = [y for y, row in enumerate(rows) if 1 in row]
    if not inked:
        return []
    left = min(row.index(1) for row in rows if 1 in row)
    right = max(len(row) - row[::-1].index(1) for row in rows if 1 in row)
    return [row[left:right] for row in rows[inked[0]:inked[-1] + 1]]


def text_picture(session, text_line, text, *looks):
    """`text` as the game draws it (text_line.exe with `looks`), cropped to its ink."""
    process = session.start([text_line, text, *looks])
    window = wait_for(lambda: session.x.find_window("Text"), 30, "text_line showed no window")
    time.sleep(0.5)
    rows = ink(window, light="die" in looks)
    process.kill()
    process.wait()
    wait_for(lambda: not session.x.find_window("Text"), 10, "text_line stayed")
    return cropped(rows)


class Digits:
    """Reads numbers off the screen against the digits as the game draws them, in the same face
    under the same Wine, each shown on its own by text_line.exe."""

    def __init__(self, session, text_line, die=False):
        self.glyphs = [text_picture(session, text_line, str(d), *(["die"] if die else [])) for d in range(10)]
        self.light = die

    @staticmethod
    def mismatches(picture, glyph, x):
        """Pixels where `glyph`, put at column x of the picture's top, differs from it."""
        count = 0
        for y, line in enumerate(glyph):
            row = picture[y] if y < len(picture) else b""
            for dx, bit in enumerate(line):
                count += bit != (row[x + dx] if x + dx < len(row) else 0)
        return count

    def best(self, scores):
        """The digit whose glyph matches, by the pixels each one differs in; None for none."""
        best = min(range(10), key=scores.__getitem__)
        return best if scores[best] <= 2 else None

    def read(self, rows, box):
        """The number in the box (x, y, width, height) of the window's ink rows, digit by digit
        from the left; None when the box is empty."""
        x, y, width, height = box
        picture = cropped([row[x:x + width] for row in rows[y:y + height]])
        if not picture:
            return None
        digits, column = "", 0
        while column < len(picture[0]):
            if not any(row[column] for row in picture):
                column += 1
                continue
            scores = [self.mismatches(picture, glyph, column) for glyph in self.glyphs]
            best = self.best(scores)
            assert best is not None, f"no digit matches at column {column}: {scores}"
            digits += str(best)
            column += len(self.glyphs[best][0])
        return int(digits)


def shows(rows, picture):
    """Whether the inked `picture` stands somewhere in the window's `rows`, pixel for pixel."""
    for y in range(len(rows) - len(picture) + 1):
        x = rows[y].find(picture[0])
        while x >= 0:
            if all(rows[y + k][x:x + len(line)] == line for k, line in enumerate(picture)):
                return True
            x = rows[y].find(picture[0], x + 1)
    return False


def ground(window):
    """The colour most of the window's pixels have, as #rrggbb."""
    geometry = window.get_geometry()
    data = window.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF).data
    blue, green, red = collections.Counter(bytes(data[p:p + 3]) for p in range(0, len(data), 4)).most_common(1)[0][0]
    return f"#{red:02x}{green:02x}{blue:02x}"


def coach_picture(session, program):
    """The coach's window as F2 opens it over a new game of `program`: its ink, and its
    page's ground."""
    process = session.start([program])
    window = wait_for(lambda: session.x.find_window("KUBIQ"), 30, "no window KUBIQ")
    time.sleep(1)
    session.x.key("F2")
    coach = wait_for(lambda: session.x.find_window("KUBIQ – Berater"), 20, "F2 opened no coach")
    time.sleep(1.5)
    picture = ink(coach), ground(coach)
    process.kill()
    process.wait()
    wait_for(lambda: not session.x.find_window("KUBIQ"), 10, "the game stayed")
    del window
    return picture


def main(build, start_line_tool, table, native_kubiq, native_bare):
    qt = os.environ.get("KUBIQ_WINDOWS_QT") or os.path.join(
        os.environ.get("XDG_CACHE_HOME") or os.path.expanduser("~/.cache"), "kubiq", "windows", "qt")
    if not os.path.isfile(os.path.join(qt, ".kubiq-stamp")):
        print(f"no Windows Qt in {qt} (scripts/build-windows builds it); skipped")
        return 77
    setup, = glob.glob(os.path.join(build, "package", "KUBIQ-*-win64-setup.exe"))
    portable, = glob.glob(os.path.join(build, "package", "KUBIQ-*-win64.zip"))
    bare = os.path.join(build, "bare_window.exe")
    coach_total = subprocess.run([start_line_tool, table], check=True, capture_output=True,
                                text=True).stdout.strip()
    screenshot = os.environ.get("KUBIQ_SCREENSHOT")

    session = WineSession()
    try:
        # The portable folder, with the bare window beside the game's DLLs; its first start
        # also lets Wine write what it writes at any program's first window.
        with zipfile.ZipFile(portable) as archive:
            archive.extractall(session.drive_c())
            folder = archive.namelist()[0].split("/")[0]
            shipped = sorted(n[len(folder) + 1:] for n in archive.namelist() if not n.endswith("/"))
        portable_dir = session.drive_c(folder)
        for helper in (bare, os.path.join(build, "text_line.exe")):
            with open(helper, "rb") as source, \
                    open(os.path.join(portable_dir, os.path.basename(helper)), "wb") as copy:
                copy.write(source.read())
        bare_exe = f"C:\\{folder}\\bare_window.exe"
        text_line = f"C:\\{folder}\\text_line.exe"
        startup(lambda: session.start([bare_exe]), "Bare", session, runs=1)

        clean = snapshot(session)
        session.run([setup, "/S"])
        session.wait_idle()
        program = session.drive_c("Program Files", "KUBIQ")
        installed = sorted(os.path.relpath(os.path.join(r, n), program).replace(os.sep, "/")
                           for r, _, ns in os.walk(program) for n in ns)
        assert installed == sorted(shipped + ["uninstall.exe"]), f"installed: {installed}"
        menu = session.drive_c("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "KUBIQ.lnk")
        assert os.path.isfile(menu), "no Start-menu entry"
        entry = session.run(["reg", "query", r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KUBIQ",
                             "/reg:64"])
        for value in ("DisplayName    REG_SZ    KUBIQ",
                      'UninstallString    REG_SZ    "C:\\Program Files\\KUBIQ\\uninstall.exe"'):
            assert value in entry, f"the Apps & features entry lacks {value!r}:\n{entry}"
        # What Wine itself changes when a program starts and draws the game's face (the display
        # driver's date, the code pages of its font cache): the helpers do nothing else.
        installed_state = snapshot(session)
        startup(lambda: session.start([bare_exe]), "Bare", session, runs=1)
        digits = (Digits(session, text_line), Digits(session, text_line, die=True))
        noise = wine_own(installed_state, snapshot(session))
        installed_state = snapshot(session)

        process = session.start([INSTALLED])
        window = wait_for(lambda: session.x.find_window("KUBIQ"), 30, "no window KUBIQ")
        geometry = window.get_geometry()
        assert (geometry.width, geometry.height) == DESIGNED_SIZE, \
            f"client area {geometry.width}x{geometry.height}"
        game = Game(session, window)
        wait_for(lambda: all(game.pixel(DIE_BACK[i]) == BLACK for i in range(5)), 10, "five black dice")
        assert not any(game.faces_shown()), "a face before the first roll"

        total1 = play_game(session, game, digits, holds=True)
        first = history(session, game)
        expected = f"1. Spiel: {total1} Punkte\nPunkte gesamt: {total1}\nDurchschnitt: {total1}\n"
        assert first == expected, f"history after one game: {first!r}, by the rules {expected!r}"
        total2 = play_game(session, game, digits, holds=False)
        second = history(session, game)
        match = re.fullmatch(first.rstrip("\n").replace(".", r"\.") +
                             r"\n2\. Spiel: (\d+) Punkte\nPunkte gesamt: (\d+)\nDurchschnitt: (\d+)\n?", second)
        assert match, f"history after two games: {second!r}"
        shown = [int(g) for g in match.groups()]
        assert shown == [total2, total1 + total2, (total1 + total2 + 1) // 2], second

        session.x.key("F2")
        wait_for(lambda: session.x.find_window("KUBIQ – Berater"), 20, "F2 opened no coach")
        time.sleep(1.5)
        if screenshot:
            game.roll()
            time.sleep(1)
            take_screenshot(session, screenshot, ["KUBIQ", "KUBIQ – Berater"])
        session.x.key("F2")
        game.click(EXIT)
        assert process.wait(timeout=20) == 0, "kubiq.exe ended with a fault"
        played = snapshot(session)
        changed = differences(installed_state, played, noise)
        assert not changed, "the game changed the prefix:\n" + "\n".join(changed)

        # The coach of a new game, reading the installed table, shows the expected final TOTAL
        # that Linux computes from its own table: the figure drawn as its headline draws it, on
        # its page's ground, stands in it. Without a table beside the portable copy it is not.
        picture, coach_ground = coach_picture(session, INSTALLED)
        expected = text_picture(session, text_line, coach_total, "total", coach_ground)
        assert shows(picture, expected), f"the coach does not show the expected TOTAL {coach_total}"
        os.rename(os.path.join(portable_dir, "coach.table"), os.path.join(portable_dir, "coach.off"))
        other, _ = coach_picture(session, f"C:\\{folder}\\kubiq.exe")
        assert not shows(other, expected), f"the expected TOTAL {coach_total} shown without a table"
        os.rename(os.path.join(portable_dir, "coach.off"), os.path.join(portable_dir, "coach.table"))
        session.wait_idle()

        # Start-up: the game against the bare window, under Wine and on Linux. Wine's server
        # and its own services stay up between the runs, as they do on Windows.
        subprocess.run(["wineserver", "-p"], env=session.env, check=True)
        session.start(["cmd", "/c", "ver"]).wait()
        wine_game = startup(lambda: session.start([INSTALLED]), "KUBIQ", session)
        wine_bare = startup(lambda: session.start([bare_exe]), "Bare", session)
        # No session bus: Qt would start one through dbus-launch, and for both programs alike.
        linux_env = dict(session.x.env, QT_QPA_PLATFORM="xcb", DBUS_SESSION_BUS_ADDRESS="disabled:")
        linux_game = startup(lambda: subprocess.Popen([native_kubiq], env=linux_env), "KUBIQ", session)
        linux_bare = startup(lambda: subprocess.Popen([native_bare], env=linux_env), "Bare", session)
        subprocess.run(["wineserver", "-k"], env=session.env)
        session.wait_idle()

        session.run([r"C:\Program Files\KUBIQ\uninstall.exe", "/S"])
        session.wait_idle()
        assert not os.path.exists(program), f"left behind: {os.listdir(program)}"
        # The uninstaller runs from a copy in Temp that Windows deletes at the next restart.
        session.run(["wineboot", "--restart"])
        removed = snapshot(session)
        left = differences(clean, removed, noise)
        assert not left, "install and uninstall changed the prefix:\n" + "\n".join(left)

        print(f"two games played under Wine by clicks, TOTAL {total1} and {total2}")
        print(f"the coach's expected TOTAL on Linux: {coach_total}")
        print(f"start-up under Wine: game {wine_game:.2f} s, bare Qt window {wine_bare:.2f} s, "
              f"ratio {wine_game / wine_bare:.2f}")
        print(f"start-up on Linux:   game {linux_game:.2f} s, bare Qt window {linux_bare:.2f} s, "
              f"ratio {linux_game / linux_bare:.2f}")
        return 0
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:6]))

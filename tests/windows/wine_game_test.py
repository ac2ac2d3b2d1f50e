"""KUBIQ for Windows under Wine, as a player gets it: the installer run silently in a fresh
prefix; the installed kubiq.exe at its designed size; a whole game played by clicks from
outside, every number on screen read through UI Automation and checked against the rules; the
coach opened with F2, its expected final TOTAL of a new game the same as Linux computes from the
same table; the game writing nothing into the prefix; the uninstaller leaving the prefix as it
was; and the start-up time against a bare Qt window, under Wine and on Linux.

  wine_game_test.py WINDOWS-BUILD COACH-START-LINE TABLE NATIVE-KUBIQ NATIVE-BARE-WINDOW

WINDOWS-BUILD is a cross build with its package/ (packaging/windows/cross-build.sh); the other
arguments are the Linux build's. Exits 77 (skipped) without the cached Windows Qt, which the
cross build needs. KUBIQ_SCREENSHOT=FILE keeps a picture of the game and its coach."""

import glob
import os
import statistics
import subprocess
import sys
import time
import zipfile

from wine_session import WineSession, wait_for
import sheet_twin as twin

GAME_OVER_TEXT = ("GAME OVER\nDen Spielstand finden Sie unter 'Hilfe/Spielstand'.\n"
                  "Es folgt die nächste Runde.")
DESIGNED_SIZE = (513, 409)  # the client area, the design's twips / 15
INSTALLED = r"C:\Program Files\KUBIQ\kubiq.exe"


class Window:
    """What UI Automation shows of one top-level window, read anew on every question."""

    def __init__(self, session, title):
        self.session, self.title = session, title
        self.elements = []

    def read(self):
        self.elements = self.session.elements(self.title) or []
        return self.elements

    def named(self, name):
        return next((e for e in self.elements if e[0] == name), None)

    def starting(self, prefix):
        return [e for e in self.elements if e[0].startswith(prefix)]

    def click(self, name):
        element = self.named(name) or self.read() and self.named(name)
        assert element, f"{self.title}: nothing named {name!r}"
        left, top, width, height = element[1]
        assert width > 0 and height > 0, f"{name!r} has no box on the screen"
        self.session.x.click(self.session.x.root, left + width // 2, top + height // 2)

    def wait(self, condition, seconds, message):
        return wait_for(lambda: self.read() and condition(), seconds, f"{self.title}: {message}")


def spoken(points):
    return "leer" if points is None else str(points)


def dice_of(window):
    """The five faces and held flags, or None while a die is blank."""
    faces, held = [], []
    for i in range(1, 6):
        found = window.starting(f"Würfel {i}: ")
        if not found:
            return None
        text = found[0][0][len(f"Würfel {i}: "):]
        if text == "leer":
            return None
        held.append(text.endswith(", gehalten"))
        faces.append(int(text.split(",")[0]))
    return faces, held


def check_sheet(window, scores, tips):
    """Every score cell, sum cell and tip on screen against the rules' twin."""
    shown = {e[0] for e in window.elements}
    for c, name in enumerate(twin.CATEGORIES):
        for label in (f"Punkte {name}: {spoken(scores[c])}", f"Tip {name}: {spoken(tips[c])}"):
            assert label in shown, f"expected {label!r}, the window shows " \
                f"{sorted(n for n in shown if n.startswith(label.split(':')[0] + ':'))}"
    for name, points in twin.sums(scores).items():
        label = f"Punkte {name}: {spoken(points)}"
        assert label in shown, f"expected {label!r}"


def roll(window, attempt):
    """Clicks the roll button of attempt 1..3 and waits for the roll's end: the button names the
    next attempt and the tips are out."""
    window.click(f"Würfeln  ({attempt}. Versuch)")
    after = f"Würfeln  ({min(attempt + 1, 3)}. Versuch)"
    window.wait(lambda: window.named(after) and dice_of(window) and not window.named("Tip Chance: leer"),
                10, f"roll {attempt} did not end")
    time.sleep(0.2)
    window.read()
    return dice_of(window)


def play_game(session, game, coach_line, screenshot):
    """A whole game by clicks; returns its final TOTAL."""
    scores = [None] * 13
    for turn in range(13):
        faces, held = roll(game, 1)
        assert not any(held), f"turn {turn + 1}: a die held after the first roll"
        if turn < 3:
            # Hold the die of turn's index and roll again: the held face stays.
            keep = turn
            game.click(f"Würfel {keep + 1} halten")
            game.wait(lambda: game.starting(f"Würfel {keep + 1}: ")[0][0]
                      == f"Würfel {keep + 1}: {faces[keep]}, gehalten", 5, "die not held")
            again, held = roll(game, 2)
            assert again[keep] == faces[keep] and held[keep] and sum(held) == 1, \
                f"turn {turn + 1}: held die {keep + 1} was {faces[keep]}, is {again[keep]} {held}"
            faces = again
        tips = twin.tips(faces, scores)
        check_sheet(game, scores, tips)
        choice = twin.choose(tips, scores)
        scores[choice] = tips[choice] or 0
        if turn == 6 and screenshot:
            session.x.key("F2")
            coach = Window(session, "KUBIQ – Berater")
            coach.wait(lambda: coach.starting("Erwartete Endsumme bei bester Spielweise: "), 20,
                       "no expected total in the coach during the game")
            time.sleep(0.5)
            take_screenshot(session, screenshot)
            session.x.key("F2")
            wait_for(lambda: session.elements("KUBIQ – Berater") is None, 10, "F2 left the coach open")
        game.click(f"{twin.CATEGORIES[choice]} halten")
        if turn < 12:
            game.wait(lambda: dice_of(game) is None and game.named("Würfeln  (1. Versuch)"), 10,
                      f"turn {turn + 1}: entering did not end the turn")
            check_sheet(game, scores, [None] * 13)
    total = twin.sums(scores)["TOTAL"]

    box = Window(session, "Game Over")
    box.wait(lambda: box.named("OK"), 10, "no game-over box after the thirteenth entry")
    texts = " | ".join(e[0] for e in box.elements)
    assert any(e[0].replace("\r\n", "\n") == GAME_OVER_TEXT or e[0] == GAME_OVER_TEXT.replace("\n", " ")
               for e in box.elements), f"game-over text: {texts}"
    box.click("OK")
    wait_for(lambda: session.elements("Game Over") is None, 10, "the game-over box stayed")

    # A new game: an empty sheet again, and the game in the history.
    game.wait(lambda: game.named("Punkte TOTAL: leer"), 10, "no new game after the box")
    check_sheet(game, [None] * 13, [None] * 13)
    game.click("Hilfe/Spielstand")
    history = game.wait(lambda: [e for e in game.elements if "1. Spiel:" in e[2] or "1. Spiel:" in e[0]],
                        10, "the help panel shows no history")
    text = history[0][2] or history[0][0]
    for line in (f"1. Spiel: {total} Punkte", f"Punkte gesamt: {total}", f"Durchschnitt: {total}"):
        assert line in text, f"history lacks {line!r}: {text!r}"
    game.click("OK")
    game.wait(lambda: game.named("Würfeln  (1. Versuch)"), 10, "OK did not close the help panel")
    return total


def take_screenshot(session, path):
    """The screen around the game and its coach."""
    boxes = []
    for title in ("KUBIQ", "KUBIQ – Berater"):
        elements = session.elements(title)
        if elements:
            boxes.append(elements[0][1])
    left = max(0, min(b[0] for b in boxes) - 12)
    top = max(0, min(b[1] for b in boxes) - 40)
    right = max(b[0] + b[2] for b in boxes) + 12
    bottom = max(b[1] + b[3] for b in boxes) + 12
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
            if os.path.islink(path):
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
    for hive in ("system.reg", "user.reg", "userdef.reg"):
        files.pop(hive, None)  # compared by their values above
    return files, registry


def differences(before, after):
    files = sorted(set(before[0].items()) ^ set(after[0].items()))
    keys = sorted(before[1] ^ after[1], key=str)
    return [f"file {f[0]}" for f in files] + [f"registry {k[0]} {k[1]} {k[2] or ''}" for k in keys]


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
        session.wait_idle()
    return statistics.median(times)


def main(build, start_line_tool, table, native_kubiq, native_bare):
    qt = os.environ.get("KUBIQ_WINDOWS_QT") or os.path.join(
        os.environ.get("XDG_CACHE_HOME") or os.path.expanduser("~/.cache"), "kubiq", "windows", "qt")
    if not os.path.isfile(os.path.join(qt, ".kubiq-stamp")):
        print(f"no Windows Qt in {qt} (scripts/build-windows builds it); skipped")
        return 77
    setup, = glob.glob(os.path.join(build, "package", "KUBIQ-*-win64-setup.exe"))
    portable, = glob.glob(os.path.join(build, "package", "KUBIQ-*-win64.zip"))
    uia_dump = os.path.join(build, "tests", "windows", "uia_dump.exe")
    bare = os.path.join(build, "tests", "windows", "bare_window.exe")
    coach_line = subprocess.run([start_line_tool, table], check=True, capture_output=True,
                                text=True).stdout.strip()
    screenshot = os.environ.get("KUBIQ_SCREENSHOT")

    session = WineSession(uia_dump)
    try:
        # The portable folder, with the bare window beside the game's DLLs; its first start
        # also lets Wine write what it writes at any program's first window.
        with zipfile.ZipFile(portable) as archive:
            archive.extractall(session.drive_c())
            folder = archive.namelist()[0].split("/")[0]
        portable_dir = session.drive_c(folder)
        with open(bare, "rb") as source, open(os.path.join(portable_dir, "bare_window.exe"), "wb") as copy:
            copy.write(source.read())
        bare_exe = f"C:\\{folder}\\bare_window.exe"
        startup(lambda: session.start([bare_exe]), "Bare", session, runs=1)

        clean = snapshot(session)
        session.run([setup, "/S"])
        session.wait_idle()
        program = session.drive_c("Program Files", "KUBIQ")
        with zipfile.ZipFile(portable) as archive:
            shipped = sorted(n[len(folder) + 1:] for n in archive.namelist() if not n.endswith("/"))
        installed = sorted(os.path.relpath(os.path.join(r, n), program).replace(os.sep, "/")
                           for r, _, ns in os.walk(program) for n in ns)
        assert installed == sorted(shipped + ["uninstall.exe"]), f"installed: {installed}"
        menu = session.drive_c("ProgramData", "Microsoft", "Windows", "Start Menu", "Programs", "KUBIQ.lnk")
        assert os.path.isfile(menu), "no Start-menu entry"
        key = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\KUBIQ"
        entry = session.run(["reg", "query", key, "/reg:64"])
        for value in ("DisplayName    REG_SZ    KUBIQ", r"UninstallString    REG_SZ    " + '"C:\\Program Files\\KUBIQ\\uninstall.exe"'):
            assert value in entry, f"Apps & features entry lacks {value!r}:\n{entry}"
        installed_state = snapshot(session)

        process = session.start([INSTALLED])
        x_window = wait_for(lambda: session.x.find_window("KUBIQ"), 30, "no window KUBIQ")
        geometry = x_window.get_geometry()
        assert (geometry.width, geometry.height) == DESIGNED_SIZE, \
            f"client area {geometry.width}x{geometry.height}"
        game = Window(session, "KUBIQ")
        game.wait(lambda: game.named("Würfel 1: leer"), 30, "UI Automation reads no dice")
        check_sheet(game, [None] * 13, [None] * 13)

        # The coach on a new game reads the installed table.
        session.x.key("F2")
        coach = Window(session, "KUBIQ – Berater")
        coach.wait(lambda: coach.starting("Erwartete Endsumme"), 30, "F2 opened no coach")
        assert coach.named(coach_line), \
            f"coach shows {[e[0] for e in coach.starting('Erwartete')]}, Linux computes {coach_line!r}"
        session.x.key("F2")
        wait_for(lambda: session.elements("KUBIQ – Berater") is None, 10, "F2 left the coach open")

        total = play_game(session, game, coach_line, screenshot)
        game.click("Ende")
        assert process.wait(timeout=20) == 0, "kubiq.exe ended with a fault"
        played = snapshot(session)
        changed = differences(installed_state, played)
        assert not changed, "the game changed the prefix:\n" + "\n".join(changed)

        # Start-up: the game against the bare window, under Wine and on Linux.
        wine_game = startup(lambda: session.start([INSTALLED]), "KUBIQ", session)
        wine_bare = startup(lambda: session.start([bare_exe]), "Bare", session)
        linux_env = dict(session.x.env, QT_QPA_PLATFORM="xcb")
        linux_game = startup(lambda: subprocess.Popen([native_kubiq], env=linux_env), "KUBIQ", session)
        linux_bare = startup(lambda: subprocess.Popen([native_bare], env=linux_env), "Bare", session)

        session.run([r"C:\Program Files\KUBIQ\uninstall.exe", "/S"])
        session.wait_idle()
        assert not os.path.exists(program), f"left behind: {os.listdir(program)}"
        removed = snapshot(session)
        left = differences(clean, removed)
        assert not left, "install and uninstall changed the prefix:\n" + "\n".join(left)

        print(f"game played under Wine by clicks, TOTAL {total}; coach: {coach_line}")
        print(f"start-up under Wine: game {wine_game:.2f} s, bare Qt window {wine_bare:.2f} s, "
              f"ratio {wine_game / wine_bare:.2f}")
        print(f"start-up on Linux:   game {linux_game:.2f} s, bare Qt window {linux_bare:.2f} s, "
              f"ratio {linux_game / linux_bare:.2f}")
        return 0
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:6]))

"""KUBIQ in a real browser, as a player gets it: the site served on this machine and opened in
Debian's Chromium, headless, with a fresh profile; the page loads with its progress bar, the game
window at its designed size; a whole game played by clicks and keys (roll, hold, enter, all
thirteen categories, the game-over box, the help panel with the history) with every number on
the window checked against the rules after every roll and entry; a roll animated in the page;
F2 opening the coach, which shows the expected final TOTAL of a new game that Linux computes
from its own table; nothing written into the browser's storage; and, on a site without the
table, the coach saying so while the game plays on. bench/run --only web times
the page with the same means.

  browser_game_test.py SITE COACH-START-LINE

SITE is build/web/site of the web preset, with build/web/checks beside it (text_line built for
the browser); COACH-START-LINE is the native build's tests/windows/coach_start_line, run on the
site's own table. Exits 77 (skipped) without the cached WebAssembly Qt, which the site needs.
KUBIQ_SCREENSHOT=FILE keeps a picture of the game and its coach in the page.

Qt 6.4 gives a page no accessibility tree, so the window's texts are read off the screen against
digits and lines that text_line, built for the browser like the game, draws in the page: what is
compared was drawn by the same Qt in the same face."""

import collections
import functools
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "windows"))
from wine_game_test import (BLACK, DESIGNED_SIZE, DIE_BACK, DIE_BOX, HELP, HISTORY, HOLD, OK, RED, ROLL,  # noqa: E402
                            Digits, Roller, check_sheet, cropped, play_turns, shows)
from wine_session import wait_for  # noqa: E402
import sheet_twin as twin  # noqa: E402

VIEWPORT = (1600, 1000)  # the browser window; the page gets what its frame leaves
# What a roll shows on the desktop: the dice change for half a second, a frame at a time.
ROLL_TIME = 0.5
LABEL_GROUND = (239, 239, 239)  # the design's window colour, behind every label


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    """The site as a static server gives it; the files named in the server's `missing` are not
    there."""
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map, **{".wasm": "application/wasm"})

    def send_head(self):
        if os.path.basename(self.path.split("?")[0]) in self.server.missing:
            self.send_error(404)
            return None
        return super().send_head()

    def log_message(self, *args):
        pass


class Screen:
    """A picture of the page: width, height and RGB bytes."""

    def __init__(self, png):
        converted = subprocess.run(["convert", "png:-", "-depth", "8", "rgb:-"], input=png,
                                   capture_output=True, check=True).stdout
        self.width = int.from_bytes(png[16:20], "big")
        self.height = int.from_bytes(png[20:24], "big")
        self.rgb = converted
        assert len(self.rgb) == 3 * self.width * self.height

    def pixel(self, x, y):
        p = 3 * (y * self.width + x)
        return tuple(self.rgb[p:p + 3])

    def ink(self, box, light=False):
        """The box (x, y, width, height) as rows of bytes, 1 where a pixel is text (dark, or
        with `light` white as on the dice), 0 elsewhere; as the checks under Wine read it."""
        x0, y0, width, height = box
        rows = []
        for y in range(y0, y0 + height):
            line = self.rgb[3 * (y * self.width + x0):3 * (y * self.width + x0 + width)]
            rows.append(bytes(1 if (line[p + 1] > 127 if light else line[p] + line[p + 1] + line[p + 2] < 384)
                              else 0 for p in range(0, len(line), 3)))
        return rows

    def find_box(self, colour, width, height):
        """The top-left corner of the first box of one colour this big, or None."""
        row_of = bytes(colour) * width
        for y in range(self.height - height):
            start = 3 * y * self.width
            line = self.rgb[start:start + 3 * self.width]
            x = line.find(row_of)
            while x >= 0:
                if x % 3 == 0 and all(self.rgb[3 * ((y + k) * self.width) + x:3 * ((y + k) * self.width) + x + 3 * width]
                                      == row_of for k in range(height)):
                    return x // 3, y
                x = line.find(row_of, x + 1)
        return None


class Browser:
    """Debian's Chromium, headless with a fresh profile, on pages served from `root`."""

    def __init__(self, root):
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
        handler = functools.partial(QuietHandler, directory=root)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.server.missing = set()
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.base = f"http://127.0.0.1:{self.server.server_address[1]}"
        self.profile = tempfile.mkdtemp(prefix="kubiq-chromium.")
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless=new", "--no-sandbox", "--enable-unsafe-swiftshader",
                     "--use-angle=swiftshader", "--disable-gpu-sandbox",
                     f"--window-size={VIEWPORT[0]},{VIEWPORT[1]}", "--force-device-scale-factor=1",
                     f"--user-data-dir={self.profile}", "--no-first-run", "--disable-quic",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--disable-features=Translate,MediaRouter", "--lang=de"):
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_window_size(*VIEWPORT)

    def stop(self):
        try:
            self.driver.quit()
        finally:
            self.server.shutdown()
            shutil.rmtree(self.profile, ignore_errors=True)

    def open(self, page):
        self.driver.get(self.base + page)

    def script(self, code, *args):
        return self.driver.execute_script(code, *args)

    def screen(self):
        return Screen(self.driver.get_screenshot_as_png())

    def click(self, x, y):
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(x, y).click()
        actions.perform()

    def key(self, key, *modifiers):
        from selenium.webdriver.common.action_chains import ActionChains
        chain = ActionChains(self.driver)
        for modifier in modifiers:
            chain.key_down(modifier)
        chain.send_keys(key)
        for modifier in reversed(modifiers):
            chain.key_up(modifier)
        chain.perform()

    def text_picture(self, text, *looks):
        """`text` as the game draws it (text_line, built for the browser), cropped to its ink;
        `looks` as text_line takes them, a ground as (r, g, b). Drawn in a tab of its own, so
        that the game's tab stays as it is."""
        from urllib.parse import quote
        grounds = [look for look in looks if isinstance(look, tuple)]
        die = "die" in looks
        background = grounds[-1] if grounds else (0, 0, 0) if die else LABEL_GROUND
        look = " ".join(look if isinstance(look, str) else "#%02x%02x%02x" % look for look in looks)
        home = self.driver.current_window_handle
        self.driver.switch_to.new_window("tab")
        try:
            self.open(f"/checks/text_line.html?text={quote(text)}&look={quote(look)}")
            wait_for(lambda: self.script("return window.textLineRunning === true"), 60,
                     "text_line did not run")
            # The label fills the window below Qt's title bar; its colour tells it from the bar.
            return wait_for(lambda: self._label(background, die), 20, "text_line showed no label")
        finally:
            self.driver.close()
            self.driver.switch_to.window(home)

    def _label(self, background, light):
        time.sleep(0.3)
        screen = self.screen()
        corner = screen.find_box(background, 12, 12)
        if corner is None:
            return None
        x, y = corner
        right, bottom = x, y
        while right < screen.width and screen.pixel(right, y) == background:
            right += 1
        while bottom < screen.height and screen.pixel(x, bottom) == background:
            bottom += 1
        return cropped(screen.ink((x, y, right - x, bottom - y), light)) or None


class PageDigits(Digits):
    """Digits as text_line draws them in the page. The page's FreeType places a glyph at a
    fraction of a pixel, so its soft edges differ by a few pixels from place to place: a digit
    is the glyph that matches clearly best, within a tenth of its ink."""

    def __init__(self, browser, die=False):  # pylint: disable=super-init-not-called
        self.glyphs = [browser.text_picture(str(d), *(["die"] if die else [])) for d in range(10)]
        self.light = die

    def best(self, scores):
        order = sorted(range(10), key=scores.__getitem__)
        ink = sum(sum(line) for line in self.glyphs[order[0]])
        clear = scores[order[0]] <= max(2, ink // 10) and scores[order[1]] >= scores[order[0]] + 2
        return order[0] if clear else None


class Game(Roller):
    """The game's window in the page, clicked and looked at as a player does; points are in the
    window's client area, which the page shows at `origin`."""

    def __init__(self, browser, origin):
        self.browser, self.origin = browser, origin

    def click(self, point):
        self.browser.click(self.origin[0] + point[0], self.origin[1] + point[1])

    def pixel(self, point):
        return self.browser.screen().pixel(self.origin[0] + point[0], self.origin[1] + point[1])

    def ink(self, light=False):
        return self.browser.screen().ink((*self.origin, *DESIGNED_SIZE), light)

    def ground(self, point):
        """The colour most pixels have around the point: what text there stands on."""
        screen = self.browser.screen()
        x, y = self.origin[0] + point[0], self.origin[1] + point[1]
        return collections.Counter(screen.pixel(x + dx, y + dy) for dx in range(-10, 11)
                                   for dy in range(-10, 11)).most_common(1)[0][0]

    def die(self, i, screen=None):
        screen = screen or self.browser.screen()
        x, y, w, h = DIE_BOX[i]
        picture = bytes(b for row in range(h) for b in screen.rgb[
            3 * ((self.origin[1] + y + row) * screen.width + self.origin[0] + x):
            3 * ((self.origin[1] + y + row) * screen.width + self.origin[0] + x + w)])
        white = sum(1 for p in range(0, len(picture), 3) if min(picture[p:p + 3]) > 200)
        return picture, white > 0

    def faces_shown(self):
        screen = self.browser.screen()
        return [self.die(i, screen)[1] for i in range(5)]



def load(browser, how, ready="window.kubiqReady"):
    """Seconds from `how` (opening or reloading a page) until the page's `ready` is true: for
    KUBIQ, the program running with the coach's table handed over."""
    began = time.monotonic()
    how()
    wait_for(lambda: browser.script(f"return {ready} === true"), 120, "the page never became ready")
    return time.monotonic() - began


def find_game(browser):
    """The client area's top-left corner: where the five blank dice stand in their row."""
    def dice():
        screen = browser.screen()
        corner = screen.find_box(BLACK, DIE_BOX[0][2], DIE_BOX[0][3])
        if corner is None:
            return None
        origin = (corner[0] - DIE_BOX[0][0], corner[1] - DIE_BOX[0][1])
        if all(screen.pixel(origin[0] + x + 2, origin[1] + y + 2) == BLACK for x, y, _, _ in DIE_BOX):
            return origin
        return None
    return wait_for(dice, 30, "no game window with five blank dice in the page")


# Notes the time of every frame in which the page draws (a WebGL draw call in an animation
# frame): the roll's animation is counted in the page, where the player sees it.
COUNT_FRAMES = """
    window.kubiqFrames = [];
    for (const context of [WebGLRenderingContext, WebGL2RenderingContext]) {
        for (const name of ["drawArrays", "drawElements"]) {
            const draw = context.prototype[name];
            context.prototype[name] = function (...args) {
                const now = performance.now(), frames = window.kubiqFrames;
                if (!frames.length || now - frames[frames.length - 1] > 4)
                    frames.push(now);
                return draw.apply(this, args);
            };
        }
    }
"""


def roll_timing(browser, game):
    """A roll's animation as the page draws it: the frames drawn from the click until the dice
    stand still, and the time from the first to the last."""
    browser.script("window.kubiqFrames = window.kubiqFrames || []; window.kubiqFrames.length = 0;")
    clicked = browser.script("return performance.now()")
    game.click(ROLL)
    time.sleep(1.5)
    frames = [t for t in browser.script("return window.kubiqFrames") if t >= clicked]
    assert frames, "the page drew no frame for the roll"
    rolling = [t for t in frames if t - frames[0] <= 1000 * ROLL_TIME + 100]
    return len(rolling), (rolling[-1] - rolling[0]) / 1000


def on_screen(browser, picture):
    screen = browser.screen()
    return shows(screen.ink((0, 0, screen.width, screen.height)), picture)


def main(site, start_line_tool):
    site = os.path.abspath(site)
    qt = os.environ.get("KUBIQ_WEB_QT") or os.path.join(
        os.environ.get("XDG_CACHE_HOME") or os.path.expanduser("~/.cache"), "kubiq", "web", "qt")
    if not os.path.isfile(os.path.join(qt, ".kubiq-stamp")):
        print(f"no WebAssembly Qt in {qt} (scripts/build-web builds it); skipped")
        return 77
    # Only now: a machine without the web Qt need not have Selenium either.
    from selenium.webdriver.common.keys import Keys
    coach_total = subprocess.run([start_line_tool, os.path.join(site, "coach.table")], check=True,
                                capture_output=True, text=True).stdout.strip()
    browser = Browser(os.path.dirname(site))
    try:
        digits = PageDigits(browser), PageDigits(browser, die=True)
        game_over = browser.text_picture("GAME OVER")

        first_load = load(browser, lambda: browser.open("/site/index.html"))
        assert browser.driver.title == "KUBIQ", browser.driver.title
        cached_load = load(browser, browser.driver.refresh)  # the program and the table from the cache
        game = Game(browser, find_game(browser))
        assert not any(game.faces_shown()), "a face before the first roll"
        browser.script(COUNT_FRAMES)
        scores = play_turns(game, digits, holds=True)
        total = twin.sums(scores)["TOTAL"]
        wait_for(lambda: on_screen(browser, game_over), 10, "no game-over box")
        browser.key(Keys.RETURN)
        wait_for(lambda: not on_screen(browser, game_over), 10, "the game-over box stayed")
        check_sheet(game, digits[0], [None] * 13, [None] * 13)

        # The history at the end of the help panel's text: opened by its button, scrolled to
        # by Ctrl+End in the text, closed by OK.
        game.click(HELP)
        time.sleep(0.5)
        game.click(HISTORY)
        browser.key(Keys.END, Keys.CONTROL)
        ground = game.ground(HISTORY)
        lines = [browser.text_picture(line, ground) for line in
                 (f"1. Spiel: {total} Punkte", f"Punkte gesamt: {total}", f"Durchschnitt: {total}")]
        wait_for(lambda: all(on_screen(browser, line) for line in lines), 10,
                 "the help panel does not show the history of the game")
        game.click(OK)
        wait_for(lambda: not on_screen(browser, lines[0]), 10, "the help panel stayed")

        # F2: the coach reads the site's table and shows the figure Linux computes from the file,
        # drawn as its headline draws it, on its page's ground (the coach stands beside the game).
        browser.key(Keys.F2)
        time.sleep(2)
        coach_ground = game.ground((DESIGNED_SIZE[0] + 250, DESIGNED_SIZE[1] // 2))
        coach_picture = browser.text_picture(coach_total, "total", coach_ground)
        wait_for(lambda: on_screen(browser, coach_picture), 30,
                 f"F2: the coach does not show the expected TOTAL {coach_total}")
        # A roll of the next game, with the coach beside it, counted in the page.
        # How fast the page draws is for bench/run --only web to measure; here the roll must be
        # seen rolling, not only land.
        frames, duration = roll_timing(browser, game)
        assert frames > 2, f"the roll drew {frames} frames in the page: no animation"
        screenshot = os.environ.get("KUBIQ_SCREENSHOT")
        if screenshot:
            time.sleep(1)
            with open(screenshot, "wb") as file:
                file.write(browser.driver.get_screenshot_as_png())

        stored = browser.driver.execute_async_script("""
            const done = arguments[arguments.length - 1];
            Promise.all([indexedDB.databases(), caches.keys()]).then(([databases, kept]) =>
                done([localStorage.length, sessionStorage.length, document.cookie,
                      databases.length, kept.length]));""")
        assert stored == [0, 0, "", 0, 0], f"the page stored something: {stored}"

        # A site without the table: the coach says so, and the game plays on.
        browser.server.missing.add("coach.table")
        browser.driver.execute_cdp_cmd("Network.clearBrowserCache", {})
        load(browser, lambda: browser.open("/site/index.html"))
        game = Game(browser, find_game(browser))
        browser.key(Keys.F2)
        time.sleep(2)
        sentence = browser.text_picture("Der Berater kann nicht helfen, weil seine Tabelle fehlt.")
        wait_for(lambda: on_screen(browser, sentence), 30, "no table: the coach does not say so")
        assert not on_screen(browser, coach_picture), "no table, but the coach shows a TOTAL"
        game.roll()
        assert all(game.faces_shown()), "no table: the game does not roll"
        print(f"a whole game played in Chromium by clicks and keys, TOTAL {total}")
        print(f"the coach in the page: the expected TOTAL {coach_total}")
        print(f"the page ready in {first_load:.2f} s, from the cache in {cached_load:.2f} s; a roll drew {frames} frames in {duration * 1000:.0f} ms")
        return 0
    except Exception:
        kept = os.path.join(tempfile.gettempdir(), "kubiq-browser-failure.png")
        with open(kept, "wb") as file:
            file.write(browser.driver.get_screenshot_as_png())
        print(f"the page when the check failed: {kept}", file=sys.stderr)
        raise
    finally:
        browser.stop()


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))

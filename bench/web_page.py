"""The page's times in Debian's Chromium (headless, a fresh profile each run), by the browser
check's own means, each against a baseline in the same browser and run:

- loads: from opening the page to the game taking clicks (the program and the coach's table
  handed over), first with an empty cache and then reloaded from the cache; the baseline is the
  same for text_line's page, the smallest Qt program built for the browser like the game;
- a roll: the frames the page draws from the click until the dice stand still, and the time from
  the first to the last; the baseline is the frames a bare page draws in 500 ms on a WebGL
  canvas as large as the game's, clearing it at every animation frame."""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from browser_game_test import COUNT_FRAMES, ROLL, Browser, Game, find_game, load, roll_timing  # noqa: E402

BASELINE_PAGE = """<!doctype html>
<html><head><meta charset="utf-8"><title>Frames</title>
<style>html, body { margin: 0; height: 100%; overflow: hidden; }
canvas { display: block; width: 100%; height: 100%; }</style></head>
<body><canvas></canvas><script>
"use strict";
const canvas = document.querySelector("canvas");
canvas.width = innerWidth;
canvas.height = innerHeight;
const gl = canvas.getContext("webgl", { antialias: true });
// Frames drawn in `ms`, each one clearing the whole canvas to another colour.
window.framesIn = ms => new Promise(done => {
    const started = performance.now();
    let frames = 0;
    const draw = () => {
        gl.clearColor((frames % 7) / 7, 0.5, 0.5, 1);
        gl.clear(gl.COLOR_BUFFER_BIT);
        ++frames;
        if (performance.now() - started < ms)
            requestAnimationFrame(draw);
        else
            done(frames);
    };
    requestAnimationFrame(draw);
});
</script></body></html>
"""


def measure(site, runs):
    """Lists of samples by measure, `runs` of each; None without a site."""
    if not os.path.isfile(os.path.join(site, "kubiq.wasm")):
        return None
    root = os.path.dirname(os.path.abspath(site))
    os.makedirs(os.path.join(root, "bench"), exist_ok=True)
    with open(os.path.join(root, "bench", "frames.html"), "w") as file:
        file.write(BASELINE_PAGE)
    found = {name: [] for name in ("first", "cached", "bare first", "bare cached",
                                   "frames", "roll", "bare frames")}
    for _ in range(runs):
        browser = Browser(root)
        try:
            found["bare first"].append(load(browser, lambda: browser.open(
                "/checks/text_line.html?text=KUBIQ"), "window.textLineRunning"))
            found["bare cached"].append(load(browser, browser.driver.refresh,
                                             "window.textLineRunning"))
            found["first"].append(load(browser, lambda: browser.open("/site/index.html")))
            found["cached"].append(load(browser, browser.driver.refresh))
            game = Game(browser, find_game(browser))
            browser.script(COUNT_FRAMES)
            game.click(ROLL)  # the first roll of a page also lays out the dice's faces
            time.sleep(1.5)
            for _ in range(2):
                frames, duration = roll_timing(browser, game)
                found["frames"].append(frames)
                found["roll"].append(1000 * duration)
                time.sleep(0.5)
            browser.open("/bench/frames.html")
            found["bare frames"].append(browser.driver.execute_async_script(
                "window.framesIn(500).then(arguments[arguments.length - 1]);"))
        finally:
            browser.stop()
    return found

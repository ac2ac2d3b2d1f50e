"""A private X display for tests of the real program: Xvfb, a window manager, and XTest input."""

import os
import shutil
import subprocess
import time

from Xlib import X, display as xdisplay
from Xlib.ext import xtest


# How many times longer than on a quiet machine a wait may take before it counts as a hang.
BUSY_MACHINE = 6


class XSession:
    """Starts Xvfb (and openbox, for close boxes) on a free display; stop() ends both."""

    def __init__(self, width=1280, height=1024, window_manager=True):
        read, write = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            self.name = ":" + pipe.readline().strip()
        self.env = dict(os.environ, DISPLAY=self.name)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.wm = None
        if window_manager:
            self.wm = subprocess.Popen(["openbox"], env=self.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.d = xdisplay.Display(self.name)
        self.root = self.d.screen().root
        if window_manager:
            self.wait_for(lambda: self._wm_running(), 5, "openbox did not start")

    def _wm_running(self):
        return self.root.get_full_property(self.d.intern_atom("_NET_SUPPORTING_WM_CHECK"),
                                           X.AnyPropertyType) is not None

    def stop(self):
        for process in (self.wm, self.xvfb):
            if process and process.poll() is None:
                process.terminate()
                process.wait(5)

    @staticmethod
    def wait_for(condition, seconds, message):
        # `seconds` is what a quiet machine needs at most; the wait ends as soon as the condition
        # holds, so the room left for a machine busy with another build costs nothing.
        deadline = time.monotonic() + seconds * BUSY_MACHINE
        while time.monotonic() < deadline:
            result = condition()
            if result:
                return result
            time.sleep(0.02)
        raise AssertionError(message)

    def find_window(self, title):
        """The client window whose title is `title`, or None."""
        net_name = self.d.intern_atom("_NET_WM_NAME")
        stack = [self.root]
        while stack:
            window = stack.pop()
            try:
                name = window.get_full_property(net_name, 0)
                if name is not None and name.value in (title.encode(), title):
                    attributes = window.get_attributes()
                    if attributes.map_state == X.IsViewable:
                        return window
                stack.extend(window.query_tree().children)
            except Exception:  # windows come and go while we look
                continue
        return None

    def pixel(self, window, x, y):
        """(r, g, b) of one pixel of `window`."""
        image = window.get_image(x, y, 1, 1, X.ZPixmap, 0xFFFFFFFF)
        blue, green, red = image.data[0], image.data[1], image.data[2]
        return red, green, blue

    def click(self, window, x, y):
        """A left click at (x, y) of `window`, through XTest as a real mouse would."""
        position = self.root.translate_coords(window, x, y)
        xtest.fake_input(self.d, X.MotionNotify, x=position.x, y=position.y)
        xtest.fake_input(self.d, X.ButtonPress, 1)
        xtest.fake_input(self.d, X.ButtonRelease, 1)
        self.d.sync()

    def key(self, keysym_name, modifiers=()):
        """Presses and releases a key, with modifier keys held, through XTest."""
        from Xlib import XK
        codes = [self.d.keysym_to_keycode(XK.string_to_keysym(m)) for m in modifiers]
        key = self.d.keysym_to_keycode(XK.string_to_keysym(keysym_name))
        for code in codes:
            xtest.fake_input(self.d, X.KeyPress, code)
        xtest.fake_input(self.d, X.KeyPress, key)
        xtest.fake_input(self.d, X.KeyRelease, key)
        for code in reversed(codes):
            xtest.fake_input(self.d, X.KeyRelease, code)
        self.d.sync()

    def close_window(self, title):
        """Asks the window manager to close the window, as its close box does (WM_DELETE_WINDOW)."""
        subprocess.run([shutil.which("wmctrl"), "-c", title], env=self.env, check=True)

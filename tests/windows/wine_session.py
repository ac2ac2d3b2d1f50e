"""Wine for the checks of KUBIQ for Windows: a fresh prefix of its own on a private Xvfb display
(with openbox, as the Linux checks use), and Windows programs started in it."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "system"))
from xsession import XSession  # noqa: E402


class WineSession:
    """A new WINEPREFIX under a scratch folder, made on an Xvfb display; stop() ends Wine and
    the display and removes the folder."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="kubiq-wine-")
        self.x = XSession()
        home = os.path.join(self.folder, "home")
        os.makedirs(home)
        self.env = dict(self.x.env,
                        WINEPREFIX=os.path.join(self.folder, "prefix"),
                        WINEDEBUG="-all",
                        # No Mono, no Gecko; no menu entries or file types on the Linux desktop.
                        WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=",
                        # Whatever Wine writes outside its prefix lands in the scratch folder.
                        XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        XDG_DATA_HOME=os.path.join(home, ".local", "share"),
                        XDG_CACHE_HOME=os.path.join(home, ".cache"))
        self.prefix = self.env["WINEPREFIX"]
        self.run(["wineboot", "--init"], timeout=180)
        self.wait_idle()

    def drive_c(self, *parts):
        return os.path.join(self.prefix, "drive_c", *parts)

    def run(self, arguments, timeout=120, check=True):
        """Runs `wine ARGUMENTS...` to its end; its standard output, CR LF turned into LF."""
        done = subprocess.run(["wine", *arguments], env=self.env, capture_output=True,
                              timeout=timeout)
        if check and done.returncode != 0:
            raise AssertionError(f"wine {' '.join(arguments)}: status {done.returncode}\n"
                                 f"{done.stderr.decode(errors='replace')}")
        return done.stdout.decode("utf-8", errors="replace").replace("\r\n", "\n")

    def start(self, arguments):
        return subprocess.Popen(["wine", *arguments], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def wait_idle(self, timeout=120):
        """Waits until every program of the prefix has ended (wineserver -w)."""
        subprocess.run(["wineserver", "-w"], env=self.env, timeout=timeout, check=True)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, capture_output=True)
        self.x.stop()
        shutil.rmtree(self.folder, ignore_errors=True)


def wait_for(condition, seconds, message):
    deadline = time.monotonic() + seconds
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise AssertionError(message)
        time.sleep(0.05)

"""Nothing written, nothing sent: the real program under `strace -f` in a real X window, through
start, a roll, an entry, the help panel and "&Ende". It may open no file for writing, create,
rename or remove none, start no other program, and connect to nothing but local (AF_UNIX)
sockets: the X display, the D-Bus session bus (accessibility goes through it), the name service
cache. Run inside a D-Bus session, as on a desktop (`dbus-run-session`); without one the D-Bus
library would autolaunch a bus of its own, and that helper writes its address under ~/.dbus."""

import os
import re
import shutil
import sys
import tempfile
import time

from fault_test import CATEGORY_BUTTON, EXIT_BUTTON, HELP_BUTTON, OK_BUTTON, ROLL_BUTTON, Program, ROLL_SECONDS
from xsession import XSession

WRITE_FLAGS = ("O_WRONLY", "O_RDWR", "O_CREAT", "O_TRUNC", "O_APPEND")
OPEN_CALLS = ("open", "openat", "openat2", "creat")
# Calls that change the file system whatever their arguments.
CHANGE_CALLS = ("rename", "renameat", "renameat2", "unlink", "unlinkat", "mkdir", "mkdirat",
                "rmdir", "link", "linkat", "symlink", "symlinkat", "truncate", "mknod", "mknodat",
                "chmod", "fchmodat", "chown", "lchown", "fchownat", "utime", "utimes", "utimensat")
ADDRESS_CALLS = ("connect", "bind", "sendto", "sendmsg")
TRACED = OPEN_CALLS + CHANGE_CALLS + ADDRESS_CALLS + ("socket", "execve")

CALL = re.compile(r"^(\d+)\s+(\w+)\((.*)$")
PATH = re.compile(r'"((?:[^"\\]|\\.)*)"')


def allowed_change(path, runtime_dir):
    """The file-system changes the toolkit makes on its own, never with the game's data."""
    # Qt makes its runtime directory (XDG_RUNTIME_DIR, or /tmp/runtime-<user> when that is not
    # set) for sockets and locks of its own; the game puts nothing in it.
    if path == runtime_dir:
        return True
    # Fontconfig refreshes its font cache when a font directory is newer than the cache, writing
    # the cache files (through temporary files, locks and renames) in its cache directory.
    parts = path.split("/")
    return "fontconfig" in parts and ("/.cache/" in path or path.startswith("/var/cache/"))


def runtime_dir(env):
    user = os.environ.get("USER") or os.popen("id -un").read().strip()
    return env.get("XDG_RUNTIME_DIR") or f"/tmp/runtime-{user}"


def faults_in(trace, program, runtime):
    """What the trace shows the program doing beyond reading, one line each."""
    faults = []
    for line in trace.splitlines():
        match = CALL.match(line)
        if not match:
            continue
        _, call, arguments = match.groups()
        paths = PATH.findall(arguments)
        if call in OPEN_CALLS:
            if call == "creat" or any(flag in arguments for flag in WRITE_FLAGS):
                if not (paths and allowed_change(paths[0], runtime)):
                    faults.append(f"opened for writing: {line}")
        elif call in CHANGE_CALLS:
            if not all(allowed_change(path, runtime) for path in paths):
                faults.append(f"changed the file system: {line}")
        elif call == "socket":
            if not arguments.startswith("AF_UNIX"):
                faults.append(f"opened a socket other than a local one: {line}")
        elif call in ADDRESS_CALLS:
            if "sa_family=" in arguments and "sa_family=AF_UNIX" not in arguments:
                faults.append(f"addressed something other than a local socket: {line}")
        elif call == "execve":
            if not paths or os.path.realpath(paths[0]) != os.path.realpath(program):
                faults.append(f"started another program: {line}")
    return faults


def main(binary):
    assert os.environ.get("DBUS_SESSION_BUS_ADDRESS"), "run me in a D-Bus session (dbus-run-session)"
    strace = shutil.which("strace")
    assert strace, "strace is not installed"
    session = XSession()
    program = None
    with tempfile.TemporaryDirectory() as scratch:
        log = os.path.join(scratch, "trace")
        env = dict(session.env)
        # LeakSanitizer, in a sanitizer build, cannot work under a tracer; leaks are checked
        # by the other tests of that build.
        env["ASAN_OPTIONS"] = ":".join(filter(None, [env.get("ASAN_OPTIONS"), "detect_leaks=0"]))
        try:
            program = Program(session, [strace, "-f", "-qq", "-s", "4096", "-o", log,
                                        "-e", "trace=" + ",".join(TRACED), binary], env)
            program.click(ROLL_BUTTON)
            time.sleep(ROLL_SECONDS + 0.2)
            program.click(CATEGORY_BUTTON[12])
            time.sleep(0.2)
            program.click(HELP_BUTTON)
            time.sleep(0.3)
            program.click(OK_BUTTON)
            time.sleep(0.3)
            program.click(EXIT_BUTTON)
            status = program.ended(10)
            assert status == 0, f"exit status {status}:\n{program.error_output()}"
        finally:
            if program:
                program.kill()
            session.stop()

        with open(log) as file:
            trace = file.read()
    calls = sum(1 for line in trace.splitlines() if CALL.match(line))
    # The trace must have seen the program at work: its window on the X display at least.
    assert "/tmp/.X11-unix/" in trace, "the trace shows no connection to the X display"
    assert "openat(" in trace, "the trace shows no file opened at all"
    faults = faults_in(trace, binary, runtime_dir(env))
    assert not faults, "\n".join(faults)
    print(f"strace: {calls} traced calls; no file written, no other program, only local sockets")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

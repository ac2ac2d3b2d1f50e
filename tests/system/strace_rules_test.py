"""The rules of the strace check on lines of a trace: what passes and what is caught."""

import sys
import unittest

from strace_test import faults_in

PROGRAM = "/opt/kubiq/bin/kubiq"
RUNTIME = "/tmp/runtime-player"

# (why, trace line, caught)
ROWS = [
    ("reading a font", '7 openat(AT_FDCWD, "/usr/share/fonts/a.ttf", O_RDONLY|O_CLOEXEC) = 9', False),
    ("the program itself starting", f'7 execve("{PROGRAM}", ["kubiq"], 0x7ffd /* 9 vars */) = 0', False),
    ("the X display", '7 connect(3, {sa_family=AF_UNIX, sun_path=@"/tmp/.X11-unix/X1"}, 20) = 0', False),
    ("a local socket", "7 socket(AF_UNIX, SOCK_STREAM|SOCK_CLOEXEC, 0) = 3", False),
    ("the toolkit's runtime directory", f'7 mkdir("{RUNTIME}", 0700) = 0', False),
    ("the font cache refreshed",
     '7 openat(AT_FDCWD, "/root/.cache/fontconfig/x-le64.cache-7.TMP", O_RDWR|O_CREAT, 0666) = 5', False),
    ("a file written", '7 openat(AT_FDCWD, "/root/.kubiq", O_WRONLY|O_CREAT|O_TRUNC, 0666) = 5', True),
    ("a file appended to", '7 openat(AT_FDCWD, "/tmp/log", O_WRONLY|O_APPEND <unfinished ...>', True),
    ("a file opened to read and write", '7 open("/dev/null", O_RDWR) = 3', True),
    ("a file made by creat", '7 creat("/tmp/x", 0644) = 3', True),
    ("a file removed", '7 unlink("/tmp/scores") = 0', True),
    ("a file renamed", '7 rename("/tmp/a", "/tmp/b") = 0', True),
    ("a directory made elsewhere", '7 mkdir("/root/.dbus", 0700) = 0', True),
    ("a font cache outside the cache directories",
     '7 openat(AT_FDCWD, "/home/p/fontconfig/x", O_WRONLY|O_CREAT, 0666) = 5', True),
    ("a network socket", "7 socket(AF_INET, SOCK_STREAM, IPPROTO_TCP) = 4", True),
    ("a connection to an address",
     '7 connect(4, {sa_family=AF_INET6, sin6_port=htons(443), sin6_addr=inet_pton(AF_INET6, "::1")}, 28) = 0',
     True),
    ("a datagram to an address",
     '7 sendto(4, "x", 1, 0, {sa_family=AF_INET, sin_port=htons(53), sin_addr=inet_addr("10.0.0.1")}, 16) = 1',
     True),
    ("another program started", '8 execve("/usr/bin/dbus-launch", ["dbus-launch"], 0x7ffd /* 9 vars */) = 0', True),
]


class StraceRules(unittest.TestCase):
    def test_each_line(self):
        for why, line, caught in ROWS:
            with self.subTest(why):
                self.assertEqual(bool(faults_in(line, PROGRAM, RUNTIME)), caught, line)

    def test_a_whole_trace_reports_every_fault(self):
        trace = "\n".join(line for _, line, _ in ROWS)
        self.assertEqual(len(faults_in(trace, PROGRAM, RUNTIME)), sum(caught for _, _, caught in ROWS))


if __name__ == "__main__":
    sys.exit(unittest.main())

"""The DLL check of the Windows package catches what it is there for: a DLL missing beside
kubiq.exe, one too many, a missing plugin; and passes the folder as packaged.

  check_dlls_test.py WINDOWS-BUILD

Exits 77 (skipped) when the Windows build has no packaged folder (no cached Windows Qt)."""

import glob
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packaging", "windows"))
import check_dlls  # noqa: E402


def remove(name):
    return lambda folder: os.remove(os.path.join(folder, name))


def add_copy(source, name):
    return lambda folder: shutil.copy(os.path.join(folder, source), os.path.join(folder, name))


ROWS = [
    ("the folder as packaged", lambda folder: None, []),
    ("Qt's Gui DLL missing", remove("Qt6Gui.dll"), ["kubiq.exe needs qt6gui.dll"]),
    ("the C++ runtime missing", remove("libstdc++-6.dll"), ["kubiq.exe needs libstdc++-6.dll"]),
    ("a DLL nothing imports", add_copy("libwinpthread-1.dll", "libextra.dll"),
     ["libextra.dll is beside kubiq.exe but no binary imports it"]),
    ("the platform plugin missing", remove("platforms/qwindows.dll"), ["platforms/qwindows.dll is missing"]),
    ("the style plugin missing", remove("styles/qwindowsvistastyle.dll"),
     ["styles/qwindowsvistastyle.dll is missing"]),
]


def main(build):
    folders = [f for f in glob.glob(os.path.join(build, "package", "KUBIQ-*")) if os.path.isdir(f)]
    if not folders:
        print(f"no packaged folder in {build}/package; skipped")
        return 77
    failures = 0
    for name, change, expected in ROWS:
        with tempfile.TemporaryDirectory() as scratch:
            folder = os.path.join(scratch, "KUBIQ")
            shutil.copytree(folders[0], folder)
            change(folder)
            _, faults = check_dlls.check(folder)
            missing = [e for e in expected if not any(f.startswith(e) for f in faults)]
            if missing or (not expected and faults):
                failures += 1
                print(f"FAILED {name}: expected {expected}, found {faults}")
            else:
                print(f"ok     {name}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))

"""Checks that a folder of KUBIQ for Windows holds exactly the DLLs it needs, read from the
import tables of its binaries: check_dlls.py FOLDER [OBJDUMP]

Every DLL a binary in the folder imports must be beside kubiq.exe or be part of Windows; every
DLL beside kubiq.exe must be imported by some binary of the folder. Qt loads its plugins by
folder, not by import, so the two the window needs are required by name. Prints what it found
and exits 1 with one line per fault otherwise."""

import os
import re
import subprocess
import sys

# The plugins Qt looks for at start: without the platform plugin there is no window at all,
# without the style the window has Fusion's look instead of Windows' own.
PLUGINS = ("platforms/qwindows.dll", "styles/qwindowsvistastyle.dll")

# DLLs that come with every 64-bit Windows since 7 (and that Wine provides): never shipped.
WINDOWS = {
    "advapi32.dll", "authz.dll", "comctl32.dll", "comdlg32.dll", "d2d1.dll", "d3d11.dll",
    "d3d12.dll", "d3d9.dll", "dwmapi.dll", "dwrite.dll", "dxgi.dll", "gdi32.dll", "imm32.dll",
    "kernel32.dll", "mpr.dll", "msvcrt.dll", "netapi32.dll", "ntdll.dll", "ole32.dll",
    "oleacc.dll", "oleaut32.dll", "rpcrt4.dll", "setupapi.dll", "shell32.dll", "shlwapi.dll",
    "user32.dll", "userenv.dll", "uxtheme.dll", "version.dll", "winmm.dll", "winspool.drv",
    "ws2_32.dll", "wtsapi32.dll", "uiautomationcore.dll", "shcore.dll", "dcomp.dll",
    "cfgmgr32.dll", "bcrypt.dll", "crypt32.dll", "iphlpapi.dll", "secur32.dll", "normaliz.dll",
}


def imports(path, objdump):
    out = subprocess.run([objdump, "-p", path], check=True, capture_output=True, text=True).stdout
    return {name.lower() for name in re.findall(r"^\s*DLL Name: (\S+)", out, re.M)}


def is_windows(name):
    return name in WINDOWS or name.startswith(("api-ms-win-", "ext-ms-win-"))


def check(folder, objdump="x86_64-w64-mingw32-objdump"):
    binaries = []
    for root, _, files in os.walk(folder):
        for file in files:
            if file.lower().endswith((".exe", ".dll")):
                binaries.append(os.path.relpath(os.path.join(root, file), folder).replace(os.sep, "/"))
    beside = {b.lower() for b in binaries if "/" not in b and b.lower().endswith(".dll")}
    faults, used = [], set()
    for binary in sorted(binaries):
        if binary.lower() == "uninstall.exe":
            continue  # NSIS's own, imports Windows only, made by the installer
        for name in sorted(imports(os.path.join(folder, binary), objdump)):
            if name in beside:
                used.add(name)
            elif not is_windows(name):
                faults.append(f"{binary} needs {name}, which is neither beside kubiq.exe nor part of Windows")
    for name in sorted(beside - used):
        faults.append(f"{name} is beside kubiq.exe but no binary imports it")
    for plugin in PLUGINS:
        if plugin not in binaries:
            faults.append(f"{plugin} is missing")
    if "kubiq.exe" not in binaries:
        faults.append("kubiq.exe is missing")
    return sorted(beside), faults


def main(argv):
    beside, faults = check(*argv[1:3])
    for fault in faults:
        print("check_dlls:", fault, file=sys.stderr)
    if not faults:
        print("check_dlls: the DLLs beside kubiq.exe are exactly those it needs:", " ".join(beside))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))

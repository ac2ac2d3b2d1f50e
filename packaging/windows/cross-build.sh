#!/usr/bin/env bash
# KUBIQ for Windows from the cached Windows Qt: configures and builds the windows preset into
# BUILD-DIR with the coach's table of a native build, runs its tests under Wine, and makes the
# installer and the portable .zip in BUILD-DIR/package.
#
#   packaging/windows/cross-build.sh BUILD-DIR NATIVE-COACH-TABLE
#
# Exits 77 (CTest's "skipped") when there is no cached Windows Qt: scripts/build-windows makes
# it, and runs this too.
set -euo pipefail

source=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
table=$2
qt=${KUBIQ_WINDOWS_QT:-${XDG_CACHE_HOME:-$HOME/.cache}/kubiq/windows/qt}
if [ ! -f "$qt/.kubiq-stamp" ]; then
    echo "cross-build: no Windows Qt in $qt (scripts/build-windows builds it); skipped"
    exit 77
fi
for tool in x86_64-w64-mingw32-g++-posix wine makensis; do
    command -v "$tool" >/dev/null ||
        { echo "cross-build: $tool is missing (scripts/build-windows installs it)" >&2; exit 1; }
done

cd "$source"
cmake --preset windows -B "$build" -DKUBIQ_PREBUILT_TABLE="$table" >/dev/null
nice -n 10 cmake --build "$build"
# The rules' and the solver's tests, built for Windows, under Wine, in a prefix made first:
# CTest lists each program's tests by running it, which must not wait for the prefix.
tests/windows/wine-run
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)" --timeout 900
"$source/packaging/windows/package.sh" "$build" "$build/package"

#!/usr/bin/env bash
# KUBIQ for the browser from the cached WebAssembly Qt: configures and builds the web preset
# into BUILD-DIR with the coach's table of a native build; the site lands in BUILD-DIR/site.
#
#   packaging/web/web-build.sh BUILD-DIR NATIVE-COACH-TABLE
#
# Exits 77 (CTest's "skipped") when there is no cached WebAssembly Qt: scripts/build-web makes
# it, and runs this too.
set -euo pipefail

source=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
table=$2
qt=${KUBIQ_WEB_QT:-${XDG_CACHE_HOME:-$HOME/.cache}/kubiq/web/qt}
if [ ! -f "$qt/.kubiq-stamp" ]; then
    echo "web-build: no WebAssembly Qt in $qt (scripts/build-web builds it); skipped"
    exit 77
fi
command -v emcc >/dev/null || { echo "web-build: emcc is missing (scripts/build-web installs it)" >&2; exit 1; }
export EMSDK_PYTHON=${EMSDK_PYTHON:-/usr/bin/python3} NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

cd "$source"
cmake --preset web -B "$build" -DKUBIQ_PREBUILT_TABLE="$table" >/dev/null
nice -n 10 cmake --build "$build"

#!/usr/bin/env bash
# Makes the installer and the portable .zip from a cross build of KUBIQ for Windows:
#
#   packaging/windows/package.sh BUILD-DIR OUTPUT-DIR
#
# Installs the build into OUTPUT-DIR/KUBIQ-<version> (the files both carry), checks its DLLs
# against the binaries' import tables, and writes OUTPUT-DIR/KUBIQ-<version>-win64-setup.exe and
# OUTPUT-DIR/KUBIQ-<version>-win64.zip.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
output=$(mkdir -p "$2" && cd "$2" && pwd)
python=${PYTHON:-/usr/bin/python3}

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "package.sh: no project version in $build" >&2; exit 1; }
name=KUBIQ-$version
stage=$output/$name

rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
"$python" "$here/check_dlls.py" "$stage"

# The installer's file lists, folder by folder; the uninstaller's in reverse, folders last.
files=$output/files.nsh
unfiles=$output/unfiles.nsh
: >"$files"
: >"$unfiles"
(cd "$stage" && find . -type d | sort) | while read -r dir; do
    rel=${dir#./}
    [ "$dir" = . ] && win='$INSTDIR' || win="\$INSTDIR\\${rel//\//\\}"
    echo "SetOutPath \"$win\"" >>"$files"
    find "$stage/$rel" -maxdepth 1 -type f | sort | while read -r file; do
        echo "File \"$file\"" >>"$files"
        echo "Delete \"$win\\$(basename "$file")\"" >>"$unfiles.tmp"
    done
    [ "$dir" = . ] || echo "RMDir \"$win\"" >>"$unfiles.dirs"
done
{ cat "$unfiles.tmp"; [ ! -f "$unfiles.dirs" ] || sort -r "$unfiles.dirs"; } >"$unfiles"
rm -f "$unfiles.tmp" "$unfiles.dirs"
echo 'SetOutPath "$INSTDIR"' >>"$files"

size_kb=$(du -sk "$stage" | cut -f1)
setup=$output/$name-win64-setup.exe
makensis -V2 -XTarget\ amd64-unicode -DVERSION="$version" -DSTAGE="$stage" \
    -DICON="$build/packaging/windows/kubiq.ico" -DFILES="$files" -DUNFILES="$unfiles" \
    -DSIZE_KB="$size_kb" -DOUTFILE="$setup" "$here/kubiq.nsi"

zip=$output/$name-win64.zip
rm -f "$zip"
(cd "$output" && "$python" -m zipfile -c "$zip" "$name")
echo "package.sh: $setup"
echo "package.sh: $zip"

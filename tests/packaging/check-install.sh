#!/usr/bin/env bash
# Installs a built tree into a scratch root, checks what lands there, then builds the Debian
# package and checks its contents and control fields.
#
#   check-install.sh <build-dir> <source-dir>
#
# CMAKE and CPACK may name the cmake and cpack programs to use (the test passes the ones that
# configured the build). Exits non-zero with a FAIL line at the first fault.
set -euo pipefail

app_id=org.example.kubiq
icon_sizes=(16 32 48 64 128 256)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
trap 'fail "command failed (line $LINENO): $BASH_COMMAND"' ERR

[ $# -eq 2 ] || fail "usage: $0 <build-dir> <source-dir>"
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
cmake=${CMAKE:-cmake}
cpack=${CPACK:-cpack}

checks=0
ok() {
    checks=$((checks + 1))
    echo "ok: $*"
}

for tool in "$cmake" "$cpack" desktop-file-validate appstreamcli readelf file dpkg-deb dpkg; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -f "$build/cmake_install.cmake" ] || fail "$build is not a configured build tree"
[ -f "$build/CPackConfig.cmake" ] || fail "$build has no CPackConfig.cmake (packaging/ not added?)"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/kubiq-packaging.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
log=$scratch/log

# Runs a command with its output in $log; shows that output when it fails.
logged() {
    if ! "$@" >"$log" 2>&1; then
        cat "$log" >&2
        fail "$* exited non-zero"
    fi
}

# Fails unless $1 is an ELF file without RPATH or RUNPATH.
check_no_runpath() {
    file -b "$1" | grep -q '^ELF' || fail "$1 is not an ELF file: $(file -b "$1")"
    local dynamic
    dynamic=$(readelf -d "$1") || fail "readelf -d $1 failed"
    if grep -E '\((RPATH|RUNPATH)\)' <<<"$dynamic" >&2; then
        fail "$1 carries a library search path"
    fi
}

# --- staged install --------------------------------------------------------------------------
echo "installing $build into $root with prefix /usr"
DESTDIR=$root logged "$cmake" --install "$build" --prefix /usr
usr=$root/usr

for path in bin/kubiq share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/doc/kubiq/copyright; do
    [ -f "$usr/$path" ] || fail "the install has no /usr/$path"
done
[ -x "$usr/bin/kubiq" ] || fail "/usr/bin/kubiq is not executable"
ok "installed the program, desktop entry, metainfo and licence under /usr"

desktop=$usr/share/applications/$app_id.desktop
output=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate rejects $desktop: $output"
[ -z "$output" ] || fail "desktop-file-validate complains about $desktop: $output"
ok "desktop-file-validate passes $app_id.desktop without a remark"

# The desktop entry must start the installed program, outside a terminal, with the installed icon.
key() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(key Type)" = Application ] || fail "Type= in the desktop entry is '$(key Type)'"
[ "$(key Terminal)" = false ] || fail "Terminal= in the desktop entry is '$(key Terminal)', not false"
[[ ";$(key Categories)" == *";Game;"* ]] || fail "Categories= lacks Game: $(key Categories)"
for hiding in NoDisplay Hidden; do
    [ "$(key $hiding)" != true ] || fail "the desktop entry is $hiding=true, so menus leave it out"
done
exec_line=$(key Exec)
[ "${exec_line%% *}" = kubiq ] || fail "Exec= in the desktop entry is '$exec_line', not kubiq"
icon_line=$(key Icon)
[ "$icon_line" = "$app_id" ] || fail "Icon= in the desktop entry is '$icon_line', not $app_id"
ok "the desktop entry is a Game application that starts kubiq without a terminal, icon $app_id"

metainfo=$usr/share/metainfo/$app_id.metainfo.xml
if ! output=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
    fail "appstreamcli rejects $metainfo: $output"
fi
if grep -E '^[[:space:]]*[WE]:' <<<"$output" >&2; then
    fail "appstreamcli warns about or finds errors in $metainfo"
fi
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
# The whole tree: this also finds the desktop entry the metainfo names.
if ! output=$(appstreamcli validate-tree --no-net "$root" 2>&1); then
    fail "appstreamcli rejects the installed tree: $output"
fi
if grep -E '^[[:space:]]*[WE]:' <<<"$output" >&2; then
    fail "appstreamcli warns about or finds errors in the installed tree"
fi
ok "appstreamcli validates $app_id.metainfo.xml and the installed tree without warnings"

for size in "${icon_sizes[@]}"; do
    icon=$usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$icon" ] || fail "the install has no ${size}x${size} icon"
    kind=$(file -b "$icon")
    [[ $kind == "PNG image data, $size x $size,"* ]] || fail "$icon is not a ${size}px PNG: $kind"
done
svg=$usr/share/icons/hicolor/scalable/apps/$app_id.svg
[ -f "$svg" ] || fail "the install has no scalable icon"
cmp -s "$svg" "$source/packaging/icons/$app_id.svg" || fail "the scalable icon is not the SVG source"
ok "icons of ${icon_sizes[*]} px, each of its size, and the scalable SVG are installed"

check_no_runpath "$usr/bin/kubiq"
ok "the installed program has no RPATH or RUNPATH"

# A palette PNG keeps its colours in the PLTE chunk, three bytes each. Walk the chunks to it.
palette_size() {
    local offset=8 size length type
    size=$(stat -c %s "$1")
    while [ $((offset + 8)) -le "$size" ]; do
        read -r -a bytes < <(od -An -tu1 -v -j"$offset" -N8 "$1")
        length=$((bytes[0] << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3]))
        type=$(printf '%02x' "${bytes[@]:4:4}")
        if [ "$type" = 504c5445 ]; then # "PLTE"
            echo $((length / 3))
            return
        fi
        offset=$((offset + 12 + length))
    done
    echo 0
}
few=$source/packaging/icons/kubiq-32x32-16colours.png
kind=$(file -b "$few")
[[ $kind == "PNG image data, 32 x 32, "*"colormap"* ]] || fail "$few is not a 32px palette PNG: $kind"
entries=$(palette_size "$few")
if [ "$entries" -lt 2 ] || [ "$entries" -gt 16 ]; then
    fail "$few has $entries palette entries, not 2 to 16"
fi
ok "the 32px rendition has a palette of $entries colours"

# --- Debian package ---------------------------------------------------------------------------
echo "building the Debian package in $scratch/deb"
(cd "$scratch" && logged "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/deb")
shopt -s nullglob
debs=("$scratch"/deb/*.deb)
shopt -u nullglob
[ ${#debs[@]} -eq 1 ] || fail "cpack made ${#debs[@]} .deb files, not one"
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "kubiq_1.2.0_$arch.deb" ] || fail "unexpected package file $(basename "$deb")"
ok "cpack built $(basename "$deb")"

# The files in the package, exactly: no libraries, headers or test programs that some other
# install rule might add.
expected=(
    ./usr/bin/kubiq
    "./usr/share/applications/$app_id.desktop"
    ./usr/share/doc/kubiq/copyright
    "./usr/share/metainfo/$app_id.metainfo.xml"
    "./usr/share/icons/hicolor/scalable/apps/$app_id.svg"
)
for size in "${icon_sizes[@]}"; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
dpkg-deb -c "$deb" >"$scratch/listing"
awk '{print $6}' "$scratch/listing" | grep -v '/$' | sort >"$scratch/files"
printf '%s\n' "${expected[@]}" | sort >"$scratch/expected"
if ! diff -u "$scratch/expected" "$scratch/files" >&2; then
    fail "the package does not hold exactly the expected files (- missing, + unexpected)"
fi
ok "the package holds the program, desktop entry, metainfo, licence and icons, nothing else"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kubiq ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = 1.2.0 ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Section)" = games ] || fail "Section is '$(field Section)', not games"
[[ $(field Maintainer) == *"<"*"@example.org>" ]] || fail "Maintainer is '$(field Maintainer)'"
[ "$(field Homepage)" = https://kubiq.example.org/ ] || fail "Homepage is '$(field Homepage)'"
depends=$(field Depends)
for library in libc6 libqt6widgets6; do
    grep -qE "(^|, )$library( |,|$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done
ok "control: kubiq 1.2.0 $arch, Section games, Maintainer at example.org, Depends $depends"

dpkg-deb -x "$deb" "$scratch/unpacked"
check_no_runpath "$scratch/unpacked/usr/bin/kubiq"
if readelf -S "$scratch/unpacked/usr/bin/kubiq" | grep -q '\.debug_info'; then
    fail "the packaged program is not stripped"
fi
ok "the packaged program is stripped and has no RPATH or RUNPATH"

echo "packaging: all $checks checks passed"

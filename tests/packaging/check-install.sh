#!/usr/bin/env bash
# Installs a built tree into a scratch root, checks what lands there, then builds the Debian
# package and checks its contents, its control fields and what lintian says of it; installs it
# with dpkg into an empty system root, starts it from there and removes it again.
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

for tool in "$cmake" "$cpack" desktop-file-validate appstreamcli readelf file dpkg-deb dpkg \
    dpkg-parsechangelog lintian apt-get; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -f "$build/cmake_install.cmake" ] || fail "$build is not a configured build tree"
[ -f "$build/CPackConfig.cmake" ] || fail "$build has no CPackConfig.cmake (packaging/ not added?)"
# The coach's table, when the build makes one.
table=$(sed -n 's/^KUBIQ_COACH_TABLE:[A-Z]*=//p' "$build/CMakeCache.txt")

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

for path in games/kubiq share/applications/$app_id.desktop share/metainfo/$app_id.metainfo.xml \
    share/doc/kubiq/copyright share/doc/kubiq/changelog.gz share/man/man6/kubiq.6.gz \
    share/man/de/man6/kubiq.6.gz; do
    [ -f "$usr/$path" ] || fail "the install has no /usr/$path"
done
[ -x "$usr/games/kubiq" ] || fail "/usr/games/kubiq is not executable"
ok "installed the game, desktop entry, metainfo, licence, changelog and manual pages under /usr"

if [ -n "$table" ]; then
    cmp -s "$usr/share/games/kubiq/coach.table" "$table" ||
        fail "/usr/share/games/kubiq/coach.table is missing or not the build's $table"
    ok "the coach's table is installed as the game's data"
fi

# The licence in Debian's format must say what LICENSE says: its Expat text is LICENSE's
# permission notice, line by line (a lone "." stands for an empty line).
copyright=$usr/share/doc/kubiq/copyright
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in Debian's machine-readable format"
awk '/^License: Expat$/ {inside = 1; next} inside && /^ / {sub(/^ /, ""); print ($0 == "." ? "" : $0); next}
    {inside = 0}' "$copyright" >"$scratch/expat"
sed -n '/^Permission is hereby granted/,$p' "$source/LICENSE" >"$scratch/licence"
[ -s "$scratch/licence" ] || fail "$source/LICENSE has no permission notice"
if ! diff -u "$scratch/licence" "$scratch/expat" >&2; then
    fail "the Expat licence in the copyright file differs from LICENSE (- LICENSE, + copyright)"
fi
grep -q "^Copyright (c) $(sed -n 's/^Copyright: //p' "$copyright" | head -1)\$" "$source/LICENSE" ||
    fail "the copyright holder differs from LICENSE's"
ok "the copyright file is machine-readable and carries LICENSE's holder and licence text"

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

check_no_runpath "$usr/games/kubiq"
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
    ./usr/games/kubiq
    "./usr/share/applications/$app_id.desktop"
    ./usr/share/doc/kubiq/changelog.gz
    ./usr/share/doc/kubiq/copyright
    ./usr/share/man/man6/kubiq.6.gz
    ./usr/share/man/de/man6/kubiq.6.gz
    "./usr/share/metainfo/$app_id.metainfo.xml"
    "./usr/share/icons/hicolor/scalable/apps/$app_id.svg"
)
for size in "${icon_sizes[@]}"; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
[ -z "$table" ] || expected+=(./usr/share/games/kubiq/coach.table)
dpkg-deb -c "$deb" >"$scratch/listing"
awk '{print $6}' "$scratch/listing" | grep -v '/$' | sort >"$scratch/files"
printf '%s\n' "${expected[@]}" | sort >"$scratch/expected"
if ! diff -u "$scratch/expected" "$scratch/files" >&2; then
    fail "the package does not hold exactly the expected files (- missing, + unexpected)"
fi
(cd "$root" && find . ! -type d | sort) >"$scratch/installed"
if ! diff -u "$scratch/installed" "$scratch/files" >&2; then
    fail "cmake --install and the package disagree (- installed only, + packaged only)"
fi
# Only the program may be executable; every file and folder belongs to root.
awk '$1 !~ /^d/ && $6 != "./usr/games/kubiq" && $1 != "-rw-r--r--" ||
     $6 == "./usr/games/kubiq" && $1 != "-rwxr-xr-x" || $2 != "root/root"' \
    "$scratch/listing" >"$scratch/odd"
if [ -s "$scratch/odd" ]; then
    cat "$scratch/odd" >&2
    fail "files of the package with the wrong mode or owner"
fi
ok "the package holds what cmake --install installs, nothing else, with the program alone executable"

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

# The newest entries of the changelog and of the metainfo's releases name the packaged version.
dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/kubiq/changelog.gz | gzip -dc \
    >"$scratch/changelog"
newest=$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)
[ "$newest" = "$(field Version)" ] || fail "the changelog's newest entry is $newest, the package $(field Version)"
release=$(grep -o -m1 '<release version="[^"]*"' "$usr/share/metainfo/$app_id.metainfo.xml")
[ "$release" = "<release version=\"$(field Version)\"" ] ||
    fail "the metainfo's newest release is not $(field Version): $release"
ok "the changelog and the metainfo both end at version $newest"

# Debian's own checker: no error and no warning. Its remarks ("I:") are listed, not fatal.
if ! lintian --fail-on error,warning --display-info "$deb" >"$log" 2>&1; then
    cat "$log" >&2
    fail "lintian finds errors or warnings in $(basename "$deb")"
fi
grep -E '^I: ' "$log" | sed 's/^/lintian remark: /' || true
ok "lintian passes $(basename "$deb") without an error or a warning"

# apt would find every package it depends on (a simulation: nothing is installed).
logged apt-get -s -q install "$deb"
ok "apt can satisfy the package's dependencies"

dpkg-deb -x "$deb" "$scratch/unpacked"
check_no_runpath "$scratch/unpacked/usr/games/kubiq"
if readelf -S "$scratch/unpacked/usr/games/kubiq" | grep -q '\.debug_info'; then
    fail "the packaged program is not stripped"
fi
ok "the packaged program is stripped and has no RPATH or RUNPATH"

# --- install, start and removal in an empty system root -------------------------------------
# dpkg keeps its own database there. The libraries the package depends on live in the host, not
# in that root: hence --force-depends, which the apt simulation above makes up for.
system=$scratch/system
mkdir -p "$system/var/lib/dpkg/info" "$system/var/lib/dpkg/updates"
touch "$system/var/lib/dpkg/status"
dpkg_root=(dpkg --root="$system" --log=/dev/null --force-depends --force-not-root)
logged "${dpkg_root[@]}" --install "$deb"
[ "$(dpkg-query --root="$system" -W -f='${Status}' kubiq)" = "install ok installed" ] ||
    fail "dpkg does not record kubiq as installed in $system"
(cd "$system" && find . ! -type d ! -path './var/lib/dpkg/*' | sort) >"$scratch/unpacked-by-dpkg"
diff -u "$scratch/files" "$scratch/unpacked-by-dpkg" >&2 || fail "dpkg installed other files than the package's"
ok "dpkg installs the package into an empty system root"

# Start the game as the menu would: the desktop entry's command on a PATH that holds the games
# folder, as Debian's does. Still running after a few seconds means it got as far as its window.
program=$(PATH="$system/usr/games:/usr/bin:/bin" command -v "${exec_line%% *}") ||
    fail "the menu's command '${exec_line%% *}' is not on a PATH with $system/usr/games"
[ "$program" = "$system/usr/games/kubiq" ] || fail "the menu's command finds $program"
QT_QPA_PLATFORM=offscreen "$program" >"$log" 2>&1 &
pid=$!
sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid" && status=0 || status=$?
    cat "$log" >&2
    fail "the installed game exited at start (status $status)"
fi
kill "$pid"
wait "$pid" || true
ok "the installed game starts from its menu entry's command and keeps running"

# What apt remove does; the package has no configuration files that a purge would take on top.
logged "${dpkg_root[@]}" --remove kubiq
if left=$(dpkg-query --root="$system" -W -f='${Status}' kubiq 2>/dev/null); then
    fail "dpkg still knows kubiq after its removal: $left"
fi
(cd "$system" && find . -mindepth 1 ! -path './var' ! -path './var/lib' ! -path './var/lib/dpkg' \
    ! -path './var/lib/dpkg/*' | sort) >"$scratch/left"
if [ -s "$scratch/left" ]; then
    cat "$scratch/left" >&2
    fail "removing the package leaves these behind"
fi
ok "dpkg --remove takes every file and folder of the package away again"

echo "packaging: all $checks checks passed"

#!/usr/bin/env bash
# Installs a built tree into a scratch root and checks what lands there; then builds the Debian
# source and binary packages from a copy of the sources (debian/) and checks their contents,
# their control fields and what lintian says of them; installs them with dpkg into an empty
# system root, runs the packages' own test (debian/tests) there and removes them again.
#
#   check-install.sh <build-dir> <source-dir>
#
# CMAKE may name the cmake program to use (the test passes the one that configured the build).
# Exits non-zero with a FAIL line at the first fault.
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

checks=0
ok() {
    checks=$((checks + 1))
    echo "ok: $*"
}

for tool in "$cmake" desktop-file-validate appstreamcli readelf file dpkg-deb dpkg \
    dpkg-parsechangelog dpkg-buildpackage dh lintian apt-get dbus-run-session man; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -f "$build/cmake_install.cmake" ] || fail "$build is not a configured build tree"
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
    share/doc/kubiq/copyright share/man/man6/kubiq.6 share/man/de/man6/kubiq.6; do
    [ -f "$usr/$path" ] || fail "the install has no /usr/$path"
done
[ -x "$usr/games/kubiq" ] || fail "/usr/games/kubiq is not executable"
ok "installed the game, desktop entry, metainfo, licence and manual pages under /usr"

if [ -n "$table" ]; then
    cmp -s "$usr/share/games/kubiq/coach.table" "$table" ||
        fail "/usr/share/games/kubiq/coach.table is missing or not the build's $table"
    ok "the coach's table is installed as the game's data"
    cmp -s "$usr/share/games/kubiq/exercises.bank" "$(dirname "$table")/exercises.bank" ||
        fail "/usr/share/games/kubiq/exercises.bank is missing or not the build's bank"
    ok "the bank of exercises is installed beside it"
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

# --- Debian packages --------------------------------------------------------------------------
# From a copy of the sources, as a maintainer builds them: source and binaries, without the
# upstream tests (not built: -DBUILD_TESTING=OFF in debian/rules). A stray build tree in the copy
# stands for a developer's build/, which the source package must leave out.
echo "building the Debian packages in $scratch/src"
tree=$scratch/src/kubiq
mkdir -p "$tree"
# (The Python tests leave their caches beside them; debian/rules clean takes away what an
# earlier package build left in the sources, as dpkg-buildpackage does first.)
tar -C "$source" --exclude=./build --exclude=./.git --exclude=__pycache__ -cf - . |
    tar -C "$tree" -xf -
(cd "$tree" && logged debian/rules clean)
(cd "$tree" && find . ! -type d ! -name .gitignore) | sed 's|^\./||' | sort >"$scratch/sources"
mkdir -p "$tree/build/default"
echo stray >"$tree/build/default/CMakeCache.txt"
(cd "$tree" && logged env DEB_BUILD_OPTIONS="nocheck parallel=2" dpkg-buildpackage -us -uc)
cp "$log" "$log.build"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
arch=$(dpkg --print-architecture)
cd "$scratch/src"
for file in "kubiq_$version.dsc" "kubiq_$version.tar.xz" "kubiq_${version}_$arch.changes" \
    "kubiq_${version}_$arch.deb" "kubiq-data_${version}_all.deb"; do
    [ -f "$file" ] || fail "dpkg-buildpackage made no $file: $(ls)"
done
debs=("kubiq_${version}_$arch.deb" "kubiq-data_${version}_all.deb")
ok "dpkg-buildpackage built the source package and ${debs[*]}"

# The source package holds the sources, without the build tree or git's files.
tar -tJf "kubiq_$version.tar.xz" | grep -v '/$' | sed 's|^kubiq/||' | sort >"$scratch/in-source"
if ! diff -u "$scratch/sources" "$scratch/in-source" >&2; then
    fail "the source package holds other files than the sources (- missing, + unexpected)"
fi
ok "the source package holds every source file and no build tree"

# Each package's files, exactly: the program and what the menu and the manual need in kubiq,
# the table alone in kubiq-data. dh_compress compresses the manual pages and the changelogs.
expected_kubiq=(
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
    expected_kubiq+=("./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
expected_data=(
    ./usr/share/doc/kubiq-data/changelog.gz
    ./usr/share/doc/kubiq-data/copyright
    ./usr/share/games/kubiq/coach.table
    ./usr/share/games/kubiq/exercises.bank
)
listed() { dpkg-deb -c "$1" | awk '{print $6}' | grep -v '/$' | sort; }
for package in kubiq kubiq-data; do
    deb=${package}_${version}_$([ $package = kubiq ] && echo "$arch" || echo all).deb
    if [ $package = kubiq ]; then
        printf '%s\n' "${expected_kubiq[@]}"
    else
        printf '%s\n' "${expected_data[@]}"
    fi | sort >"$scratch/expected"
    if ! listed "$deb" | diff -u "$scratch/expected" - >&2; then
        fail "$deb does not hold exactly the expected files (- missing, + unexpected)"
    fi
done
# What cmake --install puts under the prefix, the two packages together hold, with the manual
# pages compressed and the changelogs added.
(cd "$root" && find . ! -type d | sed 's|\.6$|.6.gz|') >"$scratch/installed"
printf '%s\n' ./usr/share/doc/kubiq/changelog.gz "${expected_data[@]:0:2}" >>"$scratch/installed"
sort -o "$scratch/installed" "$scratch/installed"
sort <(listed "${debs[0]}") <(listed "${debs[1]}") >"$scratch/packaged"
if ! diff -u "$scratch/installed" "$scratch/packaged" >&2; then
    fail "cmake --install and the packages disagree (- installed only, + packaged only)"
fi
# Only the program may be executable; every file and folder belongs to root.
for deb in "${debs[@]}"; do
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ && $6 != "./usr/games/kubiq" && $1 != "-rw-r--r--" ||
        $6 == "./usr/games/kubiq" && $1 != "-rwxr-xr-x" || $2 != "root/root"' >"$scratch/odd"
    if [ -s "$scratch/odd" ]; then
        cat "$scratch/odd" >&2
        fail "files of $deb with the wrong mode or owner"
    fi
done
ok "kubiq holds the game, kubiq-data the table and the bank, together what cmake --install installs"

[ -z "$table" ] || dpkg-deb --fsys-tarfile "${debs[1]}" |
    tar -xOf - ./usr/share/games/kubiq/coach.table | cmp -s - "$table" ||
    fail "the packaged coach's table differs from the one this build computed ($table)"
[ -z "$table" ] || ok "the package build computed the same coach's table as this build"

field() { dpkg-deb -f "$1" "$2"; }
for deb in "${debs[@]}"; do
    [ "$(field "$deb" Version)" = "$version" ] || fail "$deb: Version is '$(field "$deb" Version)'"
    [ "$(field "$deb" Section)" = games ] || fail "$deb: Section is '$(field "$deb" Section)'"
    [[ $(field "$deb" Maintainer) == *"<"*"@example.org>" ]] ||
        fail "$deb: Maintainer is '$(field "$deb" Maintainer)'"
    [ "$(field "$deb" Homepage)" = https://kubiq.example.org/ ] ||
        fail "$deb: Homepage is '$(field "$deb" Homepage)'"
done
[ "$(field "${debs[0]}" Architecture)" = "$arch" ] || fail "kubiq is not for $arch"
[ "$(field "${debs[1]}" Architecture)" = all ] || fail "kubiq-data is not Architecture: all"
depends=$(field "${debs[0]}" Depends)
for library in libc6 libqt6widgets6 "kubiq-data (= $version)"; do
    grep -qE "(^|, )${library//[()]/.}( |,|$)" <<<"$depends" || fail "kubiq's Depends lacks $library: $depends"
done
ok "control: kubiq $version $arch and kubiq-data $version all, Section games; Depends $depends"

# The newest entries of the changelog and of the metainfo's releases name the project's version.
dpkg-deb --fsys-tarfile "${debs[0]}" | tar -xOf - ./usr/share/doc/kubiq/changelog.gz | gzip -dc \
    >"$scratch/changelog"
newest=$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)
[ "$newest" = "$version" ] || fail "the changelog's newest entry is $newest, the project $version"
release=$(grep -o -m1 '<release version="[^"]*"' "$usr/share/metainfo/$app_id.metainfo.xml")
[ "$release" = "<release version=\"$version\"" ] ||
    fail "the metainfo's newest release is not $version: $release"
ok "the changelog and the metainfo both end at version $newest"

# Debian's own checker, on the source package and every binary: no error and no warning. Its
# remarks ("I:") are listed, not fatal.
if ! lintian --fail-on error,warning --display-info "kubiq_${version}_$arch.changes" >"$log" 2>&1; then
    cat "$log" >&2
    fail "lintian finds errors or warnings in the packages"
fi
grep -E '^I: ' "$log" | sed 's/^/lintian remark: /' || true
ok "lintian passes the source package and the binaries without an error or a warning"

# apt would find every package they depend on (a simulation: nothing is installed).
logged apt-get -s -q install "./${debs[0]}" "./${debs[1]}"
ok "apt can satisfy the packages' dependencies"

# Debian's hardening flags reached the program: stack protector, fortify (on the compiler's
# command line: in this program no call's buffer size is known, so no _chk call shows), relro
# and bindnow, as a position-independent executable; stripped, without a library search path.
dpkg-deb -x "${debs[0]}" "$scratch/unpacked"
program=$scratch/unpacked/usr/games/kubiq
check_no_runpath "$program"
# (readelf's output is kept first: grep -q would stop reading early, and pipefail would take
# readelf's broken pipe for a failure.)
elf=$(readelf -S -lW -d --dyn-syms "$program")
grep -q '\.debug_info' <<<"$elf" && fail "the packaged program is not stripped"
grep -q GNU_RELRO <<<"$elf" || fail "the packaged program has no relro segment"
grep -qE '\(FLAGS_1\).*\bNOW\b.*\bPIE\b' <<<"$elf" ||
    fail "the packaged program is not bound at load time (bindnow) or not PIE"
grep -q '__stack_chk_fail' <<<"$elf" || fail "the packaged program has no stack protector"
grep -q -- '-D_FORTIFY_SOURCE=2 .*kubiq/src/app/main.cpp' "$log.build" ||
    fail "the program was not compiled with _FORTIFY_SOURCE"
ok "the packaged program is stripped, hardened (relro, bindnow, PIE, stack protector, fortify)"

# --- install, test and removal in an empty system root ------------------------------------
# dpkg keeps its own database there. The libraries the packages depend on live in the host, not
# in that root: hence --force-depends, which the apt simulation above makes up for.
system=$scratch/system
mkdir -p "$system/var/lib/dpkg/info" "$system/var/lib/dpkg/updates"
touch "$system/var/lib/dpkg/status"
dpkg_root=(dpkg --root="$system" --log=/dev/null --force-depends --force-not-root)
logged "${dpkg_root[@]}" --install "${debs[@]}"
for package in kubiq kubiq-data; do
    [ "$(dpkg-query --root="$system" -W -f='${Status}' $package)" = "install ok installed" ] ||
        fail "dpkg does not record $package as installed in $system"
done
(cd "$system" && find . ! -type d ! -path './var/lib/dpkg/*' | sort) >"$scratch/unpacked-by-dpkg"
diff -u "$scratch/packaged" "$scratch/unpacked-by-dpkg" >&2 || fail "dpkg installed other files than the packages'"
ok "dpkg installs both packages into an empty system root"

# The packages' own test (the autopkgtest), against the files in that root.
if ! KUBIQ_ROOT=$system bash "$source/debian/tests/installed-game" >"$log" 2>&1; then
    cat "$log" >&2
    fail "debian/tests/installed-game fails on the installed packages"
fi
sed -n 's/^ok: /installed-game: /p' "$log"
ok "debian/tests/installed-game passes on the installed packages"

# What apt remove does; the packages have no configuration files that a purge would take on top.
logged "${dpkg_root[@]}" --remove kubiq kubiq-data
for package in kubiq kubiq-data; do
    if left=$(dpkg-query --root="$system" -W -f='${Status}' $package 2>/dev/null); then
        fail "dpkg still knows $package after its removal: $left"
    fi
done
(cd "$system" && find . -mindepth 1 ! -path './var' ! -path './var/lib' ! -path './var/lib/dpkg' \
    ! -path './var/lib/dpkg/*' | sort) >"$scratch/left"
if [ -s "$scratch/left" ]; then
    cat "$scratch/left" >&2
    fail "removing the packages leaves these behind"
fi
ok "dpkg --remove takes every file and folder of both packages away again"

echo "packaging: all $checks checks passed"

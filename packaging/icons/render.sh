#!/usr/bin/env bash
# Renders the application icon from its SVG source into the hicolor tree and the 16-colour
# rendition. The PNGs are kept in the repository; run this again after changing the SVG.
#
# Needs rsvg-convert (Debian: librsvg2-bin) and ImageMagick's convert (Debian: imagemagick).
# No time stamps or other changing metadata go into the files, so the same tools give the same
# bytes on every run.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
cd "$here"

app_id=org.example.kubiq
source_svg=$app_id.svg
sizes=(16 32 48 64 128 256)

for tool in rsvg-convert convert; do
    command -v "$tool" >/dev/null || { echo "render.sh: $tool not found" >&2; exit 1; }
done

# Drops every ancillary chunk ImageMagick would add (time stamps, comments) from a PNG it writes.
strip_png=(-strip -define 'png:exclude-chunks=date,time,tIME,tEXt,zTXt,iTXt')

for size in "${sizes[@]}"; do
    dir=hicolor/${size}x${size}/apps
    mkdir -p "$dir"
    rsvg-convert --width "$size" --height "$size" --format png "$source_svg" \
        --output "$dir/$app_id.png"
done

mkdir -p hicolor/scalable/apps
cp "$source_svg" hicolor/scalable/apps/$app_id.svg

# A 32 px rendition for displays with a 16-colour palette. The palette is our own: the icon's
# greys and reds plus one transparent entry. Half-transparent pixels become either transparent or
# opaque (the shadow goes), and no dithering, so the pips stay clean.
palette=(
    '#1c1e21' '#5a5f66' '#8e96a1' '#b8bec6' '#d9dde3' '#eef0f3' '#ffffff'
    '#3f0508' '#6e0a10' '#8c0e15' '#b3121b' '#d42a32' '#f0444b' '#e89a9d'
    'none'
)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
swatches=()
for colour in "${palette[@]}"; do swatches+=("xc:$colour"); done
convert -size 1x1 "${swatches[@]}" +append -alpha on "$scratch/palette.png"
convert hicolor/32x32/apps/$app_id.png -channel A -threshold 50% +channel \
    -dither None -remap "$scratch/palette.png" "${strip_png[@]}" PNG8:kubiq-32x32-16colours.png

colours=$(convert kubiq-32x32-16colours.png -format '%k' info:)
if [ "$colours" -gt 16 ]; then
    echo "render.sh: the 16-colour rendition has $colours colours" >&2
    exit 1
fi

echo "rendered ${sizes[*]} px, scalable, and a 32 px rendition with $colours colours"

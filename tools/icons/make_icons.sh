#!/bin/sh
# Regenerates the raster icons from resources/icons/app_icon.svg.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick. Maintainer tool, not part of the build.
# hicolor/ holds the sizes `cmake --install` puts into the desktop's icon theme.
set -eu
cd "$(dirname "$0")/../../resources/icons"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
sed -e 's/#1f4e8c/#2962ff/; s/#0e2a52/#6a1b9a/; s/#4fc3f7/#00e5ff/; s/#26a69a/#76ff03/' app_icon.svg > "$tmp/vibrant.svg"
rsvg-convert -w 256 -h 256 "$tmp/vibrant.svg" -o app_icon_vibrant.png
rsvg-convert -w 64 -h 64 app_icon.svg -o app_icon_64.png
mkdir -p hicolor
for s in 16 22 24 32 48 64 128 256 512; do
    rsvg-convert -w $s -h $s app_icon.svg -o "hicolor/app_icon_$s.png"
done
for s in 16 32 48 256; do rsvg-convert -w $s -h $s app_icon.svg -o "$tmp/ico_$s.png"; done
convert "$tmp/ico_16.png" "$tmp/ico_32.png" "$tmp/ico_48.png" app_icon_64.png "$tmp/ico_256.png" app_icon.ico
convert -size 560x300 xc:'#f4f6fa' "$tmp/ico_256.png" -geometry +16+22 -composite \
    app_icon_vibrant.png -geometry +288+22 -composite app_icon_preview.png

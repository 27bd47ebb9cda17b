#!/usr/bin/env bash
# Draws the program icon (a gold horseshoe on racecourse green) at 32 x 32 and
# 16 x 16 in the 16 colours of the standard VGA palette and writes quorvel.ico,
# then renders the scalable quorvel.svg (the same picture) at the larger sizes a
# Linux desktop asks for: quorvel-24.png ... quorvel-256.png.
# Needs ImageMagick's convert and librsvg's rsvg-convert (Debian: imagemagick,
# librsvg2-bin). Run it from anywhere; it writes beside itself.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The standard 16-colour palette, as a 16 x 1 image to map the pictures onto.
convert -size 1x1 \
    xc:'#000000' xc:'#800000' xc:'#008000' xc:'#808000' \
    xc:'#000080' xc:'#800080' xc:'#008080' xc:'#C0C0C0' \
    xc:'#808080' xc:'#FF0000' xc:'#00FF00' xc:'#FFFF00' \
    xc:'#0000FF' xc:'#FF00FF' xc:'#00FFFF' xc:'#FFFFFF' \
    +append "$work/palette.png"

# 32 x 32: a green tile with a dark edge, a horseshoe open at the bottom with
# six nail holes, and a white rail along the bottom.
convert -size 32x32 xc:'#008000' \
    -fill none -stroke '#000000' -strokewidth 1 -draw 'rectangle 0,0 31,31' \
    -stroke '#808000' -strokewidth 7 -draw 'ellipse 16,15 9,10 0,360' \
    -stroke '#FFFF00' -strokewidth 4 -draw 'ellipse 16,15 9,10 0,360' \
    -stroke none -fill '#008000' -draw 'rectangle 12,18 20,27' \
    -fill '#808000' -draw 'rectangle 11,20 11,27' -draw 'rectangle 21,20 21,27' \
    -fill '#000000' \
    -draw 'point 7,15' -draw 'point 8,10' -draw 'point 12,6' \
    -draw 'point 20,6' -draw 'point 24,10' -draw 'point 25,15' \
    -fill '#FFFFFF' -draw 'rectangle 1,28 30,29' \
    +antialias +dither -remap "$work/palette.png" -type Palette "$work/icon32.bmp"

# 16 x 16: the same picture with fewer details.
convert -size 16x16 xc:'#008000' \
    -fill none -stroke '#000000' -strokewidth 1 -draw 'rectangle 0,0 15,15' \
    -stroke none -fill '#FFFF00' \
    -draw 'rectangle 5,2 10,3' -draw 'rectangle 3,4 4,12' -draw 'rectangle 11,4 12,12' \
    -draw 'point 4,3' -draw 'point 11,3' \
    -fill '#FFFFFF' -draw 'rectangle 1,14 14,14' \
    +antialias +dither -remap "$work/palette.png" -type Palette "$work/icon16.bmp"

convert "$work/icon32.bmp" "$work/icon16.bmp" -colors 16 quorvel.ico
convert "$work/icon32.bmp" -strip quorvel-32.png
convert "$work/icon16.bmp" -strip quorvel-16.png
identify quorvel.ico

# 24 px and up: smooth renderings of the scalable picture.
for size in 24 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" quorvel.svg | convert - -strip "quorvel-$size.png"
done

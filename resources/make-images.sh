#!/usr/bin/env bash
# Regenerates the splash and game background images (ImageMagick).
# The splash is 8-bit RGB: it is decoded before anything else is on screen.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 480x300 gradient:'#0b4f3c'-'#06261d' \
  -fill '#f3e9c6' -font DejaVu-Serif-Bold -pointsize 46 -gravity center -annotate +0-30 'Brisquel' \
  -fill '#c9b77a' -font DejaVu-Sans -pointsize 20 -annotate +0+28 'Mahjong' \
  -fill none -stroke '#c9b77a' -strokewidth 3 -draw 'roundrectangle 8,8 471,291 14,14' \
  -alpha off -depth 8 -strip PNG24:splash.png
convert -size 64x64 xc:'#0e5a43' -seed 7 -attenuate 0.6 +noise Gaussian -blur 0x0.5 -strip -quality 85 game-bg-pattern.jpg
convert -size 1024x768 radial-gradient:'#127a5a'-'#08382a' +dither -colors 48 -strip game-bg-image.png

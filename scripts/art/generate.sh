#!/usr/bin/env bash
# Regenerates every tile set and image under resources/tilesets/ and the
# drawings of the table items under resources/:
# the SVG sets straight from gen_tiles.py, the bitmap sets and images by
# rendering further drawings with mahjong_tileart.
#   scripts/art/generate.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${BUILD_DIR:-$root/build-art}}
out=$root/resources/tilesets
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$root/scripts/art/gen_tiles.py" "$out" "$work"
python3 "$root/scripts/art/table_items.py" "$root/resources"

# The tool embeds the sets; a first run needs the files to exist.
for f in tiles-blank-default.png tiles-blank-green.png tiles-blank-red.png tiles-fg.png \
         tile-highlights-red.png last-tile-marker.png; do
  [ -e "$out/$f" ] || : > "$out/$f"
done
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DMAHJONG_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target mahjong_tileart >/dev/null
tool=$build/scripts/mahjong_tileart
export QT_QPA_PLATFORM=offscreen

"$tool" raster "$work/tile-highlights-red.svg" "$out/tile-highlights-red.png"
"$tool" raster "$work/last-tile-marker.svg" "$out/last-tile-marker.png"
hl=$out/tile-highlights-red.png
"$tool" blank-atlas "$work/tiles-blank-default.svg" "$out/tiles-fg.svg" "$hl" "$out/tiles-blank-default.png"
"$tool" blank-atlas "$work/tiles-blank-green1.svg" "$out/tiles-fg.svg" "$hl" "$out/tiles-blank-green.png"
"$tool" blank-atlas "$work/tiles-blank-red.svg" "$out/tiles-fg.svg" "$hl" "$out/tiles-blank-red.png"
"$tool" face-atlas "$work/tiles-fg-rustic.svg" "$out/tiles-blank-green.svg" "$hl" "$out/tiles-fg.png"
echo "tile sets written to $out"

#!/usr/bin/env bash
# Regenerates the presence icons (resources/xmpp_*.png, 16 x 16) and the
# chosen-avatar overlay (resources/avatar-selected.png, 64 x 64): drawn by
# presence.py, rastered with mahjong_tileart.
#   scripts/art/presence.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${BUILD_DIR:-$root/build-art}}
out=$root/resources
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$root/scripts/art/presence.py" "$work"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DMAHJONG_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target mahjong_tileart >/dev/null
for svg in "$work"/*.svg; do
  QT_QPA_PLATFORM=offscreen "$build/scene/mahjong_tileart" raster "$svg" "$out/$(basename "${svg%.svg}").png"
done
echo "presence icons written to $out"

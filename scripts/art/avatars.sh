#!/usr/bin/env bash
# Regenerates the nine default player pictures in resources/avatars/ (64 x 64
# PNG): drawn by avatars.py, rastered with mahjong_tileart.
#   scripts/art/avatars.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-${BUILD_DIR:-$root/build-art}}
out=$root/resources/avatars
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$root/scripts/art/avatars.py" "$work"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DMAHJONG_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target mahjong_tileart >/dev/null
mkdir -p "$out"
for svg in "$work"/*.svg; do
  QT_QPA_PLATFORM=offscreen "$build/scene/mahjong_tileart" raster "$svg" "$out/$(basename "${svg%.svg}").png"
done
echo "avatars written to $out"

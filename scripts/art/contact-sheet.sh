#!/usr/bin/env bash
# Draws one picture per face set with every face on every tile back and the
# other tile pictures of each back, from the files in resources/tilesets/.
#   scripts/art/contact-sheet.sh [OUT_DIR] [BUILD_DIR] [SCALE]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/build-art/sheets}
build=${2:-${BUILD_DIR:-$root/build-art}}
scale=${3:-2}
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DMAHJONG_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target mahjong_tileart >/dev/null
QT_QPA_PLATFORM=offscreen "$build/scripts/mahjong_tileart" sheet "$out" "$root/resources/tilesets" "$scale"

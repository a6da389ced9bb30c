#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang in their own build directory
# and runs each for a short while (FUZZ_SECONDS, default 20), all at once.
# Longer runs by hand: see fuzz/CMakeLists.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-20}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
mkdir -p "$build"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMAHJONG_BUILD_FUZZERS=ON > "$build/configure-fuzz.log" 2>&1 || { cat "$build/configure-fuzz.log"; exit 1; }
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target fuzzers

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# name, memory limit in MB, seed folders (read only: new inputs go to $work).
targets=(
  "frame_decoder 1024"
  "frame_dispatch 1024"
  "xmpp_stream_reader 1536 $root/fuzz/corpus-xmpp"
  "wave_reader 1024 $root/tests/sound/data"
  "tile_cache 1024 $root/fuzz/corpus-tile-cache"
)
pids=()
for t in "${targets[@]}"; do
  read -r name rss seeds <<<"$t"
  mkdir -p "$work/$name"
  "$build/fuzz/fuzz_$name" "$work/$name" $seeds -max_total_time="$seconds" -rss_limit_mb="$rss" \
    -print_final_stats=0 > "$work/$name.log" 2>&1 &
  pids+=($!)
done
status=0
for i in "${!targets[@]}"; do
  read -r name _ <<<"${targets[$i]}"
  if wait "${pids[$i]}"; then
    echo "fuzz $name: $(grep -Eo 'Done [0-9]+ runs' "$work/$name.log" | tail -n 1), no findings"
  else
    echo "fuzz $name: FAILED"; tail -n 60 "$work/$name.log"; status=1
  fi
done
exit $status

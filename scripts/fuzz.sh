#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in their own build directory and
# runs each for a short while (FUZZ_SECONDS, default 20). Longer runs by hand:
# see tools/peer/README.md and xmpp/fuzz/CMakeLists.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-20}
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-true}
mkdir -p "$build"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMAHJONG_BUILD_FUZZERS=ON > "$build/configure-fuzz.log" 2>&1 || { cat "$build/configure-fuzz.log"; exit 1; }
cmake --build "$build" -j "${JOBS:-$(nproc)}" --target fuzz_frame_decoder xmpp_stream_reader_fuzzer

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/frames" "$work/xmpp"
status=0
run() {
  local name=$1 rss=$2; shift 2
  if "$@" -max_total_time="$seconds" -rss_limit_mb="$rss" -print_final_stats=0 > "$work/$name.log" 2>&1; then
    echo "fuzz $name: $(grep -Eo 'Done [0-9]+ runs' "$work/$name.log" | tail -n 1), no findings"
  else
    echo "fuzz $name: FAILED"; tail -n 40 "$work/$name.log"; status=1
  fi
}
run frames 1024 "$build/tests/protocol/fuzz_frame_decoder" "$work/frames"
# Long XMPP runs level off above 1,000 MB (see xmpp/fuzz/CMakeLists.txt).
run xmpp 1536 "$build/xmpp/fuzz/xmpp_stream_reader_fuzzer" "$work/xmpp" "$root/xmpp/fuzz/corpus"
exit $status

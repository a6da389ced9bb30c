#!/usr/bin/env bash
# The one command that runs every test: installs what is missing, builds,
# runs short fuzzing sessions, then CTest (services the tests need are
# started by CTest fixtures).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${BUILD_DIR:-$root/build}

fuzz_status=0
if [ "${SKIP_FUZZ:-}" != 1 ]; then
  "$root/scripts/fuzz.sh" || fuzz_status=$?
fi

cd "$build"
ctest --output-on-failure -j "${TEST_JOBS:-$(nproc)}" --timeout 600 "$@"
if [ "$fuzz_status" -ne 0 ]; then
  echo "Fuzzing found a fault (see above)." >&2
  exit "$fuzz_status"
fi

#!/usr/bin/env bash
# The one command that runs every test: installs what is missing, builds,
# then runs CTest (services the tests need are started by CTest fixtures).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${BUILD_DIR:-$root/build}
cd "$build"
ctest --output-on-failure -j "${TEST_JOBS:-$(nproc)}" --timeout 600 "$@"

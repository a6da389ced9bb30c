#!/usr/bin/env bash
# The one command that runs every test: installs what is missing, builds,
# checks the layout of the C++ files and the signals, runs short fuzzing
# sessions, then CTest (services the tests need are
# started by CTest fixtures), then CTest again on a sanitizer build
# (SKIP_SANITIZERS=1 skips that pass).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build=${BUILD_DIR:-$root/build}

# Every C++ file as .clang-format lays it out.
format_status=0
"$root/scripts/check-format.sh" || format_status=$?

# Every signal the product emits must reach someone, but those the allow list
# names (with its reasons); the checker lives beside the clone, read-only.
# By class: a namesake signal of another class hides nothing.
signals_status=0
checker=${UNCONNECTED_SIGNALS:-$root/../shared/tools/unconnected-signals}
if [ ! -x "$checker" ]; then
  echo "unconnected-signals checker not found at $checker (set UNCONNECTED_SIGNALS)" >&2
  signals_status=1
else
  mapfile -t allowed < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' "$root/scripts/unconnected-signals.allow")
  (cd "$root" && "$checker" . --by-class --allow "${allowed[@]}") || signals_status=$?
fi

fuzz_status=0
if [ "${SKIP_FUZZ:-}" != 1 ]; then
  "$root/scripts/fuzz.sh" || fuzz_status=$?
fi

cd "$build"
ctest --output-on-failure -j "${TEST_JOBS:-$(nproc)}" --timeout 600 "$@"

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer
# in a Debug build of its own: any report ends the test that hit it.
if [ "${SKIP_SANITIZERS:-}" != 1 ]; then
  asan_build=${ASAN_BUILD_DIR:-$root/build-asan}
  BUILD_DIR=$asan_build BUILD_TYPE=Debug "$root/scripts/build.sh" -DMAHJONG_SANITIZE=ON
  supp=$root/scripts/sanitizers
  export ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1
  # Only our code is instrumented for UBSan: nothing to suppress there.
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  export LSAN_OPTIONS=suppressions=$supp/lsan.supp:print_suppressions=0
  cd "$asan_build"
  ctest --output-on-failure -j "${TEST_JOBS:-$(nproc)}" --timeout 900 "$@"
fi
if [ "$signals_status" -ne 0 ]; then
  echo "Signals emitted and connected nowhere (see above); connect them or list them in scripts/unconnected-signals.allow." >&2
  exit "$signals_status"
fi
if [ "$format_status" -ne 0 ]; then
  echo "C++ files differ from .clang-format (see above)." >&2
  exit "$format_status"
fi
if [ "$fuzz_status" -ne 0 ]; then
  echo "Fuzzing found a fault (see above)." >&2
  exit "$fuzz_status"
fi

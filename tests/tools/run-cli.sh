#!/bin/sh
# The run command without a display: it says that the client needs one, and
# how to give it one, before it builds or starts anything.
# Usage: run-cli.sh PATH-TO-run.sh
run=$1
# A build folder that cannot be made: a run that went on would stop there.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM BUILD_DIR=/proc/no-such-build "$run" 2>&1)
code=$?
[ "$code" = 1 ] || { echo "FAIL: exits with $code: $out" >&2; exit 1; }
case $out in
*"no display"*"xvfb-run -a scripts/run.sh"*) ;;
*) echo "FAIL: prints: $out" >&2; exit 1 ;;
esac
echo "PASS"

#!/usr/bin/env bash
# The newcomer's walk, as a person would take it after the README's run
# command: scripts/run.sh starts its servers under Xvfb and, in the client's
# place, tests/walk/newcomer_walk, which drives the real main window (log in,
# Play now, a hand to its score board, a hand left in the middle that plays on
# and gives the seat back, a hand left for another table taken at once, a
# friend found and added, a lobby chat line, a tournament joined and one
# played with a second player of the run, Japanese) and then the real client program,
# whose game server is killed mid-hand (the Error box, exit code 1).
#
#   tests/walk/walk.sh [SHOT_DIR]      (default build/walk-shots)
#
# Prints PASS/FAIL per step; the screenshots (NN-step-<language>.png) are
# for a person to look at. Exit code: the number of failed steps.
# Settings and logs go to a temporary home, not the user's.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
shots=$(realpath -m "${1:-$build/walk-shots}")

# xdotool answers the real client's questions with the keyboard.
if ! command -v xdotool >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq xdotool
fi
if [ -f "$build/build.ninja" ]; then
  cmake --build "$build" -j "${JOBS:-$(nproc)}" --target newcomer_walk
else
  BUILD_TARGETS=newcomer_walk "$root/scripts/build.sh"
fi

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
rm -rf "$shots"
mkdir -p "$shots"
# The run script's servers write their logs in the build as usual.
export MAHJONG_WALK_SHOTS="$shots"
export MAHJONG_WALK_CLIENT="$build/app/mahjong"
export MAHJONG_RUN_CLIENT="$build/tests/walk/newcomer_walk"
# Everything goes to walk.log beside the pictures; the steps to the terminal.
set +e
xvfb-run -a -s "-screen 0 1440x900x24" "$root/scripts/run.sh" --verbose 2>&1 | tee "$shots/walk.log" \
  | grep --line-buffered -E '^(PASS|FAIL|NOTE|[0-9]+ step)|^(XMPP|Web|Scripted)'
status=${PIPESTATUS[0]}
set -e
echo "Screenshots and the whole output: $shots"
exit "$status"

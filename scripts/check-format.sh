#!/usr/bin/env bash
# Fails when clang-format (the project's .clang-format) would change a C++
# file of the tree, naming each such file. Checks the files git tracks, or
# the files given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
formatter=${CLANG_FORMAT:-clang-format}
if ! command -v "$formatter" >/dev/null; then
  echo "check-format: $formatter not found (set CLANG_FORMAT)" >&2
  exit 1
fi
if [ "$#" -gt 0 ]; then
  files=("$@")
else
  mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
fi
unformatted=()
for f in "${files[@]}"; do
  if ! "$formatter" --dry-run --Werror "$f" >/dev/null 2>&1; then
    unformatted+=("$f")
  fi
done
if [ "${#unformatted[@]}" -ne 0 ]; then
  printf 'not formatted: %s\n' "${unformatted[@]}" >&2
  echo "check-format: ${#unformatted[@]} file(s) differ from .clang-format; run clang-format -i on them" >&2
  exit 1
fi

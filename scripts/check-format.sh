#!/usr/bin/env bash
# Fails when clang-format (the project's .clang-format) would change a C++
# file, naming each such file: the files git tracks, or the files given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
formatter=${CLANG_FORMAT:-clang-format}
if ! command -v "$formatter" >/dev/null; then
  echo "check-format: $formatter not found (set CLANG_FORMAT)" >&2
  exit 1
fi
if [ "$#" -gt 0 ]; then
  printf '%s\0' "$@"
else
  git ls-files -z -- '*.cpp' '*.h'
fi | xargs -0 -r -n 16 -P "$(nproc)" sh -c \
  'for f; do "$0" --dry-run --Werror "$f" >/dev/null 2>&1 || echo "$f"; done' "$formatter" >"${TMPDIR:-/tmp}/check-format.$$"
mapfile -t unformatted < <(sort "${TMPDIR:-/tmp}/check-format.$$")
rm -f "${TMPDIR:-/tmp}/check-format.$$"
if [ "${#unformatted[@]}" -ne 0 ]; then
  printf 'not formatted: %s\n' "${unformatted[@]}" >&2
  echo "check-format: ${#unformatted[@]} file(s) differ from .clang-format; clang-format -i them" >&2
  exit 1
fi

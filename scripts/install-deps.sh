#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/deps/*.txt that are missing.
# Idempotent: does nothing when everything is present.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t pkgs < <(grep -hv -e '^#' -e '^[[:space:]]*$' "$here"/deps/*.txt | sort -u)
# One query for all of them: the run command asks this every time.
declare -A installed=()
while read -r package want ok state; do
  if [ "$want $ok $state" = "install ok installed" ]; then installed[${package%%:*}]=1; fi
done < <(dpkg-query -W -f='${Package} ${Status}\n' "${pkgs[@]}" 2>/dev/null || true)
missing=()
for p in "${pkgs[@]}"; do
  [ -n "${installed[$p]:-}" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

#!/usr/bin/env bash
# The README's "install, build and start" command: installs what is missing,
# builds, then starts the client from the build directory. When the scripted
# game server (mahjong-peer) has been built, it is started on loopback first
# and the client connects to it, trusting its test CA.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

client="$build/app/mahjong"
peer=$(find "$build/tools" -type f -name mahjong-peer -perm -u+x 2>/dev/null | head -n 1 || true)
cd "$build"

if [ -z "$peer" ]; then
  echo "No scripted game server built; starting the client with its default servers."
  exec "$client" "$@"
fi

# The peer's certificate is issued by the build's test CA: the client gets it
# through a search-path directory whose ca-certs/ hides the embedded one.
peer_args=(--host 127.0.0.1 --demo --quiet)
client_args=()
if [ -f "$build/test-certs/ca.crt" ]; then
  mkdir -p "$build/run-resources/ca-certs"
  cp "$build/test-certs/ca.crt" "$build/run-resources/ca-certs/ca-addtrust.crt"
  client_args+=(--searchpath "$build/run-resources")
else
  peer_args+=(--plain)
  client_args+=(--nossl)
fi

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
# With --demo any user name and password log in.
"$peer" "${peer_args[@]}" --port "$port" &
peer_pid=$!
trap 'kill "$peer_pid" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  sleep 0.1
done

echo "Scripted game server on 127.0.0.1:$port (pid $peer_pid)"
"$client" "${client_args[@]}" --httphost 127.0.0.1:1 "127.0.0.1:$port" "$@"

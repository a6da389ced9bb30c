#!/usr/bin/env bash
# The README's "install, build and start" command: installs what is missing,
# builds the client and the scripted game server (configuring only the first
# time; later runs rebuild only what changed; the tests are built by
# scripts/test.sh), then starts the client with its own servers on loopback,
# each quiet and stopped when the client ends:
#   - the scripted game server (mahjong-peer): any user name and password log
#     in, the start page's buttons and the lobby seat the player at a table
#     that plays a hand, tournaments seat the registered and play their rounds;
#   - a private XMPP server (the tests' Prosody with their player search),
#     when prosody is installed, for the lobby chat and friends;
#   - a local HTTPS web host for the server files and the web pages, in the
#     client's language where they exist.
# The client's and the servers' output goes to build/run-logs/ ("--verbose"
# shows the client's in the terminal). "--scenario NAME" (repeatable) plays
# one of tools/peer/scenarios/ (see tools/peer/README.md) before the demo's
# hands. Options after the script's own are the client's; "--help" lists both.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

if [ "${1:-}" = "--help" ] || [ "${1:-}" = "-h" ]; then
  sed -n '2,18s/^# \{0,1\}//p' "$0"
  echo
  [ -x "$build/app/mahjong" ] && QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} exec "$build/app/mahjong" --help
  exit 0
fi
verbose=0
scenarios=()
while [ $# -gt 0 ]; do
  case $1 in
    --verbose) verbose=1; shift ;;
    --scenario)
      [ $# -ge 2 ] || { echo "run.sh: --scenario needs a scenario name (see tools/peer/README.md)" >&2; exit 2; }
      file=""
      for candidate in "$2" "$root/tools/peer/scenarios/$2" "$root/tools/peer/scenarios/$2.json"; do
        if [ -f "$candidate" ]; then file=$(realpath "$candidate"); break; fi
      done
      if [ -z "$file" ]; then
        echo "run.sh: no scenario $2; these are in tools/peer/scenarios/:" >&2
        (cd "$root/tools/peer/scenarios" && ls -- *.json) >&2
        exit 2
      fi
      scenarios+=("$file")
      shift 2 ;;
    *) break ;;
  esac
done

# The client is a desktop program: Qt cannot start it without a display
# (it aborts), so say so before building and starting the servers.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set): the client needs one." >&2
  echo "Start it from a desktop session, or under a virtual display: xvfb-run -a scripts/run.sh" >&2
  exit 1
fi

"$root/scripts/install-deps.sh"
# What the run needs: the client (its sounds, pictures and translations are
# built into it), the scripted game server and the test certificates.
run_targets="mahjong mahjong-peer mahjong_test_certs"
if [ -f "$build/build.ninja" ]; then
  # CMake re-runs by itself when a CMakeLists.txt changed.
  targets=()
  for t in $run_targets; do targets+=(--target "$t"); done
  cmake --build "$build" -j "${JOBS:-$(nproc)}" "${targets[@]}"
else
  BUILD_TARGETS=$run_targets "$root/scripts/build.sh"
fi

# MAHJONG_RUN_CLIENT: another program in the client's place, given the same
# arguments (the newcomer's walk, tests/walk/walk.sh).
client=${MAHJONG_RUN_CLIENT:-$build/app/mahjong}
# Chromium (behind the embedded web pages) refuses to start its sandbox as
# root; a root session runs the pages without it.
if [ "$(id -u)" = 0 ]; then
  export QTWEBENGINE_DISABLE_SANDBOX=${QTWEBENGINE_DISABLE_SANDBOX:-1}
fi
peer=$(find "$build/tools" -type f -name mahjong-peer -perm -u+x 2>/dev/null | head -n 1 || true)
cd "$build"

# The chatter of the browser engine, the audio system and Qt goes to a log.
logs="$build/run-logs"
mkdir -p "$logs"
client_log="$logs/client.log"
# A private runtime folder when the session has none (Qt and the audio
# system warn without one; the single-instance lock lives there).
if [ -z "${XDG_RUNTIME_DIR:-}" ] || [ ! -d "$XDG_RUNTIME_DIR" ] || [ ! -w "$XDG_RUNTIME_DIR" ]; then
  export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/mahjong-runtime-$(id -u)"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
fi

if [ -z "$peer" ]; then
  echo "No scripted game server built; starting the client with its default servers."
  exec "$client" "$@"
fi

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

wait_for_port() {
  for _ in $(seq 50); do
    (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

pids=()
xmpp_dir="$build/run-xmpp"
xmpp_started=0
# The tests' server with their search component "search.localhost", which
# the friend search asks.
xmpp_server="$root/tests/xmpp/server-ext/xmpp-server-ext.sh"
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  if [ "$xmpp_started" = 1 ]; then
    "$xmpp_server" stop "$xmpp_dir" >/dev/null 2>&1 || true
  fi
}
trap cleanup EXIT

# The servers' certificates are issued by the build's test CA: the client
# gets it through a search-path directory whose ca-certs/ hides the embedded one.
# --no-holds: the scenarios' test checkpoints play on by themselves.
peer_args=(--host 127.0.0.1 --demo --quiet --no-holds)
for file in "${scenarios[@]}"; do peer_args+=(--scenario "$file"); done
client_args=()
tls=0
if [ -f "$build/test-certs/ca.crt" ]; then
  tls=1
  mkdir -p "$build/run-resources/ca-certs"
  cp "$build/test-certs/ca.crt" "$build/run-resources/ca-certs/ca-addtrust.crt"
  client_args+=(--searchpath "$build/run-resources")
else
  peer_args+=(--plain)
  client_args+=(--nossl)
fi

# The private XMPP server. The game server tells the client where it is (in
# the client configuration after login); the XMPP login is the player id and
# the credential of the login answer, which the demo server gives out as
# "cred-<id>" to ids counting up from 2000.
if command -v prosody >/dev/null 2>&1 && [ "$tls" = 1 ]; then
  users=()
  for id in $(seq 2000 2019); do users+=("$id:cred-$id"); done
  if MAHJONG_TEST_CERT_DIR="$build/test-certs" \
     "$xmpp_server" start "$xmpp_dir" "${users[@]}" >"$logs/xmpp.log" 2>&1; then
    xmpp_started=1
    xmpp_port=$(cat "$xmpp_dir/port")
    peer_args+=(--xmpp-port "$xmpp_port")
    # The player search names the players as the game server does.
    peer_args+=(--names-dir "$xmpp_dir/names")
    echo "XMPP server (Prosody) on localhost:$xmpp_port"
  else
    echo "The XMPP server did not start (see $logs/xmpp.log); no chat or friends this time."
  fi
fi

# The local web host: the server files and the pages the client links to.
web_root="$build/run-www"
web_port=$(free_port)
mkdir -p "$web_root/client"
cp -r "$root/resources/localwww/." "$web_root/"
# The scripted game server names each page "client/page<N>.html", N the
# number of the page request: the welcome (3) and how-to (4) tabs, support
# (5), help and rules (6-9) get the pages above; the side page, the account
# pages and the rest the short page of this host.
cat >"$web_root/local.html" <<'EOF'
<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Local web host</title>
<link rel="stylesheet" href="style.css"><script src="libclient.js"></script></head>
<body><main><h1>Local web host</h1>
<p class="lead">The service's page would be here; this one comes from the web host of the run script.</p>
</main></body></html>
EOF
# The support and rules pages are this host's own as well: the client's
# "cannot be reached" page would say that the host failed, which it did not.
for page in support about_rules; do
  [ -f "$web_root/$page.html" ] || cp "$web_root/local.html" "$web_root/$page.html"
done
cp "$root/resources/localwww/style.css" "$root/resources/localwww/libclient.js" "$web_root/client/"
# The server files (resources/server-files.md): no downtime notice, and this
# build's version as the newest release, so that the version check finds the
# client up to date (the release's installer is a stand-in of this host).
version=$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
mkdir -p "$web_root/client/brisquel"
cat >"$web_root/client/server_info.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<serverinfo>
  <!-- No downtime ahead. A notice would read:
  <downtime brand="Brisquel"><message lang="en">Down for maintenance until 12:00 UTC.</message></downtime> -->
</serverinfo>
XML
installer="$web_root/client/brisquel/mahjong-$version-setup.run"
printf '#!/bin/sh\necho "The local web host has no installer."\n' >"$installer"
cat >"$web_root/client/brisquel/client_versions.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<clientversions>
  <release version="$version" platform="linux">
    <installer url="https://localhost:$web_port/client/brisquel/$(basename "$installer")"
               size="$(stat -c %s "$installer")" sha256="$(sha256sum "$installer" | cut -d' ' -f1)"/>
  </release>
</clientversions>
XML
# Each language's own pages (resources/localwww/<language>/) go to
# <language>/client/; the host answers "?lang=<language>" with them where
# they exist and with the English page otherwise.
page_name() {
  case $1 in
    3) echo welcome ;; 4) echo howto ;; 5) echo support ;; [6-9]) echo about_rules ;; *) echo local ;;
  esac
}
for n in $(seq 0 13); do
  cp "$web_root/$(page_name "$n").html" "$web_root/client/page$n.html"
done
for dir in "$root"/resources/localwww/*/; do
  [ -d "$dir" ] || continue
  lang=$(basename "$dir")
  mkdir -p "$web_root/$lang/client"
  for n in $(seq 0 13); do
    page="$dir/$(page_name "$n").html"
    [ -f "$page" ] && cp "$page" "$web_root/$lang/client/page$n.html"
  done
done
if [ "$tls" = 1 ]; then
  python3 - "$web_root" "$web_port" "$build/test-certs" >"$logs/web.log" 2>&1 <<'EOF' &
import functools, http.server, os, re, ssl, sys, urllib.parse
root, port, certs = sys.argv[1], int(sys.argv[2]), sys.argv[3]
class Pages(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
    def translate_path(self, path):
        # "?lang=ja" (or "ja_JP", "zh_CN"): that language's page when there is one.
        local = super().translate_path(path)
        lang = urllib.parse.parse_qs(urllib.parse.urlsplit(path).query).get("lang", [""])[0]
        relative = os.path.relpath(local, root)
        for code in dict.fromkeys([lang, lang.split("_")[0]]):
            if re.fullmatch(r"[A-Za-z]{2,3}(_[A-Za-z]{2})?", code) and not relative.startswith(".."):
                candidate = os.path.join(root, code, relative)
                if os.path.isfile(candidate):
                    return candidate
        return local
server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Pages, directory=root))
context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
context.load_cert_chain(certs + "/server.crt", certs + "/server.key")
server.socket = context.wrap_socket(server.socket, server_side=True)
server.serve_forever()
EOF
  pids+=($!)
  wait_for_port "$web_port" && client_args+=(--httphost "localhost:$web_port") \
    && echo "Web host on https://localhost:$web_port"
else
  client_args+=(--httphost 127.0.0.1:1)
fi

port=$(free_port)
"$peer" "${peer_args[@]}" --port "$port" >"$logs/peer.log" 2>&1 &
pids+=($!)
wait_for_port "$port"
echo "Scripted game server on 127.0.0.1:$port; any user name and password log in"
# A second player of the same run: another client, logged in as another
# user, with a home of its own (its settings and its log: this client's log
# is not moved aside) that is also its runtime folder (the single-instance
# lock lives there), and every variable this run sets for its own client.
# Printed to be pasted as it is.
second="h=\$(mktemp -d) && HOME=\"\$h\" XDG_CONFIG_HOME=\"\$h/.config\" XDG_DATA_HOME=\"\$h/.local/share\""
second+=" XDG_CACHE_HOME=\"\$h/.cache\" XDG_RUNTIME_DIR=\"\$h\""
if [ -n "${QTWEBENGINE_DISABLE_SANDBOX:-}" ]; then
  second+=" QTWEBENGINE_DISABLE_SANDBOX=$QTWEBENGINE_DISABLE_SANDBOX"
fi
second+=$(printf ' %q' "$build/app/mahjong" "${client_args[@]}" "127.0.0.1:$port")
echo "A second player of this run (another user name): $second"
# In the background, so that an interrupt or TERM stops the servers as well.
trap 'exit 130' INT
trap 'exit 143' TERM
if [ "$verbose" = 1 ]; then
  "$client" "${client_args[@]}" "127.0.0.1:$port" "$@" &
else
  echo "The client's output goes to $client_log (--verbose shows it here)."
  "$client" "${client_args[@]}" "127.0.0.1:$port" "$@" >"$client_log" 2>&1 &
fi
pids=("$!" "${pids[@]}")
status=0
wait "${pids[0]}" || status=$?
if [ "$status" != 0 ]; then
  # The reason is in the client's own log (the browser engine's chatter in
  # $client_log is not): its last errors, else its last warnings.
  own_log="${XDG_DATA_HOME:-$HOME/.local/share}/Kestrova/Kestrova-Brisquel/logs/mahjong.log"
  reason=""
  if [ -f "$own_log" ]; then
    reason=$(grep -E '\[(CRIT |FATAL)\]' "$own_log" | tail -n 5 || true)
    [ -n "$reason" ] || reason=$(grep -F '[WARN ]' "$own_log" | tail -n 5 || true)
  fi
  if [ -n "$reason" ]; then
    echo "The client ended with code $status. From its log ($own_log):"
    echo "$reason"
  elif [ -f "$own_log" ]; then
    echo "The client ended with code $status; its log: $own_log, its output: $client_log."
  elif [ "$verbose" = 1 ]; then
    echo "The client ended with code $status before it wrote a log; its output is above."
  else
    # Ended before its log was opened: what it printed says why.
    echo "The client ended with code $status before it wrote a log. The end of its output ($client_log):"
    tail -n 5 "$client_log"
  fi
fi
exit "$status"

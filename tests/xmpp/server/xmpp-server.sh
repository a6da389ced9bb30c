#!/usr/bin/env bash
# Starts and stops a private Prosody instance on loopback for the tests.
#
#   xmpp-server.sh start DIR [--plain] [USER:PASSWORD ...]
#   xmpp-server.sh stop  DIR
#
# "start" wipes DIR, takes the test CA and server certificate for "localhost"
# (with the component names as alternative names), picks a free port, writes
# the configuration, registers the users and starts the server in the
# background; it returns once the server accepts connections. DIR then holds:
#   port     the client port (decimal, one line)
#   ca.crt   the CA certificate to trust (PEM)
#   domain   the host name to connect to ("localhost")
#   users    the registered USER:PASSWORD lines
#   pid      the server's process id
#   prosody.log
# "--plain" lets clients log in with PLAIN without STARTTLS (TLS is still
# offered, but not required).
# "stop" ends the server whose pid is in DIR (and nothing else).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
domain=localhost
components=(conference.localhost search.localhost)

die() { echo "xmpp-server: $*" >&2; exit 1; }

stop_server() {
	local dir=$1 pid
	[ -f "$dir/pid" ] || return 0
	pid=$(cat "$dir/pid")
	rm -f "$dir/pid"
	[ -n "$pid" ] || return 0
	kill -0 "$pid" 2>/dev/null || return 0
	# A test may have left it stopped (SIGSTOP) on purpose.
	kill -CONT "$pid" 2>/dev/null || true
	kill -TERM "$pid" 2>/dev/null || true
	for _ in $(seq 50); do
		kill -0 "$pid" 2>/dev/null || return 0
		sleep 0.1
	done
	kill -KILL "$pid" 2>/dev/null || true
}

port_in_use() {
	[ -n "$(ss -Hltn "sport = :$1" 2>/dev/null)" ]
}

# The build's test certificates when CTest names them (MAHJONG_TEST_CERT_DIR),
# otherwise a fresh set from the same script.
make_certificates() {
	local dir=$1 f
	if [ -n "${MAHJONG_TEST_CERT_DIR:-}" ]; then
		for f in ca.crt server.crt server.key; do
			cp "$MAHJONG_TEST_CERT_DIR/$f" "$dir/$f" || die "no $f in $MAHJONG_TEST_CERT_DIR"
		done
	else
		bash "$here/../../../scripts/test-certs.sh" "$dir" "${components[@]}"
	fi
	chmod 600 "$dir/server.key"
}

write_config() {
	local dir=$1 port=$2 plain=$3 require=true allow=false
	if [ "$plain" = 1 ]; then require=false; allow=true; fi
	sed -e "s|@DIR@|$dir|g" -e "s|@PORT@|$port|g" \
		-e "s|@REQUIRE_TLS@|$require|g" -e "s|@ALLOW_PLAIN@|$allow|g" \
		-e "s|@LOG_LEVEL@|${XMPP_SERVER_LOG_LEVEL:-info}|g" \
		"$here/prosody.cfg.lua.in" >"$dir/prosody.cfg.lua"
}

start_server() {
	local dir=$1; shift
	local plain=0 users=() u port attempt pid
	for u in "$@"; do
		case $u in
		--plain) plain=1 ;;
		*:*) users+=("$u") ;;
		*) die "bad argument '$u' (want USER:PASSWORD)" ;;
		esac
	done
	command -v prosody >/dev/null || die "prosody is not installed"
	stop_server "$dir"
	rm -rf "$dir"
	mkdir -p "$dir/data"
	dir=$(cd "$dir" && pwd)
	make_certificates "$dir"
	echo "$domain" >"$dir/domain"
	: >"$dir/users"

	for attempt in $(seq 10); do
		port=$(( 20000 + (RANDOM * 32768 + RANDOM) % 40000 ))
		port_in_use "$port" && continue
		write_config "$dir" "$port" "$plain"
		if [ "$attempt" = 1 ]; then
			for u in "${users[@]}"; do
				prosodyctl --config "$dir/prosody.cfg.lua" register \
					"${u%%:*}" "$domain" "${u#*:}" >/dev/null \
					|| die "cannot register ${u%%:*}"
				echo "$u" >>"$dir/users"
			done
		fi
		: >"$dir/prosody.log"
		setsid prosody --config "$dir/prosody.cfg.lua" \
			>"$dir/prosody.out" 2>&1 </dev/null &
		pid=$!
		echo "$pid" >"$dir/pid"
		for _ in $(seq 100); do
			kill -0 "$pid" 2>/dev/null || break
			grep -q "Failed to open server port" "$dir/prosody.log" && break
			if ss -Hltnp "sport = :$port" 2>/dev/null | grep -q "pid=$pid,"; then
				echo "$port" >"$dir/port"
				echo "xmpp-server: prosody $pid on 127.0.0.1:$port ($dir)"
				return 0
			fi
			sleep 0.1
		done
		# Lost the port to someone else, or the server did not come up: retry.
		stop_server "$dir"
	done
	cat "$dir/prosody.log" "$dir/prosody.out" >&2 || true
	die "prosody did not start"
}

[ $# -ge 2 ] || die "usage: $0 start|stop DIR [--plain] [USER:PASSWORD ...]"
cmd=$1 dir=$2
shift 2
case $cmd in
start) start_server "$dir" "$@" ;;
stop) stop_server "$dir" ;;
*) die "unknown command $cmd" ;;
esac

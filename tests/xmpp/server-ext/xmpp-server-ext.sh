#!/usr/bin/env bash
# The shared test server (../server/xmpp-server.sh) plus the test search
# component "search.localhost" (mod_test_search.lua in this folder).
#
#   xmpp-server-ext.sh start DIR [--plain] [USER:PASSWORD ...]
#   xmpp-server-ext.sh stop  DIR
#
# "start" lets the shared script set everything up (certificates, users,
# port), then adds the component to the written configuration and starts
# the server again on the same port. DIR holds what the shared script
# documents.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
base=$here/../server/xmpp-server.sh

die() { echo "xmpp-server-ext: $*" >&2; exit 1; }

add_component() {
	local cfg=$1/prosody.cfg.lua
	grep -q '^plugin_paths = { }$' "$cfg" || die "unexpected configuration layout in $cfg"
	sed -i -e "s|^plugin_paths = { }$|plugin_paths = { \"$here\" }|" "$cfg"
	# Rooms are listed in discovery, as on the real service.
	sed -i -e "/^Component \"conference.localhost\" \"muc\"$/a\\\tmuc_room_default_public = true" "$cfg"
	# The scripted game servers write the players' names here (mahjong-peer
	# --names-dir), for the search to name them as the game does.
	mkdir -p "$1/names"
	printf '\nComponent "search.localhost" "test_search"\n\ttest_search_names_dir = "%s"\n' "$1/names" >>"$cfg"
}

relaunch() {
	local dir=$1 port pid
	port=$(cat "$dir/port")
	: >"$dir/prosody.log"
	setsid prosody --config "$dir/prosody.cfg.lua" >"$dir/prosody.out" 2>&1 </dev/null &
	pid=$!
	echo "$pid" >"$dir/pid"
	for _ in $(seq 100); do
		kill -0 "$pid" 2>/dev/null || return 1
		if ss -Hltnp "sport = :$port" 2>/dev/null | grep -q "pid=$pid,"; then
			grep -q 'test_search' "$dir/prosody.log" && grep -qi 'error' <(grep test_search "$dir/prosody.log") \
				&& { cat "$dir/prosody.log" >&2; return 1; }
			echo "xmpp-server-ext: prosody $pid on 127.0.0.1:$port with search.localhost ($dir)"
			return 0
		fi
		sleep 0.1
	done
	return 1
}

[ $# -ge 2 ] || die "usage: $0 start|stop DIR [--plain] [USER:PASSWORD ...]"
cmd=$1 dir=$2
shift 2
case $cmd in
start)
	for _ in 1 2 3; do
		"$base" start "$dir" "$@"
		"$base" stop "$dir"
		add_component "$dir"
		# The port was free a moment ago; if someone took it, start over.
		relaunch "$dir" && exit 0
		"$base" stop "$dir"
	done
	cat "$dir/prosody.log" "$dir/prosody.out" >&2 || true
	die "prosody did not start with the search component"
	;;
stop) "$base" stop "$dir" ;;
*) die "unknown command $cmd" ;;
esac

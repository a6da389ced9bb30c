#!/bin/sh
# The snapshot tool's command line: help without a display, clear refusals.
# Usage: snapshot-cli.sh PATH-TO-mahjong-snapshot
tool=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

for flag in --help -h; do
	# No platform at all: help must not need one.
	out=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none "$tool" "$flag" 2>&1) ||
		fail "$flag exits with $?: $out"
	case $out in
	"Usage: mahjong-snapshot "*--list*) ;;
	*) fail "$flag prints: $out" ;;
	esac
done

check_refused() {
	expected=$1; shift
	out=$("$tool" "$@" 2>&1)
	code=$?
	[ "$code" = 2 ] || fail "'$*' exits with $code, not 2: $out"
	case $out in
	*"$expected"*"--help"*) ;;
	*) fail "'$*' prints: $out" ;;
	esac
}
check_refused "unknown option --bogus" --bogus
check_refused "--lang needs a value" --lang
check_refused "--out needs a value" --out
echo "PASS"

#!/usr/bin/env bash
# Makes the throw-away certificates every test server uses: a CA, a server
# certificate it signed for localhost and 127.0.0.1 (plus any further host
# names given), and a self-signed "rogue" certificate for the same names that
# nobody trusts. They serve only tests and local runs.
#
#   test-certs.sh DIR [HOST ...]
#
# DIR then holds ca.crt, ca.key, server.crt, server.key, rogue.crt and
# rogue.key (PEM, RSA keys). Existing files in DIR are replaced.
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: $0 DIR [HOST ...]" >&2; exit 2; }
dir=$1
shift
san="DNS:localhost"
for host in "$@"; do san="$san,DNS:$host"; done
san="$san,IP:127.0.0.1"

mkdir -p "$dir"
cd "$dir"
umask 077
key=(-newkey rsa:2048 -nodes -sha256)
days=3650
openssl req -x509 "${key[@]}" -days $days -subj "/CN=Mahjong Test CA (tests only)" \
	-keyout ca.key -out ca.crt \
	-addext "basicConstraints=critical,CA:TRUE" \
	-addext "keyUsage=critical,keyCertSign,cRLSign" 2>/dev/null
printf 'basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature,keyEncipherment\nextendedKeyUsage=serverAuth\nsubjectAltName=%s\n' \
	"$san" >server.ext
openssl req "${key[@]}" -subj "/CN=localhost" -keyout server.key -out server.csr 2>/dev/null
openssl x509 -req -sha256 -days $days -in server.csr -CA ca.crt -CAkey ca.key -CAcreateserial \
	-extfile server.ext -out server.crt 2>/dev/null
openssl req -x509 "${key[@]}" -days $days -subj "/CN=localhost" -keyout rogue.key -out rogue.crt \
	-addext "subjectAltName=$san" 2>/dev/null
rm -f server.csr server.ext ca.srl
# Certificates are public; the keys stay private to the user.
chmod 644 ca.crt server.crt rogue.crt

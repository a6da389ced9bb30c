#!/usr/bin/env bash
# Starts or stops the PulseAudio daemon that the playback tests use: a null
# sink (no sound card needed) behind a private socket in <dir>.
#   pulse-fixture.sh start <dir>    pulse-fixture.sh stop <dir>
# Without pulseaudio the start succeeds and says so; the tests that need an
# audio output then skip.
set -u
action=$1
dir=$2
export HOME=$dir/home XDG_RUNTIME_DIR=$dir/run XDG_CONFIG_HOME=$dir/home/config
export PULSE_SERVER=unix:$dir/native PULSE_CLIENTCONFIG=$dir/client.conf

case $action in
start)
  if ! command -v pulseaudio >/dev/null || ! command -v pactl >/dev/null; then
    echo "pulseaudio or pactl is not installed: playback tests will skip"
    exit 0
  fi
  # A daemon left over from an interrupted run is ended first.
  pactl exit >/dev/null 2>&1 && sleep 0.3
  rm -rf "$dir"
  mkdir -p "$dir/home" "$dir/run"
  chmod 700 "$dir/run"
  printf 'autospawn = no\n' >"$dir/client.conf"
  pulseaudio -n --daemonize=yes --use-pid-file=no --exit-idle-time=-1 --disable-shm=yes \
    --log-target=file:"$dir/pulseaudio.log" \
    -L "module-null-sink sink_name=mahjong_null sink_properties=device.description=Null" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/native"
  for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
  done
  if ! pactl info >/dev/null 2>&1; then
    echo "the PulseAudio daemon did not start: playback tests will skip"
    cat "$dir/pulseaudio.log" 2>/dev/null
    exit 0
  fi
  # When nothing plays, the null sink falls back to a 2 s latency and swallows
  # the start of every sound; a quiet low-latency stream keeps it prompt.
  # It ends by itself when the daemon exits.
  setsid pacat --latency-msec=20 --rate=22050 --channels=1 --format=s16le \
    --stream-name=keep-prompt </dev/zero >/dev/null 2>&1 &
  echo $! >"$dir/keeper.pid"
  pactl info | grep -E "Server (Name|Version)|Default Sink"
  ;;
stop)
  pactl exit >/dev/null 2>&1
  if [ -f "$dir/keeper.pid" ]; then
    pid=$(cat "$dir/keeper.pid")
    for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null
    rm -f "$dir/keeper.pid"
  fi
  echo "PulseAudio daemon stopped"
  ;;
*)
  echo "usage: $0 start|stop <dir>" >&2
  exit 2
  ;;
esac
exit 0

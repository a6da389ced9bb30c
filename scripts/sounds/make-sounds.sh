#!/usr/bin/env bash
# Generates the client's game sounds into resources/sounds/ with sox.
# Every sound is 22050 Hz mono 16-bit PCM. Run again after changing a recipe
# and commit the WAV files.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$root/resources/sounds}
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fmt=(-r 22050 -c 1 -b 16)

# note <file> <seconds> <pitch> [volume]: a plucked string that dies away.
note() {
  sox -n "${fmt[@]}" "$1" synth "$2" pluck "$3" fade q 0.005 "$2" "$(echo "$2 * 0.6" | bc -l)" vol "${4:-0.5}"
}
# bell <file> <seconds> <pitch> [volume]: a soft sine with its octave.
bell() {
  sox -n "${fmt[@]}" "$1" synth "$2" sine "$3" fade q 0.005 "$2" "$2" vol "${4:-0.4}"
}
# at <file> <seconds> <input>: input delayed by seconds.
at() {
  sox "$3" "$1" pad "$2" 0
}
# mix <out> <inputs...>
mix() {
  local outfile=$1; shift
  if [ $# -eq 1 ]; then cp "$1" "$outfile"; else sox -m "$@" "$outfile"; fi
}
# finish <name> <input>: trims, normalises to a gentle level and writes.
finish() {
  sox "$2" "${fmt[@]}" "$out/$1.wav" norm -6
  echo "$out/$1.wav"
}

# hover: a very short, quiet tick.
bell "$tmp/h.wav" 0.04 2400 0.3
finish hover "$tmp/h.wav"

# tile_discarded: a wooden clack, a noise burst over a low knock.
sox -n "${fmt[@]}" "$tmp/d1.wav" synth 0.09 pinknoise fade q 0.001 0.09 0.08 highpass 900 vol 0.6
sox -n "${fmt[@]}" "$tmp/d2.wav" synth 0.12 sine 210 fade q 0.001 0.12 0.11 vol 0.5
mix "$tmp/d.wav" "$tmp/d1.wav" "$tmp/d2.wav"
finish tile_discarded "$tmp/d.wav"

# joined / left: a rising and a falling fifth.
note "$tmp/j1.wav" 0.3 C5; note "$tmp/j2.wav" 0.45 G5
at "$tmp/j2d.wav" 0.14 "$tmp/j2.wav"
mix "$tmp/j.wav" "$tmp/j1.wav" "$tmp/j2d.wav"
finish joined "$tmp/j.wav"
note "$tmp/l1.wav" 0.3 G4; note "$tmp/l2.wav" 0.45 C4
at "$tmp/l2d.wav" 0.14 "$tmp/l2.wav"
mix "$tmp/l.wav" "$tmp/l1.wav" "$tmp/l2d.wav"
finish left "$tmp/l.wav"

# chow: three quick rising steps.
note "$tmp/c1.wav" 0.25 E5; note "$tmp/c2.wav" 0.25 F#5; note "$tmp/c3.wav" 0.4 G#5
at "$tmp/c2d.wav" 0.09 "$tmp/c2.wav"; at "$tmp/c3d.wav" 0.18 "$tmp/c3.wav"
mix "$tmp/c.wav" "$tmp/c1.wav" "$tmp/c2d.wav" "$tmp/c3d.wav"
finish chow "$tmp/c.wav"

# pong: the same bright note three times.
note "$tmp/p1.wav" 0.2 A5
at "$tmp/p2.wav" 0.1 "$tmp/p1.wav"; at "$tmp/p3.wav" 0.2 "$tmp/p1.wav"
mix "$tmp/p.wav" "$tmp/p1.wav" "$tmp/p2.wav" "$tmp/p3.wav"
finish pong "$tmp/p.wav"

# kong: four notes of a low chord struck together, then a bell.
note "$tmp/k1.wav" 0.6 D4; note "$tmp/k2.wav" 0.6 A4; note "$tmp/k3.wav" 0.6 D5; note "$tmp/k4.wav" 0.6 F#5
bell "$tmp/k5.wav" 0.5 1175 0.25
at "$tmp/k5d.wav" 0.12 "$tmp/k5.wav"
mix "$tmp/k.wav" "$tmp/k1.wav" "$tmp/k2.wav" "$tmp/k3.wav" "$tmp/k4.wav" "$tmp/k5d.wav"
finish kong "$tmp/k.wav"

# mahjong: a bright major arpeggio that rings on.
parts=()
i=0
for p in C5 E5 G5 C6 E6; do
  note "$tmp/m$i.wav" 1.0 "$p"
  at "$tmp/md$i.wav" "$(echo "$i * 0.08" | bc -l)" "$tmp/m$i.wav"
  parts+=("$tmp/md$i.wav"); i=$((i + 1))
done
mix "$tmp/m.wav" "${parts[@]}"
finish mahjong "$tmp/m.wav"

# washout: a soft falling minor third.
note "$tmp/w1.wav" 0.5 E4; note "$tmp/w2.wav" 0.7 C#4
at "$tmp/w2d.wav" 0.25 "$tmp/w2.wav"
mix "$tmp/w.wav" "$tmp/w1.wav" "$tmp/w2d.wav"
finish washout "$tmp/w.wav"

# start: a small gong, a low sine with an inharmonic partial.
bell "$tmp/s1.wav" 1.0 196 0.5; bell "$tmp/s2.wav" 0.8 523 0.2; bell "$tmp/s3.wav" 0.6 739 0.1
mix "$tmp/s.wav" "$tmp/s1.wav" "$tmp/s2.wav" "$tmp/s3.wav"
finish start "$tmp/s.wav"

# meld_suggestion: an inviting two-tone ping.
bell "$tmp/ms1.wav" 0.3 880 0.4; bell "$tmp/ms2.wav" 0.3 1320 0.25
mix "$tmp/ms.wav" "$tmp/ms1.wav" "$tmp/ms2.wav"
finish meld_suggestion "$tmp/ms.wav"

# meld_pass_only: one quieter, lower ping.
bell "$tmp/mp.wav" 0.25 660 0.3
finish meld_pass_only "$tmp/mp.wav"

# wind_assignment: a short whoosh.
sox -n "${fmt[@]}" "$tmp/wa.wav" synth 0.7 pinknoise fade h 0.3 0.7 0.35 sinc 300-2500 vol 0.5
finish wind_assignment "$tmp/wa.wav"

# lobby_1min: an eight-second pentatonic tune that loops without a seam.
melody=(E4 G4 A4 C5 D5 C5 A4 G4 A4 C5 D5 E5 D5 C5 A4 G4)
bass=(C3 A2 F2 G2)
parts=()
for i in "${!melody[@]}"; do
  note "$tmp/lm$i.wav" 0.48 "${melody[$i]}" 0.35
  at "$tmp/lmd$i.wav" "$(echo "$i * 0.5" | bc -l)" "$tmp/lm$i.wav"
  parts+=("$tmp/lmd$i.wav")
done
for i in "${!bass[@]}"; do
  note "$tmp/lb$i.wav" 1.9 "${bass[$i]}" 0.3
  at "$tmp/lbd$i.wav" "$((i * 2))" "$tmp/lb$i.wav"
  parts+=("$tmp/lbd$i.wav")
done
mix "$tmp/lobby_raw.wav" "${parts[@]}"
sox "$tmp/lobby_raw.wav" "$tmp/lobby.wav" pad 0 0.5 trim 0 8.0
finish lobby_1min "$tmp/lobby.wav"

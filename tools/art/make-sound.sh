#!/usr/bin/env bash
# The disc-placing sound: a soft wooden "tock" of about 0.12 s, 16-bit PCM mono
# 44100 Hz. Three layers mixed: a short band-passed noise tick (the edge of the
# disc touching the board), a quick falling tone (the disc's body) and a low
# falling thump (the board). -R fixes the noise seed, so every run gives the
# same bytes.
#
#   make-sound.sh OUT.wav
set -euo pipefail

out="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fmt=(-R -D -V1 -n -r 44100 -b 16 -c 1)

sox "${fmt[@]}" "$work/tick.wav" synth 0.05 pinknoise highpass 900 lowpass 5000 \
  fade l 0 0.05 0.048 gain -4
sox "${fmt[@]}" "$work/tock.wav" synth 0.11 sine 1100-700 fade l 0 0.11 0.105 gain -12
sox "${fmt[@]}" "$work/thump.wav" synth 0.12 sine 190-80 fade l 0.002 0.12 0.115 gain -3
mkdir -p "$(dirname "$out")"
sox -R -D -V1 -m "$work/tick.wav" "$work/tock.wav" "$work/thump.wav" "$work/mix.wav" norm -6
if ! cmp -s "$work/mix.wav" "$out" 2>/dev/null; then cp "$work/mix.wav" "$out"; fi
echo "wrote $out"

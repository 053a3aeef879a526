#!/usr/bin/env bash
# Remakes every picture under assets/bmp/ and the placing sound assets/sound/oku2.wav
# from the drawings in tools/art/. Same inputs, same bytes: no timestamps, fixed
# noise seed. Installs the Debian packages it needs when they are missing.
#
#   tools/art/make-art.sh                 # writes into assets/
#   tools/art/make-art.sh --preview DIR   # also writes PNG mock-ups of the screens to DIR
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
assets="$repo/assets"

packages=(python3 librsvg2-bin sox fonts-mplus fonts-ipafont-gothic)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Debian's own interpreter: the pictures need nothing beyond its standard library.
/usr/bin/python3 -B "$here/make_art.py" "$assets" "$@"
bash "$here/make-sound.sh" "$assets/sound/oku2.wav"

#!/usr/bin/env bash
# Makes the icons (assets/icons/kerna-reversi-<N>.png, N = 16 ... 512: the
# desktop's up to 256, the installed page's 192 and 512; and kerna-reversi.ico for Windows)
# from the hostess's smiling face picture: a square around her face, enlarged
# pixel for pixel (the picture is pixel art) and reduced smoothly. Needs
# ImageMagick's convert (apt-get install imagemagick).
#   usage: tools/icons/make_icons.sh [REPO_DIR]
set -euo pipefail
repo="${1:-$(cd "$(dirname "$0")/../.." && pwd)}"
face="$repo/assets/bmp/face02.bmp"
out="$repo/assets/icons"
command -v convert >/dev/null || { echo "convert (imagemagick) is missing" >&2; exit 1; }
mkdir -p "$out"
# The face picture is 112 x 120 with a frame; the square 96 x 96 at (8, 6) holds the face.
for size in 16 32 48 64 128 192 256 512; do
  if ((size >= 96)); then
    filter=Point
  else
    filter=Lanczos
  fi
  convert "$face" -crop 96x96+8+6 +repage -filter "$filter" -resize "${size}x${size}" \
    -strip "PNG32:$out/kerna-reversi-$size.png"
done
echo "icons written to $out"
# The Windows program's icon: the same sizes in one .ico (256 stored as PNG).
convert "$out"/kerna-reversi-{16,32,48,64,128,256}.png "$out/kerna-reversi.ico"
echo "Windows icon written to $out/kerna-reversi.ico"

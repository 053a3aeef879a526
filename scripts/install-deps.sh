#!/usr/bin/env bash
# Installs the Debian packages the game, its tests and its tools need, once,
# from the package sources the machine already has. With package names as
# arguments it installs those instead (the browser build and the voice tool
# use it so). Checks each with dpkg -s first, so a machine that has them all is
# left alone.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-ttf-dev libsdl2-mixer-dev libfontconfig-dev fonts-ipafont-gothic
  libgtest-dev libgmock-dev
  xvfb xauth xdotool imagemagick libx11-dev libxtst-dev
  clang libclang-rt-14-dev
)
if [ $# -gt 0 ]; then packages=("$@"); fi

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

#!/usr/bin/env bash
# Installs the Debian packages of the browser build, once: Emscripten (make
# web) and, with "test", headless Chromium and npm for the page test (make
# web-test). Kept apart from install-deps.sh, so the desktop game and its tests
# never need them.
set -euo pipefail

packages=(emscripten)
if [ "${1:-}" = "test" ]; then
  packages+=(chromium)
  command -v npm >/dev/null 2>&1 || packages+=(npm)
fi

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

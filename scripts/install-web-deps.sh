#!/usr/bin/env bash
# Installs the Debian packages of the browser build, once: Emscripten (make
# web) and, with "test", headless Chromium and npm for the page test (make
# web-test). Kept apart from the desktop's list, so the desktop game and its
# tests never need them.
set -euo pipefail

packages=(emscripten)
if [ "${1:-}" = "test" ]; then
  packages+=(chromium)
  command -v npm >/dev/null 2>&1 || packages+=(npm)
fi
exec bash "$(dirname "$0")/install-deps.sh" "${packages[@]}"

#!/usr/bin/env bash
# Installs the Debian packages of the Windows build, once: the mingw-w64 cross
# compiler with posix threads (make windows) and, with "test", Wine and the
# tools that drive it in Xvfb (make windows-test). Kept apart from the
# desktop's list, so the desktop game and its tests never need them.
set -euo pipefail

packages=(g++-mingw-w64-x86-64-posix)
if [ "${1:-}" = "test" ]; then
  packages+=(wine64 xvfb xauth xdotool imagemagick python3)
fi
exec bash "$(dirname "$0")/install-deps.sh" "${packages[@]}"

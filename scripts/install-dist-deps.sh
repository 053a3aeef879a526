#!/usr/bin/env bash
# Installs the Debian packages of the release files, once: zip, the installer
# maker, the package checkers (make dist, make dist-check) and, with "sound",
# the cross compiler, Wine and the reference mp3 decoder of the Windows sound
# check (make windows-sound-test). Kept apart from the desktop's list.
set -euo pipefail

packages=(zip nsis imagemagick dpkg-dev lintian desktop-file-utils appstream)
if [ "${1:-}" = "sound" ]; then
  packages=(g++-mingw-w64-x86-64-posix wine64 mpg123 python3)
fi
exec bash "$(dirname "$0")/install-deps.sh" "${packages[@]}"

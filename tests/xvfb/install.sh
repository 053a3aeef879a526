#!/usr/bin/env bash
# Installs the build into a temporary prefix (cmake --install) and starts the
# installed program from / with a fresh HOME under Xvfb: it must find its data
# in <prefix>/share/kerna-reversi and reach the title screen. Also checks the
# installed menu entry and icons.
#   usage: install.sh GAME_BINARY ASSETS_DIR BUILD_DIR
set -euo pipefail

assets="$2"
build="$3"
helper="$build/xvfb/xvfb_helper"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_common.sh"
readonly timeout_ms=30000

require_tools Xvfb xdotool convert
[ -x "$helper" ] || fail "helper $helper not built"

# The build directory given is the tests' one: install from the whole build's.
top="$build"
while [ ! -f "$top/CMakeCache.txt" ] && [ "$top" != / ]; do top="$(dirname "$top")"; done
prefix="$work/prefix"
cmake --install "$top" --prefix "$prefix" >"$work/install.log" ||
  fail "cmake --install failed: $(cat "$work/install.log")"
share="$prefix/share"
[ -x "$prefix/bin/kerna-reversi" ] || fail "bin/kerna-reversi not installed"
for folder in dat bmp sound voice; do
  [ -d "$share/kerna-reversi/$folder" ] || fail "share/kerna-reversi/$folder not installed"
done
desktop="$share/applications/kerna-reversi.desktop"
grep -qx 'Name=ケルナのリバーシ' "$desktop" || fail "desktop entry without its name"
grep -qx 'Categories=Game;BoardGame;' "$desktop" || fail "desktop entry without its categories"
for size in 16 32 48 64 128 256; do
  icon="$share/icons/hicolor/${size}x${size}/apps/kerna-reversi.png"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "icon $icon is not ${size}x${size}"
done

start_xvfb 1024x768
export HOME="$work/home"
unset XDG_CONFIG_HOME
mkdir -p "$HOME"
# The installed data is read-only, as in a system-wide install.
chmod -R a-w "$share/kerna-reversi"

readonly title_pixel=$(picture_pixel title.bmp 100 30)
(cd / && exec "$prefix/bin/kerna-reversi") 2>"$work/game.err" &
game_pid=$!
"$helper" wait-colour 529 30 "${title_pixel#\#}" "$timeout_ms" >/dev/null ||
  fail "the installed program shows no title screen; stderr: $(cat "$work/game.err")"
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$game_pid" | head -n1)
"$helper" close "$window" || fail "could not close the window"
for _ in $(seq 1 500); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.01
done
wait "$game_pid" || fail "exit code $? after close; stderr: $(cat "$work/game.err")"
game_pid=""
chmod -R u+w "$share/kerna-reversi"
echo "installed program started from / reached the title screen"

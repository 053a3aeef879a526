#!/usr/bin/env bash
# Installs the build into a temporary prefix (cmake --install) and starts the
# installed program from / with a fresh HOME under Xvfb: it must find its data
# in <prefix>/share/kerna-reversi and reach the title screen. Also checks the
# installed menu entry and icons, and that settings and kept games go to the
# user's folder, not into the read-only installed data.
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
grep -qx 'Exec=kerna-reversi %f' "$desktop" || fail "desktop entry does not pass the file it opens"
grep -qx 'MimeType=application/x-ggf-game;' "$desktop" || fail "desktop entry without the GGF type"
grep -q '<glob pattern="\*.ggf"/>' "$share/mime/packages/kerna-reversi-ggf.xml" ||
  fail "the GGF type is not installed for .ggf files"
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

# Settings (3, then OK) and a quit game (2, f5 by the keys, Esc, Enter) are
# written to the user's folder, never into the read-only installed data.
settings_before=$(cat "$share/kerna-reversi/dat/set.ini")
xdotool mousemove 5 5
sleep 0.5
xdotool key --delay 50 3
sleep 1
xdotool key --delay 50 Return
sleep 1
user="$HOME/.config/kerna-reversi"
# Keys typed before a turn begins are dropped: on a slow machine a game may be
# quit before the move; then the next one tries again.
for _ in $(seq 1 10); do
  xdotool key --delay 50 2
  sleep 1
  xdotool key --delay 20 Left Left Left Left Left Left Left Up Up Up Up Up Up Up \
    Right Right Right Right Right Down Down Down Down Return
  sleep 0.5
  xdotool key Escape
  sleep 0.5
  xdotool key Return
  sleep 0.5
  grep -q 'moves=f5$' "$user/records.txt" 2>/dev/null && break
done
[ -s "$user/set.ini" ] || fail "settings not kept in $user"
grep -q 'mode=humans .* end=quit .* moves=f5$' "$user/records.txt" ||
  fail "no quit game with f5 in $user/records.txt: $(cat "$user/records.txt" 2>/dev/null)"
ls "$user/records/"*.ggf >/dev/null 2>&1 || fail "no GGF file in $user/records/"
[ ! -e "$share/kerna-reversi/dat/records.txt" ] || fail "records.txt written into the installed data"
[ "$(cat "$share/kerna-reversi/dat/set.ini")" = "$settings_before" ] ||
  fail "set.ini of the installed data changed"

"$helper" close "$window" || fail "could not close the window"
for _ in $(seq 1 500); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.01
done
wait "$game_pid" || fail "exit code $? after close; stderr: $(cat "$work/game.err")"
game_pid=""
chmod -R u+w "$share/kerna-reversi"
echo "installed program started from / reached the title screen; settings and records went to ~/.config"

#!/usr/bin/env bash
# Real-window check under Xvfb: the game's window has its title, shows the
# title screen (title picture, panel tiles down to the window's bottom right
# corner, board squares), and a close request (WM_DELETE_WINDOW,
# as a window manager's close button sends) ends the process within 1 s with
# exit code 0. Also measures the time from start to the first frame (median of
# 5 starts). Waits for start-up are generous (a loaded 2-core machine); only the
# close time is strict.
#   usage: window.sh GAME_BINARY ASSETS_DIR BUILD_DIR
set -euo pipefail

game="$1"
assets="$2"
build="$3"
helper="$build/xvfb/xvfb_helper"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export SDL_AUDIODRIVER=dummy
readonly title="ケルナのリバーシ V2.73"
readonly runs=5
readonly startup_timeout_ms=30000
readonly close_limit_ms=1000

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh installs it)"
done
[ -x "$helper" ] || fail "helper $helper not built"

work="$(mktemp -d)"
xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it is ready.
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 1 300); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

now_ms() { date +%s%3N; }

# The colour of one screen pixel as RRGGBB, from a screenshot of the root window.
pixel() {
  convert "$work/shot.png" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1
}
# One pixel of a shipped picture as RRGGBB.
picture_pixel() {
  convert "$assets/bmp/$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1
}
# The title picture is drawn at (429, 0); the panel tile at x 429 from y 72 every 16 pixels.
readonly title_pixel=$(picture_pixel title.bmp 100 30)
readonly corner_pixel=$(picture_pixel haikei01.bmp 210 15)

# Starts the game and waits for its first frame (the title screen); sets
# game_pid and first_frame_ms.
start_game() {
  local start shown
  start=$(now_ms)
  (cd "$assets" && exec "$game") 2>"$work/game.err" &
  game_pid=$!
  shown=$("$helper" wait-colour 529 30 "${title_pixel#\#}" "$startup_timeout_ms") ||
    fail "no title screen within $((startup_timeout_ms / 1000)) s; game stderr: $(cat "$work/game.err")"
  first_frame_ms=$((shown - start))
}

# Sends the close request and checks the process ends within the limit with exit 0.
close_game() {
  local window="$1" start end code=0
  start=$(now_ms)
  "$helper" close "$window" || fail "could not send the close request"
  while kill -0 "$game_pid" 2>/dev/null; do
    (($(now_ms) - start > 5000)) && fail "the game did not end after the window was closed"
    sleep 0.005
  done
  end=$(now_ms)
  wait "$game_pid" || code=$?
  game_pid=""
  ((code == 0)) || fail "exit code $code after closing; stderr: $(cat "$work/game.err")"
  ((end - start <= close_limit_ms)) || fail "closing took $((end - start)) ms (limit $close_limit_ms)"
  close_ms=$((end - start))
}

find_window() {
  timeout $((startup_timeout_ms / 1000)) xdotool search --sync --onlyvisible --pid "$game_pid" |
    head -n1
}

times=()
for run in $(seq 1 "$runs"); do
  start_game
  times+=("$first_frame_ms")
  window=$(find_window) || fail "window of pid $game_pid not found"
  if ((run == 1)); then
    name=$(xdotool getwindowname "$window")
    [ "$name" = "$title" ] || fail "window title is '$name', expected '$title'"
    import -window root "$work/shot.png"
    title_shown=$(pixel 529 30)
    board=$(pixel 200 200)
    corner=$(pixel 639 439)
    [ "$title_shown" = "$title_pixel" ] || fail "title pixel (529,30) is $title_shown, expected $title_pixel"
    [ "$board" != "#000000" ] || fail "board pixel (200,200) is black: no square drawn"
    [ "$corner" = "$corner_pixel" ] || fail "pixel (639,439) is $corner, expected the panel tile's $corner_pixel: the drawing area is not 640 x 440 at the top left"
    [ "$(pixel 640 439)" != "$corner_pixel" ] || fail "the window is wider than 640"
    [ -z "$(cat "$work/game.err")" ] || fail "the game wrote to stderr: $(cat "$work/game.err")"
  fi
  close_game "$window"
  echo "run $run: first frame after $first_frame_ms ms, closed in $close_ms ms"
done

median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p")
echo "start-to-first-frame median of $runs runs: $median ms (${times[*]})"

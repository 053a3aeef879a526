#!/usr/bin/env bash
# Real-window check under Xvfb: the game's window has its title and a 640 x 440
# drawing area at the top left; start-up shows the blue panel (x 430..639) beside
# the black board area; the title screen (title picture, panel tiles down to the
# window's bottom right corner, board squares) follows; and a close request
# (WM_DELETE_WINDOW, as a window manager's close button sends) ends the process
# within 1 s with exit code 0, as does SIGTERM. Also measures, over 5 starts
# from the assets folder, the time from start to the first frame (the panel
# pixel leaves the window's initial black) and to the title screen. Waits for
# start-up are generous (a loaded 2-core machine); only the close time is strict.
#
# The start-up layout is checked with an empty data folder: then no picture
# loads and the screen settles on exactly what the game draws itself (the blue
# panel box on black), whatever the pictures look like.
#   usage: window.sh GAME_BINARY ASSETS_DIR BUILD_DIR
set -euo pipefail

game="$1"
assets="$2"
build="$3"
helper="$build/xvfb/xvfb_helper"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_common.sh"
readonly title="ケルナのリバーシ V${KERNA_VERSION:?the project version, set by ctest}"
readonly runs=5
readonly close_limit_ms=1000

require_tools Xvfb xdotool import convert
[ -x "$helper" ] || fail "helper $helper not built"

start_xvfb 1024x768


# One pixel of a shipped picture as RRGGBB.
# The title picture is drawn at (429, 0); the panel tile at x 429 from y 72 every 16 pixels.
readonly title_pixel=$(picture_pixel title.bmp 100 30)
readonly corner_pixel=$(picture_pixel haikei01.bmp 210 15)

# Starts the game in a data folder and waits for its first frame: the panel
# pixel (500,200) leaves the black of the new window. Sets game_pid, start_ms
# and first_frame_ms.
start_game() {
  local folder="$1" shown
  start_ms=$(now_ms)
  (cd "$folder" && exec "$game") 2>"$work/game.err" &
  game_pid=$!
  shown=$("$helper" wait-change 500 200 000000 "$startup_timeout_ms") ||
    fail "nothing drawn within $((startup_timeout_ms / 1000)) s; game stderr: $(cat "$work/game.err")"
  first_frame_ms=$((shown - start_ms))
}

find_window() {
  timeout $((startup_timeout_ms / 1000)) xdotool search --sync --onlyvisible --pid "$game_pid" |
    head -n1
}

# Sends the close request and checks the process ends within the limit with exit 0.
close_game() { close_and_wait "$1" "$close_limit_ms" "close"; }

# Retries a screenshot check for up to 10 s: frames in between may show a half-drawn screen.
settles() {
  for _ in $(seq 1 50); do
    import -window root "$work/shot.png" && "$@" && return 0
    sleep 0.2
  done
  return 1
}

# 1. Title, geometry and the start-up layout, with an empty data folder.
startup_layout() {
  [ "$(pixel 500 200)" = "#0000FF" ] && [ "$(pixel 430 0)" = "#0000FF" ] &&
    [ "$(pixel 639 439)" = "#0000FF" ] && [ "$(pixel 200 200)" = "#000000" ] &&
    [ "$(pixel 428 439)" = "#000000" ]
}
mkdir "$work/empty"
start_game "$work/empty"
window=$(find_window) || fail "window of pid $game_pid not found"
name=$(xdotool getwindowname "$window")
[ "$name" = "$title" ] || fail "window title is '$name', expected '$title'"
geometry=$(xdotool getwindowgeometry "$window")
grep -q 'Position: 0,0' <<<"$geometry" || fail "window not at the top left: $geometry"
grep -q 'Geometry: 640x440' <<<"$geometry" || fail "drawing area is not 640 x 440: $geometry"
settles startup_layout || fail "no blue panel beside a black board: (500,200) $(pixel 500 200)," \
  "(430,0) $(pixel 430 0), (639,439) $(pixel 639 439), (200,200) $(pixel 200 200)," \
  "(428,439) $(pixel 428 439)"
[ -z "$(cat "$work/game.err")" ] || fail "the game wrote to stderr: $(cat "$work/game.err")"
close_game "$window"
echo "title, geometry and start-up layout right; closed in $close_ms ms"

# 2. The title screen, start-up times and closing, from the real assets.
title_screen() {
  [ "$(pixel 529 30)" = "$title_pixel" ] && [ "$(pixel 200 200)" != "#000000" ] &&
    [ "$(pixel 639 439)" = "$corner_pixel" ] && [ "$(pixel 640 439)" != "$corner_pixel" ]
}
first_frames=()
title_times=()
for run in $(seq 1 "$runs"); do
  start_game "$assets"
  shown=$("$helper" wait-colour 529 30 "${title_pixel#\#}" "$startup_timeout_ms") ||
    fail "no title screen within $((startup_timeout_ms / 1000)) s; stderr: $(cat "$work/game.err")"
  first_frames+=("$first_frame_ms")
  title_times+=("$((shown - start_ms))")
  window=$(find_window) || fail "window of pid $game_pid not found"
  if ((run == 1)); then
    settles title_screen || fail "title screen wrong: title pixel (529,30) $(pixel 529 30)" \
      "(expected $title_pixel), board (200,200) $(pixel 200 200) (expected not black)," \
      "(639,439) $(pixel 639 439) (expected the panel tile's $corner_pixel), (640,439) $(pixel 640 439)"
    [ -z "$(cat "$work/game.err")" ] || fail "the game wrote to stderr: $(cat "$work/game.err")"
  fi
  close_game "$window"
  echo "run $run: first frame after $first_frame_ms ms, title screen after ${title_times[-1]} ms," \
    "closed in $close_ms ms"
done

# 3. SIGTERM (a session ending, `kill`) closes the game the same way.
start_game "$assets"
start=$(now_ms)
kill -TERM "$game_pid"
code=0
wait "$game_pid" || code=$?
game_pid=""
((code == 0)) || fail "exit code $code after SIGTERM"
(($(now_ms) - start <= close_limit_ms)) || fail "SIGTERM took $(($(now_ms) - start)) ms to end the game"
echo "SIGTERM ends the game with exit 0"

median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }
echo "start-to-first-frame median of $runs runs: $(median "${first_frames[@]}") ms (${first_frames[*]})"
echo "start-to-title-screen median of $runs runs: $(median "${title_times[@]}") ms (${title_times[*]})"

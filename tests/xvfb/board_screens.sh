#!/usr/bin/env bash
# Real-window check of the board screens under Xvfb: the title screen with the
# start position, and the board after a few animated moves with the face, the
# message frame and the legal-move markers. Takes a screenshot of each and
# checks pixels against the shipped pictures: frame pieces, title, panel tile,
# discs and the board colour. With KERNA_SCREENSHOT_DIR set the screenshots are
# also written there (docs/screenshot-title.png, docs/screenshot-moves.png).
#   usage: board_screens.sh GAME_BINARY ASSETS_DIR BUILD_DIR
set -euo pipefail

assets="$2"
build="$3"
program="$build/xvfb/board_screens"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_common.sh"

require_tools Xvfb xdotool import convert
[ -x "$program" ] || fail "$program not built"

start_xvfb 1024x768

expect() {  # shot x y wanted what
  local got
  got=$(file_pixel "$1" "$2" "$3")
  [ "$got" = "$4" ] || fail "$(basename "$1") ($2,$3) is $got, expected $4: $5"
}

# Runs one scene, waits for it to be on screen, and takes the drawing area
# into $work/SCENE.png.
shoot() {
  local scene="$1" shot="$work/$1.png" window
  (cd "$assets" && exec "$program" "$scene") >"$work/$scene.out" 2>"$work/$scene.err" &
  game_pid=$!
  for _ in $(seq 1 600); do
    grep -q ready "$work/$scene.out" 2>/dev/null && break
    kill -0 "$game_pid" 2>/dev/null || fail "$scene ended early: $(cat "$work/$scene.err")"
    sleep 0.05
  done
  grep -q ready "$work/$scene.out" || fail "$scene was not ready within 30 s"
  window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$game_pid" | head -n1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  sleep 0.3  # the window thread presents the last frame
  import -window root -crop "640x440+$X+$Y" +repage "$shot"
  kill "$game_pid"
  wait "$game_pid" || true
  game_pid=""
  [ -z "$(cat "$work/$scene.err")" ] || fail "$scene wrote to stderr: $(cat "$work/$scene.err")"
}

shoot title
title="$work/title.png"
green=$(picture_pixel 01-zero.bmp 0 0)
expect "$title" 30 10 "$(picture_pixel waku-yoko.bmp 30 10)" "top left corner, across piece"
expect "$title" 10 30 "$(picture_pixel waku-tate.bmp 10 30)" "top left corner, down piece"
expect "$title" 418 400 "$(picture_pixel waku-tate.bmp 10 20)" "bottom right corner piece"
expect "$title" 100 10 "$(picture_pixel waku-yoko.bmp 30 10)" "top edge piece for column 2"
expect "$title" 529 40 "$(picture_pixel title.bmp 100 40)" "title picture"
expect "$title" 500 200 "$(picture_pixel haikei01.bmp 71 0)" "panel tile at y 200"
expect "$title" 30 30 "$green" "empty square a1"
expect "$title" 22 30 "#000000" "grid line left of a1"
expect "$title" 191 191 "$(picture_pixel siro.bmp 24 24)" "white disc on d4"
expect "$title" 239 191 "$(picture_pixel kuro.bmp 24 24)" "black disc on e4"

shoot moves
moves="$work/moves.png"
expect "$moves" 533 209 "$(picture_pixel face32.bmp 55 60)" "face 2 of level 3"
expect "$moves" 538 358 "$(picture_pixel msg.bmp 100 50)" "message frame"
expect "$moves" 30 30 "$green" "empty square a1 after the moves"
expect "$moves" 10 30 "$(picture_pixel waku-tate.bmp 10 30)" "frame corner after the moves"

if [ -n "${KERNA_SCREENSHOT_DIR:-}" ]; then
  cp "$title" "$KERNA_SCREENSHOT_DIR/screenshot-title.png"
  cp "$moves" "$KERNA_SCREENSHOT_DIR/screenshot-moves.png"
fi
echo "board screens: title and moves as expected"

#!/usr/bin/env bash
# Real-window check of the scaled window under Xvfb with a 1920 x 1080 screen:
# the window opens at 2x (1280 x 880), the pictures are doubled pixel for pixel,
# and a click at the doubled position of a square plays it (a two-person game,
# black on f5). Runs the game on a temporary copy of the assets so no file in
# the repository changes. With KERNA_SCREENSHOT_DIR set the screenshot after
# the move is written there as scaled-2x.png.
#   usage: scaled.sh GAME_BINARY ASSETS_DIR BUILD_DIR
set -euo pipefail

game="$1"
assets="$2"
build="$3"
helper="$build/xvfb/xvfb_helper"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_common.sh"
readonly timeout_ms=30000

start_window_check 1920x1080

# Drawing-area point -> screen point at 2x (the window sits at the top left).
click_area() {
  xdotool mousemove $(($1 * 2 + 1)) $(($2 * 2 + 1))
  sleep 0.2
  xdotool click 1
}

# The title picture is drawn at (429, 0): its pixel (100, 30) is at (529, 30).
readonly title_pixel=$(picture_pixel title.bmp 100 30)
(cd "$work/assets" && exec "$game") 2>"$work/game.err" &
game_pid=$!
"$helper" wait-colour $((529 * 2)) $((30 * 2)) "${title_pixel#\#}" "$timeout_ms" >/dev/null ||
  fail "no title screen at 2x within $((timeout_ms / 1000)) s; stderr: $(cat "$work/game.err")"
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$game_pid" | head -n1)
read -r width height < <(xdotool getwindowgeometry --shell "$window" |
  awk -F= '/WIDTH/{w=$2} /HEIGHT/{h=$2} END{print w, h}')
[ "$width" = 1280 ] && [ "$height" = 880 ] || fail "window is ${width} x ${height}, expected 1280 x 880"
shot
# Nearest-neighbour: each drawing-area pixel is a 2 x 2 block of one colour.
for dx in 0 1; do
  for dy in 0 1; do
    [ "$(pixel $((529 * 2 + dx)) $((30 * 2 + dy)))" = "$title_pixel" ] ||
      fail "title pixel block at 2x is not sharp"
  done
done

# f5 is column 6, row 5: centre (22 + 48 * 5 + 24, 22 + 48 * 4 + 24) = (286, 238).
readonly fx=286 fy=238
before=$(pixel $((fx * 2)) $((fy * 2)))
sleep 1
click_area 500 175  # two people
played=""
for _ in $(seq 1 60); do
  sleep 0.5
  click_area $fx $fy
  sleep 0.5
  shot
  after=$(pixel $((fx * 2)) $((fy * 2)))
  if [ "$after" != "$before" ]; then
    played=yes
    break
  fi
done
[ -n "$played" ] || fail "the click at the doubled position of f5 did not play it (pixel stays $before)"
# The black disc put on f5 turned e5 (between f5 and d5) black as well: same colour.
sleep 1
shot
e5=$(pixel $(((fx - 48) * 2)) $((fy * 2)))
f5=$(pixel $((fx * 2)) $((fy * 2)))
[ "$e5" = "$f5" ] || fail "e5 ($e5) was not turned to the colour of f5 ($f5)"
if [ -n "${KERNA_SCREENSHOT_DIR:-}" ]; then
  convert "$work/shot.png" -crop 1280x880+0+0 +repage "$KERNA_SCREENSHOT_DIR/scaled-2x.png"
fi
"$helper" close "$window" || fail "could not close the window"
for _ in $(seq 1 500); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.01
done
wait "$game_pid" || fail "game exit code $? after close"
game_pid=""
echo "window 1280 x 880 at 2x; click at the doubled f5 played it"

#!/usr/bin/env bash
# Screenshots of ケルナ speaking at levels 0, 3 and 6, for the docs: runs the
# real game in Xvfb on a temporary copy of the assets, chooses a game against
# the computer at the level, plays f5 and d6 (or the first square she leaves
# legal) and takes the board area after her comment.
#   usage: tools/hostess_screens.sh GAME_BINARY ASSETS_DIR OUT_DIR
set -euo pipefail
game="$(realpath "$1")"
assets="$2"
out="$(realpath "$3")"
source "$(dirname "${BASH_SOURCE[0]}")/../tests/xvfb/xvfb_common.sh"
start_xvfb 1024x768

click() {  # window x y
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep "${4:-1}"
}
square() {  # window X Y: the centre of board square (X, Y)
  click "$1" $((22 + 48 * ($2 - 1) + 24)) $((22 + 48 * ($3 - 1) + 24)) "${4:-4}"
}

for level in 0 3 6; do
  rm -rf "$work/assets" && cp -r "$assets" "$work/assets"
  (cd "$work/assets" && exec "$game") 2>"$work/game.err" &
  game_pid=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$game_pid" | head -n1)
  sleep 4  # the lines and tables load
  click "$window" 530 137 2
  click "$window" 533 $((198 + 28 * level)) 1
  click "$window" 533 405 3
  square "$window" 6 5 8   # f5; she answers and comments
  eval "$(xdotool getwindowgeometry --shell "$window")"
  import -window root -crop "640x440+$X+$Y" +repage "$out/hostess-level$level.png"
  kill "$game_pid"; wait "$game_pid" || true; game_pid=""
done

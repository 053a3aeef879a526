#!/usr/bin/env bash
# Real-window check of the keyboard under Xvfb: a two-person game played only
# with keys (2 on the menu, the arrows and Enter on the board), four moves
# f5 f6 e6 f4 seen on screen, then Esc and Enter back to the menu, and the
# quit game kept in dat/records.txt and dat/records/*.ggf. Runs the game on a
# temporary copy of the assets so no file in the repository changes. With
# KERNA_SCREENSHOT_DIR set the screenshot after the four moves is written there
# as keyboard-play.png.
#   usage: keyboard.sh GAME_BINARY ASSETS_DIR BUILD_DIR
set -euo pipefail

game="$1"
assets="$2"
build="$3"
helper="$build/xvfb/xvfb_helper"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_common.sh"
readonly timeout_ms=30000

start_window_check 1024x768
rm -rf "$work/assets/dat/records.txt" "$work/assets/dat/records"

# Square centres: column x, row y (1..8).
cx() { echo $((22 + 48 * ($1 - 1) + 24)); }
cy() { echo $((22 + 48 * ($2 - 1) + 24)); }
keys() { xdotool key --delay 20 "$@"; }
# Walks the box to a1 (the arrows stop at the edge), then to (x, y), and plays it.
play() {
  local x=$1 y=$2 walk=()
  for _ in 1 2 3 4 5 6 7; do walk+=(Left Up); done
  for ((i = 1; i < x; i++)); do walk+=(Right); done
  for ((i = 1; i < y; i++)); do walk+=(Down); done
  local before attempt
  shot
  before=$(pixel "$(cx "$x" "$y")" "$(cy "$x" "$y")")
  # Keys typed before the turn begins (during the flips) are dropped, as a
  # click then would be: walk and press again until the disc appears. Once
  # played, the square is taken and Enter there does nothing.
  for attempt in $(seq 1 20); do
    keys "${walk[@]}" Return
    "$helper" wait-change "$(cx "$x" "$y")" "$(cy "$x" "$y")" "${before#\#}" 1500 >/dev/null && break
    [ "$attempt" -lt 20 ] || fail "Enter did not play ($x, $y)"
  done
  sleep 1  # the five flip frames
}

readonly title_pixel=$(picture_pixel title.bmp 100 30)
(cd "$work/assets" && exec "$game") 2>"$work/game.err" &
game_pid=$!
"$helper" wait-colour 529 30 "${title_pixel#\#}" "$timeout_ms" >/dev/null ||
  fail "no title screen within $((timeout_ms / 1000)) s; stderr: $(cat "$work/game.err")"
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$game_pid" | head -n1)
# Keys go to the window under the pointer; off the board, left of the panel.
xdotool mousemove 5 5
xdotool windowfocus "$window" 2>/dev/null || true
sleep 0.5
keys 2  # two people
sleep 1
play 6 5  # f5, black
play 6 6  # f6, white
play 5 6  # e6, black
play 6 4  # f4, white
shot
if [ -n "${KERNA_SCREENSHOT_DIR:-}" ]; then
  convert "$work/shot.png" -crop 640x440+0+0 +repage "$KERNA_SCREENSHOT_DIR/keyboard-play.png"
fi
# f4 turned e4 and f5 white: black keeps d5, e5 and e6, white has d4 e4 f4 f5 f6.
[ "$(pixel "$(cx 4 5)" "$(cy 4 5)")" = "$(pixel "$(cx 5 6)" "$(cy 5 6)")" ] ||
  fail "d5 and e6 are not the same colour"
[ "$(pixel "$(cx 6 5)" "$(cy 6 5)")" = "$(pixel "$(cx 6 4)" "$(cy 6 4)")" ] ||
  fail "f5 and f4 are not the same colour"
[ "$(pixel "$(cx 5 6)" "$(cy 5 6)")" != "$(pixel "$(cx 6 4)" "$(cy 6 4)")" ] ||
  fail "black and white discs look the same"

keys Escape
sleep 1
keys Return
records="$work/assets/dat/records.txt"
for _ in $(seq 1 100); do
  [ -s "$records" ] && break
  sleep 0.1
done
[ -s "$records" ] || fail "no records.txt after quitting"
grep -q 'mode=humans level=- human=both end=quit black=3 white=5 winner=none undo=0 hint=0 start=standard moves=f5f6e6f4$' "$records" ||
  fail "unexpected record: $(cat "$records")"
ls "$work/assets/dat/records/"*.ggf >/dev/null 2>&1 || fail "no GGF file in dat/records/"
grep -qi 'B\[f5\]' "$work/assets/dat/records/"*.ggf || fail "GGF without f5: $(cat "$work/assets/dat/records/"*.ggf)"

"$helper" close "$window" || fail "could not close the window"
for _ in $(seq 1 500); do
  kill -0 "$game_pid" 2>/dev/null || break
  sleep 0.01
done
wait "$game_pid" || fail "game exit code $? after close"
game_pid=""
echo "four moves by the keyboard; the quit game is kept in records.txt and records/"

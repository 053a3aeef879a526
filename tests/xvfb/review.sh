#!/usr/bin/env bash
# Real-window check of the review under Xvfb: `kerna-reversi --review` on a
# game kept in dat/records/ as the game keeps them opens the window on its
# review; the analysis fills the progress bar while the arrows step the board;
# Escape leaves for the title screen; opened again, closing the window during
# the analysis ends the program within a second. Runs on a temporary copy of
# the assets. With KERNA_SCREENSHOT_DIR set the screenshot after a few steps is
# written there as review.png.
#   usage: review.sh GAME_BINARY ASSETS_DIR BUILD_DIR
set -euo pipefail

game="$1"
assets="$2"
build="$3"
helper="$build/xvfb/xvfb_helper"
source "$(dirname "${BASH_SOURCE[0]}")/xvfb_common.sh"
readonly timeout_ms=30000

start_window_check 1024x768
rm -rf "$work/assets/dat/records.txt" "$work/assets/dat/records"
mkdir -p "$work/assets/dat/records"
# A whole game against the computer at level 3, as the game writes it.
record="$work/assets/dat/records/2026-12-08T21-05-00.ggf"
printf '%s%s%s\n' \
  '(;GM[Othello]PC[kerna]DT[2026-12-08 21:05:00]PB[human]PW[computer level 3]RE[-30]' \
  'BO[8 ---------------------------O*------*O--------------------------- *]' \
  'B[f5]W[f4]B[f3]W[f6]B[d3]W[f2]B[g6]W[c3]B[b3]W[b2]B[g4]W[g3]B[b1]W[d2]B[c4]W[c5]B[f1]W[g2]B[g1]W[g5]B[c6]W[a1]B[h6]W[a2]B[b5]W[c7]B[f7]W[d6]B[c2]W[h5]B[b8]W[e7]B[d1]W[a4]B[a3]W[g7]B[h4]W[e3]B[e6]W[h1]B[d8]W[e1]B[e8]W[b4]B[f8]W[h2]B[c1]W[h8]B[a6]W[b6]B[h3]W[g8]B[a5]W[h7]B[b7]W[c8]B[d7]W[a7]B[a8]W[e2];)' \
  >"$record"

keys() { xdotool key --delay 60 "$@"; }
start_review() {
  (cd "$work/assets" && exec "$game" --review "$record") 2>"$work/game.err" &
  game_pid=$!
  # The graph's white frame, where the title screen has the panel tile.
  "$helper" wait-colour 433 350 FFFFFF "$timeout_ms" >/dev/null ||
    fail "no review screen within $((timeout_ms / 1000)) s; stderr: $(cat "$work/game.err")"
  window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$game_pid" | head -n1)
  xdotool mousemove 5 5
  xdotool windowfocus "$window" 2>/dev/null || true
  sleep 0.5
}

start_review
# f5, the first move, is boxed in yellow on the start position.
shot
[ "$(pixel 262 214)" = "#FFFF00" ] || fail "the first move f5 is not boxed: $(pixel 262 214)"
# The progress bar fills from its left end as positions are valued.
"$helper" wait-colour 442 300 00FFFF "$timeout_ms" >/dev/null ||
  fail "the analysis shows no progress within $((timeout_ms / 1000)) s"
keys Right Right Right Right Right Right Right Right Right Right
sleep 1
shot
# After ten moves f3 (black's second move) holds a disc, unlike the empty a1.
[ "$(pixel 286 142)" != "$(pixel 46 46)" ] || fail "the arrows did not step through the game"
if [ -n "${KERNA_SCREENSHOT_DIR:-}" ]; then
  convert "$work/shot.png" -crop 640x440+0+0 +repage "$KERNA_SCREENSHOT_DIR/review.png"
fi
readonly title_pixel=$(picture_pixel title.bmp 100 30)
keys Escape
"$helper" wait-colour 529 30 "${title_pixel#\#}" "$timeout_ms" >/dev/null ||
  fail "Escape did not leave the review for the title screen"
close_and_wait "$window" 2000 "after the review"

start_review
close_and_wait "$window" 1000 "during the analysis"
echo "the review of a kept game: opened from the command line, stepped, left; closed within ${close_ms} ms during its analysis"
